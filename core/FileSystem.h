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

// Why a call failed, in the system's own words, taken at the call that failed.
struct FileError {
    std::wstring text;
    // Another program holds the file for a moment (a virus scanner, the search indexer, a sync
    // client): the same call may well succeed a little later.
    bool transient = false;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The whole file, however large, as long as memory holds it. Missing: there is no such
    // file (or folder); Failed: it is there but could not be read.
    virtual ReadOutcome ReadWhole(const FilePath& path, std::string& bytes, FileError& error) = 0;
    // Creates the file anew and writes all bytes through to the disk. Whatever stood at the
    // path (a file left by a crash, a link planted there) is removed first, never written to.
    virtual bool WriteNew(const FilePath& path, std::string_view bytes, FileError& error) = 0;
    // A second name, `copy`, for the file as it is now: a hard link where the file system has
    // them, else (on Windows: FAT and exFAT drives) a copy written through to the disk. `copy`
    // must not exist yet.
    virtual bool KeepCopy(const FilePath& file, const FilePath& copy, FileError& error) = 0;
    // Puts `from` in the place of `to` by one rename, after giving it what the user set on `to`
    // (its hidden, system and not-indexed attributes on Windows, with the archive bit set so
    // that backups take the change; its mode and owner on Linux): at every instant `to` is the
    // old file or the new one, whole.
    virtual bool MoveOver(const FilePath& from, const FilePath& to, FileError& error) = 0;
    virtual bool Exists(const FilePath& path) = 0;
    // The user has locked the file against changes: its read-only attribute on Windows, no
    // write permission for anyone on Linux. The system need not enforce it (Wine run as root
    // does not), so the program looks before it writes.
    virtual bool IsReadOnly(const FilePath& path) = 0;
    virtual void Remove(const FilePath& path) = 0;
};

// The real file system of the platform the program runs on.
FileSystem& SystemFileSystem();

// The folder of the running executable, and its file name without extension.
FilePath ExecutableDirectory();
std::wstring ExecutableStem();
