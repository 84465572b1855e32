#pragma once
// A file system whose chosen step fails, or leaves behind what a failing system call can, or
// that is cut short; everything else goes to the real one.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "core/FileSystem.h"
#include "tests/support/TestApp.h"

class FailingFileSystem final : public FileSystem {
public:
    // Write: the disk fills up halfway, leaving half a file behind. Read: the file is there
    // but another program holds it, until a new file takes its name. MoveOver: nothing moves.
    // MovedThenFailed: the rename is done, the call still fails (its last step, writing through,
    // did), and another program then holds the list for a moment. ListLost: the old list is
    // gone, the new one not in its place. TemporaryLost: the new one is gone, the old one stays.
    // CopyHeld: nothing moves, and another program holds the copy kept of the old list.
    enum class Step {
        None,
        Create,
        Write,
        MoveOver,
        Read,
        KeepCopy,
        MovedThenFailed,
        ListLost,
        TemporaryLost,
        CopyHeld
    };
    // With `busyTimes`, the step fails only that many times, as while a virus scanner holds
    // the file, and then works.
    explicit FailingFileSystem(Step step, int busyTimes = 0) : step_(step), busy_(busyTimes) {}

    // Cuts the program short after `count` more calls, as a crash does: no call after that, no
    // cleanup. A power cut also loses what was not yet on the disk for good: the names made or
    // removed in `folder` since a call last wrote the folder through (a new file's bytes are
    // written through, its name is not).
    struct Cut {};
    void CutAfter(int count, bool powerCut, const std::filesystem::path& folder) {
        callsLeft_ = count;
        powerCut_ = powerCut;
        folder_ = folder;
        WrittenThrough();
    }

    ReadOutcome ReadWhole(const FilePath& path, std::string& bytes, FileError& error) override {
        if (step_ == Step::Read && !replaced_ && Exists(path) && Fails(error))
            return ReadOutcome::Failed;
        if (heldReads_ > 0) {
            --heldReads_;
            error = {kHeld, true};
            return ReadOutcome::Failed;
        }
        return Real().ReadWhole(path, bytes, error);
    }
    bool WriteNew(const FilePath& path, std::string_view bytes, FileError& error) override {
        if (step_ == Step::Write && Fails(error)) {
            WriteBytes(std::filesystem::path(path), std::string(bytes.substr(0, bytes.size() / 2)));
            return false;
        }
        if (step_ == Step::Create && Fails(error)) return false;
        Real().Remove(path);  // as the real call does first: a cut may fall between
        return Real().WriteNew(path, bytes, error);
    }
    bool KeepCopy(const FilePath& file, const FilePath& copy, FileError& error) override {
        if (step_ == Step::KeepCopy && Fails(error)) return false;
        const bool kept = Real().KeepCopy(file, copy, error);
        WrittenThrough();
        return kept;
    }
    bool MoveOver(const FilePath& from, const FilePath& to, FileError& error) override {
        if (step_ == Step::MovedThenFailed) {
            SystemFileSystem().MoveOver(from, to, error);
            heldReads_ = 2;
            return !Fails(error);
        }
        if (step_ == Step::ListLost || step_ == Step::TemporaryLost) {
            Remove(step_ == Step::ListLost ? to : from);
            return !Fails(error);
        }
        if ((step_ == Step::MoveOver || step_ == Step::CopyHeld) && Fails(error)) return false;
        replaced_ = Real().MoveOver(from, to, error);
        WrittenThrough();
        return replaced_;
    }
    bool Exists(const FilePath& path) override { return Real().Exists(path); }
    bool IsReadOnly(const FilePath& path) override { return Real().IsReadOnly(path); }
    void Remove(const FilePath& path) override {
        if (step_ != Step::CopyHeld || !path.ends_with(L".bak")) Real().Remove(path);
    }

    int calls = 0;  // how often the failing step was tried

private:
    using Folder = std::map<std::filesystem::path, std::string>;
    FileSystem& Real() {
        if (callsLeft_-- == 0) {
            if (powerCut_) {
                for (const auto& [path, bytes] : FolderNow()) std::filesystem::remove(path);
                for (const auto& [path, bytes] : onDisk_) WriteBytes(path, bytes);
            }
            throw Cut{};
        }
        return SystemFileSystem();
    }
    Folder FolderNow() const {
        Folder files;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            files[entry.path()] = ReadBytes(entry.path());
        return files;
    }
    void WrittenThrough() {
        if (!folder_.empty()) onDisk_ = FolderNow();
    }

    bool Fails(FileError& error) {
        ++calls;
        if (busy_ > 0) {
            if (calls > busy_) return false;
            error = {kHeld, true};
            return true;
        }
        error = {step_ == Step::Read ? kHeld : L"ディスクがいっぱいです。", false};
        return true;
    }
    static constexpr const wchar_t* kHeld =
        L"別のプロセスが使用中のため、プロセスはファイルにアクセスできません。";
    Step step_;
    int busy_;
    bool replaced_ = false;
    int heldReads_ = 0;
    int callsLeft_ = -1;
    bool powerCut_ = false;
    std::filesystem::path folder_;
    Folder onDisk_;
};

inline std::string StepName(const ::testing::TestParamInfo<FailingFileSystem::Step>& info) {
    static const char* names[] = {"None",          "Create",   "Write",           "MoveOver",
                                  "Read",          "KeepCopy", "MovedThenFailed", "ListLost",
                                  "TemporaryLost", "CopyHeld"};
    return names[static_cast<int>(info.param)];
}
