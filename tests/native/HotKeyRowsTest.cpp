#include <gtest/gtest.h>

#include <memory>

#include "app/HotKeyRows.h"
#include "support/FakeInput.h"
#include "support/Fakes.h"

using namespace tavero;
using namespace tavero::testing;
using Outcome = ActionPlayer::Outcome;

namespace {

class RowsTest : public ::testing::Test, protected FakeBoxServices {
  protected:
    RowsTest() {
        for (int i = 0; i < HotKeyRows::kCount; ++i) {
            registrars.push_back(std::make_unique<FakeHotKeyRegistrar>(system));
            boxes.push_back(std::make_unique<Tavero>(L"Tavero" + std::to_wstring(i + 1),
                                                     *registrars.back(), names, messages,
                                                     HotKeyStore(ini, userStore, {})));
            rows.Attach(i, *boxes.back());
        }
    }
    const std::wstring Path() { return ini.IniFilePath(); }

    FakeHotKeySystem system;
    std::vector<std::unique_ptr<FakeHotKeyRegistrar>> registrars;
    FakeInput input;
    FakeKeyHold hold{input};
    FakeRepeatGuard repeats;
    ActionPlayer player{input, hold, repeats};
    HotKeyRows rows{ini, player, messages};
    std::vector<std::unique_ptr<Tavero>> boxes;
};

TEST_F(RowsTest, LoadsEachRowFromItsKey) {
    ini.WriteIniValue(L"conftext", L"0", L"Ctrl + Alt + A ");
    ini.WriteIniValue(L"conftooltip", L"0", L"3|17|18|65");
    ini.WriteIniValue(L"conftooltip", L"9", L"1|66");
    rows.LoadActions();
    EXPECT_EQ(rows.ActionText(0), L"Ctrl + Alt + A");
    EXPECT_EQ(rows.ActionCode(0), L"3|17|18|65");
    EXPECT_EQ(rows.ActionText(9), L"");
    EXPECT_EQ(rows.ActionCode(9), L"1|66");
    EXPECT_EQ(rows.ActionCode(5), L"");
}

TEST_F(RowsTest, HotkeyOfRowNPlaysRowNsCurrentCode) {
    rows.SetAction(0, L"A", L"1|65");
    rows.SetAction(9, L"B", L"1|66");
    EXPECT_EQ(rows.Fire(9), Outcome::Played);
    EXPECT_EQ(input.Events().front().key, 66);
    rows.SetAction(9, L"C", L"1|67");
    rows.Fire(9);
    EXPECT_EQ(input.calls.back().front().key, 67);
    EXPECT_EQ(rows.Fire(3), Outcome::Empty);
    EXPECT_EQ(*file.Stored(Path(), L"conftooltip", L"9"), L"1|67");
    EXPECT_EQ(*file.Stored(Path(), L"conftext", L"9"), L"C");
}

TEST_F(RowsTest, ArmingMirrorsWhatTheBoxAccepted) {
    EXPECT_FALSE(rows.Arm(2, true));  // empty box
    EXPECT_EQ(messages.shown.size(), 1u);
    int key = 'A', state = 2;
    boxes[2]->KeyDown(key, state, false);
    EXPECT_TRUE(rows.Arm(2, true));
    EXPECT_FALSE(rows.Arm(2, false));
    EXPECT_FALSE(system.IsTaken(2, 'A'));
}

TEST_F(RowsTest, SaveAllWritesThirtyKeys) {
    EXPECT_TRUE(rows.SaveAll());
    EXPECT_EQ(file.KeyCount(Path()), 30u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RowsTest, FailedActionWriteIsToldAndTheRowStillPlaysIt) {
    file.readOnly = true;
    EXPECT_FALSE(rows.SetAction(4, L"A ", L"1|65"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].second.find(L"C:\\Tools\\set.ini"), std::wstring::npos);
    EXPECT_EQ(rows.Fire(4), Outcome::Played);
}

TEST_F(RowsTest, FailedSaveIsToldOnceNamingTheFile) {
    file.readOnly = true;
    EXPECT_FALSE(rows.SaveAll());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].second.find(L"C:\\Tools\\set.ini"), std::wstring::npos);
}

}  // namespace
