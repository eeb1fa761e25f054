#include "app/RunningProgram.h"

namespace tavero {

int RunCommand(const Command& command, RunningProgram& program) {
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

}  // namespace tavero
