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
inline constexpr int kSnapshot = 44;  // Print Screen
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
// Not a key: a character typed through an input method or an on-screen keyboard.
inline constexpr int kPacket = 231;
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
        case vk::kSnapshot:
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

// The scan codes of keys whose code the platform's map may give for their twin (the two Shift
// keys are told apart only by theirs) or for a keypad key (Print Screen); 0 for the rest, which
// the platform maps.
constexpr int KnownScanCode(int key) {
    switch (key) {
        case vk::kShift:
        case vk::kLShift:
            return 0x2A;
        case vk::kRShift:
            return 0x36;
        case vk::kControl:
        case vk::kLControl:
        case vk::kRControl:
            return 0x1D;
        case vk::kMenu:
        case vk::kLMenu:
        case vk::kRMenu:
            return 0x38;
        case vk::kLWin:
            return 0x5B;
        case vk::kRWin:
            return 0x5C;
        case vk::kSnapshot:
            return 0x37;
        default:
            return 0;
    }
}

constexpr bool IsModifierKey(int key) {
    switch (key) {
        case vk::kShift:
        case vk::kControl:
        case vk::kMenu:
        case vk::kLWin:
        case vk::kRWin:
        case vk::kLShift:
        case vk::kRShift:
        case vk::kLControl:
        case vk::kRControl:
        case vk::kLMenu:
        case vk::kRMenu:
            return true;
        default:
            return false;
    }
}

}  // namespace tavero
