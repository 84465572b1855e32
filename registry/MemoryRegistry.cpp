#include "registry/MemoryRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string Join(const std::string& parent, const std::string& child) {
    if (parent.empty()) return Upper(child);
    if (child.empty()) return parent;
    return parent + "\\" + Upper(child);
}

}  // namespace

std::optional<int32_t> MemoryRegistry::Injected(Call call) {
    ++counts_[call];
    const auto it = failures_.find(call);
    if (it == failures_.end() || it->second == 0) return std::nullopt;
    return it->second;
}

int MemoryRegistry::CallCount(Call call) const {
    const auto it = counts_.find(call);
    return it == counts_.end() ? 0 : it->second;
}

const std::string* MemoryRegistry::KeyOf(RegKey key) const {
    static const std::string root;
    if (key == kHkeyCurrentUser) return &root;
    const auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : &it->second;
}

int32_t MemoryRegistry::OpenKey(RegKey root, const std::string& subKey, RegKey* key) {
    if (const auto code = Injected(Call::Open)) return *code;
    const std::string* parent = KeyOf(root);
    if (!parent) return RegResult::InvalidHandle;
    const std::string path = Join(*parent, subKey);
    if (!path.empty() && !keys_.count(path)) return RegResult::FileNotFound;
    *key = nextHandle_++;
    handles_[*key] = path;
    return RegResult::Success;
}

int32_t MemoryRegistry::QueryValueEx(RegKey key, const std::string& name, uint32_t* type,
                                     uint8_t* data, uint32_t* size) {
    if (const auto code = Injected(Call::Query)) return *code;
    const std::string* path = KeyOf(key);
    if (!path) return RegResult::InvalidHandle;
    const auto values = keys_.find(*path);
    if (values == keys_.end()) return RegResult::FileNotFound;
    const auto value = values->second.find(Upper(name));
    if (value == values->second.end()) return RegResult::FileNotFound;
    const StoredValue& stored = value->second;
    if (type) *type = stored.type;
    const auto needed = static_cast<uint32_t>(stored.bytes.size());
    const uint32_t room = *size;
    *size = needed;
    if (needed > room) return RegResult::MoreData;
    if (needed > 0) std::memcpy(data, stored.bytes.data(), needed);
    return RegResult::Success;
}

int32_t MemoryRegistry::SetValueEx(RegKey key, const std::string& name, uint32_t type,
                                   const uint8_t* data, uint32_t size) {
    if (const auto code = Injected(Call::Set)) return *code;
    const std::string* path = KeyOf(key);
    if (!path) return RegResult::InvalidHandle;
    keys_[*path][Upper(name)] = StoredValue{type, std::vector<uint8_t>(data, data + size)};
    return RegResult::Success;
}

int32_t MemoryRegistry::CloseKey(RegKey key) {
    if (const auto code = Injected(Call::Close)) return *code;
    return handles_.erase(key) ? RegResult::Success : RegResult::InvalidHandle;
}

void MemoryRegistry::CreateKey(const std::string& path) {
    std::string prefix;
    size_t start = 0;
    for (;;) {
        const size_t end = path.find('\\', start);
        prefix = Join(prefix, path.substr(start, end - start));
        keys_[prefix];
        if (end == std::string::npos) return;
        start = end + 1;
    }
}

void MemoryRegistry::Put(const std::string& path, const std::string& name, uint32_t type,
                         std::vector<uint8_t> bytes) {
    CreateKey(path);
    keys_[Upper(path)][Upper(name)] = StoredValue{type, std::move(bytes)};
}

void MemoryRegistry::PutText(const std::string& path, const std::string& name,
                             const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    Put(path, name, RegType::Sz, std::move(bytes));
}

std::optional<MemoryRegistry::StoredValue> MemoryRegistry::Get(const std::string& path,
                                                               const std::string& name) const {
    const auto values = keys_.find(Upper(path));
    if (values == keys_.end()) return std::nullopt;
    const auto value = values->second.find(Upper(name));
    if (value == values->second.end()) return std::nullopt;
    return value->second;
}

void MemoryRegistry::Erase(const std::string& path, const std::string& name) {
    const auto values = keys_.find(Upper(path));
    if (values != keys_.end()) values->second.erase(Upper(name));
}
