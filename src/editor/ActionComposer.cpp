#include "editor/ActionComposer.h"

#include "editor/KeyNameTable.h"
#include "platform/DecimalText.h"

namespace tavero {

void ActionComposer::Reset() {
    code_ = {};
    display_ = {};
}

void ActionComposer::Pick(int list, const std::wstring& name) {
    std::size_t i = Index(list);
    if (name.empty()) {
        code_.at(i).clear();
        display_.at(i).clear();
        return;
    }
    code_.at(i) = KeyCodeText(name) + L"|";
    display_.at(i) = name + L" + ";
}

ActionComposer::Action ActionComposer::Compose() const {
    std::wstring display = display_[0] + display_[1] + display_[2];
    if (display.empty()) {
        return {row_, L"", L""};
    }
    // Two characters go: the text keeps one blank of the last " + ".
    display.resize(display.size() - 2);

    int count = 0;
    std::wstring codes;
    for (const std::wstring& fragment : code_) {
        if (!fragment.empty()) {
            ++count;
            codes += fragment;
        }
    }
    std::wstring code = DecimalText(count) + L"|" + codes;
    code.pop_back();  // the last "|"
    return {row_, display, code};
}

}  // namespace tavero
