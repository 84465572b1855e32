#include <windows.h>

#include "core/FileSystem.h"

namespace {

std::wstring Describe(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
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

class Win32FileSystem final : public FileSystem {
public:
    bool ReadWhole(const FilePath& path, size_t maxBytes, std::string& bytes,
                   std::wstring& error) override {
        FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return Fail(error);
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.get(), &size)) return Fail(error);
        if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
            error = Describe(ERROR_FILE_TOO_LARGE);
            return false;
        }
        bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
        DWORD done = 0;
        if (!bytes.empty() &&
            !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr))
            return Fail(error);
        bytes.resize(done);
        return true;
    }

    bool WriteNew(const FilePath& path, std::string_view bytes,
                  std::wstring& error) override {
        FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return Fail(error);
        DWORD done = 0;
        if (!bytes.empty() && (!WriteFile(file.get(), bytes.data(),
                                          static_cast<DWORD>(bytes.size()), &done, nullptr) ||
                               done != bytes.size()))
            return Fail(error);
        if (!FlushFileBuffers(file.get()) || !file.CloseChecked()) return Fail(error);
        return true;
    }

    bool Replace(const FilePath& from, const FilePath& to,
                 std::wstring& error) override {
        if (!MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Fail(error);
        return true;
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
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
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

FilePath JoinPath(const FilePath& folder, const std::wstring& name) { return folder + L"\\" + name; }

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
