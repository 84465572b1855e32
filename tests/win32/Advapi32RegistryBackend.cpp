#include <windows.h>

#include "registry/win32/Advapi32Registry.h"
#include "tests/RegistryContract.h"

namespace {

class Advapi32Backend final : public RegistryBackend {
public:
    Advapi32Backend() {
        RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str());
        RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr);
    }
    ~Advapi32Backend() override {
        RegCloseKey(key_);
        RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str());
    }
    RegistryApi& Api() override { return api_; }
    std::string KeyPath() override { return "Software\\ZelkorTest"; }
    void Put(const std::string& name, uint32_t type, std::vector<uint8_t> bytes) override {
        RegSetValueExA(key_, name.c_str(), 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    std::optional<MemoryRegistry::StoredValue> Get(const std::string& name) override {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != 0)
            return std::nullopt;
        MemoryRegistry::StoredValue stored{type, std::vector<uint8_t>(size)};
        RegQueryValueExA(key_, name.c_str(), nullptr, &type, stored.bytes.data(), &size);
        return stored;
    }

private:
    Advapi32Registry api_;
    HKEY key_ = nullptr;
};

std::unique_ptr<RegistryBackend> MakeAdvapi32Backend() {
    return std::make_unique<Advapi32Backend>();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Advapi32, RegistryContract, ::testing::Values(&MakeAdvapi32Backend));
