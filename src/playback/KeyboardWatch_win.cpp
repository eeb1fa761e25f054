#include "playback/KeyboardWatch_win.h"

#include "platform/KeyInjector_win.h"

namespace tavero {

namespace {

constexpr const wchar_t* kClassName = L"TaveroKeyboardWatch";

// Raw input names the modifiers by their generic codes; the side is in the scan code (Shift) or
// the extended flag (Ctrl, Alt).
int SidedKey(const RAWKEYBOARD& event) {
    bool extended = (event.Flags & RI_KEY_E0) != 0;
    switch (event.VKey) {
        case VK_SHIFT:
            return event.MakeCode == 0x36 ? VK_RSHIFT : VK_LSHIFT;
        case VK_CONTROL:
            return extended ? VK_RCONTROL : VK_LCONTROL;
        case VK_MENU:
            return extended ? VK_RMENU : VK_LMENU;
        default:
            return event.VKey;
    }
}

}  // namespace

KeyboardWatch::KeyboardWatch(KeyInjector& injector) : injector_(injector) {}

KeyboardWatch::~KeyboardWatch() {
    Listen(false);
    Destroy();
}

void KeyboardWatch::Listen(bool on) {
    if (on == listening_) {
        return;
    }
    // Made when first needed: a program with no row armed never listens.
    if (on) {
        MakeMessageOnly(kClassName);
    }
    // The window hears the keyboard whichever window has the focus.
    RAWINPUTDEVICE keyboard{0x01, 0x06, static_cast<DWORD>(on ? RIDEV_INPUTSINK : RIDEV_REMOVE),
                            on ? Handle() : nullptr};
    bool done = ::RegisterRawInputDevices(&keyboard, 1, sizeof(keyboard)) != FALSE;
    listening_ = on && done;
    if (on) {
        repeats_.Prepare();
    }
    if (!listening_) {
        held_.Forget();
        hands_.Forget();
    }
}

void KeyboardWatch::CatchUp() {
    if (Handle() == nullptr) {
        return;
    }
    MSG msg;
    while (::PeekMessageW(&msg, Handle(), WM_INPUT, WM_INPUT, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }
}

void KeyboardWatch::SwallowRepeatsOf(int key) {
    CatchUp();
    if (held_.StateOf(key) != Key::Up) {  // most hotkeys are let go of at once: no hook then
        repeats_.Watch(key);
    }
}

void KeyboardWatch::Heard(const RAWKEYBOARD& event, bool fromDevice) {
    int key = SidedKey(event);
    bool up = (event.Flags & RI_KEY_BREAK) != 0;
    bool own = event.ExtraInformation == kInjectedKeyMarker;
    if (fromDevice) {
        hands_.Heard(key, up, false);
    }
    if (int letGo = held_.Heard(key, up, own); letGo != 0) {
        KeyEvent release{letGo, true};
        injector_.Send({&release, 1});
    }
    // The user let go of a key, maybe the watched one before the hook was in place to see it.
    if (up && !own) {
        repeats_.Released(event.VKey);
        if (onReleased) {
            onReleased(event.VKey);
        }
    }
}

std::optional<LRESULT> KeyboardWatch::OnMessage(UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INPUT) {
        RAWINPUT raw;
        UINT size = sizeof(raw);
        if (::GetRawInputData(reinterpret_cast<HRAWINPUT>(lParam), RID_INPUT, &raw, &size,
                              sizeof(RAWINPUTHEADER)) != static_cast<UINT>(-1) &&
            raw.header.dwType == RIM_TYPEKEYBOARD) {
            Heard(raw.data.keyboard, raw.header.hDevice != nullptr);
        }
    }
    return std::nullopt;  // the default handling frees what the system kept for a WM_INPUT
}

}  // namespace tavero
