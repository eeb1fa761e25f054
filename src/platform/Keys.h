#pragma once

#include <cstdint>

namespace tavero {

// Virtual-key codes the logic names; the values are the platform's.
namespace vk {
inline constexpr int kBack = 8;
inline constexpr int kTab = 9;
inline constexpr int kReturn = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kMenu = 18;  // Alt
inline constexpr int kEscape = 27;
inline constexpr int kPrior = 33;
inline constexpr int kNext = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
inline constexpr int kLWin = 91;
inline constexpr int kRWin = 92;
inline constexpr int kApps = 93;
inline constexpr int kDivide = 111;
inline constexpr int kNumLock = 144;
inline constexpr int kLShift = 160;
inline constexpr int kRShift = 161;
inline constexpr int kLControl = 162;
inline constexpr int kRControl = 163;
inline constexpr int kLMenu = 164;
inline constexpr int kRMenu = 165;
// Assigned to no key; pressing it has no effect anywhere, which makes it a safe way to keep a
// lone Alt or Win release from opening a menu bar or the Start menu.
inline constexpr int kUnassigned = 0xE8;
}  // namespace vk

// Shift state of a key event: which modifiers were down when it happened.
namespace shift {
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;
}  // namespace shift

// Hotkey modifier flags, the values the platform's hotkey registration takes.
namespace mod {
inline constexpr int kAlt = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kShift = 4;
inline constexpr int kWin = 8;
inline constexpr int kAll = 15;
}  // namespace mod

// Keys whose scan code is shared with a numeric-keypad key (or that are the right-hand twin of
// a modifier): the platform tells them apart only by the extended-key flag.
constexpr bool IsExtendedKey(int key) {
    switch (key) {
        case vk::kPrior:
        case vk::kNext:
        case vk::kEnd:
        case vk::kHome:
        case vk::kLeft:
        case vk::kUp:
        case vk::kRight:
        case vk::kDown:
        case vk::kInsert:
        case vk::kDelete:
        case vk::kLWin:
        case vk::kRWin:
        case vk::kApps:
        case vk::kDivide:
        case vk::kNumLock:
        case vk::kRControl:
        case vk::kRMenu:
            return true;
        default:
            return false;
    }
}

}  // namespace tavero
