#include "platform/Thread_win.h"

#include <memory>

namespace tavero {

namespace {

DWORD WINAPI Run(void* body) {
    std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(body));
    (*owned)();
    return 0;
}

}  // namespace

Thread::Thread(std::function<void()> body) {
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    handle_.Reset(::CreateThread(nullptr, 0, Run, owned.get(), 0, nullptr));
    if (handle_) {
        owned.release();  // the thread's now
    }
}

void Thread::Join() {
    if (handle_) {
        ::WaitForSingleObject(handle_.Get(), INFINITE);
        handle_.Reset();
    }
}

}  // namespace tavero
