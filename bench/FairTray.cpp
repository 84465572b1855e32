// The least program that does Zelkor's resident job, the fair baseline of its footprint: a
// tray icon and one shown window holding a label, an edit box, a drop-down list and a check
// box in a Japanese font, with the common controls of the manifest that Zelkor has.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <initializer_list>

namespace {

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int y) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 8, y, 280, 20, parent,
                           nullptr, nullptr, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
    wc.lpszClassName = L"FairTray";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(L"FairTray", L"FairTray", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                0, 0, 320, 160, nullptr, nullptr, instance, nullptr);
    const HDC screen = GetDC(nullptr);
    const int height = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0,
                             0, 0, 0, L"ＭＳ Ｐ明朝");
    HWND combo = Child(window, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 80);
    for (HWND child :
         {Child(window, L"STATIC", L"現在のプロクシ", 0, 8),
          Child(window, L"EDIT", L"proxy.example.jp", WS_BORDER, 32),
          Child(window, L"BUTTON", L"プロクシサーバを使用する。", BS_AUTOCHECKBOX, 56), combo})
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"proxy.example.jp"));
    ShowWindow(window, SW_SHOW);

    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpyW(icon.szTip, L"FairTray");
    Shell_NotifyIconW(NIM_ADD, &icon);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
