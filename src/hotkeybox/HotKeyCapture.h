#pragma once

#include <string>

#include "platform/KeyNames.h"
#include "platform/Texts.h"

namespace tavero {

// A readable name for a key the platform has no name for ("F13", "Volume Up", "Key 255"): a
// hotkey's text is never missing its key.
std::wstring FallbackKeyName(int key);

// Turns the keys pressed in a capture box into a hotkey: the main key, the modifier flags and
// the text the box shows ("Win + ", "Ctrl + ", "Alt + ", "Shift + ", then the key's name).
//
// Modifiers pressed alone only preview the combination being formed: the hotkey is replaced
// only when a key other than a modifier completes a new one, so a Shift+Tab, an Alt+Tab or a
// stray Ctrl never wipes it.
class HotKeyCapture {
  public:
    // What a box without a hotkey shows: "Press Hotkey".
    static std::wstring EmptyText() { return tavero::Text(TAVERO_TEXT_PRESS_HOTKEY); }

    enum class Outcome {
        Previewed,  // modifiers alone: shown, the hotkey unchanged
        Captured,   // a new hotkey
        Ignored,    // a key that is never a hotkey's
    };

    explicit HotKeyCapture(const KeyNames& names) : names_(names) {}

    // A key went down with the given shift state (shift::kShift | kCtrl | kAlt); `winDown`
    // tells whether either Windows key is down at that moment.
    Outcome KeyDown(int key, int shiftState, bool winDown);
    // A key went up: a preview gives way to the hotkey as it was.
    void KeyUp();
    // The box lost the keyboard mid-combination: likewise.
    void EndPreview() { KeyUp(); }

    // The empty state: "Press Hotkey", no key, no modifiers.
    void Clear();
    // A hotkey from the store: taken as it is when sound, otherwise the empty state.
    void Restore(const std::wstring& text, int keyCode, int modKeyCode);
    // A hotkey known by its codes alone, its text written as a capture would write it.
    void Set(int keyCode, int modKeyCode);
    // A hotkey's text: the modifiers (mod:: flags) in their order, then the key's name.
    std::wstring TextOf(int key, int mods) const;
    static std::wstring ModifiersText(int mods);

    // What the box shows now: the hotkey, or the preview of modifiers being held.
    const std::wstring& Text() const { return previewing_ ? preview_ : text_; }
    // The hotkey's own text, as it is saved.
    const std::wstring& HotKeyText() const { return text_; }
    int KeyCode() const { return keyCode_; }
    int ModKeyCode() const { return modKeyCode_; }
    // Where the hotkey is Ctrl + Alt + a key that types a character on this keyboard (AltGr
    // is Ctrl + Alt to Windows), a word to the user that the hotkey takes that character;
    // empty otherwise. The hotkey stays.
    std::wstring TypingClash() const;

    static bool IsValidKeyCode(int key) { return key >= 1 && key <= 254; }
    static bool IsValidModKeyCode(int mods) { return mods >= 0 && mods <= 15; }

  private:
    const KeyNames& names_;
    std::wstring text_ = EmptyText();
    int keyCode_ = 0;
    int modKeyCode_ = 0;
    std::wstring preview_;
    bool previewing_ = false;
};

}  // namespace tavero
