#include "registry/REGEDIT.h"

#include <array>
#include <charconv>
#include <cstring>

#include "text/AnsiText.h"

namespace REGEDIT {

std::wstring ValueAsText(const RegValue& value) {
    if (const auto* text = std::get_if<std::wstring>(&value)) return *text;
    if (const auto* number = std::get_if<int32_t>(&value)) return std::to_wstring(*number);
    return std::to_wstring(std::get<uint8_t>(value));
}

int32_t ValueAsNumber(const RegValue& value) {
    if (const auto* number = std::get_if<int32_t>(&value)) return *number;
    if (const auto* byte = std::get_if<uint8_t>(&value)) return *byte;
    const std::string digits = ToAnsi(Trim(std::get<std::wstring>(value)));
    int32_t number = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return number;
}

int32_t Registry::Reg_OpenKey(RegKey root, const std::wstring& subKeyPath, RegKey& key) {
    return api_.OpenKey(root, ToAnsi(subKeyPath), &key);
}

int32_t Registry::Reg_QueryValue(RegKey key, const std::wstring& valueName, int32_t& type,
                                 RegValue& value) {
    uint32_t systemType = static_cast<uint32_t>(type);
    int32_t result = RegResult::UnsupportedType;
    if (type == RegType::Sz) {
        std::array<uint8_t, kTextBufferBytes> buffer{};
        uint32_t size = kTextBufferBytes;
        result = api_.QueryValueEx(key, ToAnsi(valueName), &systemType, buffer.data(), &size);
        if (result != RegResult::Success) buffer.fill(0);
        // The bytes after the stored text stay zero and arrive as NUL characters.
        std::wstring text = FromAnsi(
            std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size()));
        text.resize(kTextBufferBytes, L'\0');
        value = text;
    } else if (type == RegType::Dword) {
        uint8_t buffer[4] = {0, 0, 0, 0};
        uint32_t size = sizeof buffer;
        result = api_.QueryValueEx(key, ToAnsi(valueName), &systemType, buffer, &size);
        if (result != RegResult::Success) std::memset(buffer, 0, sizeof buffer);
        value = static_cast<int32_t>(buffer[0] | buffer[1] << 8 | buffer[2] << 16 |
                                     static_cast<uint32_t>(buffer[3]) << 24);
    } else {
        return RegResult::UnsupportedType;
    }
    type = static_cast<int32_t>(systemType);
    return result;
}

int32_t Registry::Reg_SetValue(RegKey key, const std::wstring& valueName, int32_t type,
                               const RegValue& value) {
    std::string data;
    if (type == RegType::Sz) {
        data = ToAnsi(Trim(ValueAsText(value)));
        if (data.size() >= kTextBufferBytes) return RegResult::InsufficientBuffer;
        data += '\0';
    } else if (type == RegType::Binary) {
        data = std::string(1, static_cast<char>(static_cast<uint8_t>(ValueAsNumber(value))));
    } else if (type == RegType::Dword) {
        const auto number = static_cast<uint32_t>(ValueAsNumber(value));
        for (int shift = 0; shift < 32; shift += 8) data += static_cast<char>(number >> shift);
    } else {
        return RegResult::UnsupportedType;
    }
    return api_.SetValueEx(key, ToAnsi(valueName), static_cast<uint32_t>(type),
                           reinterpret_cast<const uint8_t*>(data.data()),
                           static_cast<uint32_t>(data.size()));
}

int32_t Registry::Reg_CloseKey(RegKey key) { return api_.CloseKey(key); }

}  // namespace REGEDIT
