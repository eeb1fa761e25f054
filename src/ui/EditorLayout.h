#pragma once

#include "ui/Twips.h"

namespace tavero::editor_layout {

inline constexpr int kWidth = 6675;
inline constexpr int kHeight = 2490;

inline constexpr TwipsRect kTitleStrip{0, 0, 12735, 375};
inline constexpr TwipsRect kLogo{60, 0, 330, 330};
inline constexpr TwipsRect kTitle{480, 0, 615, 375};
inline constexpr TwipsRect kCloseButton{5760, 0, 720, 285};

// The three key lists, from the left; the right one is wider.
inline constexpr TwipsRect kLeftList{360, 720, 1815, 375};
inline constexpr TwipsRect kMiddleList{2400, 720, 1815, 375};
inline constexpr TwipsRect kRightList{4440, 720, 2055, 375};

inline constexpr TwipsRect kAddNow{360, 1200, 6135, 615};
inline constexpr TwipsRect kGuideLink{240, 1920, 6255, 375};

inline constexpr TwipsRect kFrame{2, 2, kWidth - 2, kHeight - 2};
inline constexpr int kFramePenPixels = 10;

}  // namespace tavero::editor_layout
