#pragma once
// What the pieces of the Win32 backend share.

#include <windows.h>

#include <functional>

#include "ui/toolkit/DpiScale.h"
#include "ui/toolkit/win32/NativeIds.h"

namespace Win32 {

const DpiScale& Scale();
int Dpi();
int ToPixels(int twips);
int ToTwips(int pixels);
HINSTANCE Instance();
// A hidden window that owns the forms kept out of the taskbar.
HWND ParkingWindow();
bool IsForm(HWND hwnd);
void RegisterFormClass();
// Shift, Ctrl and Alt as the toolkit's shift argument: 1, 2 and 4 added.
int ShiftState();

// Hands a message to the dialog manager (Tab, arrow keys) or dispatches it.
void ProcessMessage(MSG& msg);
// Handles messages for as long as `stillUp` holds and the program has not ended.
void RunModalLoop(const std::function<bool()>& stillUp);
HCURSOR CurrentCursor();  // null: the default pointer

}  // namespace Win32
