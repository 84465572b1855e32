#pragma once
// A file system whose chosen step fails, or leaves behind what a failing system call can;
// everything else goes to the real one.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "core/FileSystem.h"
#include "tests/support/TestApp.h"

class FailingFileSystem final : public FileSystem {
public:
    // Write: the disk fills up halfway, leaving half a file behind. Read: the file is there
    // but another program holds it, until a new file takes its name. MoveOver: nothing moves.
    // MovedThenFailed: the rename is done, the call still fails (its last step, writing through,
    // did); MovedThenHeld: the same, and another program then holds the list for a moment.
    // ListLost: the old list is gone, the new one not in its place.
    enum class Step {
        None,
        Create,
        Write,
        MoveOver,
        Read,
        KeepCopy,
        MovedThenFailed,
        ListLost,
        MovedThenHeld
    };
    // With `busyTimes`, the step fails only that many times, as while a virus scanner holds
    // the file, and then works.
    explicit FailingFileSystem(Step step, int busyTimes = 0) : step_(step), busy_(busyTimes) {}

    ReadOutcome ReadWhole(const FilePath& path, std::string& bytes, FileError& error) override {
        if (step_ == Step::Read && !replaced_ && Exists(path) && Fails(error))
            return ReadOutcome::Failed;
        if (heldReads_ > 0) {
            --heldReads_;
            error = {kHeld, true};
            return ReadOutcome::Failed;
        }
        return SystemFileSystem().ReadWhole(path, bytes, error);
    }
    bool WriteNew(const FilePath& path, std::string_view bytes, FileError& error) override {
        if (step_ == Step::Write && Fails(error)) {
            WriteBytes(std::filesystem::path(path), std::string(bytes.substr(0, bytes.size() / 2)));
            return false;
        }
        if (step_ == Step::Create && Fails(error)) return false;
        return SystemFileSystem().WriteNew(path, bytes, error);
    }
    bool KeepCopy(const FilePath& file, const FilePath& copy, FileError& error) override {
        if (step_ == Step::KeepCopy && Fails(error)) return false;
        return SystemFileSystem().KeepCopy(file, copy, error);
    }
    bool MoveOver(const FilePath& from, const FilePath& to, FileError& error) override {
        if (step_ == Step::MovedThenFailed || step_ == Step::MovedThenHeld) {
            SystemFileSystem().MoveOver(from, to, error);
            if (step_ == Step::MovedThenHeld) heldReads_ = 2;
            return !Fails(error);
        }
        if (step_ == Step::ListLost) {
            Remove(to);
            return !Fails(error);
        }
        if (step_ == Step::MoveOver && Fails(error)) return false;
        replaced_ = SystemFileSystem().MoveOver(from, to, error);
        return replaced_;
    }
    bool Exists(const FilePath& path) override { return SystemFileSystem().Exists(path); }
    bool IsReadOnly(const FilePath& path) override { return SystemFileSystem().IsReadOnly(path); }
    void Remove(const FilePath& path) override { SystemFileSystem().Remove(path); }

    int calls = 0;  // how often the failing step was tried

private:
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
};

inline std::string StepName(const ::testing::TestParamInfo<FailingFileSystem::Step>& info) {
    static const char* names[] = {"None",     "Create",          "Write",    "MoveOver",     "Read",
                                  "KeepCopy", "MovedThenFailed", "ListLost", "MovedThenHeld"};
    return names[static_cast<int>(info.param)];
}
