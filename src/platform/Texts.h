#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/TextIds.h"

namespace tavero {

// The program's words, by their identifiers (platform/TextIds.h). Every text a user sees is in
// the resource script's string table (ui/Texts.rc), so that a translation is one file; logic
// fills a text's blanks and never builds a sentence of its own. Empty for an unknown identifier.
std::wstring Text(int id);
// The text with its blanks %1, %2, ... filled, in order, by `fills`.
std::wstring Text(int id, std::initializer_list<std::wstring_view> fills);

// Fills the blanks %1 to %9 of `pattern` with `fills`; a blank with nothing to fill it is left
// out, and "%%" is a percent sign.
std::wstring FillText(std::wstring_view pattern, std::initializer_list<std::wstring_view> fills);

}  // namespace tavero
