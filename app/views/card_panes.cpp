// The Card Deck's two views of the current card: its text and its thumbnail; the drawing
// routines they share with the album and the card form.
#include "views.h"
#include "shell.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

#define TEXT_PANE_BITMAP   1291
#define THUMB_HEADER_BYTES 1078
#define THUMB_MAX_SIDE     4096

void CreateDeckPanes(HWND parent) {
    App.Views.CardTextPane = CreateWindowA("IMC_Char20", NULL, WS_CHILD | WS_VISIBLE, 96, 96, 245, 141, parent,
                                           (HMENU)ID_CARD_TEXT, App.Instance, NULL);
    App.Views.CardImagePane = CreateWindowA("IMC_Paint20", NULL, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 105,
                                            269, 232, 132, parent, (HMENU)ID_CARD_IMAGE, App.Instance, NULL);
    if (App.Views.CardImagePane) {
        SetScrollRange(App.Views.CardImagePane, SB_HORZ, 0, 0, FALSE);
        SetScrollRange(App.Views.CardImagePane, SB_VERT, 0, 0, FALSE);
    }
    if (App.Views.IndexStrip) ShowWindow(App.Views.IndexStrip, SW_SHOW);
    if (App.CardCount > 0) ReturnToCurrentCard();
}

void DestroyDeckPanes(void) {
    HWND* panes[] = {&App.Views.CardTextPane, &App.Views.CardImagePane};
    for (HWND* pane : panes) {
        if (*pane && IsWindow(*pane)) DestroyWindow(*pane);
        *pane = NULL;
    }
}

void RepaintDeckPanes(void) {
    HWND panes[] = {App.Views.CardImagePane, App.Views.CardTextPane};
    for (HWND pane : panes) {
        if (!pane) continue;
        InvalidateRect(pane, NULL, TRUE);
        UpdateWindow(pane);
    }
}

static HFONT MakeArialFont(int height, int weight) {
    return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, 1, 4, 32, 2, 37, "Arial");
}

// "a, b" when both are set, else whichever is.
static void JoinPair(char* out, int size, const char* a, const char* b) {
    if (a[0] && b[0]) snprintf(out, size, "%s,%s", a, b);
    else snprintf(out, size, "%s", a[0] ? a : b);
}

void DrawCardText(HDC dc, const RECT* rect, const CardRec* card) {
    struct Line {
        const char* Text;
        int Font;
        int BoxHeight;
        int Advance;
    };
    HFONT fonts[5] = {MakeArialFont(14, 400), MakeArialFont(14, 700), MakeArialFont(14, 900), MakeArialFont(12, 400),
                      MakeArialFont(12, 700)};
    char titleLine[128], cityLine[64];
    // The deck shows the department the program keeps, in User5, and the old column otherwise.
    const char* department = card->User5[0] ? card->User5 : card->Department;
    JoinPair(titleLine, sizeof titleLine, card->Title, department);
    JoinPair(cityLine, sizeof cityLine, card->City, card->Country);
    const Line lines[8] = {{card->CName, 1, 14, 16},   {titleLine, 3, 12, 20},  {card->Company, 2, 14, 16},
                           {card->Address, 0, 28, 30}, {cityLine, 0, 14, 16},   {card->OPhone, 0, 14, 16},
                           {card->Fax, 0, 14, 16},     {card->EMail, 4, 12, 16}};
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, fonts[0]);
    int y = rect->top;
    for (const Line& line : lines) {
        if (line.Text[0]) {
            RECT box = {rect->left, y, rect->right, y + line.BoxHeight};
            SelectObject(dc, fonts[line.Font]);
            DrawTextA(dc, line.Text, -1, &box, DT_WORDBREAK | DT_NOPREFIX);
        }
        y += line.Advance;
    }
    SelectObject(dc, oldFont);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    for (HFONT font : fonts) DeleteObject(font);
}

static HPALETTE MakePaletteFromBmpHeader(const BITMAPINFOHEADER* header, const RGBQUAD* colours) {
    int n = header->biBitCount == 1 ? 2 : header->biBitCount == 4 ? 16 : header->biBitCount == 8 ? 256 : 0;
    if (n == 0) return NULL;
    struct {
        WORD Version;
        WORD Count;
        PALETTEENTRY Entries[256];
    } palette;
    palette.Version = 0x300;
    palette.Count = (WORD)n;
    for (int i = 0; i < n; ++i) {
        palette.Entries[i].peRed = colours[i].rgbRed;
        palette.Entries[i].peGreen = colours[i].rgbGreen;
        palette.Entries[i].peBlue = colours[i].rgbBlue;
        palette.Entries[i].peFlags = 0;
    }
    return CreatePalette((LOGPALETTE*)&palette);
}

// A thumbnail file is an 8-bit BMP with its colour table; anything else (a cut file, another
// depth, sizes that do not fit the file) is not drawn.
static int ReadThumbnailFile(const char* path, BYTE* head, BYTE** rows, int* stride) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD got = 0, size = GetFileSize(file, NULL);
    int ok = ReadFile(file, head, THUMB_HEADER_BYTES, &got, NULL) && got == THUMB_HEADER_BYTES;
    const BITMAPFILEHEADER* fileHeader = (const BITMAPFILEHEADER*)head;
    const BITMAPINFOHEADER* info = (const BITMAPINFOHEADER*)(head + sizeof(BITMAPFILEHEADER));
    ok = ok && fileHeader->bfType == 0x4D42 && info->biSize >= sizeof(BITMAPINFOHEADER) && info->biBitCount == 8 &&
         info->biCompression == BI_RGB && info->biWidth > 0 && info->biWidth <= THUMB_MAX_SIDE && info->biHeight > 0 &&
         info->biHeight <= THUMB_MAX_SIDE;
    *rows = NULL;
    if (ok) {
        *stride = (info->biWidth + 3) & ~3;
        DWORD bytes = (DWORD)*stride * (DWORD)info->biHeight;
        ok = size != INVALID_FILE_SIZE && size >= THUMB_HEADER_BYTES + bytes;
        *rows = ok ? (BYTE*)malloc(bytes) : NULL;
        ok = *rows && ReadFile(file, *rows, bytes, &got, NULL) && got == bytes;
    }
    CloseHandle(file);
    if (!ok) {
        free(*rows);
        *rows = NULL;
    }
    return ok;
}

// The most frequent value of the first and last five rows; the lowest value on a tie.
static int BackgroundIndex(const BYTE* rows, int width, int height, int stride) {
    int counts[256] = {0};
    int edge = height < 5 ? height : 5;
    for (int i = 0; i < edge; ++i) {
        const BYTE* top = rows + (size_t)i * stride;
        const BYTE* bottom = rows + (size_t)(height - 1 - i) * stride;
        for (int x = 0; x < width; ++x) {
            counts[top[x]]++;
            counts[bottom[x]]++;
        }
    }
    int best = 0;
    for (int v = 1; v < 256; ++v)
        if (counts[v] > counts[best]) best = v;
    return best;
}

int DrawCardImageFile(HDC dc, const RECT* rect, const char* path) {
    BYTE head[THUMB_HEADER_BYTES];
    BYTE* rows = NULL;
    int stride = 0;
    if (!path || !path[0] || !ReadThumbnailFile(path, head, &rows, &stride)) return 0;
    BITMAPINFO* info = (BITMAPINFO*)(head + sizeof(BITMAPFILEHEADER));
    const BITMAPINFOHEADER* header = &info->bmiHeader;
    int width = header->biWidth, height = header->biHeight;
    RGBQUAD* colours = (RGBQUAD*)(head + sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    // Rows are stored bottom-up: the first rows of the file are the picture's last.
    const RGBQUAD back = colours[BackgroundIndex(rows, width, height, stride)];
    HBRUSH brush = CreateSolidBrush(RGB(back.rgbRed, back.rgbGreen, back.rgbBlue));
    FillRect(dc, rect, brush);
    DeleteObject(brush);
    int left = rect->left + (rect->right - rect->left + 1 - width) / 2;
    int top = rect->top + (rect->bottom - rect->top + 1 - height) / 2;
    if (left < rect->left) left = rect->left;
    if (top < rect->top) top = rect->top;
    HPALETTE palette = MakePaletteFromBmpHeader(header, colours);
    HPALETTE oldPalette = palette ? SelectPalette(dc, palette, FALSE) : NULL;
    if (palette) RealizePalette(dc);
    SetDIBitsToDevice(dc, left, top, width, height, 0, 0, 0, height, rows, info, DIB_RGB_COLORS);
    if (oldPalette) SelectPalette(dc, oldPalette, FALSE);
    if (palette) DeleteObject(palette);
    free(rows);
    return 1;
}

static void DrawEdges(HDC dc, const RECT* r, UINT flags) {
    HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HGDIOBJ white = GetStockObject(WHITE_PEN);
    int raised = flags & 0x0040;
    int rows = (flags & 0x0100) || !(flags & 0x0300), columns = (flags & 0x0200) || !(flags & 0x0300);
    HGDIOBJ old = SelectObject(dc, raised ? white : grey);
    if (rows) {
        MoveToEx(dc, 0, 0, NULL);
        LineTo(dc, r->right, 0);
    }
    if (columns) {
        MoveToEx(dc, 0, 0, NULL);
        LineTo(dc, 0, r->bottom);
    }
    SelectObject(dc, raised ? grey : white);
    if (rows) {
        MoveToEx(dc, 0, r->bottom - 1, NULL);
        LineTo(dc, r->right, r->bottom - 1);
    }
    if (columns) {
        MoveToEx(dc, r->right - 1, 0, NULL);
        LineTo(dc, r->right - 1, r->bottom);
    }
    SelectObject(dc, old);
    DeleteObject(grey);
}

// The label font fills the box's height, less a pixel above and below.
HFONT CreateLabelBoxFont(const RECT* rect, UINT flags, int largestHeight) {
    int height = rect->bottom - rect->top - 2;
    if (largestHeight && largestHeight < height) height = largestHeight;
    BYTE pitch = (BYTE)(((flags & 0x0800) ? FIXED_PITCH : VARIABLE_PITCH) | ((flags & 0x1000) ? FF_SWISS : FF_ROMAN));
    return CreateFontA(height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 1, 0, pitch, "MS Sans Serif");
}

void DrawLabelBox(HDC dc, const RECT* rect, const char* text, UINT flags, int largestHeight) {
    SetBkMode(dc, TRANSPARENT);
    RECT whole = {0, 0, rect->right, rect->bottom};
    if (flags & 0x0001) FillRect(dc, &whole, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    else if (flags & 0x2000) {
        HBRUSH brush = CreateSolidBrush(GetBkColor(dc));
        FillRect(dc, &whole, brush);
        DeleteObject(brush);
    }
    if (flags & 0x0080) FrameRect(dc, &whole, (HBRUSH)GetStockObject(BLACK_BRUSH));
    if (flags & 0x0002) DrawEdges(dc, &whole, flags);
    if (!text) return;
    UINT format = DT_SINGLELINE | DT_VCENTER | ((flags & 0x4000) ? 0 : DT_NOPREFIX);
    format |= (flags & 0x0008) ? DT_RIGHT : (flags & 0x0020) ? DT_CENTER : DT_LEFT;
    HFONT font = NULL;
    HGDIOBJ oldFont = NULL;
    if (!(flags & 0x0400)) {
        font = CreateLabelBoxFont(rect, flags, largestHeight);
        oldFont = SelectObject(dc, font);
    }
    RECT box = *rect;
    InflateRect(&box, -LABEL_BOX_MARGIN, 0);
    DrawTextA(dc, text, -1, &box, format);
    if (font) {
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
}

static void PaintCardText(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    DrawBitmapResourceCentered(dc, TEXT_PANE_BITMAP, &client);
    if (IsCurrentCardValid()) DrawCardText(dc, &client, &App.CurrentCard);
    EndPaint(window, &ps);
}

static void PaintCardImage(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (App.ViewMode == VIEW_CARD_DECK) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
        if (IsCurrentCardValid()) {
            if (ReturnToCurrentCard()) ReadCurrentCard();
            const CardRecBlob* thumb = &App.CurrentCard.SecondText;
            RECT cell = {0, 0, 234, 134};
            if (thumb->Data && thumb->Size > 0 && thumb->Data[0]) DrawCardImageFile(dc, &cell, thumb->Data);
        }
    }
    EndPaint(window, &ps);
}

// A click steps (back on the text, on to the next card on the image); a double click opens
// the Card Editor on the card that was shown before the click moved.
static LRESULT OnPaneClick(UINT message, int* clickCard, int step, int undoStep) {
    if (IsTwainManagerOpen() && IsTwainSourceOpen()) return 0;
    if (message == WM_LBUTTONDOWN) {
        *clickCard = App.CurrentCardNumber;
        PostMessageA(App.MainWindow, WM_COMMAND, step, 0);
    } else {
        if (App.CurrentCardNumber != *clickCard) SendMessageA(App.MainWindow, WM_COMMAND, undoStep, 0);
        PostMessageA(App.MainWindow, WM_COMMAND, IDM_VIEW_EDITOR, 0);
    }
    return 0;
}

LRESULT CALLBACK CardTextWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintCardText(window); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnPaneClick(message, &App.Views.TextPaneClickCard, IDM_CARD_PREV, IDM_CARD_NEXT);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK CardImageWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintCardImage(window); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnPaneClick(message, &App.Views.ImagePaneClickCard, IDM_CARD_NEXT, IDM_CARD_PREV);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
