#include "instance/CommandReceiver_win.h"

#include <optional>
#include <string>

#include "instance/CommandLine.h"

namespace tavero {

LRESULT CommandReceiver::Receive(const COPYDATASTRUCT* data) {
    std::optional<std::wstring> text =
        data != nullptr ? CommandInMessage(data->dwData, data->lpData, data->cbData) : std::nullopt;
    if (!text) {
        return exit_code::kNotUnderstood;
    }
    program_.FinishStarting();
    return RunCommand(ParseCommandLine(*text), program_);
}

}  // namespace tavero
