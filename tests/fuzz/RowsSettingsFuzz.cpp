// Everything the rows read from set.ini at start, from any bytes: the hotkeys' numbers, the
// actions, where rows apply and how they press, the options and the pause key. What loads is sound,
// a hotkey plays and lets go of every key, and a quit writes back what was loaded: started again,
// the program holds the same.
#include <memory>

#include "FuzzText.h"
#include "hotkeybox/HotKeyCapture.h"
#include "rows/HotKeyRows.h"
#include "rows/PauseKey.h"
#include "support/FakeInput.h"
#include "support/Fakes.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

// A value as it reads once written (the hotkeys are written at every quit): the profile
// functions' values lose the blanks and a pair of quotes around them, on Windows as here.
std::wstring AsReadBack(const std::wstring& value) {
    ProfileText text;
    text.Set(L"s", L"k", value);
    return *ProfileText(text.Text()).Get(L"s", L"k");
}

struct Program {
    explicit Program(const FileSystem& from) {
        services.files = static_cast<const FakeFileSystem&>(from);
        for (int i = 0; i < kRowCount; ++i) {
            registrars.push_back(std::make_unique<FakeHotKeyRegistrar>(system));
            boxes.push_back(std::make_unique<Tavero>(
                L"Tavero" + std::to_wstring(i + 1), *registrars.back(), services.names,
                services.messages, HotKeyStore(services.ini, services.userStore, {})));
            boxes.back()->Load();
            rows.Attach(i, *boxes.back());
        }
        rows.LoadActions();
        rows.KnowProgramsBy(programs, [](const std::wstring&) {});
        pause.Load();
    }

    FakeBoxServices services;
    FakeHotKeySystem system;
    std::vector<std::unique_ptr<FakeHotKeyRegistrar>> registrars;
    std::vector<std::unique_ptr<Tavero>> boxes;
    FakeInput input;
    FakeKeyHold hold{input};
    ActionPlayer player{input, hold, input, input};
    HotKeyRows rows{services.ini, player, services.messages};
    FakePrograms programs;
    FakeHotKeyRegistrar pauseRegistrar{system};
    PauseKey pause{services.ini, pauseRegistrar};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeFileSystem files;
    files.files[FakeBoxServices::kSettingsPath] =
        std::string(reinterpret_cast<const char*>(data), size);
    Program program(files);
    for (const auto& box : program.boxes) {
        TAVERO_FUZZ_CHECK(box->KeyCode() == 0 || HotKeyCapture::IsValidKeyCode(box->KeyCode()));
        TAVERO_FUZZ_CHECK(HotKeyCapture::IsValidModKeyCode(box->ModKeyCode()));
    }
    TAVERO_FUZZ_CHECK(!program.pause.IsSet() ||
                      HotKeyCapture::IsValidKeyCode(program.pause.KeyCode()));

    program.programs.inFront = L"";  // not known: no limited row may play
    program.rows.ArmAsLastTime();
    for (int row = 0; row < kRowCount; ++row) {
        if (!program.rows.Armed(row)) {
            continue;
        }
        TAVERO_FUZZ_CHECK(program.rows.Scope(row).kind != ProgramList::Kind::Unreadable);
        ActionPlayer::Outcome played = program.rows.Fire(row);
        TAVERO_FUZZ_CHECK(played != ActionPlayer::Outcome::Played ||
                          program.rows.Scope(row).kind == ProgramList::Kind::Everywhere);
        TAVERO_FUZZ_CHECK(program.input.FirstKeyDown() == 0);
    }

    TAVERO_FUZZ_CHECK(program.rows.SaveAll(false) == HotKeyRows::Saved::Yes);
    Program again(program.services.files);
    for (int row = 0; row < kRowCount; ++row) {
        auto i = static_cast<std::size_t>(row);
        TAVERO_FUZZ_CHECK(again.boxes[i]->KeyCode() == program.boxes[i]->KeyCode());
        TAVERO_FUZZ_CHECK(again.boxes[i]->ModKeyCode() == program.boxes[i]->ModKeyCode());
        TAVERO_FUZZ_CHECK(again.boxes[i]->Text() == AsReadBack(program.boxes[i]->Text()));
        TAVERO_FUZZ_CHECK(again.rows.ActionText(row) == program.rows.ActionText(row));
        TAVERO_FUZZ_CHECK(again.rows.ActionCode(row) == program.rows.ActionCode(row));
        TAVERO_FUZZ_CHECK(again.rows.Scope(row).ToText() == program.rows.Scope(row).ToText());
        TAVERO_FUZZ_CHECK(again.rows.Press(row) == program.rows.Press(row));
    }
    // The rows armed at the quit are the ones to arm at the next start, where the user asked.
    std::vector<int> armed;
    for (int row = 0; row < kRowCount; ++row) {
        if (program.rows.Armed(row)) {
            armed.push_back(row);
        }
    }
    TAVERO_FUZZ_CHECK(again.rows.ArmingAtStart().On() == program.rows.ArmingAtStart().On());
    TAVERO_FUZZ_CHECK(!again.rows.ArmingAtStart().On() ||
                      again.rows.ArmingAtStart().RowsToArm() == armed);
    return 0;
}
