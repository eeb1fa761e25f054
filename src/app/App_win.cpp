#include "app/App_win.h"

#include <commctrl.h>

#include "platform/MessagePump_win.h"

namespace tavero {

App::App(SingleInstance& instance, const std::wstring& settingsFolder, bool hidden,
         std::vector<int> armRows)
    : folder_(settingsFolder) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);

    main_ = std::make_unique<MainWindow>(services_, player_, shell_, startup_);
    messages_.SetOwner(main_->Handle());
    shell_.SetOwner(main_->Handle());

    // The editor is made hidden once the main window has been painted, and shown for one row at
    // a time.
    main_->onStarted = [this] { CreateEditor(); };
    // Saved and on its way out: a copy started now runs, whatever is left of the teardown.
    main_->onQuitting = [this, &instance] { instance.GiveUp(main_->Handle()); };
    main_->onEditRow = [this](int row) {
        CreateEditor();
        editor_->OpenFor(row, main_->Handle());
        main_->Hide();
    };
    // Keys played where they cannot reach go nowhere: the rows say so instead, once for each
    // program that keeps them out.
    main_->Rows().StopWhereKeysCannotReach(
        targets_, [this](const std::wstring& text) { main_->TellInSight(text); });
    main_->Rows().onFollowingChanged = [this](bool following) {
        foregroundWatch_.FollowClosely(following);
    };
    main_->Rows().onArmedChanged = [this](bool any) {
        foregroundWatch_.Watch(any);
        if (any) {
            retry_.Prepare();
        }
    };
    main_->onReleaseKeys = [this] { return release_.ReleaseAll(); };
    // Rows held or repeated while their hotkey is held: the user's release of its key ends them.
    main_->Rows().PressBy(held_);
    ticker_.onTick = [this](int id) { held_.Tick(id); };
    keyboardWatch_.onReleased = [this](int key) { held_.Released(key); };
    main_->KnowProgramsBy(programs_);
    // Found by a later copy, and taking its commands, once started whole, the rows armed.
    main_->onReady = [this, &instance] { instance.Ready(main_->Handle()); };
    main_->Start(hidden, std::move(armRows));
}

void App::CreateEditor() {
    if (editor_) {
        return;
    }
    editor_ = std::make_unique<ActionEditor>(shell_);
    editor_->onAdd = [this](const ActionComposer::Action& action) {
        main_->Rows().SetAction(action.row, action.displayText, action.actionCode);
        main_->RefreshRow(action.row);
        main_->Show();
    };
    editor_->onClose = [this] { main_->Show(); };
}

App::~App() {
    editor_.reset();
    main_.reset();
    // A key-up the system refused until now gets its last chance.
    injector_.Retry();
}

int App::Run() {
    return MessagePump::Run();
}

}  // namespace tavero
