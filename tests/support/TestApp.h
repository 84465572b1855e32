#pragma once
// A fresh application for each test: empty state, in-memory registry holding the Internet
// settings key, list file in a temporary folder of its own.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/MainBas.h"
#include "registry/MemoryRegistry.h"
#include "tests/support/RecordingUi.h"

inline const std::string kSettingsPath =
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\INTERNET SETTINGS";

class TempFolder {
public:
    // Tests run in parallel processes whose heaps may look alike, so the name is random and
    // a folder that already exists is never reused.
    TempFolder() {
        std::random_device random;
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("zelkor-test-" + std::to_string(random()) + "-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct TestApp {
    TestApp()
        : registry(memory), app{AppState{},
                                ui,
                                registry,
                                SystemFileSystem(),
                                clock,
                                notifier,
                                folder.path().wstring(),
                                L"Zelkor"} {
        memory.CreateKey(kSettingsPath);
    }

    // The same application over another file system, to make its steps fail.
    App Over(FileSystem& files) {
        return App{AppState{}, ui, registry, files, clock, notifier, folder.path().wstring(),
                   L"Zelkor"};
    }
    std::filesystem::path ListPath() const { return folder.path() / "PROXYLIST.DAT"; }
    void WriteList(const std::string& bytes) const { WriteBytes(ListPath(), bytes); }
    std::string ListBytes() const { return ReadBytes(ListPath()); }

    void PutServer(const std::string& text) { memory.PutText(kSettingsPath, "ProxyServer", text); }
    void PutEnableByte(uint8_t byte) {
        memory.Put(kSettingsPath, "ProxyEnable", RegType::Binary, {byte});
    }
    std::optional<MemoryRegistry::StoredValue> Stored(const std::string& name) const {
        return memory.Get(kSettingsPath, name);
    }

    TempFolder folder;
    MemoryRegistry memory;
    REGEDIT::Registry registry;
    RecordingUi ui;
    ScriptedClock clock;
    RecordingNotifier notifier;
    App app;
};
