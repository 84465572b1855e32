#include "registry/win32/Advapi32Registry.h"

#include <windows.h>

namespace {
HKEY Handle(RegKey key) { return reinterpret_cast<HKEY>(key); }
}  // namespace

int32_t Advapi32Registry::OpenKey(RegKey root, const std::string& subKey, RegKey* key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyA(Handle(root), subKey.c_str(), &opened);
    if (result == ERROR_SUCCESS) *key = reinterpret_cast<RegKey>(opened);
    return result;
}

int32_t Advapi32Registry::QueryValueEx(RegKey key, const std::string& name, uint32_t* type,
                                       uint8_t* data, uint32_t* size) {
    DWORD systemType = type ? *type : 0;
    DWORD systemSize = *size;
    const LONG result =
        RegQueryValueExA(Handle(key), name.c_str(), nullptr, &systemType, data, &systemSize);
    if (type) *type = systemType;
    *size = systemSize;
    return result;
}

int32_t Advapi32Registry::SetValueEx(RegKey key, const std::string& name, uint32_t type,
                                     const uint8_t* data, uint32_t size) {
    return RegSetValueExA(Handle(key), name.c_str(), 0, type, data, size);
}

int32_t Advapi32Registry::CloseKey(RegKey key) { return RegCloseKey(Handle(key)); }
