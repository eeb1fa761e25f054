#pragma once

#include <string>
#include <string_view>

#include "rows/ProgramList.h"
#include "rows/RowSection.h"

namespace tavero {

// Where each of the ten rows applies, kept in the settings file's section "Scope" by row index;
// a file without it has every row apply in every program, as always.
struct ScopeFormat {
    using Value = ProgramList;
    static constexpr const wchar_t* kSection = L"Scope";
    static ProgramList Parse(std::wstring_view text) { return ProgramList::Parse(text); }
    static std::wstring ToText(const ProgramList& scope) { return scope.ToText(); }
};
using ScopeSection = RowSection<ScopeFormat>;

}  // namespace tavero
