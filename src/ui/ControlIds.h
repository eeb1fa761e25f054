#pragma once

namespace tavero::control_ids {

// Child-window identifiers of the main window, also how tests find its controls.
constexpr int ArmBox(int row) {
    return 1001 + row;
}  // Check1..Check10 for rows 0..9
constexpr int ActionText(int row) {
    return 1101 + row;
}  // Text1(0..9)
constexpr int HotKeyBox(int row) {
    return 1201 + row;
}  // Tavero1..Tavero10
inline constexpr int kTitleStrip = 1300;

}  // namespace tavero::control_ids
