// libFuzzer entry: any bytes as the ProxyServer text read from the registry.
#include <cstdint>

#include "fuzz/Checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return StopOnFailure(CheckProxyServer({reinterpret_cast<const char*>(data), size}));
}
