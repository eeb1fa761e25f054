#include "rows/CombinationOwners.h"

namespace tavero {

bool CombinationOwners::Armed(int row) const {
    const Tavero* box = boxes_.at(RowIndex(row));
    return box != nullptr && box->HotKeyEnabled();
}

bool CombinationOwners::SameCombination(int a, int b) const {
    const Tavero* x = boxes_.at(RowIndex(a));
    const Tavero* y = boxes_.at(RowIndex(b));
    return x != nullptr && y != nullptr && x->KeyCode() == y->KeyCode() &&
           x->ModKeyCode() == y->ModKeyCode();
}

CombinationOwners::Sharing CombinationOwners::SharingOf(int row) const {
    Sharing sharing = Sharing::None;
    for (int other = 0; other < kRowCount; ++other) {
        if (other == row || !Armed(other) || !SameCombination(row, other)) {
            continue;
        }
        if (Clash(scopes_.Of(row), scopes_.Of(other))) {
            return Sharing::Clashes;
        }
        sharing = Sharing::Apart;
    }
    return sharing;
}

bool CombinationOwners::NeedsProgram() const {
    for (int row = 0; row < kRowCount; ++row) {
        if (!Armed(row)) {
            continue;
        }
        if (scopes_.Of(row).kind != ProgramList::Kind::Everywhere) {
            return true;
        }
        for (int other = row + 1; other < kRowCount; ++other) {
            if (Armed(other) && SameCombination(row, other)) {
                return true;
            }
        }
    }
    return false;
}

int CombinationOwners::PlayerIn(int row, const std::wstring& program) const {
    std::vector<int> sharing;
    std::vector<const ProgramList*> scopes;
    for (int other = 0; other < kRowCount; ++other) {
        if (Armed(other) && SameCombination(row, other)) {
            sharing.push_back(other);
            scopes.push_back(&scopes_.Of(other));
        }
    }
    int winner = Winner(scopes, program);
    return winner < 0 ? -1 : sharing.at(RowIndex(winner));
}

int CombinationOwners::PlayerFor(int row) {
    if (!NeedsProgram()) {
        return row;
    }
    return PlayerIn(row, programs_ != nullptr ? programs_->InFront() : std::wstring());
}

std::vector<int> CombinationOwners::Reconcile() {
    std::wstring program =
        NeedsProgram() && programs_ != nullptr ? programs_->InFront() : std::wstring();
    std::array<bool, kRowCount> holds{};
    for (int row = 0; row < kRowCount; ++row) {
        holds.at(RowIndex(row)) = Armed(row) && PlayerIn(row, program) == row;
    }
    // Those that let go first: a row of a shared combination takes it from another.
    for (int row = 0; row < kRowCount; ++row) {
        if (Armed(row) && !holds.at(RowIndex(row))) {
            boxes_.at(RowIndex(row))->SetInScope(false);
        }
    }
    std::vector<int> refused;
    for (int row = 0; row < kRowCount; ++row) {
        if (holds.at(RowIndex(row)) && !boxes_.at(RowIndex(row))->SetInScope(true)) {
            refused.push_back(row);
        }
    }
    return refused;
}

}  // namespace tavero
