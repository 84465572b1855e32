#pragma once
// The program's icon in the notification area. Its mouse messages reach the form as mouse
// moves whose horizontal position, in pixels, is the message's number. The icon speaks the
// shell's current version of those messages, in which selecting it with the keyboard (Win+B,
// then Enter or Space) is a message of its own, and a click ends with one more (NIN_SELECT).

#include <cstdint>
#include <string>

class Form;

namespace TaskIcon {

constexpr int16_t kAdded = 0;
constexpr int16_t kNoIcon = 1;
constexpr int16_t kRefused = 2;

constexpr int kLeftButtonDown = 0x201;  // WM_LBUTTONDOWN
constexpr int kKeySelect = 0x401;       // NIN_KEYSELECT

// The number the form is given for a message of the icon: the keyboard's selection acts as
// the left press, every other message is passed on as it is.
constexpr int AsMouseMessage(int message) {
    return message == kKeySelect ? kLeftButtonDown : message;
}

int16_t Icon_Add(Form& form, int32_t id, const std::wstring& iconFile, int16_t iconIndex,
                 const std::wstring& tip);
int32_t Icon_Delete(Form& form, int32_t id);

}  // namespace TaskIcon
