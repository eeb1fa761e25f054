#pragma once

#include "ui/Twips.h"

namespace tavero {

// Where a window of `width` x `height` opens next to `beside`, entirely inside `workArea` (the
// work area of the monitor `beside` is on): to its right, else to its left, top edges level;
// where neither side has room, as near as the work area allows.
inline PixelRect PlaceBeside(const PixelRect& beside, int width, int height,
                             const PixelRect& workArea) {
    int left = beside.Right();
    if (left + width > workArea.Right()) {
        left = beside.left - width;
    }
    if (left < workArea.left) {
        left = workArea.Right() - width;
    }
    int top = beside.top;
    if (top + height > workArea.Bottom()) {
        top = workArea.Bottom() - height;
    }
    auto clamp = [](int value, int low, int high) {
        return value > high ? high : value < low ? low : value;
    };
    left = clamp(left, workArea.left, workArea.Right() - width);
    top = clamp(top, workArea.top, workArea.Bottom() - height);
    return {left, top, width, height};
}

}  // namespace tavero
