#pragma once
// The fonts and brushes the forms paint with, made once for the whole run.

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

private:
    std::map<std::tuple<std::wstring, int, bool>, OwnedFont> fonts_;
    std::map<uint32_t, OwnedBrush> brushes_;
    OwnedFont defaultFont_;
};

GdiCache& Gdi();

}  // namespace Win32
