#include "core/FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <new>

namespace {

std::wstring Describe(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring out = text ? text : L"";
    LocalFree(text);
    while (!out.empty() && (out.back() == L'\n' || out.back() == L'\r')) out.pop_back();
    return out;
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

class Win32FileSystem final : public FileSystem {
public:
    ReadOutcome ReadWhole(const FilePath& path, std::string& bytes, std::wstring& error) override {
        // Others may have it open, even for writing: reading is still possible then.
        FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            const DWORD code = GetLastError();
            error = Describe(code);
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
                    error = Describe(GetLastError());
                    return ReadOutcome::Failed;
                }
                bytes.resize(had + done);
                if (done == 0) return ReadOutcome::Read;
            }
        } catch (const std::bad_alloc&) {
            bytes.clear();
            error = Describe(ERROR_NOT_ENOUGH_MEMORY);
            return ReadOutcome::Failed;
        }
    }

    bool WriteNew(const FilePath& path, std::string_view bytes, std::wstring& error) override {
        FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return Fail(error);
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), kChunkBytes));
            DWORD done = 0;
            if (!WriteFile(file.get(), bytes.data(), chunk, &done, nullptr) || done != chunk)
                return Fail(error);
            bytes.remove_prefix(done);
        }
        if (!FlushFileBuffers(file.get()) || !file.CloseChecked()) return Fail(error);
        return true;
    }

    bool Replace(const FilePath& from, const FilePath& to, const FilePath& backup,
                 std::wstring& error) override {
        // ReplaceFileW keeps the replaced file's security and short name, and on Windows its
        // attributes; Wine's does not, so the ones a user sets are given to the new file first.
        const DWORD old = GetFileAttributesW(to.c_str());
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if (old != INVALID_FILE_ATTRIBUTES && (old & kKept))
            SetFileAttributesW(from.c_str(), old & kKept);
        if (ReplaceFileW(to.c_str(), from.c_str(), backup.empty() ? nullptr : backup.c_str(),
                         REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                         nullptr))
            return true;
        const DWORD code = GetLastError();
        if (code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 && !backup.empty())
            MoveFileExW(backup.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH);  // the old one back
        // The first save has nothing to replace.
        if (code == ERROR_FILE_NOT_FOUND && !Exists(to) &&
            MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
            return true;
        error = Describe(code);
        return false;
    }

    bool Exists(const FilePath& path) override {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    void Remove(const FilePath& path) override { DeleteFileW(path.c_str()); }

private:
    static bool Fail(std::wstring& error) {
        error = Describe(GetLastError());
        return false;
    }
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
