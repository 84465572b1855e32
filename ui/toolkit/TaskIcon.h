#pragma once
// The program's icon in the notification area. Its mouse messages reach the form as mouse
// moves whose horizontal position, in pixels, is the message's number.

#include <cstdint>
#include <string>

class Form;

namespace TaskIcon {

constexpr int16_t kAdded = 0;
constexpr int16_t kNoIcon = 1;
constexpr int16_t kRefused = 2;

int16_t Icon_Add(Form& form, int32_t id, const std::wstring& iconFile, int16_t iconIndex,
                 const std::wstring& tip);
int32_t Icon_Delete(Form& form, int32_t id);

}  // namespace TaskIcon
