#include "app/StartWithWindows.h"

#include <algorithm>
#include <cwchar>

#include "app/InstanceKey.h"
#include "settings/FoldedText.h"

namespace tavero {

namespace {

// What follows the program in a command line.
std::wstring_view ArgumentsOf(std::wstring_view commandLine) {
    std::wstring_view program = ProgramOf(commandLine);
    std::size_t end =
        static_cast<std::size_t>(program.data() - commandLine.data()) + program.size();
    if (end < commandLine.size() && commandLine[end] == L'"') {
        ++end;
    }
    return commandLine.substr(std::min(end, commandLine.size()));
}

}  // namespace

std::wstring_view ProgramOf(std::wstring_view commandLine) {
    while (!commandLine.empty() && commandLine.front() == L' ') {
        commandLine.remove_prefix(1);
    }
    if (!commandLine.empty() && commandLine.front() == L'"') {
        commandLine.remove_prefix(1);
        return commandLine.substr(0, commandLine.find(L'"'));
    }
    return commandLine.substr(0, commandLine.find(L' '));
}

bool StartsInTray(std::wstring_view commandLine) {
    std::wstring_view rest = ArgumentsOf(commandLine);
    while (!rest.empty()) {
        while (!rest.empty() && rest.front() == L' ') {
            rest.remove_prefix(1);
        }
        std::wstring_view word = rest.substr(0, rest.find(L' '));
        if (SameIgnoringCase(word, StartWithWindows::kTrayArgument)) {
            return true;
        }
        rest.remove_prefix(word.size());
    }
    return false;
}

std::wstring StartWithWindows::ValueName() const {
    // Of this copy's own: its path, made short.
    wchar_t name[40];
    std::swprintf(name, 40, L"Tavero Mirelle %016llx",
                  static_cast<unsigned long long>(PathHash(exe_)));
    return name;
}

bool StartWithWindows::On() {
    for (const auto& [name, command] : run_.Values()) {
        if (SamePath(ProgramOf(command), exe_)) {
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
        if (SamePath(ProgramOf(command), exe_)) {
            all = run_.Remove(name) && all;
        }
    }
    return all;
}

}  // namespace tavero
