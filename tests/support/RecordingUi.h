#pragma once
// Stand-ins for the user interface, the clock and the settings notice: message boxes are
// recorded and answered OK, the clock moves only when the code waits, and each notice is
// counted, with what the test wants to see at that moment.

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Services.h"

struct ShownBox {
    std::wstring prompt;
    int style;
    std::wstring title;
};

class RecordingUi final : public UiServices {
public:
    int MsgBox(const std::wstring& prompt, int style, const std::wstring& title) override {
        boxes.push_back({prompt, style, title.empty() ? kAppTitle : title});
        return MsgAnswer::Ok;
    }
    void DoEvents() override { ++eventPasses; }
    void WaitForEvents(int milliseconds) override { waits.push_back(milliseconds); }
    void SetPointer(int) override {}

    std::vector<std::wstring> Prompts() const {
        std::vector<std::wstring> prompts;
        for (const ShownBox& box : boxes) prompts.push_back(box.prompt);
        return prompts;
    }

    std::vector<ShownBox> boxes;
    int eventPasses = 0;
    std::vector<int> waits;
};

// Each reading of the time returns the next text of `readings`, then the last one, but not for
// ever: a wait that never ends fails its test instead of hanging it.
class ScriptedClock final : public Clock {
public:
    std::wstring TimeOfDay() override {
        if (++reads > 1000) throw std::runtime_error("the clock was read on and on");
        if (next + 1 < readings.size()) return readings[next++];
        return readings.empty() ? L"000000" : readings.back();
    }
    int MillisecondsToNextSecond() override { return 250; }
    void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }

    std::vector<std::wstring> readings;
    std::vector<int> sleeps;
    size_t next = 0;
    int reads = 0;
};

class RecordingNotifier final : public SettingsNotifier {
public:
    void SettingsChanged() override {
        ++notices;
        if (onNotice) onNotice();
    }

    int notices = 0;
    std::function<void()> onNotice;
};
