#pragma once
// A fresh application for each test: empty state, in-memory registry holding the Internet
// settings key, list file in a temporary folder of its own.

#include <string>

#include "core/MainBas.h"
#include "registry/MemoryRegistry.h"
#include "tests/support/Bytes.h"
#include "tests/support/RecordingUi.h"

inline const std::string kSettingsPath =
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\INTERNET SETTINGS";

struct TestApp {
    TestApp() { memory.CreateKey(kSettingsPath); }

    // An application over this registry and folder with the given user interface and clock,
    // and the real file system or one whose steps fail.
    App With(UiServices& on, Clock& time, FileSystem& files = SystemFileSystem()) {
        return App{AppState{}, on, registry, files, time, notifier, folder.path().wstring(),
                   L"Zelkor"};
    }
    App Over(FileSystem& files) { return With(ui, clock, files); }
    std::filesystem::path ListPath() const { return folder.path() / "PROXYLIST.DAT"; }
    std::filesystem::path Beside(const std::string& name) const { return folder.path() / name; }
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
    REGEDIT::Registry registry{memory};
    RecordingUi ui;
    ScriptedClock clock;
    RecordingNotifier notifier;
    App app = With(ui, clock);
};
