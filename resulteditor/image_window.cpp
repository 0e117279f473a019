// The page image window: the grey page as a packed DIB, shown magnified (levels 0 to 6), 1:1
// (level 7) or as a reduced copy (levels 8 to 15); a region drawn in select mode, panning in pan
// mode, and the field menu over a region.
#include "image_window.h"
#include "glyph_pane.h"
#include "pixwell_core.h"
#include "resource_ids.h"
#include <math.h>
#include <stdlib.h>
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
    e.Pannable = rangeX > 0 || rangeY > 0;
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

// The region in window coordinates, as it is shown.
RECT ShownRegion(const Editor& e) {
    double f = ZoomFactor(e.ZoomLevel);
    int dx = e.Offset.x - e.Scroll.x, dy = e.Offset.y - e.Scroll.y;
    return RECT{(LONG)(e.Region.left * f) + dx, (LONG)(e.Region.top * f) + dy, (LONG)(e.Region.right * f) + dx,
                (LONG)(e.Region.bottom * f) + dy};
}

// A palette of the DIB's colour table, so that a palette display shows the page's own colours;
// null for depths without a table.
HPALETTE PaletteOf(const BITMAPINFO* info) {
    int bits = info->bmiHeader.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8) return nullptr;
    int entries = 1 << bits;
    LOGPALETTE* palette = static_cast<LOGPALETTE*>(malloc(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY)));
    if (!palette) return nullptr;
    palette->palVersion = 0x300;
    palette->palNumEntries = (WORD)entries;
    for (int i = 0; i < entries; ++i) {
        const RGBQUAD& c = info->bmiColors[i];
        palette->palPalEntry[i] = PALETTEENTRY{c.rgbRed, c.rgbGreen, c.rgbBlue, 0};
    }
    HPALETTE made = CreatePalette(palette);
    free(palette);
    return made;
}

void Paint(Editor& e, HDC dc) {
    RECT client;
    GetClientRect(e.ImageWindow, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    LockedDib dib(e.DisplayImage);
    if (!dib.data) return;
    HPALETTE palette = PaletteOf(dib.info);
    HPALETTE oldPalette = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette) RealizePalette(dc);
    int m = e.Magnification, w = dib.Width(), h = dib.Height();
    // Only the source pixels that cover the client area are stretched.
    int sx = e.Scroll.x / m, sy = e.Scroll.y / m;
    int cols = client.right / m + 2, rows = client.bottom / m + 2;
    cols = cols < w - sx ? cols : w - sx;
    rows = rows < h - sy ? rows : h - sy;
    int dx = e.Offset.x + sx * m - e.Scroll.x, dy = e.Offset.y + sy * m - e.Scroll.y;
    SetStretchBltMode(dc, COLORONCOLOR);
    if (cols > 0 && rows > 0)
        StretchDIBits(dc, dx, dy, cols * m, rows * m, sx, h - sy - rows, cols, rows, dib.Bits(), dib.info,
                      DIB_RGB_COLORS, SRCCOPY);
    if (palette) {
        SelectPalette(dc, oldPalette, FALSE);
        DeleteObject(palette);
    }
    if (cols < 1 || rows < 1 || IsRectEmpty(&e.Region)) return;
    RECT shown = ShownRegion(e);
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

// The tracker's parts: eight handles (corners from the top left clockwise, then the middles of
// the top, right, bottom and left edges) and the region itself, which moves it.
constexpr int kHandleSize = 7;
constexpr int kTrackerMove = 8;

POINT HandlePoint(const RECT& r, int handle) {
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const POINT points[8] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom},
                             {cx, r.top},     {r.right, cy},    {cx, r.bottom},      {r.left, cy}};
    return points[handle];
}

// The tracker part under a window point, or -1 (no region, or the point off it).
int TrackerHit(const Editor& e, POINT at) {
    if (IsRectEmpty(&e.Region)) return -1;
    RECT shown = ShownRegion(e);
    for (int handle = 0; handle < 8; ++handle) {
        POINT p = HandlePoint(shown, handle);
        if (abs(at.x - p.x) <= kHandleSize / 2 && abs(at.y - p.y) <= kHandleSize / 2) return handle;
    }
    RECT frame = shown;
    InflateRect(&frame, 1, 1);
    return PtInRect(&frame, at) ? kTrackerMove : -1;
}

RECT Normalised(LONG x0, LONG y0, LONG x1, LONG y1) {
    return RECT{x0 < x1 ? x0 : x1, y0 < y1 ? y0 : y1, x0 > x1 ? x0 : x1, y0 > y1 ? y0 : y1};
}

// The rectangle the gesture under way makes, in window coordinates: the band from the press to
// the pointer, or the region moved or one of its edges or corners dragged.
RECT Gesture(const Editor& e) {
    if (e.TrackHit < 0) return Normalised(e.Anchor.x, e.Anchor.y, e.Band.x, e.Band.y);
    int dx = e.Band.x - e.Anchor.x, dy = e.Band.y - e.Anchor.y;
    RECT r = e.TrackStart;
    if (e.TrackHit == kTrackerMove) {
        OffsetRect(&r, dx, dy);
        return r;
    }
    static const bool kLeft[8] = {1, 0, 0, 1, 0, 0, 0, 1}, kTop[8] = {1, 1, 0, 0, 1, 0, 0, 0},
                      kRight[8] = {0, 1, 1, 0, 0, 1, 0, 0}, kBottom[8] = {0, 0, 1, 1, 0, 0, 1, 0};
    if (kLeft[e.TrackHit]) r.left += dx;
    if (kTop[e.TrackHit]) r.top += dy;
    if (kRight[e.TrackHit]) r.right += dx;
    if (kBottom[e.TrackHit]) r.bottom += dy;
    return Normalised(r.left, r.top, r.right, r.bottom);
}

void DrawGesture(Editor& e) {
    HDC dc = GetDC(e.ImageWindow);
    RECT shown = Gesture(e);
    DrawFocusRect(dc, &shown);
    ReleaseDC(e.ImageWindow, dc);
}

// True when a window point lies on the shown image.
bool OverImage(const Editor& e, POINT at) {
    SIZE size = ImageSize(e.DisplayImage);
    int left = e.Offset.x - e.Scroll.x, top = e.Offset.y - e.Scroll.y;
    return size.cx > 0 && at.x >= left && at.y >= top && at.x < left + e.Magnification * size.cx &&
           at.y < top + e.Magnification * size.cy;
}

HCURSOR LibraryCursor(int id) { return LoadCursorA(g_module, MAKEINTRESOURCEA(id)); }

// The cursor while no button is pressed, by mode and what lies under the pointer.
HCURSOR IdleCursor(const Editor& e, POINT at) {
    bool onImage = e.BaseImage && OverImage(e, at);
    if (e.ImageMode == 1) {
        if (TrackerHit(e, at) >= 0) return LibraryCursor(IDC_CURSOR_ON_REGION);
        return LoadCursor(nullptr, onImage ? IDC_CROSS : IDC_ARROW);
    }
    return onImage && e.Pannable ? LibraryCursor(IDC_CURSOR_PANNABLE) : LoadCursor(nullptr, IDC_ARROW);
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

void Press(Editor& e, POINT at) {
    if (e.Tracking || !e.BaseImage) return;
    e.Tracking = true;
    e.Anchor = e.Band = at;
    if (e.ImageMode != 1) {
        // Only an image that does not fit can be dragged about, so only then is the mouse held.
        SetCursor(LibraryCursor(IDC_CURSOR_DRAGGING));
        if (e.Pannable) SetCapture(e.ImageWindow);
        return;
    }
    SetCapture(e.ImageWindow);
    e.TrackHit = TrackerHit(e, at);
    if (e.TrackHit >= 0) {
        e.TrackStart = ShownRegion(e);
    } else {
        SetRectEmpty(&e.Region);
        InvalidateRect(e.ImageWindow, nullptr, FALSE);
        UpdateWindow(e.ImageWindow);
    }
    DrawGesture(e);
}

void Release(Editor& e, POINT at) {
    if (!e.Tracking) return;
    e.Tracking = false;
    if (GetCapture() == e.ImageWindow) ReleaseCapture();
    if (e.ImageMode != 1) {
        InvalidateRect(e.ImageWindow, nullptr, FALSE);
        SetCursor(LibraryCursor(IDC_CURSOR_PANNABLE));
        return;
    }
    DrawGesture(e);
    e.Band = at;
    RECT shown = Gesture(e);
    POINT a = ToImage(e, POINT{shown.left, shown.top}), b = ToImage(e, POINT{shown.right, shown.bottom});
    e.Region = Normalised(a.x, a.y, b.x, b.y);
    InvalidateRect(e.ImageWindow, nullptr, FALSE);
}

void Mouse(Editor& e, UINT message, POINT at) {
    switch (message) {
    case WM_LBUTTONDOWN: Press(e, at); return;
    case WM_MOUSEMOVE:
        if (!e.Tracking) return;
        if (e.ImageMode == 1) {
            DrawGesture(e);
            e.Band = at;
            DrawGesture(e);
        } else {
            int dx = (at.x - e.Band.x) / e.Magnification * e.Magnification;
            ScrollTo(e, e.Scroll.x - dx, e.Scroll.y - (at.y - e.Band.y));
            e.Band = {e.Band.x + dx, at.y};
        }
        return;
    case WM_LBUTTONUP: Release(e, at); return;
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
    case WM_SETCURSOR: {
        if (LOWORD(lParam) != HTCLIENT || e->Tracking) break;
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(window, &at);
        SetCursor(IdleCursor(*e, at));
        return TRUE;
    }
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

void SetImageMode(Editor& e, int mode) {
    e.ImageMode = mode;
    if (e.ImageWindow)
        SetClassLongPtrA(e.ImageWindow, GCLP_HCURSOR, (LONG_PTR)LoadCursor(nullptr, mode == 1 ? IDC_CROSS : IDC_ARROW));
}

void ReloadImage(Editor& e, bool withNewImage) {
    SetImageMode(e, 1);
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
    RECT client, shown = ShownRegion(e);
    GetClientRect(e.ImageWindow, &client);
    if (shown.left < 0 || shown.top < 0 || shown.right > client.right || shown.bottom > client.bottom)
        ScrollTo(e, (int)(region.left * f) / e.Magnification * e.Magnification, (int)(region.top * f));
}
