#pragma once
// A fresh application over the headless toolkit for the window tests.

#include <gtest/gtest.h>

#include "tests/support/TestApp.h"
#include "ui/toolkit/Toolkit.h"
#include "ui/toolkit/headless/Headless.h"

// A second passes at every reading, so the splash's waits end at once.
class TickingClock final : public Clock {
public:
    std::wstring TimeOfDay() override { return std::to_wstring(++seconds_); }
    int MillisecondsToNextSecond() override { return 0; }
    void Sleep(int) override {}

private:
    int seconds_ = 0;
};

struct HeadlessApp {
    HeadlessApp() {
        Headless::Reset();
        t.memory.Put(kSettingsPath, "ProxyEnable", RegType::Binary, {1});
        t.memory.PutText(kSettingsPath, "ProxyServer", "HTTP=a.example:8080");
    }
    ~HeadlessApp() { Headless::Reset(); }

    TestApp t;
    TickingClock clock;
    ToolkitUi ui;
    App app{AppState{},
            ui,
            t.registry,
            SystemFileSystem(),
            clock,
            t.notifier,
            t.folder.path().wstring(),
            L"Zelkor"};
};
