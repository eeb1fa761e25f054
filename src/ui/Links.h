#pragma once

#include "Version.h"

namespace tavero::links {

// The maker's sites live under a reserved example domain.
inline constexpr const wchar_t* kHomePage = L"https://mirelle.example.com/";
inline constexpr const wchar_t* kSearchGuide = L"https://omdara.example.com/";
inline constexpr const wchar_t* kHotKeyGuide = L"https://omdara.example.com/hotkey.html";
inline constexpr const wchar_t* kProductPage = L"https://mirelle.example.com/products/mirelle/";
inline constexpr const wchar_t* kVersionPage =
    L"https://mirelle.example.com/products/mirelle/verson.html?verson=" TAVERO_RELEASE_WIDE;

}  // namespace tavero::links
