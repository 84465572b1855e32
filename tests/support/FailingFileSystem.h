#pragma once
// A file system whose chosen step fails; everything else goes to the real one.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "core/FileSystem.h"
#include "tests/support/TestApp.h"

class FailingFileSystem final : public FileSystem {
public:
    // Write: the disk fills up halfway, leaving half a file behind. Read: the file is there
    // but another program holds it.
    enum class Step { None, Create, Write, Replace, Read };
    explicit FailingFileSystem(Step step) : step_(step) {}

    ReadOutcome ReadWhole(const FilePath& path, std::string& bytes, std::wstring& error) override {
        if (step_ == Step::Read && Exists(path)) {
            error = L"別のプロセスが使用中のため、プロセスはファイルにアクセスできません。";
            return ReadOutcome::Failed;
        }
        return SystemFileSystem().ReadWhole(path, bytes, error);
    }
    bool WriteNew(const FilePath& path, std::string_view bytes, std::wstring& error) override {
        if (step_ == Step::Create) return Fail(error);
        if (step_ == Step::Write) {
            WriteBytes(std::filesystem::path(path), std::string(bytes.substr(0, bytes.size() / 2)));
            return Fail(error);
        }
        return SystemFileSystem().WriteNew(path, bytes, error);
    }
    bool Replace(const FilePath& from, const FilePath& to, const FilePath& backup,
                 std::wstring& error) override {
        if (step_ == Step::Replace) return Fail(error);
        return SystemFileSystem().Replace(from, to, backup, error);
    }
    bool Exists(const FilePath& path) override { return SystemFileSystem().Exists(path); }
    void Remove(const FilePath& path) override { SystemFileSystem().Remove(path); }

private:
    static bool Fail(std::wstring& error) {
        error = L"ディスクがいっぱいです。";
        return false;
    }
    Step step_;
};

inline std::string StepName(const ::testing::TestParamInfo<FailingFileSystem::Step>& info) {
    static const char* names[] = {"None", "Create", "Write", "Replace", "Read"};
    return names[static_cast<int>(info.param)];
}
