#pragma once

#include <windows.h>

#include <functional>

#include "platform/Handles_win.h"

namespace tavero {

// A thread of the system's own that runs `body`, joined where it is let go of. What std::thread
// does here, without the C++ library's threading runtime it would bring into the exe.
class Thread {
  public:
    Thread() = default;
    // Throws a RunTimeError where the system starts no thread.
    explicit Thread(std::function<void()> body);
    ~Thread() { Join(); }
    Thread(Thread&& other) noexcept = default;
    Thread& operator=(Thread&& other) noexcept {
        Join();
        handle_ = std::move(other.handle_);
        return *this;
    }

    bool Joinable() const { return static_cast<bool>(handle_); }
    // Waits for the thread to end; nothing where there is none.
    void Join();

  private:
    UniqueKernelHandle handle_;
};

}  // namespace tavero
