// A command line, and a command handed over in a message from any program: what is read is a
// command the running copy can do, with rows it has, and anything else is refused.
#include <stdexcept>

#include "FuzzText.h"
#include "instance/RunningProgram.h"

using namespace tavero;

namespace {

struct Program : RunningProgram {
    bool Paused() const override { return paused; }
    void SetPaused(bool p) override { paused = p; }
    void Show() override {}
    void Hide() override {}
    bool Quit() override { return true; }
    void ReleaseAllKeys() override {}
    bool ArmRows(const std::vector<int>& rows) override { return Check(rows); }
    void DisarmRows(const std::vector<int>& rows) override { Check(rows); }
    void CommandFailed(const std::exception&) override {}
    static bool Check(const std::vector<int>& rows) {
        TAVERO_FUZZ_CHECK(!rows.empty());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            TAVERO_FUZZ_CHECK(rows[i] >= 0 && rows[i] < 10 && (i == 0 || rows[i - 1] < rows[i]));
        }
        return true;
    }
    bool paused = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring line = fuzz::Units(data, size);
    Command command = ParseCommandLine(line);
    bool takesRows = command.kind == Command::Kind::Arm || command.kind == Command::Kind::Disarm;
    TAVERO_FUZZ_CHECK(takesRows != command.rows.empty());
    Program program;
    int code = RunCommand(command, program);
    TAVERO_FUZZ_CHECK(code >= exit_code::kDone && code <= exit_code::kNotDone);
    TAVERO_FUZZ_CHECK((code == exit_code::kNotUnderstood) == !ForRunningCopy(command.kind));

    std::optional<std::wstring> handed = CommandInMessage(kCommandTag, data, size);
    TAVERO_FUZZ_CHECK(handed.has_value() ==
                      (size > 0 && size % 2 == 0 && size <= kLongestCommandBytes));
    TAVERO_FUZZ_CHECK(!handed || *handed == line);
    return 0;
}
