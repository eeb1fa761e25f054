#pragma once

#include <array>
#include <string>

namespace tavero {

// The action editor's working state: up to three key picks, each held as a code fragment
// ("17|") and a display fragment ("Ctrl + "), and the row being edited.
class ActionComposer {
  public:
    static constexpr int kLists = 3;

    struct Action {
        int row;
        std::wstring displayText;  // "Ctrl + Alt + A " (one trailing blank)
        std::wstring actionCode;   // "3|17|18|65"
    };

    // The editor starts fresh: nothing picked.
    void Reset();
    void SetRow(int row) { row_ = row; }
    int Row() const { return row_; }

    // A pick in list 0, 1 or 2 (left, middle, right); the empty name clears that list's pick.
    void Pick(int list, const std::wstring& name);

    // "Add Now": the keys in list order, counting only picks with a code. With nothing picked
    // the action is cleared: empty text and empty code.
    Action Compose() const;

    // The name picked in a list; empty when none.
    std::wstring Picked(int list) const {
        const std::wstring& shown = display_.at(Index(list));
        return shown.empty() ? shown : shown.substr(0, shown.size() - 3);  // less " + "
    }

    const std::wstring& CodeFragment(int list) const { return code_.at(Index(list)); }
    const std::wstring& DisplayFragment(int list) const { return display_.at(Index(list)); }

  private:
    static std::size_t Index(int list) { return static_cast<std::size_t>(list); }

    std::array<std::wstring, kLists> code_;
    std::array<std::wstring, kLists> display_;
    int row_ = 0;
};

}  // namespace tavero
