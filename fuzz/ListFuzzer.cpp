// libFuzzer entry: any bytes as PROXYLIST.DAT.
#include <cstdint>

#include "fuzz/Checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return StopOnFailure(CheckProxyList({reinterpret_cast<const char*>(data), size}));
}
