#pragma once
// The colours a form paints itself and its controls in: a control's own where the design gives
// them, the system's elsewhere. Under a contrast theme the system's everywhere, so that every
// text reads on its ground whatever the theme.

#include <cstdint>

class Control;
class Form;

namespace SystemColor {  // the system's colour numbers
constexpr int ApplicationWorkspace = 12;
constexpr int ButtonFace = 15;
constexpr int ButtonText = 18;
}  // namespace SystemColor

struct TextColors {
    uint32_t text = 0;
    uint32_t back = 0;
    bool operator==(const TextColors&) const = default;
};

namespace Toolkit {
// Provided by the backend: the system's colour of that number, and whether the system says
// that a contrast theme is on.
uint32_t SystemColorOf(int number);
bool ContrastThemeReported();
// A contrast theme is on: the system says so, or its text is lighter than the face it stands
// on, which only contrast themes make (Windows' dark mode leaves these colours alone, and Wine
// never reports the theme).
bool ContrastTheme();
}  // namespace Toolkit

// Labels, frames, check boxes, buttons and shapes stand on the button face.
TextColors ColorsOf(const Control& control);
uint32_t BackColorOf(const Form& form);
