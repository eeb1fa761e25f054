#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "app/HotKeyRows.h"
#include "app/TitleStrip_win.h"
#include "app/Tray_win.h"
#include "hotkeybox/TaveroControl_win.h"
#include "platform/ShellOpener.h"
#include "platform/Window_win.h"
#include "ui/HoverLink_win.h"

namespace tavero {

// The startup window "设置": ten hotkey rows under a green title strip, in a green frame.
class MainWindow : public Window {
  public:
    static constexpr const wchar_t* kCaption = L"\u8BBE\u7F6E";
    static constexpr const wchar_t* kClassName = L"TaveroMirelleMain";

    MainWindow(const TaveroServices& services, ActionPlayer& player, ShellOpener& shell);
    ~MainWindow() override;

    HotKeyRows& Rows() { return *rows_; }
    void Show();
    void Hide() { ::ShowWindow(Handle(), SW_HIDE); }
    // Saves every hotkey, tells the user if that failed, and ends the program's message loop.
    void Quit();
    // Shows a row's action as it now is (after the editor changed it).
    void RefreshRow(int row);

    // Set by the program: opens the action editor for a row.
    std::function<void(int row)> onEditRow;
    // Runs once the window is first up, for the work that need not delay it.
    std::function<void()> onStarted;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    struct RowControls {
        std::unique_ptr<TaveroControl> hotKeyBox;
        HWND armBox = nullptr;
        HWND actionText = nullptr;
    };

    void CreateControls(const TaveroServices& services);
    void Layout(int dpi);
    void Paint();
    void OnArmBoxClicked(int row);
    void OnLeftButtonUp(int x, int y);
    void SetActionTip(int row);
    // Saves every hotkey and removes the tray icon, the first time only; false afterwards.
    bool SaveOnce();
    void FinishStart();
    PixelRect EditButtonRect(int row) const;

    ShellOpener& shell_;
    std::unique_ptr<HotKeyRows> rows_;
    std::unique_ptr<TitleStrip> titleStrip_;
    std::unique_ptr<Tray> tray_;
    std::array<RowControls, HotKeyRows::kCount> controls_;
    UniqueWindow tips_;
    UniqueFont windowFont_;
    UniqueFont hotKeyFont_;
    std::unique_ptr<HoverLink> link_;
    int dpi_ = 96;
    bool placed_ = false;
    bool quitting_ = false;
};

}  // namespace tavero
