#include "ui/Skin_win.h"

#include <algorithm>
#include <map>

namespace tavero {

namespace {

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

void RoundBox(HDC dc, const RECT& r, COLORREF fill, int radius) {
    UniqueBrush brush(::CreateSolidBrush(fill));
    UniquePen pen(::CreatePen(PS_SOLID, 1, fill));
    Selected b(dc, brush.Get());
    Selected p(dc, pen.Get());
    ::RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, int width, COLORREF color) {
    LOGBRUSH lb{BS_SOLID, color, 0};
    UniquePen pen(::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND, std::max(1, width), &lb,
                                 0, nullptr));
    Selected p(dc, pen.Get());
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

}  // namespace

bool FaceInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC dc = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(
        dc, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM result) -> int {
            *reinterpret_cast<bool*>(result) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, dc);
    return found;
}

// The face a skin font is made with: its own where installed, else the system's message font,
// which keeps the text readable and about as wide as the layout expects. Looked up once per
// face: the fonts are made again at every DPI change.
const std::wstring& ChosenFace(const wchar_t* face) {
    static std::map<std::wstring, std::wstring> chosen;
    auto it = chosen.find(face);
    if (it == chosen.end()) {
        std::wstring use = face;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (!FaceInstalled(face) &&
            ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            use = metrics.lfMessageFont.lfFaceName;
        }
        it = chosen.emplace(face, std::move(use)).first;
    }
    return it->second;
}

UniqueFont CreateSkinFont(const wchar_t* face, int points, int weight, BYTE charset, int dpi,
                          bool underline) {
    return UniqueFont(::CreateFontW(-::MulDiv(points, dpi, 72), 0, 0, 0, weight, FALSE,
                                    underline ? TRUE : FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, ChosenFace(face).c_str()));
}

void DrawLogo(HDC dc, const RECT& r) {
    // A white key cap with a green key on it.
    int unit = std::max(1, Width(r) / 11);
    RoundBox(dc, r, RGB(255, 255, 255), unit * 3);
    RECT key{r.left + 2 * unit, r.top + 2 * unit, r.right - 2 * unit, r.bottom - 3 * unit};
    RoundBox(dc, key, ToColorRef(palette::kGreen), unit * 2);
    Line(dc, key.left + 2 * unit, key.bottom - 2 * unit, key.right - 2 * unit,
         key.bottom - 2 * unit, unit, RGB(255, 255, 255));
}

void DrawHideButton(HDC dc, const RECT& r) {
    RoundBox(dc, r, RGB(0, 122, 82), Height(r) / 2);
    int y = r.top + Height(r) / 2;
    int w = std::max(1, Height(r) / 8);
    Line(dc, r.left + Width(r) / 3, y, r.right - Width(r) / 3, y, w, RGB(255, 255, 255));
}

void DrawCloseButton(HDC dc, const RECT& r) {
    RoundBox(dc, r, RGB(212, 64, 54), Height(r) / 2);
    int cx = r.left + Width(r) / 2;
    int cy = r.top + Height(r) / 2;
    int d = Height(r) / 4;
    int w = std::max(1, Height(r) / 8);
    Line(dc, cx - d, cy - d, cx + d, cy + d, w, RGB(255, 255, 255));
    Line(dc, cx - d, cy + d, cx + d, cy - d, w, RGB(255, 255, 255));
}

void DrawEditButton(HDC dc, const RECT& r) {
    // A pencil on a green square.
    RoundBox(dc, r, ToColorRef(palette::kGreen), Width(r) / 4);
    int unit = std::max(1, Width(r) / 12);
    Line(dc, r.left + 3 * unit, r.bottom - 3 * unit, r.right - 4 * unit, r.top + 4 * unit, 2 * unit,
         RGB(255, 255, 255));
    Line(dc, r.left + 3 * unit, r.bottom - 3 * unit, r.left + 3 * unit, r.bottom - 3 * unit,
         3 * unit, RGB(255, 214, 0));
}

void DrawFocusRing(HDC dc, const RECT& r, int width, COLORREF color) {
    UniqueBrush brush(::CreateSolidBrush(color));
    const RECT sides[] = {{r.left, r.top, r.right, r.top + width},
                          {r.left, r.bottom - width, r.right, r.bottom},
                          {r.left, r.top, r.left + width, r.bottom},
                          {r.right - width, r.top, r.right, r.bottom}};
    for (const RECT& side : sides) {
        ::FillRect(dc, &side, brush.Get());
    }
}

void DrawFrame(HDC dc, const RECT& r, int penWidth, COLORREF color) {
    UniquePen pen(::CreatePen(PS_SOLID, penWidth, color));
    Selected p(dc, pen.Get());
    Selected b(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

void DrawLink(HDC dc, const RECT& r, const std::wstring& caption, HFONT font, COLORREF text,
              COLORREF background) {
    UniqueBrush brush(::CreateSolidBrush(background));
    ::FillRect(dc, &r, brush.Get());
    Selected f(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, text);
    RECT box = r;
    ::DrawTextW(dc, caption.c_str(), -1, &box, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace tavero
