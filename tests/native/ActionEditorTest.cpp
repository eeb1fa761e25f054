#include <gtest/gtest.h>

#include "editor/ActionComposer.h"
#include "editor/KeyNameTable.h"

using namespace tavero;

namespace {

TEST(KeyNameTable, NamesToCodes) {
    const std::vector<std::pair<const wchar_t*, int>> known = {
        {L"A", 65},      {L"J", 74},   {L"K", 75},    {L"Z", 90},     {L"Shift", 16},
        {L"Ctrl", 17},   {L"Alt", 18}, {L"Win", 91},  {L"Enter", 13}, {L"Backspace", 8},
        {L"Space", 32},  {L"ESC", 27}, {L"LEFT", 37}, {L"Right", 39}, {L"UP", 38},
        {L"BOTTOM", 40}, {L"+", 107},  {L"-", 109},   {L"*", 106},    {L"/", 111},
        {L"L-1", 49},    {L"L-9", 57}, {L"L-0", 48},  {L"R-1", 97},   {L"R-9", 105},
        {L"R-0", 96},
    };
    for (const auto& [name, code] : known) {
        EXPECT_EQ(KeyCodeFromName(name), code) << name;
        EXPECT_EQ(KeyCodeText(name), std::to_wstring(code));
    }
}

TEST(KeyNameTable, ExactCaseSensitiveOrNothing) {
    for (const wchar_t* name : {L"a", L"ctrl", L"Up", L"Bottom", L"esc", L"Ctrl ", L"", L"F1",
                                L"Tab", L"1", L"AB", L"right"}) {
        EXPECT_FALSE(KeyCodeFromName(name).has_value()) << name;
        EXPECT_EQ(KeyCodeText(name), L"");
    }
}

// A name typed into a list counts as its entry whatever its case; anything else is no key.
TEST(KeyNameTable, TypedNamesMeanTheirEntryWhateverTheirCase) {
    const std::vector<std::pair<const wchar_t*, const wchar_t*>> typed = {
        {L"b", L"B"}, {L"ctrl", L"Ctrl"}, {L" esc ", L"ESC"}, {L"r-0", L"R-0"}, {L"", L""}};
    for (const auto& [name, entry] : typed) {
        EXPECT_EQ(KeyListEntryFor(name), std::optional<std::wstring>(entry)) << name;
    }
    for (const wchar_t* name : {L"F1", L"xyz", L"Tab", L"bb"}) {
        EXPECT_FALSE(KeyListEntryFor(name).has_value()) << name;
    }
}

TEST(KeyNameTable, ListsHoldSixtyThreeEntriesInOrder) {
    const auto& entries = KeyListEntries();
    ASSERT_EQ(entries.size(), 63u);
    EXPECT_EQ(entries[0], L"");
    EXPECT_EQ(entries[1], L"Shift");
    EXPECT_EQ(entries[5], L"Enter");
    EXPECT_EQ(entries[26], L"L-0");
    EXPECT_EQ(entries[36], L"R-0");
    EXPECT_EQ(entries[37], L"A");
    EXPECT_EQ(entries[62], L"Z");
    // Every entry but the empty one has a code.
    for (std::size_t i = 1; i < entries.size(); ++i) {
        EXPECT_TRUE(KeyCodeFromName(entries[i]).has_value()) << entries[i];
    }
}

ActionComposer::Action Compose(std::initializer_list<const wchar_t*> picks) {
    ActionComposer composer;
    int list = 0;
    for (const wchar_t* pick : picks) {
        composer.Pick(list++, pick);
    }
    return composer.Compose();
}

TEST(ActionComposer, WorkedExamples) {
    auto all = Compose({L"Ctrl", L"Alt", L"A"});
    EXPECT_EQ(all.actionCode, L"3|17|18|65");
    EXPECT_EQ(all.displayText, L"Ctrl + Alt + A ");
    auto shiftInMiddle = Compose({L"", L"Shift", L""});
    EXPECT_EQ(shiftInMiddle.actionCode, L"1|16");
    EXPECT_EQ(shiftInMiddle.displayText, L"Shift ");
}

TEST(ActionComposer, SameNameTwiceAndGaps) {
    EXPECT_EQ(Compose({L"Ctrl", L"Ctrl", L""}).actionCode, L"2|17|17");
    EXPECT_EQ(Compose({L"Ctrl", L"Ctrl", L""}).displayText, L"Ctrl + Ctrl ");
    EXPECT_EQ(Compose({L"Ctrl", L"", L"A"}).actionCode, L"2|17|65");
    EXPECT_EQ(Compose({L"", L"", L"A"}).actionCode, L"1|65");
    EXPECT_EQ(Compose({L"", L"", L"A"}).displayText, L"A ");
    EXPECT_EQ(Compose({L"L-1", L"R-1", L""}).actionCode, L"2|49|97");
    EXPECT_EQ(Compose({L"L-1", L"R-1", L""}).displayText, L"L-1 + R-1 ");
    EXPECT_EQ(Compose({L"Ctrl", L"Enter", L""}).actionCode, L"2|17|13");
}

TEST(ActionComposer, ClearedPickAndNothingPicked) {
    ActionComposer composer;
    composer.Pick(0, L"Ctrl");
    composer.Pick(0, L"");
    EXPECT_EQ(composer.CodeFragment(0), L"");
    EXPECT_EQ(composer.DisplayFragment(0), L"");
    auto cleared = composer.Compose();
    EXPECT_EQ(cleared.actionCode, L"");
    EXPECT_EQ(cleared.displayText, L"");
}

TEST(ActionComposer, KeepsPicksAcrossRowsUntilReset) {
    ActionComposer composer;
    composer.SetRow(0);
    composer.Pick(0, L"Ctrl");
    composer.Pick(2, L"C");
    auto first = composer.Compose();
    composer.SetRow(4);
    auto second = composer.Compose();
    EXPECT_EQ(second.row, 4);
    EXPECT_EQ(second.actionCode, first.actionCode);
    EXPECT_EQ(second.displayText, first.displayText);
    composer.Reset();
    EXPECT_EQ(composer.Compose().actionCode, L"");
}

}  // namespace
