#pragma once
// The few file operations the list file needs, so that tests can make any step fail.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // On failure each returns false and puts the system's own description into `error`.
    virtual bool ReadWhole(const std::filesystem::path& path, size_t maxBytes, std::string& bytes,
                           std::wstring& error) = 0;
    // Creates or truncates the file and writes all bytes through to the disk.
    virtual bool WriteNew(const std::filesystem::path& path, std::string_view bytes,
                          std::wstring& error) = 0;
    // Puts `from` in the place of `to` in one step.
    virtual bool Replace(const std::filesystem::path& from, const std::filesystem::path& to,
                         std::wstring& error) = 0;
    virtual void Remove(const std::filesystem::path& path) = 0;
};

// The real file system of the platform the program runs on.
FileSystem& SystemFileSystem();

// The folder of the running executable, and its file name without extension.
std::filesystem::path ExecutableDirectory();
std::wstring ExecutableStem();
