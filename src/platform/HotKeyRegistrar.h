#pragma once

namespace tavero {

// System-wide hotkeys registered on one window; identifiers are per window.
class HotKeyRegistrar {
  public:
    virtual ~HotKeyRegistrar() = default;
    // True when the system accepted the combination; false when it is taken or invalid.
    virtual bool Register(int id, int modifiers, int key) = 0;
    virtual void Unregister(int id) = 0;
};

}  // namespace tavero
