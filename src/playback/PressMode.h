#pragma once

namespace tavero {

// How a row's action presses its keys: a tap (down, held a while, up, as every action always
// did), held down for as long as the hotkey's main key is held, or tapped again and again while
// it is held, at the user's keyboard repeat delay and rate.
struct PressMode {
    enum class Kind { Tap, Hold, Repeat };
    Kind kind = Kind::Tap;
    // A tap's length; 0: 100 ms for one key, 200 ms for two or three.
    int tapMs = 0;

    static constexpr int kShortestTapMs = 20;
    static constexpr int kLongestTapMs = 5000;
    bool operator==(const PressMode&) const = default;
};

}  // namespace tavero
