#pragma once
// What the pieces of the Win32 backend share.

#include <windows.h>

namespace Win32 {

constexpr wchar_t kFormClass[] = L"ZelkorForm";

int Dpi();
int ToPixels(int twips);
int ToTwips(int pixels);
HINSTANCE Instance();
// A hidden window that owns the forms kept out of the taskbar.
HWND ParkingWindow();
bool IsForm(HWND hwnd);
// Hands a message to the dialog manager (Tab, arrow keys) or dispatches it.
void ProcessMessage(MSG& msg);
HCURSOR CurrentCursor();  // null: the default pointer
// Puts the icons of `hwnd` back after Explorer has restarted.
void RestoreTrayIcons(HWND hwnd);
void RegisterFormClass();

}  // namespace Win32
