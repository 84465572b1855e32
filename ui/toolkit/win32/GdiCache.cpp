#include "ui/toolkit/win32/GdiCache.h"

#include <cstring>

#include "ui/toolkit/win32/Win32Internal.h"

namespace Win32 {

namespace {

LOGFONTW MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont;
}

}  // namespace

HFONT GdiCache::FontFor(const Font& font) {
    if (font.face.empty()) {
        if (!defaultFont_) {
            defaultFace_ = MessageFont();
            defaultFont_.reset(CreateFontIndirectW(&defaultFace_));
        }
        return defaultFont_.get();
    }
    const auto key = std::make_tuple(font.face, static_cast<int>(font.points * 100), font.bold);
    OwnedFont& slot = fonts_[key];
    if (!slot) {
        LOGFONTW lf{};
        lf.lfHeight = -static_cast<LONG>(font.points * Dpi() / 72.0 + 0.5);
        lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, font.face.c_str(), LF_FACESIZE);
        slot.reset(CreateFontIndirectW(&lf));
    }
    return slot.get();
}

HBRUSH GdiCache::BrushFor(uint32_t color) {
    OwnedBrush& slot = brushes_[color];
    if (!slot) slot.reset(CreateSolidBrush(static_cast<COLORREF>(color)));
    return slot.get();
}

void GdiCache::Renew() {
    brushes_.clear();
    const LOGFONTW face = MessageFont();
    if (!defaultFont_ || memcmp(&face, &defaultFace_, sizeof face) == 0) return;
    replacedFont_ = std::move(defaultFont_);
}

GdiCache& Gdi() {
    static GdiCache cache;
    return cache;
}

}  // namespace Win32
