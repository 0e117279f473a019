// The Card Album: six thumbnails a page on a desk centred in the work area, a letter column
// that picks the cards of a letter, page buttons, and thumbnails made again when missing.
#include "views.h"
#include "shell.h"
#include "capture.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

#define DESK_WIDTH       557
#define DESK_HEIGHT      471
#define CELL_FIRST       730
#define CELL_COUNT       6
#define CELL_WIDTH       231
#define CELL_HEIGHT      131
#define PAGE_PREVIOUS    736
#define PAGE_NEXT        737
#define LETTER_LEFT      519
#define LETTER_RIGHT     535
#define ALL_CARDS        26
#define LIST_GROWTH      20
#define BMP_DESK         1241
#define BMP_LETTER       1250
#define BMP_LETTER_SHOWN 1251
#define BMP_LETTER_GREY  1252
#define BMP_EMPTY_CELL   1290

static const POINT kCellPlaces[CELL_COUNT] = {{34, 20}, {278, 20}, {34, 158}, {278, 158}, {34, 296}, {278, 296}};

void FreeDeskCardList(void) {
    if (App.Views.DeskCardList) GlobalFree(App.Views.DeskCardList);
    App.Views.DeskCardList = NULL;
    App.Views.DeskCardCount = App.Views.DeskCardCapacity = 0;
}

// Appends a record number, growing the list by 20 entries when it is full.
static int AppendDeskCard(int number) {
    if (App.Views.DeskCardCount >= App.Views.DeskCardCapacity) {
        int capacity = App.Views.DeskCardCapacity + LIST_GROWTH;
        HGLOBAL grown = App.Views.DeskCardList
                            ? GlobalReAlloc(App.Views.DeskCardList, capacity * sizeof(int32_t), GMEM_MOVEABLE)
                            : GlobalAlloc(GHND, capacity * sizeof(int32_t));
        if (!grown) return 0;
        App.Views.DeskCardList = grown;
        App.Views.DeskCardCapacity = capacity;
    }
    int32_t* numbers = (int32_t*)GlobalLock(App.Views.DeskCardList);
    numbers[App.Views.DeskCardCount++] = number;
    GlobalUnlock(App.Views.DeskCardList);
    return 1;
}

static int DeskCardAt(int index) {
    if (index < 0 || index >= App.Views.DeskCardCount) return 0;
    int32_t* numbers = (int32_t*)GlobalLock(App.Views.DeskCardList);
    int number = numbers[index];
    GlobalUnlock(App.Views.DeskCardList);
    return number;
}

static void CollectLetterCards(void) {
    App.Views.DeskCardCount = 0;
    if (App.CardCount < 1) {
        FreeDeskCardList();
        return;
    }
    HKVTBL table = App.CardTable;
    if (App.Views.DeskLetter == ALL_CARDS) {
        kvRecGoto(table, 1);
        do {
            if (!AppendDeskCard(kvRecNum(table))) break;
        } while (App.Views.DeskCardCount < App.CardCount && kvRecNext(table) == 1 && !kvRecIsEOF(table));
        return;
    }
    char criterion[32];
    snprintf(criterion, sizeof criterion, "CNAME like '%c*'", 'A' + App.Views.DeskLetter);
    for (int found = kvRecFindFirst(table, criterion); found == 1; found = kvRecFindNext(table, criterion))
        if (!AppendDeskCard(kvRecNum(table))) break;
}

// A page beyond the collected cards would show nothing: the album then opens on page 1.
void CollectDeskCards(void) {
    CollectLetterCards();
    ReturnToCurrentCard();
    if (App.Views.DeskPage * CELL_COUNT >= App.Views.DeskCardCount) App.Views.DeskPage = 0;
}

void SelectFirstDeskLetter(void) {
    for (int k = 0; k < 26; ++k)
        if (App.Views.LetterCounts[k] > 0) {
            App.Views.DeskLetter = k;
            return;
        }
}

static int LetterCount(int k) { return App.Views.LetterCounts[k]; }

static RECT LetterRect(int k) {
    RECT r = {LETTER_LEFT, 16 + 16 * k, LETTER_RIGHT, k == ALL_CARDS ? 464 : 32 + 16 * k};
    return r;
}

static void DrawLetter(HDC dc, int k, int bitmap) {
    RECT r = LetterRect(k);
    RECT source = {0, 16 * k, LETTER_RIGHT - LETTER_LEFT, 16 * k + (k == ALL_CARDS ? 32 : 16)};
    POINT at = {r.left, r.top};
    DrawBitmapResourcePart(dc, bitmap, at, &source);
}

static void UpdateDeskPageButtons(void) {
    HWND desk = App.Views.Desk;
    if (!desk) return;
    int count = LetterCount(App.Views.DeskLetter);
    int previous = count > CELL_COUNT && App.Views.DeskPage > 0;
    int next = count > CELL_COUNT && count > (App.Views.DeskPage + 1) * CELL_COUNT;
    EnableWindow(GetDlgItem(desk, PAGE_PREVIOUS), previous);
    EnableWindow(GetDlgItem(desk, PAGE_NEXT), next);
    InvalidateRect(GetDlgItem(desk, PAGE_PREVIOUS), NULL, FALSE);
    InvalidateRect(GetDlgItem(desk, PAGE_NEXT), NULL, FALSE);
}

static void PaintCardDesk(HWND desk) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(desk, &ps);
    RECT client;
    GetClientRect(desk, &client);
    DrawBitmapResourceCentered(dc, BMP_DESK, &client);
    int current = App.Views.DeskLetter;
    DrawLetter(dc, current, LetterCount(current) == 0 ? BMP_LETTER_GREY : BMP_LETTER_SHOWN);
    for (int k = 0; k < 26; ++k)
        if (k != current && LetterCount(k) == 0) DrawLetter(dc, k, BMP_LETTER_GREY);
    char text[32];
    if (App.CardCount < 1) snprintf(text, sizeof text, "%d - %d", 0, 0);
    else if (current < ALL_CARDS) snprintf(text, sizeof text, "%c - %d", 'A' + current, App.Views.DeskPage + 1);
    else snprintf(text, sizeof text, "%d - %d", (App.CardCount - 1) / CELL_COUNT + 1, App.Views.DeskPage + 1);
    HFONT font = CreateFontA(14, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, text, -1, &App.Views.PageIndicator, DT_CENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(desk, &ps);
    UpdateDeskPageButtons();
}

static void DrawCardCell(HDC dc, const RECT* cell, const CardRec* card) {
    FillRect(dc, cell, (HBRUSH)GetStockObject(WHITE_BRUSH));
    RECT text = *cell;
    InflateRect(&text, -6, -4);
    DrawCardText(dc, &text, card);
}

// A card whose thumbnail is gone gets a new one from its card image, kept in the card.
static int RemakeThumbnail(HDC dc, const RECT* cell, CardRec* card) {
    const char* image = CardImagePath(card);
    if (!image || !SetCurrentCardImage(image)) return 0;
    static char name[MAX_PATH];
    lstrcpynA(name, App.CurrentImage.FileName, sizeof name);
    int written = WriteThumbnailFile(&App.CurrentImage.Info, App.CurrentImage.Pixels, name);
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    if (!written) return 0;
    card->SecondText.Storage = 1;
    card->SecondText.Data = name;
    card->SecondText.Size = (int32_t)strlen(name) + 1;
    card->SecondText.Modified = 1;
    card->CNote.Modified = 0;
    card->CImage.Modified = 0;
    kvStartTransation(App.Database);
    int kept = kvCardRecUpdate(App.CardTable, card) == 1 && kvCommit(App.Database) == 1;
    if (!kept) kvRollback(App.Database);
    int drawn = DrawCardImageFile(dc, cell, name);
    // A thumbnail the card does not name would be made again on every paint, a file each time.
    if (!kept) DeleteFileA(name);
    return drawn;
}

// Draws cell i with a record of its own, so that the current card stays as it was, and puts
// the table back on the current card.
static void ShowDeskCell(HDC dc, const RECT* cell, int i) {
    if (App.Views.DeskCardCount == 0) {
        DrawBitmapResourceCentered(dc, BMP_EMPTY_CELL, cell);
        return;
    }
    if (App.Views.DeskPage * CELL_COUNT >= App.Views.DeskCardCount) App.Views.DeskPage = 0;
    if (i >= App.Views.DeskCardCount - App.Views.DeskPage * CELL_COUNT) {
        DrawBitmapResourceCentered(dc, BMP_EMPTY_CELL, cell);
        return;
    }
    int r = DeskCardAt(App.Views.DeskPage * CELL_COUNT + i);
    static CardRec card;
    memset(&card, 0, sizeof card);
    int drawn = 0;
    if (r >= 1 && r <= App.CardCount && kvRecGoto(App.CardTable, r) >= 0 &&
        kvCardRecGet(App.CardTable, &card, 1) == 1) {
        const CardRecBlob* thumb = &card.SecondText;
        if (thumb->Data && thumb->Size > 0 && thumb->Data[0]) drawn = DrawCardImageFile(dc, cell, thumb->Data);
        if (!drawn) drawn = RemakeThumbnail(dc, cell, &card);
    }
    if (!drawn) DrawCardCell(dc, cell, &card);
    ReturnToCurrentCard();
}

static void DrawPageButton(const DRAWITEMSTRUCT* item) {
    int base = item->CtlID == PAGE_PREVIOUS ? 1260 : 1270;
    int bitmap = (item->itemState & ODS_DISABLED) ? base + 2 : (item->itemState & ODS_SELECTED) ? base + 1 : base;
    RECT r = item->rcItem;
    DrawBitmapResourceCentered(item->hDC, bitmap, &r);
}

static void OnDeskDrawItem(const DRAWITEMSTRUCT* item) {
    int id = (int)item->CtlID;
    if (id >= CELL_FIRST && id < CELL_FIRST + CELL_COUNT) {
        RECT cell = item->rcItem;
        ShowDeskCell(item->hDC, &cell, id - CELL_FIRST);
    } else if (id == PAGE_PREVIOUS || id == PAGE_NEXT) {
        DrawPageButton(item);
    }
}

void RepaintDeskCells(void) {
    if (!App.Views.Desk) return;
    for (int i = 0; i < CELL_COUNT; ++i) {
        HWND cell = GetDlgItem(App.Views.Desk, CELL_FIRST + i);
        if (!cell) continue;
        InvalidateRect(cell, NULL, FALSE);
        UpdateWindow(cell);
    }
}

void InvalidateDeskLetters(void) {
    if (!App.Views.Desk) return;
    RECT letters = {LETTER_LEFT, 16, LETTER_RIGHT, 464};
    InvalidateRect(App.Views.Desk, &letters, FALSE);
    InvalidateRect(App.Views.Desk, &App.Views.PageIndicator, TRUE);
    UpdateDeskPageButtons();
}

static void RepaintPage(void) {
    RepaintDeskCells();
    UpdateDeskPageButtons();
    InvalidateRect(App.Views.Desk, &App.Views.PageIndicator, TRUE);
}

static void OnDeskCommand(int id) {
    if (id >= CELL_FIRST && id < CELL_FIRST + CELL_COUNT) {
        int index = id - CELL_FIRST + App.Views.DeskPage * CELL_COUNT;
        if (index < App.Views.DeskCardCount) {
            TakeCardAt(DeskCardAt(index));
            PostMessageA(App.MainWindow, WM_COMMAND, IDM_VIEW_DECK, 0);
        }
    } else if (id == PAGE_PREVIOUS && App.Views.DeskPage > 0) {
        App.Views.DeskPage--;
        RepaintPage();
    } else if (id == PAGE_NEXT && (App.Views.DeskPage + 1) * CELL_COUNT <= LetterCount(App.Views.DeskLetter)) {
        App.Views.DeskPage++;
        RepaintPage();
    } else {
        UpdateDeskPageButtons();
    }
}

static int HitTestDeskLetter(int x, int y) {
    if (x < LETTER_LEFT || x >= LETTER_RIGHT || y < 17) return -1;
    int k = (y - 16) / 16;
    if (k >= 28) return -1;
    if (k == 27) k = ALL_CARDS;
    return LetterCount(k) == 0 ? -1 : k;
}

static void ShowDeskLetter(HWND desk, int k) {
    HDC dc = GetDC(desk);
    DrawLetter(dc, App.Views.DeskLetter, BMP_LETTER);
    DrawLetter(dc, k, BMP_LETTER_SHOWN);
    ReleaseDC(desk, dc);
    App.Views.DeskLetter = k;
}

static void OnDeskMouse(HWND desk, UINT message, int x, int y) {
    if (IsTwainManagerOpen() && IsTwainSourceOpen()) return;
    HideHintWindow();
    int k = HitTestDeskLetter(x, y);
    if (message == WM_LBUTTONDOWN && !App.Views.DeskTracking) {
        App.Views.DeskLetterAtPress = App.Views.DeskLetter;
        if (k >= 0 && k != App.Views.DeskLetter) {
            ShowDeskLetter(desk, k);
            SetCapture(desk);
            App.Views.DeskTracking = 1;
        }
    } else if (message == WM_MOUSEMOVE && App.Views.DeskTracking) {
        if (k >= 0 && k != App.Views.DeskLetter) ShowDeskLetter(desk, k);
    } else if (message == WM_LBUTTONUP && App.Views.DeskTracking) {
        if (App.Views.DeskLetter != App.Views.DeskLetterAtPress) CollectDeskCards();
        RepaintPage();
        ReleaseCapture();
        App.Views.DeskTracking = 0;
    }
}

static void OnDeskCreate(HWND desk) {
    App.Views.Desk = desk;
    SetRect(&App.Views.PageIndicator, 434, 439, 475, 451);
    CountCardsByLetter();
    for (int i = 0; i < CELL_COUNT; ++i)
        CreateWindowA("BUTTON", NULL, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, kCellPlaces[i].x, kCellPlaces[i].y,
                      CELL_WIDTH, CELL_HEIGHT, desk, (HMENU)(INT_PTR)(CELL_FIRST + i), App.Instance, NULL);
    CreateWindowA("BUTTON", NULL, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 398, 439, 35, 20, desk, (HMENU)PAGE_PREVIOUS,
                  App.Instance, NULL);
    CreateWindowA("BUTTON", NULL, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 476, 439, 35, 20, desk, (HMENU)PAGE_NEXT,
                  App.Instance, NULL);
    CollectDeskCards();
    UpdateDeskPageButtons();
}

LRESULT CALLBACK DeskWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnDeskCreate(window); return 0;
    case WM_PAINT: PaintCardDesk(window); return 0;
    case WM_SETCURSOR: ShowStatusHint(App.StatusBar, 1051, 1); break;
    case WM_DRAWITEM: OnDeskDrawItem((const DRAWITEMSTRUCT*)lParam); return TRUE;
    case WM_COMMAND: OnDeskCommand(LOWORD(wParam)); return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: OnDeskMouse(window, message, (short)LOWORD(lParam), (short)HIWORD(lParam)); return 0;
    case WM_RBUTTONDOWN: return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void DeskPlace(HWND parent, int* left, int* top) {
    RECT client;
    GetClientRect(parent, &client);
    *left = (client.right - DESK_WIDTH) / 2 / 32 * 32;
    *top = (client.bottom - DESK_HEIGHT) / 2;
}

HWND CreateCardDesk(HWND parent) {
    int left, top;
    DeskPlace(parent, &left, &top);
    RECT desk = {left, top, left + DESK_WIDTH, top + DESK_HEIGHT};
    HRGN outside = CreateRectRgn(0, 0, 0, 0);
    RECT client;
    GetClientRect(parent, &client);
    HRGN whole = CreateRectRgnIndirect(&client), inner = CreateRectRgnIndirect(&desk);
    CombineRgn(outside, whole, inner, RGN_DIFF);
    InvalidateRgn(parent, outside, TRUE);
    DeleteObject(outside);
    DeleteObject(whole);
    DeleteObject(inner);
    UpdateWindow(parent);
    App.Views.Desk = CreateWindowA("IMC_Desk20", NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, left, top, DESK_WIDTH,
                                   DESK_HEIGHT, parent, (HMENU)ID_DESK, App.Instance, NULL);
    if (App.Views.Desk) UpdateWindow(App.Views.Desk);
    return App.Views.Desk;
}

void LayoutCardDesk(HWND parent, WPARAM flag) {
    if (!App.Views.Desk || !IsWindow(App.Views.Desk)) return;
    if (flag == SIZE_MINIMIZED) {
        MoveWindow(App.Views.Desk, 0, 0, 0, 0, TRUE);
        return;
    }
    int left, top;
    DeskPlace(parent, &left, &top);
    MoveWindow(App.Views.Desk, left, top, DESK_WIDTH, DESK_HEIGHT, TRUE);
}

void DestroyCardDesk(void) {
    if (!App.Views.Desk) return;
    FreeDeskCardList();
    if (IsWindow(App.Views.Desk)) DestroyWindow(App.Views.Desk);
    App.Views.Desk = NULL;
}
