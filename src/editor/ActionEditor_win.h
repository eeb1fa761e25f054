#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "editor/ActionComposer.h"
#include "platform/ShellOpener.h"
#include "ui/SkinnedWindow_win.h"
#include "ui/TextLink_win.h"

namespace tavero {

// The small window in which the user composes a row's action from three lists of key names
// and adds it with "Add Now"; under them, a link to the hotkey guide. It is made hidden and
// shown for one row at a time. Enter on a list or on "Add Now" adds the action; Escape closes.
class ActionEditor : public SkinnedWindow {
  public:
    explicit ActionEditor(ShellOpener& shell);
    ~ActionEditor() override;

    // Shows the editor for row 0..9, next to `beside` on its monitor. After a close it starts
    // fresh; after "Add Now" it keeps its picks.
    void OpenFor(int row, HWND beside);

    // "Add Now": the composed action for the row; the editor has hidden itself.
    std::function<void(const ActionComposer::Action&)> onAdd;
    // The close button: the editor has hidden itself and dropped its picks.
    std::function<void()> onClose;

  protected:
    void Relayout(int dpi) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnClose() override;

  private:
    void CreateControls();
    void SetFonts();
    void OnListPicked(int list);
    // Takes a name typed into a list as its entry; false, with a tip, for one that is no key.
    bool AcceptTyped(int list);
    void OnAddNow();
    void Discard();

    ShellOpener& shell_;
    ActionComposer composer_;
    std::array<HWND, ActionComposer::kLists> lists_{};  // left, middle, right
    HWND addNow_ = nullptr;
    std::unique_ptr<TextLink> link_;
    UniqueFont listFont_;
    UniqueFont addNowFont_;
    bool discarded_ = false;
};

}  // namespace tavero
