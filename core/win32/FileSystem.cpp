#include "core/FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "core/win32/SystemText.h"

namespace {

bool IsReadOnlyFile(const FilePath& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Access to `path` is refused for a moment while another program deletes or holds the file
// there; for good when the file is read-only or, with nothing there, the folder takes no new
// files.
bool AccessMayClear(const FilePath& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return !IsReadOnlyFile(path);
    return GetLastError() == ERROR_ACCESS_DENIED;  // a file being deleted
}

// Takes the code of the call on `path` that just failed, before anything else can change it.
bool Fail(FileError& error, const FilePath& path, DWORD code = GetLastError()) {
    error.text = SystemText(code);
    error.transient = code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
                      (code == ERROR_ACCESS_DENIED && AccessMayClear(path));
    return false;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    bool CloseChecked() {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return CloseHandle(h) != 0;
    }

private:
    HANDLE h_;
};

constexpr DWORD kChunkBytes = 1u << 20;

bool WriteAll(HANDLE file, const FilePath& path, std::string_view bytes, FileError& error) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), kChunkBytes));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data(), chunk, &done, nullptr)) return Fail(error, path);
        // Nothing written without a failure: the disk had no room left for it.
        if (done == 0) return Fail(error, path, ERROR_DISK_FULL);
        bytes.remove_prefix(done);
    }
    return true;
}

bool FlushToDisk(const FilePath& path, FileError& error) {
    // A virus scanner may already have the new file open.
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !FlushFileBuffers(file.get())) return Fail(error, path);
    return true;
}

class Win32FileSystem final : public FileSystem {
public:
    ReadOutcome ReadWhole(const FilePath& path, std::string& bytes, FileError& error) override {
        // Others may have it open, even for writing: reading is still possible then.
        FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            const DWORD code = GetLastError();
            Fail(error, path, code);
            return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
                       ? ReadOutcome::Missing
                       : ReadOutcome::Failed;
        }
        bytes.clear();
        try {
            for (;;) {
                const size_t had = bytes.size();
                bytes.resize(had + kChunkBytes);
                DWORD done = 0;
                if (!ReadFile(file.get(), bytes.data() + had, kChunkBytes, &done, nullptr)) {
                    Fail(error, path);
                    return ReadOutcome::Failed;
                }
                bytes.resize(had + done);
                if (done == 0) return ReadOutcome::Read;
            }
        } catch (const std::bad_alloc&) {
            bytes.clear();
            Fail(error, path, ERROR_NOT_ENOUGH_MEMORY);
            return ReadOutcome::Failed;
        }
    }

    bool WriteNew(const FilePath& path, std::string_view bytes, FileError& error) override {
        // A name left at the path is deleted, not opened: a link would be deleted, never its
        // target written, and CREATE_NEW fails if anything stands there again.
        DeleteFileW(path.c_str());
        FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return Fail(error, path);
        if (!WriteAll(file.get(), path, bytes, error)) return false;
        if (!FlushFileBuffers(file.get()) || !file.CloseChecked()) return Fail(error, path);
        return true;
    }

    bool KeepCopy(const FilePath& file, const FilePath& copy, FileError& error) override {
        if (CreateHardLinkW(copy.c_str(), file.c_str(), nullptr)) return true;
        // FAT and exFAT drives have no hard links. A copy that is not on the disk whole goes
        // again, so that a second try can make it anew.
        if (!CopyFileW(file.c_str(), copy.c_str(), TRUE)) return Fail(error, copy);
        if (FlushToDisk(copy, error)) return true;
        DeleteFileW(copy.c_str());
        return false;
    }

    bool MoveOver(const FilePath& from, const FilePath& to, FileError& error) override {
        // Attributes the user set on the list stay on it; the archive bit is set, as on any
        // changed file, so that backup tools take the new list.
        const DWORD old = GetFileAttributesW(to.c_str());
        constexpr DWORD kKept =
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if (old != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(from.c_str(), (old & kKept) | FILE_ATTRIBUTE_ARCHIVE);
        // One rename: unlike ReplaceFileW, which moves the old file away before it moves the
        // new one in, it never leaves a moment without a list.
        if (!MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Fail(error, to);
        return true;
    }

    bool Exists(const FilePath& path) override {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool IsReadOnly(const FilePath& path) override { return IsReadOnlyFile(path); }

    void Remove(const FilePath& path) override { DeleteFileW(path.c_str()); }
};

FilePath ModulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) return buffer.substr(0, n);
        buffer.resize(buffer.size() * 2);
    }
}

size_t NameStart(const FilePath& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == FilePath::npos ? 0 : slash + 1;
}

}  // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem fileSystem;
    return fileSystem;
}

FilePath JoinPath(const FilePath& folder, const std::wstring& name) {
    return folder + L"\\" + name;
}

FilePath ExecutableDirectory() {
    const FilePath path = ModulePath();
    const size_t start = NameStart(path);
    return path.substr(0, start == 0 ? 0 : start - 1);
}

std::wstring ExecutableStem() {
    const FilePath path = ModulePath();
    const std::wstring name = path.substr(NameStart(path));
    return name.substr(0, name.find_last_of(L'.'));
}
