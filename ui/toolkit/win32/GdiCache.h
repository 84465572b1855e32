#pragma once
// The fonts and brushes the forms paint with, made once and again when the system's settings
// change.

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "ui/toolkit/Control.h"
#include "ui/toolkit/win32/Handles.h"

namespace Win32 {

class GdiCache {
public:
    // An empty face is the system's message font.
    HFONT FontFor(const Font& font);
    HBRUSH BrushFor(uint32_t color);
    // The system's settings changed: brushes are made anew as they are asked for, and so is the
    // message font where it changed. The font it replaces stays until the next change, for the
    // windows that have not been given the new one yet.
    void Renew();

private:
    std::map<std::tuple<std::wstring, int, bool>, OwnedFont> fonts_;
    std::map<uint32_t, OwnedBrush> brushes_;
    OwnedFont defaultFont_;
    LOGFONTW defaultFace_{};
    OwnedFont replacedFont_;
};

GdiCache& Gdi();

}  // namespace Win32
