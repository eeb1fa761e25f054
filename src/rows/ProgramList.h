#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavero {

// Where a row applies: in every program (as every row always did), only in some programs, or in
// every program but some. Programs are known by their exe's file name, whatever its case, with
// or without ".exe". Kept in the settings file's section "Scope", by row index:
// "notepad.exe|code.exe" (only in), "!game.exe" (everywhere but), empty or none (everywhere).
// A value that cannot be read applies nowhere: a row must not play where it was meant not to.
struct ProgramList {
    enum class Kind { Everywhere, OnlyIn, EverywhereBut, Unreadable };
    Kind kind = Kind::Everywhere;
    std::vector<std::wstring> programs;  // as the user wrote them, each once
    // Unreadable: the value as the file holds it, kept for the file, and the first name in it
    // that is no program's (empty where the value is too long).
    std::wstring unread;
    std::wstring notAName;

    // A value as the settings file holds it; one that cannot be a list of file names (control
    // characters, a path, more than 1,024 characters) is Unreadable.
    static ProgramList Parse(std::wstring_view text);
    std::wstring ToText() const;
    // Whether the row applies in `program` (a file name; empty: the system could not say which
    // program is in front, where only a row for every program applies).
    bool AppliesIn(std::wstring_view program) const;
    bool Names(std::wstring_view program) const;
    // The scope with `program` added to (or, named already, taken from) a list of `kind`; a list
    // left empty is every program.
    ProgramList Toggled(Kind kind, const std::wstring& program) const;

    static constexpr std::size_t kLongestText = 1024;
};

// Whether a file name could name a program: not empty, no path, no character a file name
// cannot hold.
bool IsProgramName(std::wstring_view name);

// Whether two rows of one combination would both apply in some program, so that it could not
// tell which to play. An "only in" row wins in its programs over a row of the other kinds, so it
// never clashes with one; two "only in" rows clash where their lists share a program; any two
// rows for every program or every program but some clash. A row that applies nowhere clashes
// with none.
bool Clash(const ProgramList& a, const ProgramList& b);

// Of rows that share a combination (their scopes, in row order), the one that plays in
// `program`: the first "only in" row that applies there, else the first other that does; -1
// where none applies.
int Winner(const std::vector<const ProgramList*>& rows, std::wstring_view program);

}  // namespace tavero
