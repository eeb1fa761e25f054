#pragma once

#include <string>

// The rows that hold or repeat while their hotkey is held, and a tap of a row's own length,
// measured in the input stream against the program itself: how late a held row lets go after
// the hotkey's key goes up, how the repetition keeps the keyboard's delay and rate, and how a
// 350 ms tap keeps its length; then the CPU of a row armed to hold that holds nothing. Markdown
// rows, or a line that says why there are none.
namespace tavero::bench {

std::string MeasurePressModes(int holds, int taps, int idleMs);

}  // namespace tavero::bench
