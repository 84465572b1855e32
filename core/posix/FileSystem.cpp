#include "core/FileSystem.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>

#include "text/Unicode.h"

namespace {

// Takes the code of the call that just failed, before anything else can change it.
bool Fail(FileError& error, int code = errno) {
    const std::string text = std::strerror(code);
    error.text = std::wstring(text.begin(), text.end());
    error.transient = code == EBUSY || code == ETXTBSY;
    return false;
}

std::string Native(const FilePath& path) { return ToUtf8(path); }  // Linux names are bytes

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
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

// A rename or a new name lasts only once its folder is on the disk too.
bool SyncFolder(const std::string& path, FileError& error) {
    FileDescriptor folder(open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY));
    if (folder.get() < 0 || fsync(folder.get()) != 0) return Fail(error);
    return true;
}

bool WriteAll(int fd, std::string_view bytes, FileError& error) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) return Fail(error);
        if (n == 0) return Fail(error, ENOSPC);
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

class PosixFileSystem final : public FileSystem {
public:
    ReadOutcome ReadWhole(const FilePath& path, std::string& bytes, FileError& error) override {
        FileDescriptor fd(open(Native(path).c_str(), O_RDONLY));
        if (fd.get() < 0) {
            const int code = errno;
            Fail(error, code);
            return code == ENOENT || code == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Failed;
        }
        bytes.clear();
        struct stat info {};
        try {
            // Read straight into room for the size the file has now; a file still growing
            // gets more room as it comes.
            if (fstat(fd.get(), &info) == 0) bytes.reserve(static_cast<size_t>(info.st_size) + 1);
            for (;;) {
                const size_t had = bytes.size();
                bytes.resize(had < bytes.capacity() ? bytes.capacity() : had + 65536);
                const ssize_t n = read(fd.get(), bytes.data() + had, bytes.size() - had);
                bytes.resize(had + static_cast<size_t>(std::max<ssize_t>(n, 0)));
                if (n < 0) return Failed(error, errno);
                if (n == 0) return ReadOutcome::Read;
            }
        } catch (const std::bad_alloc&) {
            bytes.clear();
            return Failed(error, ENOMEM);
        }
    }

    bool WriteNew(const FilePath& path, std::string_view bytes, FileError& error) override {
        // A name left at the path is unlinked, not opened: a planted link is never followed.
        const std::string name = Native(path);
        unlink(name.c_str());
        FileDescriptor fd(open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0644));
        if (fd.get() < 0) return Fail(error);
        if (!WriteAll(fd.get(), bytes, error)) return false;
        if (fsync(fd.get()) != 0 || !fd.CloseChecked()) return Fail(error);
        return true;
    }

    bool KeepCopy(const FilePath& file, const FilePath& copy, FileError& error) override {
        const std::string kept = Native(copy);
        if (link(Native(file).c_str(), kept.c_str()) != 0) return Fail(error);
        return SyncFolder(kept, error);
    }

    bool MoveOver(const FilePath& from, const FilePath& to, FileError& error) override {
        const std::string source = Native(from), target = Native(to);
        struct stat old {};
        if (stat(target.c_str(), &old) == 0) {
            // The new file takes the old one's permissions and, where allowed, its owner.
            if (chmod(source.c_str(), old.st_mode & 07777) != 0) return Fail(error);
            [[maybe_unused]] const int owned = chown(source.c_str(), old.st_uid, old.st_gid);
        }
        if (rename(source.c_str(), target.c_str()) != 0) return Fail(error);
        return SyncFolder(target, error);
    }

    bool Exists(const FilePath& path) override {
        struct stat info {};
        return stat(Native(path).c_str(), &info) == 0;
    }

    bool IsReadOnly(const FilePath& path) override {
        struct stat info {};
        return stat(Native(path).c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
    }

    void Remove(const FilePath& path) override { unlink(Native(path).c_str()); }

private:
    static ReadOutcome Failed(FileError& error, int code) {
        Fail(error, code);
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
