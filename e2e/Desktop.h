#pragma once
// What the end-to-end tests do on the desktop, as a person would: find windows, read their
// controls, click, type, answer message boxes, click the tray icon and take screenshots.

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A path from the environment; a Linux path given by the test runner becomes Wine's Z: path.
std::wstring PathFromEnvironment(const wchar_t* name);

// Polls until `done` holds, handling the driver's own window messages meanwhile; false when
// the timeout passes first.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000, int pollMs = 20);

std::wstring TextOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);

// Top-level windows of one process; `caption` and `cls` narrow the search when not empty.
std::vector<HWND> WindowsOf(DWORD pid, const std::wstring& caption = L"",
                            const std::wstring& cls = L"");
HWND WindowOf(DWORD pid, const std::wstring& caption, const std::wstring& cls = L"");
std::vector<HWND> VisibleWindowsOf(DWORD pid);

// Child controls of one window class in the order the form created them.
std::vector<HWND> ChildrenOf(HWND parent, const std::wstring& cls);
HWND ChildWithText(HWND parent, const std::wstring& cls, const std::wstring& text);

// Clicks a button the way its own window handles a click, without waiting for the result.
void Press(HWND button);
// Picks an item of a list box or drop-down list and tells the form, as a user's pick does.
void Pick(HWND list, int index);
// The same, returning only when the form has handled the pick.
void PickNow(HWND list, int index);
void DoubleClickItem(HWND listBox, int index);
int ItemCount(HWND list);
std::wstring ItemText(HWND list, int index);
int SelectedItem(HWND list);
// Types text into an edit control, character by character, through its key handling.
void Type(HWND edit, const std::wstring& text);
void PressKey(HWND target, WORD virtualKey);
void SetCaret(HWND edit, int start, int length = 0);
// Chooses a menu item by the command number the window's menu bar gives it.
void ChooseMenu(HWND window, UINT commandId);
void Close(HWND window);
// Waits until the window has been destroyed.
bool Gone(HWND window, int timeoutMs = 10000);
// The control that has the keyboard focus in the thread of `window`.
HWND FocusIn(HWND window);

struct MessageBoxSeen {
    HWND hwnd = nullptr;
    std::wstring title;
    std::wstring prompt;
    bool icon = false;
    int defaultButton = 0;
    std::vector<int> buttons;  // IDOK, IDYES, ...
};
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD pid, int timeoutMs = 10000);
// Presses one of the box's buttons and returns when the box has gone.
void Answer(const MessageBoxSeen& box, int buttonId);

// Whether the driver runs under Wine, on the virtual desktop made for these tests, where the
// program's icon is the only one in the tray.
bool UnderWine();

// The middle of the tray icon of `owner`'s window: where the shell says it is on Windows; on
// Wine's desktop, whose shell does not say, at the right end of the taskbar, where the
// program's icon is the only one (also the place for a null owner).
POINT TrayIconPoint(HWND owner = nullptr);
// Whether `owner`'s tray icon is shown: on Windows the shell knows its place; on Wine's
// desktop its slot is drawn.
bool IconShown(HWND owner);
// No second icon of the program stands beside the first: on Wine's desktop, where that slot
// would show it. Elsewhere the shell's other icons stand there; it says so and holds.
bool NoSecondIcon();

// A taskbar that is not ready yet, as at sign-in: a window of the taskbar's class, found
// before the real one, that refuses every icon. The real taskbar serves again once it goes.
// `tookItLate`: a busy one instead, that carried out an add it reported failed, and from then
// on refuses every add of the icon it has and takes the other calls.
class RefusingTaskbar {
public:
    explicit RefusingTaskbar(bool tookItLate = false);
    ~RefusingTaskbar();
    RefusingTaskbar(const RefusingTaskbar&) = delete;
    RefusingTaskbar& operator=(const RefusingTaskbar&) = delete;
    // How many times it was asked this: by Wine's shell32, whose calls carry the NIM_ number.
    int Offers(UINT call = NIM_ADD) const;

private:
    HWND hwnd_ = nullptr;
};
// What the shell sends the icon's window for a message of the icon, posted: a mouse message
// over it, or NIN_SELECT, NIN_KEYSELECT and WM_CONTEXTMENU in the current version.
void PostTrayMessage(HWND window, UINT mouseMessage);
// A real left click, as the mouse makes it.
void ClickAt(POINT at);
// Moves the pointer; false when it did not get there.
bool MoveTo(POINT at);

// Another program's window in front, as when the user switches away, for as long as it lives.
class OtherProgram {
public:
    OtherProgram();
    ~OtherProgram();
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;
    HWND Window() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

// The name a screen reader gives the control, through oleacc as it asks; empty without one.
std::wstring AccessibleNameOf(HWND control);

RECT RectOf(HWND hwnd);
RECT ScreenRect();
RECT WorkArea();  // the screen less the taskbar
int ScreenDpi();
// A length designed in twips, in pixels on this screen.
int Pixels(int twips);
// How many pixels of the screen area of `hwnd` are of exactly this colour.
int PixelsOfColor(HWND hwnd, COLORREF color);
// Writes the screen area of `hwnd` (the whole screen when null) as a BMP into the shots folder;
// above 96 dpi the name ends in the DPI, so both passes keep their pictures side by side.
void Screenshot(const std::wstring& name, HWND hwnd = nullptr);

}  // namespace e2e
