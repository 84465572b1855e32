// Program-wide services of the Win32 backend: screen, system colours, message boxes and the
// screen-wide pointer.

#include <windows.h>

#include "ui/toolkit/Colors.h"
#include "ui/toolkit/Peer.h"
#include "ui/toolkit/Toolkit.h"
#include "ui/toolkit/win32/Handles.h"
#include "ui/toolkit/win32/Win32Internal.h"

namespace {

int g_pointer = 0;

HCURSOR CursorFor(int code) {
    switch (code) {
        case Pointer::Hourglass:
            return LoadCursorW(nullptr, IDC_WAIT);
        case Pointer::AppStarting:
            return LoadCursorW(nullptr, IDC_APPSTARTING);
        default:
            return nullptr;
    }
}

// Asks the window under the pointer for its own pointer again, as a move of the pointer would,
// without moving it: a move would reach whatever window is under it.
void ShowPointerOfWindowUnderIt() {
    POINT at;
    if (!GetCursorPos(&at)) return;
    HWND under = WindowFromPoint(at);
    if (!under || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId()) return;
    const LPARAM where = MAKELPARAM(at.x, at.y);
    const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, where);
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                 MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

// The program's message boxes are the only dialog windows of its thread; a box above another
// disables it, so the one still enabled is waiting for the answer.
BOOL CALLBACK FindBoxToAnswer(HWND hwnd, LPARAM found) {
    wchar_t name[8];
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) || !GetClassNameW(hwnd, name, 8) ||
        lstrcmpW(name, L"#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

// Windows' page lists each window of a program that holds up the end of the session, with
// that window's own reason.
BOOL CALLBACK GiveEndSessionReason(HWND hwnd, LPARAM reason) {
    const auto& text = *reinterpret_cast<const std::wstring*>(reason);
    if (!Win32::IsForm(hwnd)) return TRUE;
    if (text.empty())
        ShutdownBlockReasonDestroy(hwnd);
    else
        ShutdownBlockReasonCreate(hwnd, text.c_str());
    return TRUE;
}

}  // namespace

namespace Win32 {

// The system's DPI, read once: the program declares itself aware of the system DPI, which
// stays as it was at start for the whole run.
const DpiScale& Scale() {
    static const DpiScale scale = [] {
        WindowDc screen;
        return DpiScale(GetDeviceCaps(screen.get(), LOGPIXELSY));
    }();
    return scale;
}

int Dpi() { return Scale().dpi(); }
int ToPixels(int twips) { return Scale().ToPixels(twips); }
int ToTwips(int pixels) { return Scale().ToTwips(pixels); }

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

HWND ParkingWindow() {
    static HWND parking = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                          Instance(), nullptr);
    return parking;
}

int ShiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

HCURSOR CurrentCursor() { return CursorFor(g_pointer); }

}  // namespace Win32

namespace Toolkit {

int TwipsPerPixelX() { return Win32::Scale().TwipsPerPixel(); }
int TwipsPerPixelY() { return Win32::Scale().TwipsPerPixel(); }
int ScreenWidth() { return Win32::ToTwips(GetSystemMetrics(SM_CXSCREEN)); }
int ScreenHeight() { return Win32::ToTwips(GetSystemMetrics(SM_CYSCREEN)); }

ScreenArea WorkArea() {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {Win32::ToTwips(work.left), Win32::ToTwips(work.top), Win32::ToTwips(work.right),
            Win32::ToTwips(work.bottom)};
}

void SetMousePointer(int code) {
    g_pointer = code;
    if (HCURSOR cursor = Win32::CurrentCursor())
        SetCursor(cursor);
    else
        ShowPointerOfWindowUnderIt();
}

int MousePointer() { return g_pointer; }
uint32_t TickCount() { return GetTickCount(); }
uint32_t DoubleClickTime() { return GetDoubleClickTime(); }

uint32_t SystemColorOf(int number) { return GetSysColor(number); }

bool ContrastThemeReported() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace Toolkit

int ShowMessageBox(const std::wstring& prompt, int style, const std::wstring& title) {
    HWND owner = GetActiveWindow();
    if (owner && !Win32::IsForm(owner)) owner = nullptr;
    // Without an owner the box still holds every window of the program until it is answered.
    const UINT flags = static_cast<UINT>(style) | MB_SETFOREGROUND | (owner ? 0 : MB_TASKMODAL);
    return MessageBoxW(owner, prompt.c_str(), title.c_str(), flags);
}

void BringUpMessageBox() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBoxToAnswer, reinterpret_cast<LPARAM>(&box));
    if (box) SetForegroundWindow(box);
}

void SetEndSessionReason(const std::wstring& reason) {
    EnumThreadWindows(GetCurrentThreadId(), GiveEndSessionReason,
                      reinterpret_cast<LPARAM>(&reason));
}
