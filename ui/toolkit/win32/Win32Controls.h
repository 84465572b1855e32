#pragma once
// The standard Win32 controls behind the toolkit's controls.

#include <windows.h>

#include "ui/toolkit/Control.h"
#include "ui/toolkit/win32/Handles.h"

namespace Win32 {

// Shapes are painted by the form and timers run by it: they have no window of their own.
bool HasWindow(const Control& control);

// Creates the child window of `control` on `parent` with its font and state, and hooks the
// key handling of text boxes and buttons. Null when the system could not create it.
HWND CreateChild(Control& control, HWND parent, int id);

// Under a contrast theme a control is drawn without its visual style, in the system's colours,
// which a style of its own (Wine's, for one) would not use; in any other theme it keeps it.
void FollowTheme(HWND child);

// The picture of a picture box, scaled to fill its window and put into it; the bitmap stays
// the caller's to free.
OwnedBitmap ShowPicture(const Control& control, HWND child);

// A copy of `bitmap` at width × height, each pixel blended from the four nearest (bilinear).
OwnedBitmap SmoothlyScaled(HBITMAP bitmap, int width, int height);

}  // namespace Win32
