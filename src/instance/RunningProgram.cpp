#include "instance/RunningProgram.h"

namespace tavero {

namespace {

int Run(const Command& command, RunningProgram& program) {
    using Kind = Command::Kind;
    switch (command.kind) {
        case Kind::Pause:
        case Kind::Resume:
        case Kind::Toggle: {
            bool paused =
                command.kind == Kind::Toggle ? !program.Paused() : command.kind == Kind::Pause;
            if (paused != program.Paused()) {
                program.SetPaused(paused);
            }
            return exit_code::kDone;
        }
        case Kind::Show:
            program.Show();
            return exit_code::kDone;
        case Kind::Hide:
            program.Hide();
            return exit_code::kDone;
        case Kind::Exit:
            return program.Quit() ? exit_code::kDone : exit_code::kNotDone;
        case Kind::Release:
            program.ReleaseAllKeys();
            return exit_code::kDone;
        case Kind::Arm:
            return program.ArmRows(command.rows) ? exit_code::kDone : exit_code::kNotDone;
        case Kind::Disarm:
            program.DisarmRows(command.rows);
            return exit_code::kDone;
        case Kind::Start:
        case Kind::Tray:
        case Kind::Forget:
        case Kind::Unknown:
            break;
    }
    // A running copy is not started again, and knows no more words than this one.
    return exit_code::kNotUnderstood;
}

}  // namespace

int RunCommand(const Command& command, RunningProgram& program) {
    try {
        return Run(command, program);
    } catch (const std::exception& error) {
        program.CommandFailed(error);
        return exit_code::kNotDone;
    }
}

std::optional<std::wstring> CommandInMessage(std::uintptr_t tag, const void* data,
                                             std::size_t bytes) {
    // The text travels as UTF-16 code units, two bytes each, whatever a wchar_t is here.
    constexpr std::size_t kUnit = 2;
    if (tag != kCommandTag || data == nullptr || bytes == 0 || bytes > kLongestCommandBytes ||
        bytes % kUnit != 0) {
        return std::nullopt;
    }
    std::wstring text(bytes / kUnit, L'\0');
    const auto* units = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<wchar_t>(units[kUnit * i] | (units[kUnit * i + 1] << 8));
    }
    return text;
}

}  // namespace tavero
