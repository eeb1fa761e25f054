// Where a row applies, as set.ini says it: a value read is written back as it reads, one that
// cannot be read applies nowhere and is kept whole, and two rows' rules agree with each other.
#include "FuzzText.h"
#include "rows/ProgramList.h"

using namespace tavero;

namespace {

void CheckOne(const std::wstring& text, const std::wstring& program) {
    ProgramList scope = ProgramList::Parse(text);
    if (scope.kind == ProgramList::Kind::Unreadable) {
        TAVERO_FUZZ_CHECK(scope.ToText() == text);
        TAVERO_FUZZ_CHECK(!scope.AppliesIn(program) && !scope.AppliesIn(L""));
        return;
    }
    std::wstring written = scope.ToText();
    TAVERO_FUZZ_CHECK(written.size() <= ProgramList::kLongestText);
    ProgramList again = ProgramList::Parse(written);
    TAVERO_FUZZ_CHECK(again.kind == scope.kind && again.programs == scope.programs);
    TAVERO_FUZZ_CHECK(scope.AppliesIn(L"") == (scope.kind == ProgramList::Kind::Everywhere));
    for (const std::wstring& named : scope.programs) {
        TAVERO_FUZZ_CHECK(IsProgramName(named));
        TAVERO_FUZZ_CHECK(scope.AppliesIn(named) == (scope.kind == ProgramList::Kind::OnlyIn));
    }
    for (ProgramList::Kind list : {ProgramList::Kind::OnlyIn, ProgramList::Kind::EverywhereBut}) {
        ProgramList toggled = scope.Toggled(list, program);
        TAVERO_FUZZ_CHECK(toggled.kind != ProgramList::Kind::Unreadable);
        TAVERO_FUZZ_CHECK(toggled.ToText().size() <= ProgramList::kLongestText);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two values and a program's name, split where the text has U+FFFF.
    std::wstring text = fuzz::Units(data, size);
    std::size_t cut = text.find(L'\xFFFF');
    std::wstring first = text.substr(0, cut);
    std::wstring rest = cut == std::wstring::npos ? L"" : text.substr(cut + 1);
    std::size_t cut2 = rest.find(L'\xFFFF');
    std::wstring second = rest.substr(0, cut2);
    std::wstring program = cut2 == std::wstring::npos ? L"notepad.exe" : rest.substr(cut2 + 1);
    CheckOne(first, program);
    CheckOne(second, program);
    ProgramList a = ProgramList::Parse(first), b = ProgramList::Parse(second);
    TAVERO_FUZZ_CHECK(Clash(a, b) == Clash(b, a));
    std::vector<const ProgramList*> rows = {&a, &b};
    int winner = Winner(rows, program);
    TAVERO_FUZZ_CHECK(winner < 0 || rows[static_cast<std::size_t>(winner)]->AppliesIn(program));
    if (!Clash(a, b) && a.AppliesIn(program) && b.AppliesIn(program)) {
        // Both apply only where an "only in" row wins over the other.
        TAVERO_FUZZ_CHECK(rows[static_cast<std::size_t>(winner)]->kind ==
                          ProgramList::Kind::OnlyIn);
    }
    return 0;
}
