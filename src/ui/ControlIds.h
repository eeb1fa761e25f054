#pragma once

namespace tavero::control_ids {

// Child-window identifiers of the program's windows, also how tests find their controls.

// The main window's rows 0..9: Check1..Check10, Text1(0..9), Tavero1..Tavero10, img1(0..9).
constexpr int ArmBox(int row) {
    return 1001 + row;
}
constexpr int ActionText(int row) {
    return 1101 + row;
}
constexpr int HotKeyBox(int row) {
    return 1201 + row;
}
constexpr int EditButton(int row) {
    return 1401 + row;
}
// Both windows.
inline constexpr int kTitleStrip = 1300;
inline constexpr int kLink = 1500;
// The action editor's.
inline constexpr int kLeftList = 2001;
inline constexpr int kMiddleList = 2002;
inline constexpr int kRightList = 2003;
inline constexpr int kAddNow = 2004;

}  // namespace tavero::control_ids
