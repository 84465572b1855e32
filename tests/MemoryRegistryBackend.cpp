#include "tests/RegistryContract.h"

namespace {

class MemoryBackend final : public RegistryBackend {
public:
    MemoryBackend() { memory_.CreateKey(KeyPath()); }
    RegistryApi& Api() override { return memory_; }
    std::string KeyPath() override { return "SOFTWARE\\ZelkorTest"; }
    void Put(const std::string& name, uint32_t type, std::vector<uint8_t> bytes) override {
        memory_.Put(KeyPath(), name, type, std::move(bytes));
    }
    std::optional<MemoryRegistry::StoredValue> Get(const std::string& name) override {
        return memory_.Get(KeyPath(), name);
    }

private:
    MemoryRegistry memory_;
};

std::unique_ptr<RegistryBackend> MakeMemoryBackend() { return std::make_unique<MemoryBackend>(); }

}  // namespace

INSTANTIATE_TEST_SUITE_P(InMemory, RegistryContract, ::testing::Values(&MakeMemoryBackend));
