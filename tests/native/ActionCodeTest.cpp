#include <gtest/gtest.h>

#include "playback/ActionCode.h"

using namespace tavero;
using Kind = PlaybackStep::Kind;

namespace {

PlaybackStep Down(int key) {
    return {Kind::KeyDown, key};
}
PlaybackStep Up(int key) {
    return {Kind::KeyUp, key};
}
PlaybackStep Hold(int ms) {
    return {Kind::Pause, ms};
}

TEST(ActionCode, PlansByKeyCount) {
    EXPECT_EQ(ReadActionCode(L"1|65"), (std::vector{Down(65), Hold(100), Up(65)}));
    EXPECT_EQ(ReadActionCode(L"2|17|67"),
              (std::vector{Down(17), Down(67), Hold(200), Up(67), Up(17)}));
    EXPECT_EQ(ReadActionCode(L"3|17|16|83"),
              (std::vector{Down(17), Down(16), Down(83), Hold(200), Up(83), Up(16), Up(17)}));
}

TEST(ActionCode, FieldsAfterTheKeysAreNeverRead) {
    EXPECT_EQ(ReadActionCode(L"1|65|66"), (std::vector{Down(65), Hold(100), Up(65)}));
    EXPECT_EQ(ReadActionCode(L"1|65|garbage|"), (std::vector{Down(65), Hold(100), Up(65)}));
    EXPECT_EQ(ReadActionCode(L"1|0"), (std::vector{Down(0), Hold(100), Up(0)}));
    EXPECT_EQ(ReadActionCode(L"1|255"), (std::vector{Down(255), Hold(100), Up(255)}));
}

TEST(ActionCode, AnythingElsePlaysNothing) {
    for (const wchar_t* code : {L"",
                                L"0",
                                L"4|65",
                                L" 1|65",
                                L"1 |65",
                                L"01|65",
                                L"1",
                                L"1|",
                                L"2|17",
                                L"2|17|",
                                L"1|abc",
                                L"1|256",
                                L"1|-1",
                                L"1|+5",
                                L"1| 65",
                                L"1|6 5",
                                L"3|17|999|x",
                                L"9|1|2",
                                L"1|99999999999999999999",
                                L"||||||"}) {
        EXPECT_TRUE(ReadActionCode(code).empty()) << code;
    }
    EXPECT_TRUE(ReadActionCode(std::wstring(300, L'|')).empty());
}

}  // namespace
