#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <cstring>

#include "core/FileSystem.h"

namespace {

std::wstring Describe(int code) {
    const std::string text = std::strerror(code);
    return std::wstring(text.begin(), text.end());
}

// Linux file names are bytes; ours are written in UTF-8.
std::string Native(const FilePath& path) {
    std::string out;
    for (const wchar_t c : path) {
        const auto u = static_cast<uint32_t>(c);
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else if (u < 0x10000) {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (u >> 18));
            out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool CloseChecked() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

class PosixFileSystem final : public FileSystem {
public:
    bool ReadWhole(const FilePath& path, size_t maxBytes, std::string& bytes,
                   std::wstring& error) override {
        FileDescriptor fd(open(Native(path).c_str(), O_RDONLY));
        if (fd.get() < 0) return Fail(error);
        bytes.clear();
        char buffer[65536];
        for (;;) {
            const ssize_t n = read(fd.get(), buffer, sizeof buffer);
            if (n < 0) return Fail(error);
            if (n == 0) return true;
            if (bytes.size() + static_cast<size_t>(n) > maxBytes) {
                error = Describe(EFBIG);
                return false;
            }
            bytes.append(buffer, static_cast<size_t>(n));
        }
    }

    bool WriteNew(const FilePath& path, std::string_view bytes,
                  std::wstring& error) override {
        FileDescriptor fd(open(Native(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
        if (fd.get() < 0) return Fail(error);
        while (!bytes.empty()) {
            const ssize_t n = write(fd.get(), bytes.data(), bytes.size());
            if (n < 0) return Fail(error);
            bytes.remove_prefix(static_cast<size_t>(n));
        }
        if (fsync(fd.get()) != 0 || !fd.CloseChecked()) return Fail(error);
        return true;
    }

    bool Replace(const FilePath& from, const FilePath& to,
                 std::wstring& error) override {
        if (rename(Native(from).c_str(), Native(to).c_str()) != 0) return Fail(error);
        return true;
    }

    void Remove(const FilePath& path) override { unlink(Native(path).c_str()); }

private:
    static bool Fail(std::wstring& error) {
        error = Describe(errno);
        return false;
    }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}

FilePath JoinPath(const FilePath& folder, const std::wstring& name) { return folder + L"/" + name; }

FilePath ExecutableDirectory() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().wstring();
}

std::wstring ExecutableStem() {
    return std::filesystem::read_symlink("/proc/self/exe").stem().wstring();
}
