// The floor for start-up: a window equivalent to the program's main window with no logic in
// it. Borderless, the same child windows of the same kinds in the same places (the title strip
// with its three pictures, ten rows of hotkey box, START box, action text and pencil, the link),
// the ten hidden hotkey windows, the same manifest, the same fonts and captions; shown, with its
// frame, title and link text painted. No settings, no hotkeys, no capture, no tray icon.
#include <windows.h>

#include <commctrl.h>

#include "ui/MainLayout.h"

namespace {

namespace layout = tavero::main_layout;

int dpi = 96;
HFONT titleFont = nullptr;
HFONT windowFont = nullptr;

int Px(int twips) {
    return MulDiv(twips, dpi, 1440);
}

HFONT Font(const wchar_t* face, int points, int weight, BYTE charset) {
    return CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, weight, FALSE, FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

// The window paints its frame; the parts paint green, the strip its title, the link its text.
LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            wchar_t text[64] = {};
            GetWindowTextW(hwnd, text, 64);
            if (GetParent(hwnd) == nullptr) {
                HPEN pen = CreatePen(PS_SOLID, 10, RGB(0, 153, 102));
                HGDIOBJ old = SelectObject(dc, pen);
                SelectObject(dc, GetStockObject(NULL_BRUSH));
                Rectangle(dc, 0, 0, r.right, r.bottom);
                SelectObject(dc, old);
                DeleteObject(pen);
            } else {
                HBRUSH green = CreateSolidBrush(RGB(0, 153, 102));
                FillRect(dc, &r, green);
                DeleteObject(green);
                HGDIOBJ old = SelectObject(dc, text[0] == L'T' ? titleFont : windowFont);
                SetBkMode(dc, TRANSPARENT);
                DrawTextW(dc, text, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE);
                SelectObject(dc, old);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, DWORD ex,
           const tavero::TwipsRect& r, HWND parent, HFONT font = nullptr) {
    HWND child = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, Px(r.left),
                                 Px(r.top), Px(r.width), Px(r.height), parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (font != nullptr) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return child;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    for (const wchar_t* name : {L"ReferenceWindow", L"ReferencePart"}) {
        wc.lpszClassName = name;
        RegisterClassW(&wc);
    }
    HWND main = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, L"ReferenceWindow",
                                L"reference window", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                nullptr, nullptr, instance, nullptr);
    dpi = static_cast<int>(GetDpiForWindow(main));
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int w = Px(layout::kWidth);
    int h = Px(layout::kHeight);
    SetWindowPos(main, nullptr, (work.right - w) / 2, (work.bottom - h) / 2, w, h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const wchar_t* yaHei = L"\u5FAE\u8F6F\u96C5\u9ED1";
    titleFont = Font(yaHei, 12, FW_BOLD, ANSI_CHARSET);
    windowFont = Font(yaHei, 9, FW_NORMAL, DEFAULT_CHARSET);
    HFONT boxFont = Font(L"\u5B8B\u4F53", 9, FW_NORMAL, DEFAULT_CHARSET);
    HWND strip =
        Child(L"ReferencePart", L"Tavero Mirelle", WS_CLIPCHILDREN, 0, layout::kTitleStrip, main);
    for (const auto& part : {layout::kLogo, layout::kHideButton, layout::kCloseButton}) {
        Child(L"ReferencePart", L"", 0, 0, part, strip);
    }
    for (int row = 0; row < tavero::kRowCount; ++row) {
        const auto& r = layout::kRowTable[static_cast<std::size_t>(row)];
        Child(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, r.actionText, main,
              windowFont);
        Child(L"BUTTON", L"START", WS_TABSTOP | BS_AUTOCHECKBOX, 0, r.armBox, main, windowFont);
        HWND box =
            Child(L"ReferencePart", L"", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, r.hotKeyBox, main);
        Child(L"EDIT", L"Press Hotkey", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
              {0, 0, r.hotKeyBox.width, r.hotKeyBox.height}, box, boxFont);
        Child(L"ReferencePart", L"", 0, 0, r.editButton, main);
        CreateWindowExW(0, L"ReferencePart", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                        nullptr);
    }
    Child(L"ReferencePart", L"Tavero:  Omdara is Search Guides!", 0, 0, layout::kLink, main);
    ShowWindow(main, SW_SHOW);
    SetForegroundWindow(main);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(main, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}
