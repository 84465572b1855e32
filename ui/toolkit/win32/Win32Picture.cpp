// Pictures scaled smoothly. GDI's own stretching picks the nearest pixel (under Wine even in
// HALFTONE mode), which makes a photo blocky at 150 % and above.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ui/toolkit/win32/Handles.h"
#include "ui/toolkit/win32/Win32Controls.h"

namespace Win32 {

namespace {

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> bgrx;  // top-down rows
};

BITMAPINFO TopDown(int width, int height, WORD bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bits;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

Pixels Read(HBITMAP bitmap) {
    BITMAP header{};
    GetObjectW(bitmap, sizeof header, &header);
    Pixels pixels{header.bmWidth, header.bmHeight, {}};
    pixels.bgrx.resize(static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height));
    BITMAPINFO info = TopDown(pixels.width, pixels.height, 32);
    WindowDc screen;
    GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(pixels.height), pixels.bgrx.data(), &info,
              DIB_RGB_COLORS);
    return pixels;
}

// Where destination pixel `i` of `to` samples the source of `from` pixels: the left source
// pixel and the weight of the right one, in 1/256.
struct Sample {
    int first;
    int weight;
};

std::vector<Sample> Samples(int from, int to) {
    std::vector<Sample> samples(static_cast<size_t>(to));
    for (int i = 0; i < to; ++i) {
        const double at = std::clamp((i + 0.5) * from / to - 0.5, 0.0, from - 1.0);
        const int first = std::min(static_cast<int>(at), std::max(from - 2, 0));
        samples[static_cast<size_t>(i)] = {first, static_cast<int>((at - first) * 256 + 0.5)};
    }
    return samples;
}

uint8_t Blend(uint32_t a, uint32_t b, uint32_t c, uint32_t d, int shift, const Sample& x,
              const Sample& y) {
    auto channel = [shift](uint32_t pixel) { return static_cast<int>((pixel >> shift) & 0xFF); };
    const int top = channel(a) * (256 - x.weight) + channel(b) * x.weight;
    const int bottom = channel(c) * (256 - x.weight) + channel(d) * x.weight;
    return static_cast<uint8_t>((top * (256 - y.weight) + bottom * y.weight + (1 << 15)) >> 16);
}

}  // namespace

OwnedBitmap SmoothlyScaled(HBITMAP bitmap, int width, int height) {
    const Pixels source = Read(bitmap);
    if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info = TopDown(width, height, 24);
    void* bits = nullptr;
    OwnedBitmap scaled(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!scaled) return nullptr;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const std::vector<Sample> xs = Samples(source.width, width);
    const std::vector<Sample> ys = Samples(source.height, height);
    auto at = [&](int x, int y) {
        x = std::min(x, source.width - 1);
        y = std::min(y, source.height - 1);
        return source.bgrx[static_cast<size_t>(y) * static_cast<size_t>(source.width) +
                           static_cast<size_t>(x)];
    };
    for (int row = 0; row < height; ++row) {
        const Sample& y = ys[static_cast<size_t>(row)];
        auto* out = static_cast<uint8_t*>(bits) + static_cast<size_t>(row) * stride;
        for (int column = 0; column < width; ++column) {
            const Sample& x = xs[static_cast<size_t>(column)];
            const uint32_t a = at(x.first, y.first), b = at(x.first + 1, y.first);
            const uint32_t c = at(x.first, y.first + 1), d = at(x.first + 1, y.first + 1);
            for (int shift = 0; shift < 24; shift += 8) *out++ = Blend(a, b, c, d, shift, x, y);
        }
    }
    return scaled;
}

}  // namespace Win32
