#pragma once
// The in-memory backend of the toolkit, for the native tests: windows that hold their state
// only, message boxes answered from a script, and calls that act as a user would.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/toolkit/Form.h"

namespace Headless {

struct Box {
    std::wstring prompt;
    int style;
    std::wstring title;
    std::wstring endSessionReason;  // the one given while the box was up
};

struct TrayIcon {
    Form* form;
    int32_t id;
    std::wstring file;
    std::wstring tip;
};

// The screen in pixels, and the bars docked at its edges (the taskbar), whose thickness the
// work area leaves out.
struct Screen {
    int width = 1024, height = 768;
    int taskbarLeft = 0, taskbarTop = 0, taskbarRight = 0, taskbarBottom = 0;
};

void Reset();  // 96 dpi, a 1024 × 768 screen with no taskbar
void SetDpi(int dpi);
void SetScreen(const Screen& screen);
// Lists refuse to take an item from this position on, as a window out of memory does.
void RefuseListItemsFrom(int position);
// The next window of the named form cannot be created, as when the desktop heap is exhausted.
void FailWindowOf(const std::wstring& formName);
// The system's colours by number (SystemColor), those not given as Windows has them by default;
// and whether the system says that a contrast theme is on.
void SetSystemColors(const std::map<int, uint32_t>& colors, bool contrastReported);

std::vector<Box>& Boxes();
std::vector<std::wstring> Prompts();
void Answer(int answer);  // the next message box gets this answer; unscripted ones take the default
// Runs once while the next message box is up, before its answer: what comes meanwhile.
void WhileNextBoxUp(std::function<void()> script);
// The reason the program now gives for holding up the end of the session; empty: none.
const std::wstring& EndSessionReason();
// A message box is the active window, taking the keyboard.
bool BoxInFront();
// Runs each time the named form is shown modally; the form is closed afterwards if the script
// left it open.
void OnModal(const std::wstring& formName, std::function<void(Form&)> script);
int ModalCount(const std::wstring& formName);
// What a test scripted and nothing used: answers no box took, scripts whose window never came,
// so that checks inside them cannot pass unseen.
std::vector<std::wstring> Unused();

// A menu item of a form, to look at its state.
const MenuItem& Menu(Form& form, const std::wstring& name, int index);

std::vector<TrayIcon>& Icons();
void FailIconAdd(int16_t result, int times = 1);  // the next Icon_Adds get this result
int IconAddCalls();
int EventPasses();
std::vector<int>& Pointers();
Control* Focused();

// What a user does.
void Type(Control& box, const std::wstring& text);
void PressKey(Control& control, int keyCode, int shift = 0);
void Pick(Control& list, int index);
void DoubleClick(Control& list, int index);
void Check(Control& box, int value);
void Click(Control& button);
void ClickMenu(Form& form, const std::wstring& name, int index);
void CloseBox(Form& form);
// Another program takes the foreground: none of ours has the focus until one is activated.
void SwitchAway();
// Time passes on the toolkit's clock.
void Wait(int milliseconds);
void Minimize(Form& form);
// The shell's callback for a message of the icon, with the position converted as the toolkit
// does.
void TrayMessage(Form& form, int message);
// A timer's interval has passed.
void Elapse(Control& timer);

}  // namespace Headless
