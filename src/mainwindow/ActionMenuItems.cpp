#include "mainwindow/ActionMenuItems.h"

#include <algorithm>

#include "settings/FoldedText.h"

namespace tavero {

namespace {

constexpr ProgramList::Kind kLists[] = {ProgramList::Kind::OnlyIn,
                                        ProgramList::Kind::EverywhereBut};

unsigned ListNumber(ProgramList::Kind list) {
    return list == ProgramList::Kind::OnlyIn ? 0 : 1;
}

bool Before(const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](wchar_t x, wchar_t y) { return FoldCase(x) < FoldCase(y); });
}

}  // namespace

ActionMenuItems::ActionMenuItems(std::vector<std::wstring> withWindows, const ProgramList& current)
    : current_(current), programs_(std::move(withWindows)) {
    programs_.insert(programs_.end(), current.programs.begin(), current.programs.end());
    std::sort(programs_.begin(), programs_.end(), Before);
    programs_.erase(std::unique(programs_.begin(), programs_.end(),
                                [](const std::wstring& a, const std::wstring& b) {
                                    return SameIgnoringCase(a, b);
                                }),
                    programs_.end());
    if (programs_.size() > kListSpan) {
        programs_.resize(kListSpan);
    }
}

unsigned ActionMenuItems::OtherId(ProgramList::Kind list) {
    return kOther + ListNumber(list);
}

unsigned ActionMenuItems::PressId(PressMode::Kind kind) {
    return kPress + static_cast<unsigned>(kind);
}

unsigned ActionMenuItems::ProgramId(ProgramList::Kind list, std::size_t program) const {
    return kPrograms + ListNumber(list) * kListSpan + static_cast<unsigned>(program);
}

ActionMenuItems::Choice ActionMenuItems::Chosen(unsigned id) const {
    using What = Choice::What;
    if (id == kEveryProgram) {
        return {What::Scope, {}};
    }
    for (PressMode::Kind kind :
         {PressMode::Kind::Tap, PressMode::Kind::Hold, PressMode::Kind::Repeat}) {
        if (id == PressId(kind)) {
            return {What::Press, {}, ProgramList::Kind::OnlyIn, {kind, 0}};
        }
    }
    if (id == kTapLength) {
        return {What::AskTapLength, {}};
    }
    for (ProgramList::Kind list : kLists) {
        if (id == OtherId(list)) {
            return {What::AskForName, {}, list};
        }
        unsigned first = ProgramId(list, 0);
        if (id >= first && id - first < programs_.size()) {
            return {What::Scope, current_.Toggled(list, programs_[id - first])};
        }
    }
    return {};
}

}  // namespace tavero
