// Program-wide services of the Win32 backend: screen, message boxes and the screen-wide
// pointer.

#include <windows.h>

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

}  // namespace

namespace Win32 {

int Dpi() {
    static const int dpi = [] {
        WindowDc screen;
        const int value = GetDeviceCaps(screen.get(), LOGPIXELSY);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int ToPixels(int twips) { return MulDiv(twips, Dpi(), 1440); }
int ToTwips(int pixels) { return MulDiv(pixels, 1440, Dpi()); }

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

HWND ParkingWindow() {
    static HWND parking = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                          nullptr, Instance(), nullptr);
    return parking;
}

int ShiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

HCURSOR CurrentCursor() { return CursorFor(g_pointer); }

}  // namespace Win32

namespace Toolkit {

int TwipsPerPixelX() { return 1440 / Win32::Dpi(); }
int TwipsPerPixelY() { return 1440 / Win32::Dpi(); }
int ScreenWidth() { return Win32::ToTwips(GetSystemMetrics(SM_CXSCREEN)); }
int ScreenHeight() { return Win32::ToTwips(GetSystemMetrics(SM_CYSCREEN)); }

int MsgBox(const std::wstring& prompt, int style, const std::wstring& title) {
    HWND owner = GetActiveWindow();
    if (owner && !Win32::IsForm(owner)) owner = nullptr;
    // Without an owner the box still holds every window of the program until it is answered.
    const UINT flags = static_cast<UINT>(style) | MB_SETFOREGROUND | (owner ? 0 : MB_TASKMODAL);
    return MessageBoxW(owner, prompt.c_str(), (title.empty() ? kAppTitle : title).c_str(), flags);
}

void SetMousePointer(int code) {
    g_pointer = code;
    POINT at;
    GetCursorPos(&at);
    if (HCURSOR cursor = Win32::CurrentCursor())
        SetCursor(cursor);
    else
        SetCursorPos(at.x, at.y);  // makes the window under the mouse set its own pointer again
}

int MousePointer() { return g_pointer; }

}  // namespace Toolkit
