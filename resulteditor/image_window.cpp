// The page image window: the grey page as a packed DIB, shown magnified (levels 0 to 6), 1:1
// (level 7) or as a reduced copy (levels 8 to 15); a region drawn in select mode, panning in pan
// mode, and the field menu over a region.
#include "image_window.h"
#include "glyph_pane.h"
#include "pixwell_core.h"
#include "resource_ids.h"
#include <math.h>
#include <string.h>

namespace {

constexpr int kMaxLevel = 15;
constexpr int kFitFromLevel = 7;

struct LockedDib {
    explicit LockedDib(HGLOBAL block) : block_(block) {
        data = block ? static_cast<BYTE*>(GlobalLock(block)) : nullptr;
        info = reinterpret_cast<BITMAPINFO*>(data);
    }
    ~LockedDib() {
        if (data) GlobalUnlock(block_);
    }
    const BYTE* Bits() const { return data + info->bmiHeader.biSize + pixwell::DibPaletteBytes(&info->bmiHeader); }
    int Width() const { return info->bmiHeader.biWidth; }
    int Height() const { return info->bmiHeader.biHeight; }
    BYTE* data;
    BITMAPINFO* info;

private:
    HGLOBAL block_;
};

// The page's grey rows (top-down) as a bottom-up packed DIB with its colour table.
HGLOBAL BuildBaseImage(const RecogImageInfo& image) {
    int width = image.Width, height = image.Height, bits = image.GreyBitsPerPixel;
    if (!image.GreyRows || width < 1 || height < 1) return nullptr;
    int entries = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    int stride = pixwell::DibRowBytes(bits, width);
    if (stride < image.GreyBytesPerRow && bits <= 8) return nullptr;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + 4 * entries + (SIZE_T)stride * height);
    const BYTE* rows = static_cast<const BYTE*>(GlobalLock(image.GreyRows));
    BYTE* out = dib ? static_cast<BYTE*>(GlobalLock(dib)) : nullptr;
    if (!rows || !out) {
        if (rows) GlobalUnlock(image.GreyRows);
        if (dib) GlobalFree(dib);
        return nullptr;
    }
    BITMAPINFOHEADER& header = *reinterpret_cast<BITMAPINFOHEADER*>(out);
    header = {sizeof header, width, height, 1, (WORD)bits, BI_RGB, 0, 0, 0, 0, 0};
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(out + 40);
    PALETTEENTRY colours[256] = {};
    int known = image.Palette ? GetPaletteEntries((HPALETTE)image.Palette, 0, entries, colours) : 0;
    for (int i = 0; i < entries; ++i) {
        BYTE grey = (BYTE)(entries == 2 ? i * 255 : entries == 16 ? i * 16 : i);
        table[i] = known > i ? RGBQUAD{colours[i].peBlue, colours[i].peGreen, colours[i].peRed, 0}
                             : RGBQUAD{grey, grey, grey, 0};
    }
    int copy = image.GreyBytesPerRow < stride ? image.GreyBytesPerRow : stride;
    BYTE* pixels = out + 40 + 4 * entries;
    for (int y = 0; y < height; ++y)
        memcpy(pixels + (SIZE_T)(height - 1 - y) * stride, rows + (SIZE_T)y * image.GreyBytesPerRow, copy);
    GlobalUnlock(image.GreyRows);
    GlobalUnlock(dib);
    return dib;
}

// A reduced copy at factor f, never smaller than one pixel each way.
HGLOBAL ReducedCopy(HGLOBAL base, double f) {
    LockedDib dib(base);
    if (!dib.data) return nullptr;
    int width = dib.Width(), height = dib.Height();
    double fx = width * f >= 1 ? f : 1.0 / width, fy = height * f >= 1 ? f : 1.0 / height;
    double factor = fx > fy ? fx : fy;
    return pixwell::ScaleImage(base, (float)factor, (float)factor);
}

SIZE ImageSize(HGLOBAL image) {
    LockedDib dib(image);
    return dib.data ? SIZE{dib.Width(), dib.Height()} : SIZE{0, 0};
}

// A scroll bar repaints at once on every change: a bar already so is left alone.
void SetScrollBar(HWND window, int bar, int range, int position) {
    SCROLLINFO now = {sizeof now, SIF_RANGE | SIF_POS | SIF_PAGE, 0, 0, 0, 0, 0};
    if (GetScrollInfo(window, bar, &now) && now.nMin == 0 && now.nMax == range && now.nPos == position &&
        now.nPage == 0)
        return;
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL, 0, range, 0, position, 0};
    SetScrollInfo(window, bar, &info, TRUE);
}

void UpdateScrollRanges(Editor& e) {
    SIZE size = ImageSize(e.DisplayImage);
    RECT outer;
    GetWindowRect(e.ImageWindow, &outer);
    int w = outer.right - outer.left, h = outer.bottom - outer.top;
    int rangeX = e.Magnification * size.cx - w, rangeY = e.Magnification * size.cy - h;
    int bar = GetSystemMetrics(SM_CXVSCROLL), barH = GetSystemMetrics(SM_CYHSCROLL);
    if (rangeX > 0 || rangeY > 0) {
        // One bar takes room from the other direction.
        if (rangeX > 0 && rangeY + barH > 0) rangeY += barH;
        if (rangeY > 0 && rangeX + bar > 0) rangeX += bar;
    }
    rangeX = rangeX > 0 ? rangeX : 0;
    rangeY = rangeY > 0 ? rangeY : 0;
    e.Scroll.x = e.Scroll.x < rangeX ? e.Scroll.x : rangeX;
    e.Scroll.y = e.Scroll.y < rangeY ? e.Scroll.y : rangeY;
    SetScrollBar(e.ImageWindow, SB_HORZ, rangeX, e.Scroll.x);
    SetScrollBar(e.ImageWindow, SB_VERT, rangeY, e.Scroll.y);
    RECT client;
    GetClientRect(e.ImageWindow, &client);
    e.Offset.x = e.Magnification * size.cx < client.right ? (client.right - e.Magnification * size.cx) / 2 : 0;
    e.Offset.y = e.Magnification * size.cy < client.bottom ? (client.bottom - e.Magnification * size.cy) / 2 : 0;
}

int FitLevel(Editor& e) {
    SIZE size = ImageSize(e.BaseImage);
    RECT client;
    GetClientRect(e.ImageWindow, &client);
    for (int level = kFitFromLevel; level <= kMaxLevel; ++level) {
        double f = ZoomFactor(level);
        if ((int)(size.cx * f) <= client.right && (int)(size.cy * f) <= client.bottom) return level;
    }
    return kMaxLevel;
}

void Paint(Editor& e, HDC dc) {
    RECT client;
    GetClientRect(e.ImageWindow, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    LockedDib dib(e.DisplayImage);
    if (!dib.data) return;
    int m = e.Magnification, w = dib.Width(), h = dib.Height();
    // Only the source pixels that cover the client area are stretched.
    int sx = e.Scroll.x / m, sy = e.Scroll.y / m;
    int cols = client.right / m + 2, rows = client.bottom / m + 2;
    cols = cols < w - sx ? cols : w - sx;
    rows = rows < h - sy ? rows : h - sy;
    if (cols < 1 || rows < 1) return;
    int dx = e.Offset.x + sx * m - e.Scroll.x, dy = e.Offset.y + sy * m - e.Scroll.y;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, dx, dy, cols * m, rows * m, sx, h - sy - rows, cols, rows, dib.Bits(), dib.info, DIB_RGB_COLORS,
                  SRCCOPY);
    if (IsRectEmpty(&e.Region)) return;
    double f = ZoomFactor(e.ZoomLevel);
    RECT shown = {
        (LONG)(e.Region.left * f) + e.Offset.x - e.Scroll.x, (LONG)(e.Region.top * f) + e.Offset.y - e.Scroll.y,
        (LONG)(e.Region.right * f) + e.Offset.x - e.Scroll.x, (LONG)(e.Region.bottom * f) + e.Offset.y - e.Scroll.y};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, red);
    PatBlt(dc, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top, PATINVERT);
    SelectObject(dc, old);
    DeleteObject(red);
    FrameRect(dc, &shown, (HBRUSH)GetStockObject(BLACK_BRUSH));
}

// A window point as image coordinates, clipped to the image.
POINT ToImage(Editor& e, POINT at) {
    SIZE size = ImageSize(e.BaseImage);
    double f = ZoomFactor(e.ZoomLevel);
    int x = (int)((at.x + e.Scroll.x - e.Offset.x) / f), y = (int)((at.y + e.Scroll.y - e.Offset.y) / f);
    x = x < 0 ? 0 : x > size.cx - 1 ? size.cx - 1 : x;
    y = y < 0 ? 0 : y > size.cy - 1 ? size.cy - 1 : y;
    return POINT{x, y};
}

void DrawBand(Editor& e) {
    HDC dc = GetDC(e.ImageWindow);
    RECT band = {e.Anchor.x < e.Band.x ? e.Anchor.x : e.Band.x, e.Anchor.y < e.Band.y ? e.Anchor.y : e.Band.y,
                 e.Anchor.x > e.Band.x ? e.Anchor.x : e.Band.x, e.Anchor.y > e.Band.y ? e.Anchor.y : e.Band.y};
    DrawFocusRect(dc, &band);
    ReleaseDC(e.ImageWindow, dc);
}

void ShowFieldMenu(Editor& e) {
    if (!e.FieldMenu || IsRectEmpty(&e.Region)) return;
    POINT at;
    GetCursorPos(&at);
    int chosen = TrackPopupMenu(e.FieldMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, e.ImageWindow, nullptr);
    if (chosen) SendMessageA(e.Dialog, WM_COMMAND, chosen, FIELD_MENU_FROM_IMAGE);
}

void ScrollTo(Editor& e, int x, int y) {
    SCROLLINFO info = {sizeof info, SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(e.ImageWindow, SB_HORZ, &info);
    x = x < 0 ? 0 : x > info.nMax ? info.nMax : x;
    GetScrollInfo(e.ImageWindow, SB_VERT, &info);
    y = y < 0 ? 0 : y > info.nMax ? info.nMax : y;
    if (e.Scroll.x != x) SetScrollPos(e.ImageWindow, SB_HORZ, x, TRUE);
    if (e.Scroll.y != y) SetScrollPos(e.ImageWindow, SB_VERT, y, TRUE);
    e.Scroll = {x, y};
    InvalidateRect(e.ImageWindow, nullptr, FALSE);
}

void ScrollMessage(Editor& e, int bar, int code) {
    RECT client;
    GetClientRect(e.ImageWindow, &client);
    int m = e.Magnification;
    bool across = bar == SB_HORZ;
    int pos = across ? e.Scroll.x : e.Scroll.y;
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(e.ImageWindow, bar, &info);
    int page = across ? client.right / 2 / m * m : m * (client.bottom / 2);
    switch (code) {
    case SB_LINEUP: pos -= 8 * m; break;
    case SB_LINEDOWN: pos += 8 * m; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = info.nMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = across ? info.nTrackPos / m * m : info.nTrackPos; break;
    default: return;
    }
    ScrollTo(e, across ? pos : e.Scroll.x, across ? e.Scroll.y : pos);
}

void Mouse(Editor& e, UINT message, POINT at) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (e.Tracking || !e.BaseImage) return;
        e.Tracking = true;
        e.Anchor = e.Band = at;
        SetCapture(e.ImageWindow);
        if (e.ImageMode == 1) {
            SetRectEmpty(&e.Region);
            InvalidateRect(e.ImageWindow, nullptr, FALSE);
            UpdateWindow(e.ImageWindow);
            DrawBand(e);
        } else {
            SetCursor(LoadCursorA(g_module, MAKEINTRESOURCEA(IDC_CURSOR_DRAGGING)));
        }
        return;
    case WM_MOUSEMOVE:
        if (!e.Tracking) return;
        if (e.ImageMode == 1) {
            DrawBand(e);
            e.Band = at;
            DrawBand(e);
        } else {
            int dx = (at.x - e.Band.x) / e.Magnification * e.Magnification;
            ScrollTo(e, e.Scroll.x - dx, e.Scroll.y - (at.y - e.Band.y));
            e.Band = {e.Band.x + dx, at.y};
        }
        return;
    case WM_LBUTTONUP: {
        if (!e.Tracking) return;
        e.Tracking = false;
        ReleaseCapture();
        if (e.ImageMode != 1) return;
        DrawBand(e);
        POINT a = ToImage(e, e.Anchor), b = ToImage(e, at);
        e.Region = {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x > b.x ? a.x : b.x, a.y > b.y ? a.y : b.y};
        InvalidateRect(e.ImageWindow, nullptr, FALSE);
        return;
    }
    case WM_RBUTTONUP: ShowFieldMenu(e); return;
    case WM_LBUTTONDBLCLK: {
        if (IsRectEmpty(&e.Region)) return;
        int row = (int)SendMessageA(e.List, 0x1000 + 12 /* LVM_GETNEXTITEM */, (WPARAM)-1, 2 /* LVNI_SELECTED */);
        if (row >= 0) SendMessageA(e.Dialog, WM_COMMAND, IDC_RECOGNIZE_SELECTED, 0);
        else ShowFieldMenu(e);
        return;
    }
    }
}

LRESULT CALLBACK ImageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Editor* e = g_editor;
    if (!e || e->ImageWindow != window) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Paint(*e, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_HSCROLL: ScrollMessage(*e, SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: ScrollMessage(*e, SB_VERT, LOWORD(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK: Mouse(*e, message, POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)}); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ApplyZoom(Editor& e) {
    if (e.DisplayImage && e.DisplayImage != e.BaseImage) GlobalFree(e.DisplayImage);
    e.DisplayImage = nullptr;
    double f = ZoomFactor(e.ZoomLevel);
    if (e.BaseImage && e.ZoomLevel > kFitFromLevel) {
        e.DisplayImage = ReducedCopy(e.BaseImage, f);
        e.Magnification = 1;
    } else {
        e.DisplayImage = e.BaseImage;
        e.Magnification = (int)f;
    }
    UpdateScrollRanges(e);
    InvalidateRect(e.ImageWindow, nullptr, FALSE);
    InvalidateRect(e.Dialog, &e.Slider, FALSE);
}

}  // namespace

double ZoomFactor(int level) {
    if (level < kFitFromLevel) return 8 - level;
    if (level == kFitFromLevel) return 1;
    return 1.0 / (level - 6);
}

HWND CreateImageWindow(Editor& e) {
    WNDCLASSA image = {};
    if (!GetClassInfoA(g_module, "ReglyphImageWindow", &image)) {
        image.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        image.lpfnWndProc = ImageWindowProc;
        image.hInstance = g_module;
        image.hCursor = LoadCursor(nullptr, IDC_CROSS);
        image.lpszClassName = "ReglyphImageWindow";
        RegisterClassA(&image);
    }
    e.ImageWindow = CreateWindowExA(0, "ReglyphImageWindow", "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0, 0,
                                    10, 10, e.Dialog, (HMENU)(INT_PTR)ID_IMAGE_WINDOW, g_module, nullptr);
    return e.ImageWindow;
}

void FreeImages(Editor& e) {
    if (e.DisplayImage && e.DisplayImage != e.BaseImage) GlobalFree(e.DisplayImage);
    if (e.BaseImage) GlobalFree(e.BaseImage);
    e.DisplayImage = e.BaseImage = nullptr;
}

void ReloadImage(Editor& e, bool withNewImage) {
    e.ImageMode = 1;
    SetRectEmpty(&e.Region);
    e.Magnification = 1;
    e.Scroll = e.Offset = POINT{0, 0};
    if (!e.Lines.Page || !e.ImageWindow) return;
    if (withNewImage) {
        FreeImages(e);
        e.BaseImage = BuildBaseImage(e.Lines.Page->Image);
        e.ZoomLevel = FitLevel(e);
    }
    ApplyZoom(e);
    BuildGlyphBitmap(e);
}

void SetZoomLevel(Editor& e, int level) {
    level = level < 0 ? 0 : level > kMaxLevel ? kMaxLevel : level;
    if (level == e.ZoomLevel) return;
    e.ZoomLevel = level;
    ApplyZoom(e);
}

void PaintSlider(Editor& e, HDC dc) {
    HBITMAP track = LoadBitmapA(g_module, MAKEINTRESOURCEA(IDB_SLIDER_TRACK));
    HBITMAP thumb = LoadBitmapA(g_module, MAKEINTRESOURCEA(IDB_SLIDER_THUMB));
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, track);
    BitBlt(dc, e.Slider.left, e.Slider.top, e.Slider.right - e.Slider.left, e.Slider.bottom - e.Slider.top, memory, 0,
           0, SRCCOPY);
    SelectObject(memory, thumb);
    BitBlt(dc, e.Slider.left + 3 * e.ZoomLevel + 1, e.Slider.top, 16, e.Slider.bottom - e.Slider.top, memory, 0, 0,
           SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(track);
    DeleteObject(thumb);
}

bool SliderMouse(Editor& e, UINT message, POINT at) {
    int thumbLeft = e.Slider.left + 3 * e.ZoomLevel + 1, thumbRight = thumbLeft + 16;
    if (message == WM_LBUTTONDOWN) {
        if (!PtInRect(&e.Slider, at)) return false;
        if (at.x >= thumbLeft && at.x < thumbRight) {
            e.SliderDragging = true;
            e.SliderDragX = at.x;
            SetCapture(e.Dialog);
        } else {
            SendMessageA(e.Dialog, WM_COMMAND, at.x < thumbLeft ? IDC_ZOOM_IN : IDC_ZOOM_OUT, 0);
        }
        return true;
    }
    if (!e.SliderDragging || (message != WM_MOUSEMOVE && message != WM_LBUTTONUP)) return false;
    int steps = (at.x - e.SliderDragX + 1) / 3;
    int level = e.ZoomLevel + steps;
    level = level < 0 ? 0 : level > kMaxLevel ? kMaxLevel : level;
    e.SliderDragX += 3 * (level - e.ZoomLevel);
    SetZoomLevel(e, level);
    if (message == WM_LBUTTONUP) {
        e.SliderDragging = false;
        ReleaseCapture();
    }
    return true;
}

void ShowRegion(Editor& e, const RECT& region) {
    e.Region = region;
    if (!e.ImageWindow) return;
    InvalidateRect(e.ImageWindow, nullptr, FALSE);
    if (IsRectEmpty(&region)) return;
    double f = ZoomFactor(e.ZoomLevel);
    RECT client;
    GetClientRect(e.ImageWindow, &client);
    int left = (int)(region.left * f) + e.Offset.x - e.Scroll.x, top = (int)(region.top * f) + e.Offset.y - e.Scroll.y;
    int right = (int)(region.right * f) + e.Offset.x - e.Scroll.x,
        bottom = (int)(region.bottom * f) + e.Offset.y - e.Scroll.y;
    if (left < 0 || top < 0 || right > client.right || bottom > client.bottom)
        ScrollTo(e, (int)(region.left * f) / e.Magnification * e.Magnification, (int)(region.top * f));
}
