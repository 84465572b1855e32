#pragma once
// Twips and pixels at one screen resolution, the same for every backend.
//
// Sizes and positions convert with the exact ratio, so the windows keep their designed
// proportions at any scaling. The twips-per-pixel factor that the program divides by is a
// whole number, as the windows' code expects, and mouse positions are turned into twips with
// that same whole factor: dividing one by the other gives back the pixel exactly, which is
// how the tray icon's message number is read back at any scaling.

class DpiScale {
public:
    explicit DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : 96) {}
    int dpi() const { return dpi_; }

    int ToPixels(int twips) const { return Rounded(twips, dpi_, kTwipsPerInch); }
    int ToTwips(int pixels) const { return Rounded(pixels, kTwipsPerInch, dpi_); }
    int TwipsPerPixel() const { return dpi_ >= kTwipsPerInch ? 1 : kTwipsPerInch / dpi_; }
    int MouseTwips(int pixels) const { return pixels * TwipsPerPixel(); }

private:
    static constexpr int kTwipsPerInch = 1440;
    // value × numerator / denominator, rounded half away from zero as MulDiv does.
    static int Rounded(int value, int numerator, int denominator) {
        const long long product = static_cast<long long>(value) * numerator;
        const long long half = denominator / 2;
        return static_cast<int>(product >= 0 ? (product + half) / denominator
                                             : -((-product + half) / denominator));
    }
    int dpi_;
};
