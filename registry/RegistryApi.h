#pragma once
// The seam under the registry layer: the four advapi32 calls it makes, in their A forms.

#include <cstdint>
#include <string>

using RegKey = std::uintptr_t;
constexpr RegKey kHkeyCurrentUser = 0x80000001;

namespace RegType {
constexpr int32_t Sz = 1;
constexpr int32_t Binary = 3;
constexpr int32_t Dword = 4;
}  // namespace RegType

namespace RegResult {
constexpr int32_t Success = 0;
constexpr int32_t FileNotFound = 2;
constexpr int32_t AccessDenied = 5;
constexpr int32_t InvalidHandle = 6;
constexpr int32_t InsufficientBuffer = 122;
constexpr int32_t MoreData = 234;
// A character the ANSI code page cannot hold: refused before the system is called, with the
// system's own code for it.
constexpr int32_t NoUnicodeTranslation = 1113;
constexpr int32_t UnsupportedType = -1;  // the layer's own: the system was not called
}  // namespace RegResult

class RegistryApi {
public:
    virtual ~RegistryApi() = default;
    virtual int32_t OpenKey(RegKey root, const std::string& subKey, RegKey* key) = 0;
    virtual int32_t QueryValueEx(RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                                 uint32_t* size) = 0;
    virtual int32_t SetValueEx(RegKey key, const std::string& name, uint32_t type,
                               const uint8_t* data, uint32_t size) = 0;
    virtual int32_t CloseKey(RegKey key) = 0;
};
