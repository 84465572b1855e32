#pragma once
// The real registry, through advapi32.

#include "registry/RegistryApi.h"

class Advapi32Registry final : public RegistryApi {
public:
    int32_t OpenKey(RegKey root, const std::string& subKey, RegKey* key) override;
    int32_t QueryValueEx(RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                         uint32_t* size) override;
    int32_t SetValueEx(RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                       uint32_t size) override;
    int32_t CloseKey(RegKey key) override;
};
