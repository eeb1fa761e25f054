#include "instance/CommandLine.h"

#include <algorithm>
#include <array>
#include <utility>

#include "rows/RowList.h"
#include "settings/FoldedText.h"

namespace tavero {

namespace {

constexpr std::array<std::pair<const wchar_t*, Command::Kind>, 11> kWords = {{
    {L"tray", Command::Kind::Tray},
    {L"pause", Command::Kind::Pause},
    {L"resume", Command::Kind::Resume},
    {L"toggle", Command::Kind::Toggle},
    {L"show", Command::Kind::Show},
    {L"hide", Command::Kind::Hide},
    {L"exit", Command::Kind::Exit},
    {L"release", Command::Kind::Release},
    {L"arm", Command::Kind::Arm},
    {L"disarm", Command::Kind::Disarm},
    {L"forget", Command::Kind::Forget},
}};

// The words after the program, split at blanks; a quoted word may hold blanks.
std::vector<std::wstring_view> Words(std::wstring_view rest) {
    std::vector<std::wstring_view> words;
    while (!rest.empty()) {
        if (rest.front() == L' ' || rest.front() == L'\t') {
            rest.remove_prefix(1);
            continue;
        }
        bool quoted = rest.front() == L'"';
        if (quoted) {
            rest.remove_prefix(1);
        }
        std::size_t end = quoted ? rest.find(L'"') : rest.find_first_of(L" \t");
        words.push_back(rest.substr(0, end));
        rest.remove_prefix(end == std::wstring_view::npos ? rest.size() : end + (quoted ? 1 : 0));
    }
    return words;
}

Command::Kind KindOf(std::wstring_view word) {
    if (word.size() < 2 || (word.front() != L'/' && word.front() != L'-')) {
        return Command::Kind::Unknown;
    }
    word.remove_prefix(1);
    for (const auto& [name, kind] : kWords) {
        if (SameIgnoringCase(word, name)) {
            return kind;
        }
    }
    return Command::Kind::Unknown;
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

Command ParseCommandLine(std::wstring_view commandLine) {
    std::wstring_view program = ProgramOf(commandLine);
    std::size_t after =
        static_cast<std::size_t>(program.data() - commandLine.data()) + program.size();
    if (after < commandLine.size() && commandLine[after] == L'"') {
        ++after;
    }
    std::vector<std::wstring_view> words =
        Words(commandLine.substr(std::min(after, commandLine.size())));
    Command command;
    if (words.empty()) {
        return command;
    }
    command.kind = KindOf(words.front());
    std::vector<std::wstring_view> rest(words.begin() + 1, words.end());
    bool takesRows = command.kind == Command::Kind::Arm || command.kind == Command::Kind::Disarm;
    if (takesRows) {
        // A script's list is read whole or not at all: a typo never arms other rows than meant.
        std::wstring written;
        for (std::wstring_view word : rest) {
            written.append(word).push_back(L' ');
        }
        RowList list = ReadRowList(written);
        command.rows = list.whole ? list.rows : std::vector<int>{};
    }
    if (takesRows ? command.rows.empty() : !rest.empty()) {
        command.kind = Command::Kind::Unknown;
        command.rows.clear();
    }
    return command;
}

bool ForRunningCopy(Command::Kind kind) {
    return kind != Command::Kind::Start && kind != Command::Kind::Tray &&
           kind != Command::Kind::Forget && kind != Command::Kind::Unknown;
}

}  // namespace tavero
