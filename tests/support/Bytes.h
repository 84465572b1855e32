#pragma once
// What the tests write and read back byte for byte: files in a folder of their own, and registry
// texts with their NUL.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

class TempFolder {
public:
    // Tests run in parallel processes whose heaps may look alike, so the name is random and
    // a folder that already exists is never reused.
    explicit TempFolder(const std::filesystem::path& parent = {}) {
        std::random_device random;
        do {
            path_ = (parent.empty() ? std::filesystem::temp_directory_path() : parent) /
                    ("zelkor-test-" + std::to_string(random()) + "-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline size_t FilesIn(const std::filesystem::path& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A REG_SZ value as stored: the text and its NUL.
inline std::vector<uint8_t> Sz(const std::string& text) {
    return {text.c_str(), text.c_str() + text.size() + 1};
}
