#include <gtest/gtest.h>

#include "platform/Texts.h"

using namespace tavero;

// The words the program was made with stay as they are: windows are found by their captions,
// and users know its two messages.
TEST(Texts, TheProgramsOwnWordsStayAsTheyWereGiven) {
    EXPECT_EQ(Text(TAVERO_TEXT_MAIN_CAPTION), L"\u8BBE\u7F6E");
    EXPECT_EQ(Text(TAVERO_TEXT_EDITOR_CAPTION), L"Form1");
    EXPECT_EQ(Text(TAVERO_TEXT_ERROR_TITLE), L"error");
    EXPECT_EQ(Text(TAVERO_TEXT_NOT_SET), L"Not set hotkey");
    EXPECT_EQ(Text(TAVERO_TEXT_TAKEN), L"Hotkey already exists, please change a hotkey.");
    EXPECT_EQ(Text(TAVERO_TEXT_PRESS_HOTKEY), L"Press Hotkey");
    EXPECT_EQ(Text(TAVERO_TEXT_ARM_BOX), L"START");
    EXPECT_EQ(Text(TAVERO_TEXT_ADD_NOW), L"Add Now");
    EXPECT_EQ(Text(TAVERO_TEXT_SEARCH_LINK), L"Tavero:  Omdara is Search Guides!");
    EXPECT_EQ(Text(TAVERO_TEXT_FIRST_NAMELESS_KEY + 17), L"Launch App 2");
    EXPECT_EQ(Text(99999), L"");
}

TEST(Texts, BlanksAreFilledInOrderAndNothingElseIsTouched) {
    EXPECT_EQ(FillText(L"%2 before %1, 100%% sure", {L"a", L"b"}), L"b before a, 100% sure");
    EXPECT_EQ(FillText(L"%1 and %3 % left", {L"x"}), L"x and  % left");
    EXPECT_EQ(FillText(L"%1", {L"%2"}), L"%2");  // a fill is never read again
    EXPECT_EQ(Text(TAVERO_TEXT_ROW_TAKEN, {L"Ctrl + Alt + F8"}),
              L"Ctrl + Alt + F8 is taken by another program.");
}
