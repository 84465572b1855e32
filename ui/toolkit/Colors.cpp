#include "ui/toolkit/Colors.h"

#include "ui/toolkit/Form.h"

namespace {

// Luma as sRGB weighs its primaries: enough to tell the lighter of two colours.
uint32_t Lightness(uint32_t color) {
    return 2126 * (color & 0xFF) + 7152 * (color >> 8 & 0xFF) + 722 * (color >> 16 & 0xFF);
}

}  // namespace

namespace Toolkit {

bool ContrastTheme() {
    return ContrastThemeReported() || Lightness(SystemColorOf(SystemColor::ButtonText)) >
                                          Lightness(SystemColorOf(SystemColor::ButtonFace));
}

}  // namespace Toolkit

TextColors ColorsOf(const Control& control) {
    const bool own = !Toolkit::ContrastTheme();
    return {own && control.foreColor ? *control.foreColor
                                     : Toolkit::SystemColorOf(SystemColor::ButtonText),
            own && control.backColor ? *control.backColor
                                     : Toolkit::SystemColorOf(SystemColor::ButtonFace)};
}

uint32_t BackColorOf(const Form& form) {
    if (form.backColor && !Toolkit::ContrastTheme()) return *form.backColor;
    return Toolkit::SystemColorOf(form.systemBackColor >= 0 ? form.systemBackColor
                                                            : SystemColor::ButtonFace);
}
