#include "instance/StartWithWindows.h"

#include "instance/CommandLine.h"
#include "instance/InstanceKey.h"
#include "platform/DecimalText.h"
#include "settings/FoldedText.h"

namespace tavero {

std::wstring StartWithWindows::ValueName() const {
    // Of this copy's own: its path, made short.
    return L"Tavero Mirelle " + HexText(PathHash(exe_), 16);
}

bool StartWithWindows::Starts(std::wstring_view command) const {
    std::wstring program(ProgramOf(command));
    return SamePath(program, exe_) || (finalPath_ && SamePath(finalPath_(program), exe_));
}

bool StartWithWindows::On() {
    for (const auto& [name, command] : run_.Values()) {
        if (Starts(command)) {
            return true;
        }
    }
    return false;
}

bool StartWithWindows::Set(bool on) {
    if (on) {
        return On() || run_.Set(ValueName(), L"\"" + exe_ + L"\" " + kTrayArgument);
    }
    bool all = true;
    for (const auto& [name, command] : run_.Values()) {
        if (Starts(command)) {
            all = run_.Remove(name) && all;
        }
    }
    return all;
}

}  // namespace tavero
