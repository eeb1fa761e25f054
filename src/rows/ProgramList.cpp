#include "rows/ProgramList.h"

#include <algorithm>

#include "settings/FoldedText.h"
#include "settings/TrimmedText.h"

namespace tavero {

namespace {

// A program's name as names are compared: its case folded, without ".exe".
std::wstring Key(std::wstring_view name) {
    std::wstring key;
    for (wchar_t c : name) {
        key += FoldCase(c);
    }
    if (key.size() > 4 && key.compare(key.size() - 4, 4, L".exe") == 0) {
        key.resize(key.size() - 4);
    }
    return key;
}

}  // namespace

bool IsProgramName(std::wstring_view name) {
    if (name.empty() || name == L"." || name == L"..") {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](wchar_t c) {
        return c < L' ' || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos;
    });
}

ProgramList ProgramList::Parse(std::wstring_view text) {
    ProgramList scope;
    ProgramList unreadable{Kind::Unreadable, {}, std::wstring(text), {}};
    if (text.size() > kLongestText) {
        return unreadable;
    }
    text = TrimBlanks(text);
    bool but = !text.empty() && text.front() == L'!';
    if (but) {
        text.remove_prefix(1);
    }
    std::vector<std::wstring> programs;
    while (!text.empty()) {
        std::size_t bar = text.find(L'|');
        std::wstring_view name = TrimBlanks(text.substr(0, bar));
        text = bar == std::wstring_view::npos ? std::wstring_view() : text.substr(bar + 1);
        if (name.empty()) {
            continue;
        }
        if (!IsProgramName(name)) {
            unreadable.notAName = name;
            return unreadable;
        }
        if (std::none_of(programs.begin(), programs.end(),
                         [&](const std::wstring& p) { return Key(p) == Key(name); })) {
            programs.emplace_back(name);
        }
    }
    if (!programs.empty()) {
        scope.kind = but ? Kind::EverywhereBut : Kind::OnlyIn;
        scope.programs = std::move(programs);
    }
    return scope;
}

std::wstring ProgramList::ToText() const {
    if (kind == Kind::Unreadable) {
        return unread;
    }
    if (kind == Kind::Everywhere) {
        return {};
    }
    std::wstring text = kind == Kind::EverywhereBut ? L"!" : L"";
    for (const std::wstring& program : programs) {
        // A list that starts with a name starting with '!' would read as "everywhere but": a
        // bar before it keeps it a list of its own kind.
        bool first = text.empty() || text == L"!";
        text += (first && (kind == Kind::EverywhereBut || program.front() != L'!') ? L"" : L"|") +
                program;
    }
    return text;
}

bool ProgramList::Names(std::wstring_view program) const {
    std::wstring key = Key(program);
    return !key.empty() && std::any_of(programs.begin(), programs.end(),
                                       [&](const std::wstring& p) { return Key(p) == key; });
}

bool ProgramList::AppliesIn(std::wstring_view program) const {
    switch (kind) {
        case Kind::OnlyIn:
            return Names(program);
        case Kind::EverywhereBut:
            // Not where the program in front is not known: it may be the one the row skips.
            return !program.empty() && !Names(program);
        case Kind::Unreadable:
            return false;
        case Kind::Everywhere:
            break;
    }
    return true;
}

ProgramList ProgramList::Toggled(Kind listKind, const std::wstring& program) const {
    if (listKind == Kind::Everywhere) {
        return {};
    }
    ProgramList changed = kind == listKind ? *this : ProgramList{listKind, {}, {}, {}};
    auto named = std::find_if(changed.programs.begin(), changed.programs.end(),
                              [&](const std::wstring& p) { return Key(p) == Key(program); });
    if (named != changed.programs.end()) {
        changed.programs.erase(named);
    } else if (IsProgramName(program)) {
        changed.programs.push_back(program);
    }
    if (changed.programs.empty() || changed.ToText().size() > kLongestText) {
        return changed.programs.empty() ? ProgramList{} : *this;
    }
    return changed;
}

bool Clash(const ProgramList& a, const ProgramList& b) {
    if (a.kind == ProgramList::Kind::Unreadable || b.kind == ProgramList::Kind::Unreadable) {
        return false;
    }
    bool aOnly = a.kind == ProgramList::Kind::OnlyIn;
    bool bOnly = b.kind == ProgramList::Kind::OnlyIn;
    if (aOnly != bOnly) {
        return false;
    }
    if (!aOnly) {
        return true;
    }
    return std::any_of(a.programs.begin(), a.programs.end(),
                       [&](const std::wstring& p) { return b.Names(p); });
}

int Winner(const std::vector<const ProgramList*>& rows, std::wstring_view program) {
    int other = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i]->AppliesIn(program)) {
            continue;
        }
        if (rows[i]->kind == ProgramList::Kind::OnlyIn) {
            return static_cast<int>(i);
        }
        if (other < 0) {
            other = static_cast<int>(i);
        }
    }
    return other;
}

}  // namespace tavero
