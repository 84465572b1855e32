#pragma once
// What the core needs from the user interface, the clock and the programs that read the proxy
// settings; the toolkit implements the user interface.

#include <string>

namespace MsgStyle {
constexpr int OkOnly = 0;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int Question = 32;
constexpr int DefaultButton2 = 256;
}  // namespace MsgStyle

namespace MsgAnswer {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace MsgAnswer

namespace Pointer {
constexpr int Default = 0;
constexpr int Hourglass = 11;
constexpr int AppStarting = 13;
}  // namespace Pointer

// Shown when a message box names no title of its own.
inline const std::wstring kAppTitle = L"Zelkor盛り合わせ";

class UiServices {
public:
    virtual ~UiServices() = default;
    // An empty title stands for the application's title.
    virtual int MsgBox(const std::wstring& prompt, int style, const std::wstring& title) = 0;
    virtual void DoEvents() = 0;
    // Sleeps until a window event arrives or the time runs out, handling nothing.
    virtual void WaitForEvents(int milliseconds) = 0;
    virtual void SetPointer(int code) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The time of day as "hhnnss".
    virtual std::wstring TimeOfDay() = 0;
    // Milliseconds until the second changes.
    virtual int MillisecondsToNextSecond() = 0;
    // Waits without handling window events, for a short pause while a file is busy.
    virtual void Sleep(int milliseconds) = 0;
};

// Running programs keep the proxy settings they loaded until they are told that they changed.
class SettingsNotifier {
public:
    virtual ~SettingsNotifier() = default;
    // After a value has been written; a failure here changes nothing else.
    virtual void SettingsChanged() = 0;
};
