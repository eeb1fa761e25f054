#include "app/App_win.h"

#include <commctrl.h>

#include "platform/MessagePump_win.h"

namespace tavero {

App::App() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);

    main_ = std::make_unique<MainWindow>(services_, player_, shell_);
    messages_.SetOwner(main_->Handle());
    shell_.SetOwner(main_->Handle());
    main_->Show();
}

App::~App() {
    main_.reset();
}

int App::Run() {
    return MessagePump::Run();
}

}  // namespace tavero
