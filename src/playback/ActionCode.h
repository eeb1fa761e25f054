#pragma once

#include <string_view>
#include <vector>

namespace tavero {

struct PlaybackStep {
    enum class Kind { KeyDown, KeyUp, Pause };
    Kind kind;
    int value;  // the virtual-key code, or the pause's length in milliseconds

    bool operator==(const PlaybackStep&) const = default;
};

inline constexpr int kOneKeyHoldMs = 100;
inline constexpr int kChordHoldMs = 200;

// Reads an action code, "N|key1|...|keyN" with N one of "1", "2", "3" and each key a decimal
// virtual-key code 0..255, into its playback plan: the keys down in order, a hold of 100 ms
// (one key) or 200 ms (two or three), the keys up in reverse order. Fields after key N are
// never read. Anything else gives an empty plan, so a bad code never presses a key.
std::vector<PlaybackStep> ReadActionCode(std::wstring_view code);

}  // namespace tavero
