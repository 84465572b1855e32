#pragma once
// A fresh application over the headless toolkit for the window tests.

#include <gtest/gtest.h>

#include "tests/support/TestApp.h"
#include "ui/main/Frm_Main.h"
#include "ui/start/Startup.h"
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
        t.PutEnableByte(1);
        t.PutServer("HTTP=a.example:8080");
    }
    // A test whose answers or window scripts were never used did not see what it checks.
    ~HeadlessApp() {
        for (const std::wstring& what : Headless::Unused()) ADD_FAILURE() << "unused: " << what;
        Headless::Reset();
    }
    App Over(FileSystem& files) { return t.With(ui, clock, files); }

    TestApp t;
    TickingClock clock;
    ToolkitUi ui;
    App app = t.With(ui, clock);
};

// The program started with a list file, its main window in the tray.
struct HeadlessMain : HeadlessApp {
    void Start(const std::string& list = "a.example,8080,\r\n") {
        t.WriteList(list);
        MainBas::Main(app, window);
    }
    // Started, and shown by a left press on the icon.
    void StartShown(const std::string& list = "a.example,8080,\r\n") {
        Start(list);
        Headless::TrayMessage(window.form(), 0x201);
    }
    Control& Ctl(const wchar_t* name) { return window.form().Ctl(name); }

    Frm_Main window{app};
};
