#pragma once

#include <windows.h>

#include <objbase.h>

#include "platform/SystemLibrary_win.h"

namespace tavero {

// COM on the user-interface thread, a single-threaded apartment, from start to end: the shell
// and the accessibility libraries run on it, and a screen reader's requests may come before
// anything else of the program's.
class ComApartment {
  public:
    ComApartment() {
        HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
        auto initialize = SystemFunction<decltype(&::CoInitializeEx)>(ole32, "CoInitializeEx");
        uninitialize_ = SystemFunction<decltype(&::CoUninitialize)>(ole32, "CoUninitialize");
        initialized_ =
            initialize != nullptr && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    }
    ~ComApartment() {
        if (initialized_ && uninitialize_ != nullptr) {
            uninitialize_();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    decltype(&::CoUninitialize) uninitialize_ = nullptr;
    bool initialized_ = false;
};

}  // namespace tavero
