// libFuzzer entry: any bytes as UTF-16 text on its way to the code page, and as code page bytes.
#include <cstdint>

#include "fuzz/Checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return StopOnFailure(CheckAnsiText({reinterpret_cast<const char*>(data), size}));
}
