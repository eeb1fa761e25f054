#include "hotkeybox/HotKeyWindow_win.h"

#include <algorithm>

namespace tavero {

namespace {
constexpr const wchar_t* kClassName = L"TaveroHotKeyWindow";
}

HotKeyWindow::HotKeyWindow(std::function<void()> onHotKey) : onHotKey_(std::move(onHotKey)) {}

HotKeyWindow::~HotKeyWindow() {
    for (int id : registered_) {
        ::UnregisterHotKey(Handle(), id);
    }
    Destroy();
}

bool HotKeyWindow::Register(int id, int modifiers, int key) {
    if (!MakeMessageOnly(kClassName) ||
        !::RegisterHotKey(Handle(), id, static_cast<UINT>(modifiers), static_cast<UINT>(key))) {
        return false;
    }
    registered_.push_back(id);
    return true;
}

void HotKeyWindow::Unregister(int id) {
    if (Handle() == nullptr) {
        return;
    }
    ::UnregisterHotKey(Handle(), id);
    registered_.erase(std::remove(registered_.begin(), registered_.end(), id), registered_.end());
}

std::optional<LRESULT> HotKeyWindow::OnMessage(UINT msg, WPARAM, LPARAM) {
    if (msg != WM_HOTKEY) {
        return std::nullopt;
    }
    if (onHotKey_) {
        onHotKey_();
    }
    return 0;
}

}  // namespace tavero
