#include <gtest/gtest.h>

#include <stdexcept>

#include "instance/CommandLine.h"
#include "instance/RunningProgram.h"

using namespace tavero;
using Kind = Command::Kind;

// What a command line asks for, the program's own path first, quoted or not.
TEST(CommandLine, WordsAndRowsAreReadAsAUserWritesThem) {
    struct Case {
        const wchar_t* line;
        Kind kind;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {L"\"C:\\My Tools\\TaveroMirelle.exe\"", Kind::Start, {}},
        {L"\"C:\\My Tools\\TaveroMirelle.exe\" /tray", Kind::Tray, {}},
        {L"TaveroMirelle.exe /TRAY", Kind::Tray, {}},
        {L"\"C:\\tray\\TaveroMirelle.exe\"", Kind::Start, {}},
        {L"TaveroMirelle.exe -pause", Kind::Pause, {}},
        {L"TaveroMirelle.exe /Resume", Kind::Resume, {}},
        {L"TaveroMirelle.exe /toggle", Kind::Toggle, {}},
        {L"TaveroMirelle.exe /show", Kind::Show, {}},
        {L"TaveroMirelle.exe /hide", Kind::Hide, {}},
        {L"TaveroMirelle.exe /exit", Kind::Exit, {}},
        {L"TaveroMirelle.exe /release", Kind::Release, {}},
        {L"TaveroMirelle.exe /arm 1,3", Kind::Arm, {0, 2}},
        {L"TaveroMirelle.exe /arm 10, 3 3", Kind::Arm, {2, 9}},
        {L"TaveroMirelle.exe /disarm \"2\"", Kind::Disarm, {1}},
        {L"TaveroMirelle.exe /forget", Kind::Forget, {}},
        // Anything else is not understood.
        {L"TaveroMirelle.exe /trayx", Kind::Unknown, {}},
        {L"TaveroMirelle.exe pause", Kind::Unknown, {}},
        {L"TaveroMirelle.exe /pause now", Kind::Unknown, {}},
        {L"TaveroMirelle.exe /arm", Kind::Unknown, {}},
        {L"TaveroMirelle.exe /arm 0", Kind::Unknown, {}},
        {L"TaveroMirelle.exe /arm 11", Kind::Unknown, {}},
        {L"TaveroMirelle.exe /arm 1,x", Kind::Unknown, {}},
        {L"TaveroMirelle.exe /disarm 99999999999999999999", Kind::Unknown, {}},
        {L"TaveroMirelle.exe /", Kind::Unknown, {}},
    };
    for (const Case& c : cases) {
        Command command = ParseCommandLine(c.line);
        EXPECT_EQ(command.kind, c.kind) << std::string(c.line, c.line + wcslen(c.line));
        EXPECT_EQ(command.rows, c.rows) << std::string(c.line, c.line + wcslen(c.line));
    }
    EXPECT_FALSE(ForRunningCopy(Kind::Start));
    EXPECT_FALSE(ForRunningCopy(Kind::Tray));
    EXPECT_FALSE(ForRunningCopy(Kind::Unknown));
    EXPECT_FALSE(ForRunningCopy(Kind::Forget));
    EXPECT_TRUE(ForRunningCopy(Kind::Show));
}

namespace {
struct Program : RunningProgram {
    bool Paused() const override { return paused; }
    void SetPaused(bool p) override {
        if (failing) {
            throw std::runtime_error("the hotkeys could not be let go of");
        }
        paused = p, ++changes;
    }
    void Show() override { shown = true; }
    void Hide() override { shown = false; }
    bool Quit() override { return quits; }
    void ReleaseAllKeys() override { released = true; }
    bool ArmRows(const std::vector<int>& rows) override { return rows.size() == 1; }
    void DisarmRows(const std::vector<int>&) override {}
    void CommandFailed(const std::exception& error) override { failed = error.what(); }
    bool paused = false, shown = false, quits = true, released = false, failing = false;
    int changes = 0;
    std::string failed;
};
}  // namespace

// What a command does in the running copy, and what the copy that brought it returns.
TEST(CommandLine, TheRunningCopyDoesTheCommandAndSaysHowItWent) {
    Program program;
    auto run = [&](const wchar_t* line) { return RunCommand(ParseCommandLine(line), program); };
    EXPECT_EQ(run(L"x /pause"), exit_code::kDone);
    EXPECT_EQ(run(L"x /pause"), exit_code::kDone);
    EXPECT_EQ(program.changes, 1) << "pausing a paused program changes nothing";
    EXPECT_EQ(run(L"x /toggle"), exit_code::kDone);
    EXPECT_FALSE(program.paused);
    EXPECT_EQ(run(L"x /show"), exit_code::kDone);
    EXPECT_TRUE(program.shown);
    EXPECT_EQ(run(L"x /release"), exit_code::kDone);
    EXPECT_TRUE(program.released);
    EXPECT_EQ(run(L"x /arm 1"), exit_code::kDone);
    EXPECT_EQ(run(L"x /arm 1,2"), exit_code::kNotDone);
    program.quits = false;
    EXPECT_EQ(run(L"x /exit"), exit_code::kNotDone) << "the user went back after a failed save";
    EXPECT_EQ(run(L"x /tray"), exit_code::kNotUnderstood);
    EXPECT_EQ(run(L"x /bogus"), exit_code::kNotUnderstood);
    program.failing = true;
    EXPECT_EQ(run(L"x /toggle"), exit_code::kNotDone) << "a failure is never done";
    EXPECT_EQ(program.failed, "the hotkeys could not be let go of");
}
