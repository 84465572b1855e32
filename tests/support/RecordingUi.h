#pragma once
// Stand-ins for the user interface, the clock and the settings notice: message boxes are
// recorded and answered from a script, the clock moves only when the code waits, and each
// notice is counted, with what the test wants to see at that moment.

#include <deque>
#include <functional>
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
        if (answers.empty()) return MsgAnswer::Ok;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void DoEvents() override { ++eventPasses; }
    void WaitForEvents(int milliseconds) override { waits.push_back(milliseconds); }
    void SetPointer(int code) override { pointers.push_back(code); }

    std::vector<std::wstring> Prompts() const {
        std::vector<std::wstring> prompts;
        for (const ShownBox& box : boxes) prompts.push_back(box.prompt);
        return prompts;
    }

    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    int eventPasses = 0;
    std::vector<int> waits;
    std::vector<int> pointers;
};

// Each reading of the time returns the next text of `readings`, and the last one for ever.
class ScriptedClock final : public Clock {
public:
    std::wstring TimeOfDay() override {
        ++reads;
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
