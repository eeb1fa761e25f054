#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "hotkeybox/TaveroControl_win.h"
#include "rows/HotKeyRows.h"
#include "ui/DrawnButton_win.h"

namespace tavero {

// The main window's ten rows on screen: each row's hotkey box, arm box ("START"), action text
// and pencil, made in the keyboard's tab order and placed from the row table. Enter or F2 on an
// action text opens the editor, as the row's pencil does.
class MainRows {
  public:
    MainRows(HWND window, const TaveroServices& services, HotKeyRows& rows, int dpi,
             std::function<void(int row)> onEditRow);
    ~MainRows();
    MainRows(const MainRows&) = delete;
    MainRows& operator=(const MainRows&) = delete;

    void Relayout(int dpi);
    // The row of an arm box's identifier, or -1.
    static int ArmBoxRow(int id);
    HWND ArmBox(int row) const { return At(row).armBox; }
    // Ticks the arm boxes of the rows that are armed, and only those.
    void ShowArmed();
    // Shows a row's action as it now is; `withTip` also on the tip of its text.
    void Refresh(int row, bool withTip);
    // What is not needed to see the window: the action tips and the names screen readers speak.
    void FinishStart();

    // Asked for an action text's menu (a right click, Shift+F10, the menu key), at `at` on the
    // screen: where the row applies.
    std::function<void(int row, POINT at)> onActionMenu;

  private:
    struct Row {
        HWND actionText = nullptr;
        HWND armBox = nullptr;
        std::unique_ptr<TaveroControl> hotKeyBox;
        std::unique_ptr<DrawnButton> editButton;
    };

    const Row& At(int row) const { return rows_[RowIndex(row)]; }
    Row& At(int row) { return rows_[RowIndex(row)]; }
    void SetFonts(int dpi, BOOL redraw);
    // What a screen reader calls a row's action text.
    std::wstring ActionName(int row) const;
    static LRESULT CALLBACK ActionTextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR row, DWORD_PTR self);

    HWND window_;
    HotKeyRows& model_;
    std::function<void(int row)> onEditRow_;
    std::array<Row, kRowCount> rows_;
    std::unique_ptr<ToolTips> tips_;
    UniqueFont windowFont_;
    UniqueFont hotKeyFont_;
};

}  // namespace tavero
