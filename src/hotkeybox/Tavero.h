#pragma once

#include <functional>
#include <string>

#include "hotkeybox/HotKeyCapture.h"
#include "hotkeybox/HotKeyStore.h"
#include "platform/HotKeyRegistrar.h"
#include "platform/MessageBoxes.h"

namespace tavero {

// What the box shows: its text, with the caret kept at the end.
class TaveroView {
  public:
    virtual ~TaveroView() = default;
    virtual void ShowText(const std::wstring& text) = 0;
    virtual void MoveCaretToEnd() = 0;
};

// Events raised to the host. Parameters are references: the host may change them.
struct TaveroEvents {
    std::function<void()> hotKeyPressed;
    // The box disarmed itself because a key went down in it.
    std::function<void()> hotKeyDisarmed;
    std::function<void()> click;
    std::function<void()> dblClick;
    std::function<void(int& key, int& shiftState)> keyDown;
    std::function<void(int& key, int& shiftState)> keyUp;
    std::function<void(int& button, int& shiftState, float& x, float& y)> mouseDown;
    std::function<void(int& button, int& shiftState, float& x, float& y)> mouseMove;
    std::function<void(int& button, int& shiftState, float& x, float& y)> mouseUp;
    // A property changed; the argument is the property's name.
    std::function<void(const std::wstring&)> propertyChanged;
};

// The hotkey capture box without its window: captures a hotkey from key events, arms it as a
// system-wide hotkey with identifier 1 on the box's own window, and keeps it in its store.
class Tavero {
  public:
    static constexpr int kHotKeyId = 1;

    Tavero(std::wstring name, HotKeyRegistrar& registrar, const KeyNames& names,
           MessageBoxes& messages, HotKeyStore store);
    Tavero(const Tavero&) = delete;
    Tavero& operator=(const Tavero&) = delete;

    void AttachView(TaveroView* view);
    TaveroEvents& Events() { return events_; }
    const std::wstring& Name() const { return name_; }

    // Loads the saved hotkey; it is not armed.
    void Load();
    // Shows a hotkey its owner keeps (no store of the box's own); not armed, not edited.
    void Show(int keyCode, int modKeyCode);
    // Empties the box, as a hotkey refused is.
    void Clear();

    // Key events of the box. A key-down of the context-menu key sets `key` to 0 and does
    // nothing else, as does a character packet from an input method. Modifiers alone only
    // preview; a key that completes a new hotkey captures it and disarms the box. `winDown`:
    // either Windows key is down as the key goes down. A `repeat` of a key already down (held
    // since before this box had the focus, say) is never a new hotkey.
    void KeyDown(int& key, int& shiftState, bool winDown, bool repeat = false);
    void KeyUp(int& key, int& shiftState);
    // The box lost the keyboard focus: a preview gives way to the hotkey.
    void FocusLost();

    // The registered hotkey was pressed.
    void RaiseEvents();

    // What the box shows now (a preview while modifiers are held alone).
    const std::wstring& Text() const { return capture_.Text(); }
    int KeyCode() const { return capture_.KeyCode(); }
    int ModKeyCode() const { return capture_.ModKeyCode(); }

    bool HotKeyEnabled() const { return hotKeyEnabled_; }
    // Arms or disarms. Arming an empty box or a combination the system refuses shows the
    // matching message and leaves the box disarmed; a refused combination is also cleared.
    void SetHotKeyEnabled(bool enabled);
    enum class ArmResult { Armed, NoHotKey, Taken };
    // Arms without a word, where the caller tells the user itself; a refused combination stays
    // in the box.
    ArmResult TryArm();
    // Arms a box whose combination another armed box of the program shares, where only one of
    // them applies in any program: which of them holds it is its owner's to say (SetInScope).
    ArmResult ArmSharing();
    // Refuses the box's combination as taken: the message, and the box emptied.
    void RefuseAsTaken();
    // Paused, an armed box lets its combination go, so that it reaches applications, and stays
    // armed; resumed, it takes it again. Likewise out of the programs where it applies (its
    // owner says, as the program in front changes). False where another program took it
    // meanwhile: the box is disarmed then, without a word (the caller tells the user), and keeps
    // its hotkey.
    bool SetPaused(bool paused);
    bool SetInScope(bool inScope);
    // The word for the user where the hotkey takes a character the keyboard types (AltGr).
    std::wstring TypingClash() const { return capture_.TypingClash(); }

    // Whether the hotkey changed since it was loaded (captured anew, or cleared as refused).
    bool Edited() const { return edited_; }

    // Writes the hotkey (never a preview) to the store; false when a write failed.
    bool SaveSettings();

    // Store settings are given at creation; changing them afterwards raises error 382.
    const std::wstring& INIFileName() const { return store_.Settings().iniFileName; }
    int SettingLocation() const { return store_.Settings().settingLocation; }
    const std::wstring& RegKeyName() const { return store_.Settings().regKeyName; }
    [[noreturn]] void SetINIFileName(const std::wstring& value);
    [[noreturn]] void SetSettingLocation(int value);
    [[noreturn]] void SetRegKeyName(const std::wstring& value);

  private:
    [[noreturn]] void RefuseDesignTimeSetting(const wchar_t* property) const;
    // Takes or lets go of the combination as the box's state asks; false where taking failed.
    bool Hold();
    void ShowCapture();

    std::wstring name_;
    HotKeyRegistrar& registrar_;
    MessageBoxes& messages_;
    HotKeyStore store_;
    HotKeyCapture capture_;
    TaveroView* view_ = nullptr;
    TaveroEvents events_;
    bool hotKeyEnabled_ = false;
    bool paused_ = false;
    bool inScope_ = true;
    bool registered_ = false;
    bool edited_ = false;
};

}  // namespace tavero
