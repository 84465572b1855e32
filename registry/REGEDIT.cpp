#include "registry/REGEDIT.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

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
    // Leading decimal digits, perhaps after a minus; anything else, or too large, reads as 0.
    const std::wstring text = Trim(std::get<std::wstring>(value));
    const bool negative = !text.empty() && text[0] == L'-';
    int64_t number = 0;
    for (size_t at = negative ? 1 : 0; at < text.size() && text[at] >= L'0' && text[at] <= L'9';
         ++at) {
        number = number * 10 + (text[at] - L'0');
        if (number > INT32_MAX) return 0;
    }
    return static_cast<int32_t>(negative ? -number : number);
}

int32_t Registry::Reg_OpenKey(RegKey root, const std::wstring& subKeyPath, RegKey& key) {
    const std::optional<std::string> path = ToAnsi(subKeyPath);
    if (!path) return RegResult::NoUnicodeTranslation;
    return api_.OpenKey(root, *path, &key);
}

int32_t Registry::Reg_QueryValue(RegKey key, const std::wstring& valueName, int32_t& type,
                                 RegValue& value) {
    if (type != RegType::Sz && type != RegType::Dword) return RegResult::UnsupportedType;
    const std::optional<std::string> name = ToAnsi(valueName);
    if (!name) return RegResult::NoUnicodeTranslation;
    uint32_t systemType = static_cast<uint32_t>(type);
    int32_t result = RegResult::UnsupportedType;
    if (type == RegType::Sz) {
        std::array<uint8_t, kTextBufferBytes> buffer{};
        uint32_t size = kTextBufferBytes;
        result = api_.QueryValueEx(key, *name, &systemType, buffer.data(), &size);
        if (result != RegResult::Success) buffer.fill(0);
        // The bytes after the stored text stay zero and arrive as NUL characters.
        std::wstring text =
            FromAnsi(std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size()));
        text.resize(kTextBufferBytes, L'\0');
        value = text;
    } else {
        uint8_t buffer[4] = {0, 0, 0, 0};
        uint32_t size = sizeof buffer;
        result = api_.QueryValueEx(key, *name, &systemType, buffer, &size);
        if (result != RegResult::Success) std::memset(buffer, 0, sizeof buffer);
        value = static_cast<int32_t>(uint32_t{buffer[0]} | uint32_t{buffer[1]} << 8 |
                                     uint32_t{buffer[2]} << 16 | uint32_t{buffer[3]} << 24);
    }
    type = static_cast<int32_t>(systemType);
    return result;
}

int32_t Registry::Reg_SetValue(RegKey key, const std::wstring& valueName, int32_t type,
                               const RegValue& value) {
    if (type != RegType::Sz && type != RegType::Binary && type != RegType::Dword)
        return RegResult::UnsupportedType;
    const std::optional<std::string> name = ToAnsi(valueName);
    if (!name) return RegResult::NoUnicodeTranslation;
    std::string data;
    if (type == RegType::Sz) {
        const std::optional<std::string> text = ToAnsi(Trim(ValueAsText(value)));
        if (!text) return RegResult::NoUnicodeTranslation;
        if (text->size() >= kTextBufferBytes) return RegResult::InsufficientBuffer;
        data = *text + '\0';
    } else if (type == RegType::Binary) {
        data = std::string(1, static_cast<char>(static_cast<uint8_t>(ValueAsNumber(value))));
    } else {
        const auto number = static_cast<uint32_t>(ValueAsNumber(value));
        for (int shift = 0; shift < 32; shift += 8) data += static_cast<char>(number >> shift);
    }
    return api_.SetValueEx(key, *name, static_cast<uint32_t>(type),
                           reinterpret_cast<const uint8_t*>(data.data()),
                           static_cast<uint32_t>(data.size()));
}

int32_t Registry::Reg_CloseKey(RegKey key) { return api_.CloseKey(key); }

}  // namespace REGEDIT
