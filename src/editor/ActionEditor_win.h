#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "app/TitleStrip_win.h"
#include "editor/ActionComposer.h"
#include "platform/ShellOpener.h"
#include "platform/Window_win.h"
#include "ui/HoverLink_win.h"

namespace tavero {

// The small window in which the user composes a row's action from three lists of key names.
// It is made hidden at start and shown for one row at a time.
class ActionEditor : public Window {
  public:
    static constexpr const wchar_t* kCaption = L"Form1";
    static constexpr int kLeftListId = 2001;
    static constexpr int kMiddleListId = 2002;
    static constexpr int kRightListId = 2003;
    static constexpr int kAddNowId = 2004;
    static constexpr int kTitleStripId = 2005;

    explicit ActionEditor(ShellOpener& shell);
    ~ActionEditor() override;

    // Shows the editor for row 0..9. After a close it starts fresh; after "Add Now" it keeps
    // its picks.
    void OpenFor(int row);

    // "Add Now": the composed action for the row; the editor has hidden itself.
    std::function<void(const ActionComposer::Action&)> onAdd;
    // The close button: the editor has hidden itself and dropped its picks.
    std::function<void()> onClose;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateControls();
    void FillLists();
    void Layout(int dpi);
    void Paint();
    void DrawAddNow(const DRAWITEMSTRUCT& item);
    void OnListPicked(int list);
    void OnAddNow();
    void OnClose();

    ShellOpener& shell_;
    ActionComposer composer_;
    std::unique_ptr<TitleStrip> titleStrip_;
    std::array<HWND, ActionComposer::kLists> lists_{};  // left, middle, right
    HWND addNow_ = nullptr;
    UniqueFont listFont_;
    UniqueFont addNowFont_;
    std::unique_ptr<HoverLink> link_;
    int dpi_ = 96;
    bool discarded_ = false;
    bool placed_ = false;
};

}  // namespace tavero
