#pragma once
// The behaviour every registry backend must show; run against the in-memory backend natively
// and against both backends under Wine, so the in-memory one is held to the real system.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/MemoryRegistry.h"

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;
    virtual RegistryApi& Api() = 0;
    // A key of the test's own under HKEY_CURRENT_USER, created empty for each test.
    virtual std::string KeyPath() = 0;
    virtual void Put(const std::string& name, uint32_t type, std::vector<uint8_t> bytes) = 0;
    virtual std::optional<MemoryRegistry::StoredValue> Get(const std::string& name) = 0;
};

using BackendFactory = std::unique_ptr<RegistryBackend> (*)();

class RegistryContract : public ::testing::TestWithParam<BackendFactory> {};
