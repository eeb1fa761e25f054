#include "platform/RunTimeError.h"

namespace tavero {

namespace {

// what() is narrow; the descriptions we raise are ASCII, anything else becomes '?'.
std::string Narrow(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
    }
    return out;
}

}  // namespace

RunTimeError::RunTimeError(int number, std::wstring source, std::wstring description)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      what_(Narrow(description_)) {}

RunTimeError RunTimeError::Prefixed(const std::wstring& prefix) const {
    return RunTimeError(number_, source_, prefix + description_);
}

}  // namespace tavero
