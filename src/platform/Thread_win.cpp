#include "platform/Thread_win.h"

#include <memory>

#include "platform/DecimalText.h"
#include "platform/RunTimeError.h"
#include "platform/Texts.h"

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
    if (!handle_) {
        // Said, as std::thread does: a caller that went on would wait for a thread that never
        // runs, or leave to it keys it never lets go of.
        throw RunTimeError(kErrSystemCall, L"Thread",
                           Text(TAVERO_TEXT_THREAD_FAILED, {DecimalText(::GetLastError())}));
    }
    owned.release();  // the thread's now
}

void Thread::Join() {
    if (handle_) {
        ::WaitForSingleObject(handle_.Get(), INFINITE);
        handle_.Reset();
    }
}

}  // namespace tavero
