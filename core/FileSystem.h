#pragma once
// The few file operations the list file needs, so that tests can make any step fail.

#include <cstddef>
#include <string>
#include <string_view>

// Paths are wide texts. std::filesystem would bring the whole C++ locale machinery into the
// Windows program, more than doubling its size, for the one folder and two names it needs.
using FilePath = std::wstring;

// `folder` and `name` joined with the platform's separator.
FilePath JoinPath(const FilePath& folder, const std::wstring& name);

enum class ReadOutcome { Read, Missing, Failed };

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The whole file, however large, as long as memory holds it. Missing: there is no such
    // file (or folder); Failed: it is there but could not be read. Either way `error` gets the
    // system's own description.
    virtual ReadOutcome ReadWhole(const FilePath& path, std::string& bytes,
                                  std::wstring& error) = 0;
    // Creates or truncates the file and writes all bytes through to the disk.
    virtual bool WriteNew(const FilePath& path, std::string_view bytes, std::wstring& error) = 0;
    // Puts `from` in the place of `to` in one step, keeping the attributes and permissions
    // that `to` had. With a `backup` name, what was at `to` stays there under that name.
    virtual bool Replace(const FilePath& from, const FilePath& to, const FilePath& backup,
                         std::wstring& error) = 0;
    virtual bool Exists(const FilePath& path) = 0;
    virtual void Remove(const FilePath& path) = 0;
};

// The real file system of the platform the program runs on.
FileSystem& SystemFileSystem();

// The folder of the running executable, and its file name without extension.
FilePath ExecutableDirectory();
std::wstring ExecutableStem();
