#include "app/RowsInPrograms.h"

namespace tavero {

namespace {
std::size_t Index(int row) {
    return static_cast<std::size_t>(row);
}
}  // namespace

bool RowsInPrograms::Armed(int row) const {
    const Tavero* box = boxes_.at(Index(row));
    return box != nullptr && box->HotKeyEnabled();
}

bool RowsInPrograms::SameCombination(int a, int b) const {
    const Tavero* x = boxes_.at(Index(a));
    const Tavero* y = boxes_.at(Index(b));
    return x != nullptr && y != nullptr && x->KeyCode() == y->KeyCode() &&
           x->ModKeyCode() == y->ModKeyCode();
}

RowsInPrograms::Sharing RowsInPrograms::SharingOf(int row) const {
    Sharing sharing = Sharing::None;
    for (int other = 0; other < kCount; ++other) {
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

bool RowsInPrograms::NeedsProgram() const {
    for (int row = 0; row < kCount; ++row) {
        if (!Armed(row)) {
            continue;
        }
        if (scopes_.Of(row).kind != RowScope::Kind::Everywhere) {
            return true;
        }
        for (int other = row + 1; other < kCount; ++other) {
            if (Armed(other) && SameCombination(row, other)) {
                return true;
            }
        }
    }
    return false;
}

int RowsInPrograms::PlayerIn(int row, const std::wstring& program) const {
    std::vector<int> sharing;
    std::vector<const RowScope*> scopes;
    for (int other = 0; other < kCount; ++other) {
        if (Armed(other) && SameCombination(row, other)) {
            sharing.push_back(other);
            scopes.push_back(&scopes_.Of(other));
        }
    }
    int winner = Winner(scopes, program);
    return winner < 0 ? -1 : sharing.at(Index(winner));
}

int RowsInPrograms::PlayerFor(int row) {
    if (!NeedsProgram()) {
        return row;
    }
    return PlayerIn(row, programs_ != nullptr ? programs_->InFront() : std::wstring());
}

std::vector<int> RowsInPrograms::Reconcile() {
    std::wstring program =
        NeedsProgram() && programs_ != nullptr ? programs_->InFront() : std::wstring();
    std::array<bool, kCount> holds{};
    for (int row = 0; row < kCount; ++row) {
        holds.at(Index(row)) = Armed(row) && PlayerIn(row, program) == row;
    }
    // Those that let go first: a row of a shared combination takes it from another.
    for (int row = 0; row < kCount; ++row) {
        if (Armed(row) && !holds.at(Index(row))) {
            boxes_.at(Index(row))->SetInScope(false);
        }
    }
    std::vector<int> refused;
    for (int row = 0; row < kCount; ++row) {
        if (holds.at(Index(row)) && !boxes_.at(Index(row))->SetInScope(true)) {
            refused.push_back(row);
        }
    }
    return refused;
}

}  // namespace tavero
