#pragma once
// An in-memory registry that answers as advapi32 does, for the native tests. Any call can be
// told to fail with any code.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "registry/RegistryApi.h"

class MemoryRegistry final : public RegistryApi {
public:
    enum class Call { Open, Query, Set, Close };

    struct StoredValue {
        uint32_t type = 0;
        std::vector<uint8_t> bytes;
    };

    int32_t OpenKey(RegKey root, const std::string& subKey, RegKey* key) override;
    int32_t QueryValueEx(RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                         uint32_t* size) override;
    int32_t SetValueEx(RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                       uint32_t size) override;
    int32_t CloseKey(RegKey key) override;

    // Direct access for tests, under HKEY_CURRENT_USER.
    void CreateKey(const std::string& path);
    void Put(const std::string& path, const std::string& name, uint32_t type,
             std::vector<uint8_t> bytes);
    void PutText(const std::string& path, const std::string& name, const std::string& text);
    std::optional<StoredValue> Get(const std::string& path, const std::string& name) const;
    void Erase(const std::string& path, const std::string& name);

    // Every later call of that kind fails with `code` (until cleared with 0), without effect.
    void FailCalls(Call call, int32_t code) { failures_[call] = code; }
    int CallCount(Call call) const;
    size_t OpenHandles() const { return handles_.size(); }

private:
    using Values = std::map<std::string, StoredValue>;  // names upper-cased: not case-sensitive
    std::optional<int32_t> Injected(Call call);
    const std::string* KeyOf(RegKey key) const;

    std::map<std::string, Values> keys_;  // paths upper-cased
    std::map<RegKey, std::string> handles_;
    std::map<Call, int32_t> failures_;
    std::map<Call, int> counts_;
    RegKey nextHandle_ = 0x1000;
};
