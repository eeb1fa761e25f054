#pragma once

namespace tavero {

// Layout lengths are in twips, 1/1440 inch: 15 twips per pixel at 96 dots per inch.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool Contains(int x, int y) const {
        return x >= left && x < Right() && y >= top && y < Bottom();
    }
};

constexpr int TwipsToPixels(int twips, int dpi) {
    // Rounded to nearest, as the platform's MulDiv does.
    long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

constexpr PixelRect ToPixels(const TwipsRect& r, int dpi) {
    return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
            TwipsToPixels(r.height, dpi)};
}

// A length given in pixels at 96 dots per inch (pen widths, picture sizes), at `dpi`.
constexpr int ScalePixels(int pixels, int dpi) {
    return (pixels * dpi + 48) / 96;
}

}  // namespace tavero
