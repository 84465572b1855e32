#pragma once
// What the editing windows share: the status messages, the key filter of their masked text
// boxes, and the masks themselves.

#include <string>

#include "ui/toolkit/Control.h"

namespace A_MSG {

inline const std::wstring kAddressMask = std::wstring(25, L'X');
inline const std::wstring kPortMask = L"9999";
inline const std::wstring kCommentMask = std::wstring(20, L'Ｎ');

std::wstring Get_MsgText(const std::wstring& code);
// Shows the text of `code` in the status line at once.
void Show_Msg(const std::wstring& code, Control& statusLine);
// Drops what the mask does not allow and types single-byte characters over the next one.
void Mask_KeyPress(Control& box, const std::wstring& mask, int& keyAscii);

// False, after saying so and putting the focus back in the box, when the box's text has a
// character that the list file and the registry cannot hold (none outside the code page).
bool CheckFits(Control& box, const std::wstring& boxName);

// The look of a window's status line Lbl_SysMsg.
void StyleStatusLine(Control& statusLine);

}  // namespace A_MSG
