#include "core/FileSystem.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <new>

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
    ReadOutcome ReadWhole(const FilePath& path, std::string& bytes, std::wstring& error) override {
        FileDescriptor fd(open(Native(path).c_str(), O_RDONLY));
        if (fd.get() < 0) {
            const int code = errno;
            error = Describe(code);
            return code == ENOENT || code == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Failed;
        }
        bytes.clear();
        char buffer[65536];
        try {
            for (;;) {
                const ssize_t n = read(fd.get(), buffer, sizeof buffer);
                if (n < 0) return Failed(errno, error);
                if (n == 0) return ReadOutcome::Read;
                bytes.append(buffer, static_cast<size_t>(n));
            }
        } catch (const std::bad_alloc&) {
            bytes.clear();
            return Failed(ENOMEM, error);
        }
    }

    bool WriteNew(const FilePath& path, std::string_view bytes, std::wstring& error) override {
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

    bool Replace(const FilePath& from, const FilePath& to, const FilePath& backup,
                 std::wstring& error) override {
        const std::string source = Native(from), target = Native(to), kept = Native(backup);
        struct stat old {};
        const bool hadOld = stat(target.c_str(), &old) == 0;
        if (hadOld) {
            // The new file takes the old one's permissions and, where allowed, its owner.
            if (chmod(source.c_str(), old.st_mode & 07777) != 0) return Fail(error);
            [[maybe_unused]] const int owned = chown(source.c_str(), old.st_uid, old.st_gid);
        }
        if (hadOld && !backup.empty() && link(target.c_str(), kept.c_str()) != 0)
            return Fail(error);
        if (rename(source.c_str(), target.c_str()) == 0) return true;
        const int code = errno;
        if (hadOld && !backup.empty()) unlink(kept.c_str());  // the old file stands as it was
        error = Describe(code);
        return false;
    }

    bool Exists(const FilePath& path) override {
        struct stat info {};
        return stat(Native(path).c_str(), &info) == 0;
    }

    void Remove(const FilePath& path) override { unlink(Native(path).c_str()); }

private:
    static bool Fail(std::wstring& error) {
        error = Describe(errno);
        return false;
    }
    static ReadOutcome Failed(int code, std::wstring& error) {
        error = Describe(code);
        return ReadOutcome::Failed;
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
