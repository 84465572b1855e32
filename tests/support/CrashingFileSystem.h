#pragma once
// The list's folder in memory, with the program cut short after a chosen number of calls, as
// a crash or a power cut would cut it: no call after that and no cleanup. A crash leaves all
// that was written; a power cut only what the calls had put on the disk for good.

#include <map>
#include <string>

#include "core/FileSystem.h"

class CrashingFileSystem final : public FileSystem {
public:
    using Folder = std::map<FilePath, std::string>;
    struct Cut {};  // not an error the program could handle: it stops everything

    explicit CrashingFileSystem(Folder files) : now_(files), onDisk_(std::move(files)) {}
    void CutAfter(int calls, bool powerCut) {
        callsLeft_ = calls;
        powerCut_ = powerCut;
    }
    // The folder as the program finds it when it starts again.
    Folder AfterCut() const { return powerCut_ ? onDisk_ : now_; }
    Folder& Files() { return now_; }
    // Another program writes a file, through to the disk.
    void Put(const FilePath& path, const std::string& bytes) { now_[path] = onDisk_[path] = bytes; }

    ReadOutcome ReadWhole(const FilePath& path, std::string& bytes, FileError&) override {
        Call();
        if (!now_.contains(path)) return ReadOutcome::Missing;
        bytes = now_[path];
        return ReadOutcome::Read;
    }
    // Written through, but the new name lasts only once the folder is on the disk too.
    bool WriteNew(const FilePath& path, std::string_view bytes, FileError&) override {
        Call();
        now_[path] = std::string(bytes);
        return true;
    }
    bool KeepCopy(const FilePath& file, const FilePath& copy, FileError&) override {
        Call();
        now_[copy] = now_.at(file);
        onDisk_ = now_;
        return true;
    }
    bool MoveOver(const FilePath& from, const FilePath& to, FileError&) override {
        Call();
        now_[to] = now_.at(from);
        now_.erase(from);
        onDisk_ = now_;
        return true;
    }
    bool Exists(const FilePath& path) override {
        Call();
        return now_.contains(path);
    }
    bool IsReadOnly(const FilePath&) override {
        Call();
        return false;
    }
    void Remove(const FilePath& path) override {
        Call();
        now_.erase(path);
    }

private:
    void Call() {
        if (callsLeft_-- == 0) throw Cut{};
    }
    Folder now_;
    Folder onDisk_;
    int callsLeft_ = -1;
    bool powerCut_ = false;
};
