#pragma once
// Open a key, read a value, write a value, close a key: nothing more, and every result is
// the system's own code, for the caller to report.

#include <cstdint>
#include <string>
#include <variant>

#include "registry/RegistryApi.h"

namespace REGEDIT {

using RegValue = std::variant<std::wstring, int32_t, uint8_t>;

// Text values travel through a buffer of this many bytes, the terminating NUL included.
constexpr uint32_t kTextBufferBytes = 128;

std::wstring ValueAsText(const RegValue& value);  // a number as its decimal digits
int32_t ValueAsNumber(const RegValue& value);     // a text that is no number gives 0

class Registry {
public:
    explicit Registry(RegistryApi& api) : api_(api) {}

    int32_t Reg_OpenKey(RegKey root, const std::wstring& subKeyPath, RegKey& key);
    // `type` chooses the buffer on entry and holds the stored value's type afterwards.
    int32_t Reg_QueryValue(RegKey key, const std::wstring& valueName, int32_t& type,
                           RegValue& value);
    // A text longer than the buffer is refused whole, never cut.
    int32_t Reg_SetValue(RegKey key, const std::wstring& valueName, int32_t type,
                         const RegValue& value);
    int32_t Reg_CloseKey(RegKey key);

private:
    RegistryApi& api_;
};

// A key opened with Reg_OpenKey and closed with Reg_CloseKey when it goes out of scope (or
// earlier, with Close), whatever happened while it was open.
class OpenedKey {
public:
    OpenedKey(Registry& registry, RegKey root, const std::wstring& subKeyPath)
        : registry_(registry), result_(registry.Reg_OpenKey(root, subKeyPath, key_)) {}
    ~OpenedKey() { Close(); }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    bool IsOpen() const { return result_ == RegResult::Success && !closed_; }
    RegKey get() const { return key_; }
    void Close() {
        if (!IsOpen()) return;
        closed_ = true;
        registry_.Reg_CloseKey(key_);
    }

private:
    Registry& registry_;
    RegKey key_ = 0;
    int32_t result_;
    bool closed_ = false;
};

}  // namespace REGEDIT
