#pragma once

#include <array>

#include "platform/RowCount.h"
#include "ui/Twips.h"

namespace tavero::main_layout {

// The main window: borderless, so the client area is the whole window.
inline constexpr int kWidth = 5520;
inline constexpr int kHeight = 5565;

// The green title strip runs past the window's right edge; its parts are placed in it.
inline constexpr TwipsRect kTitleStrip{0, 0, 12735, 375};
inline constexpr TwipsRect kLogo{60, 0, 330, 330};
inline constexpr TwipsRect kHideButton{4080, 0, 585, 255};
inline constexpr TwipsRect kCloseButton{4680, 0, 720, 285};
inline constexpr TwipsRect kTitle{480, 0, 3135, 375};

// The text link sits at the lower edge: only its top rows of pixels are inside the window.
inline constexpr TwipsRect kLink{120, 5520, 3615, 255};

// The green frame: a 10-pixel line centred on a rectangle 2 twips inside the window's edge.
inline constexpr TwipsRect kFrame{2, 2, kWidth - 2, kHeight - 2};
inline constexpr int kFramePenPixels = 10;

struct Row {
    TwipsRect hotKeyBox;
    TwipsRect armBox;
    TwipsRect actionText;
    TwipsRect editButton;
};

constexpr Row MakeRow(int hotKeyTop, int rowTop, int textHeight) {
    return {{120, hotKeyTop, 1215, 375},
            {1560, rowTop, 975, 375},
            {2760, rowTop, 1935, textHeight},
            {4920, rowTop, 345, 345}};
}

// Rows 9 and 10 have their hotkey box 120 twips above the rest of the row, and the last action
// text is taller than the others.
inline constexpr std::array<Row, kRowCount> kRowTable = {
    MakeRow(600, 600, 270),   MakeRow(1080, 1080, 270), MakeRow(1560, 1560, 270),
    MakeRow(2040, 2040, 270), MakeRow(2520, 2520, 270), MakeRow(3000, 3000, 270),
    MakeRow(3480, 3480, 270), MakeRow(3960, 3960, 270), MakeRow(4440, 4560, 270),
    MakeRow(4920, 5040, 375),
};

}  // namespace tavero::main_layout
