#pragma once
// Status messages of the editing windows and the key filter of their masked text boxes.

#include <string>

#include "ui/toolkit/Control.h"

namespace A_MSG {

std::wstring Get_MsgText(const std::wstring& code);
// Shows the text of `code` in the status line at once.
void Show_Msg(const std::wstring& code, Control& statusLine);
// Drops what the mask does not allow and types single-byte characters over the next one.
void Mask_KeyPress(Control& box, const std::wstring& mask, int& keyAscii);

// The look of a window's status line Lbl_SysMsg.
void StyleStatusLine(Control& statusLine);

}  // namespace A_MSG
