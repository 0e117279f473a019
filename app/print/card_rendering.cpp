// Card rendering: a page of card cells laid out by the selected paper layout, each cell
// holding the label template filled with one card, the cell frames, and the page header and
// footer. The print job draws on the printer, the Page Setup preview on the screen.
#include "print.h"
#include "shell.h"
#include <stdio.h>
#include <string.h>

#define PRINTABLE_FIELDS 43
#define PROGRESS_FIELD   401

// The page mapping in force before a page is drawn, put back afterwards.
typedef struct SAVEDMAPPING {
    int Mode;
    SIZE WindowExtent;
    SIZE ViewportExtent;
    POINT WindowOrigin;
    POINT ViewportOrigin;
} SAVEDMAPPING;

// Where the cells lie in the page's logical units.
typedef struct CELLGRID {
    int Left, Top;       // the first cell's corner
    int PitchX, PitchY;  // from one cell to the next
    int Width, Height;   // one cell
    int Columns, Rows;
} CELLGRID;

static void SaveMapping(HDC dc, SAVEDMAPPING* saved) {
    saved->Mode = GetMapMode(dc);
    GetWindowExtEx(dc, &saved->WindowExtent);
    GetViewportExtEx(dc, &saved->ViewportExtent);
    GetWindowOrgEx(dc, &saved->WindowOrigin);
    GetViewportOrgEx(dc, &saved->ViewportOrigin);
}

static void RestoreMapping(HDC dc, const SAVEDMAPPING* saved) {
    SetMapMode(dc, saved->Mode);
    if (saved->Mode == MM_ANISOTROPIC || saved->Mode == MM_ISOTROPIC) {
        SetWindowExtEx(dc, saved->WindowExtent.cx, saved->WindowExtent.cy, NULL);
        SetViewportExtEx(dc, saved->ViewportExtent.cx, saved->ViewportExtent.cy, NULL);
    }
    SetWindowOrgEx(dc, saved->WindowOrigin.x, saved->WindowOrigin.y, NULL);
    SetViewportOrgEx(dc, saved->ViewportOrigin.x, saved->ViewportOrigin.y, NULL);
}

// The captions of the printable fields, from the string table in the order the program's
// resource lists them; read once.
static const char* PrintableCaption(int index) {
    static char captions[PRINTABLE_FIELDS][32];
    static int loaded;
    if (!loaded) {
        for (int i = 0; i < PRINTABLE_FIELDS; ++i)
            if (LoadStringA(App.Instance, App.Print.PrintableFieldIds[i], captions[i], sizeof captions[i]) <= 0)
                captions[i][0] = 0;
        loaded = App.Print.PrintableFieldIds[0] != 0;
    }
    return captions[index];
}

static void JoinTwo(char* out, int size, const char* a, const char* b) { snprintf(out, size, "%s, %s", a, b); }

static void JoinThree(char* out, int size, const char* a, const char* b, const char* c) {
    snprintf(out, size, "%s, %s, %s", a, b, c);
}

// The value of printable field `field` of the card. The composite texts are formed in the
// caller's buffer, which holds the longest of them whole.
static const char* PrintableValue(const CardRec* card, int field, char* buffer, int size) {
    switch (field) {
    case 0: return card->CName;
    case 1: return card->Title;
    case 2: return card->Company;
    case 3: return card->Address;
    case 4: return card->City;
    case 5: return card->State;
    case 6: return card->Zip;
    case 7: return card->Country;
    case 8: return card->EName;
    case 9: return card->AltAddress;
    case 10: return card->AltCity;
    case 11: return card->AltState;
    case 12: return card->AltZip;
    case 13: JoinTwo(buffer, size, card->CName, card->Title); return buffer;
    case 14: JoinThree(buffer, size, card->City, card->State, card->Zip); return buffer;
    case 15: JoinThree(buffer, size, card->AltCity, card->AltState, card->AltZip); return buffer;
    case 16: return card->OPhone;
    case 17: return card->Fax;
    case 18: return card->HPhone;
    case 19: return card->PPhone;
    case 20: return card->EMail;
    case 21: return card->Category1;
    case 22: return card->Category2;
    case 23: snprintf(buffer, size, "%2d/%2d/%4d", card->CDate[1], card->CDate[2], card->CDate[0]); return buffer;
    case 24: return card->User1;
    case 25: return card->User2;
    case 26: return card->User3;
    case 27: return card->User4;
    case 28: return card->User5;
    case 29: return card->User6;
    case 30: return card->User7;
    case 31: return card->User8;
    case 32: return card->User9;
    case 33: JoinTwo(buffer, size, card->City, card->Zip); return buffer;
    case 34: JoinTwo(buffer, size, card->Zip, card->City); return buffer;
    case 35: JoinTwo(buffer, size, card->City, card->Country); return buffer;
    case 36: JoinThree(buffer, size, card->City, card->Country, card->Zip); return buffer;
    case 37: JoinThree(buffer, size, card->City, card->State, card->Country); return buffer;
    case 38: JoinTwo(buffer, size, card->State, card->Country); return buffer;
    case 39: JoinTwo(buffer, size, card->State, card->Zip); return buffer;
    case 40: JoinTwo(buffer, size, card->Zip, card->State); return buffer;
    case 41: JoinTwo(buffer, size, card->Country, card->Zip); return buffer;
    case 42: JoinTwo(buffer, size, card->Zip, card->Country); return buffer;
    }
    return "";
}

// The text an item shows: in card mode the current card's value of the field its text names
// (first caption that matches, in any letter case); otherwise, or for a text that names no
// field, the item's own text.
static const char* ItemText(const LAYOUTITEMBODY* body, int cardMode, char* buffer, int size) {
    if (cardMode)
        for (int i = 0; i < PRINTABLE_FIELDS; ++i)
            if (lstrcmpiA(body->Text, PrintableCaption(i)) == 0)
                return PrintableValue(&App.CurrentCard, i, buffer, size);
    lstrcpynA(buffer, body->Text, size);
    return buffer;
}

void DrawTemplateItem(HDC dc, const LAYOUTITEMBODY* body, int dx, int dy, int cardMode) {
    LOGFONTA font = body->Font;
    font.lfHeight = body->Font.lfHeight * 1000 / 72;  // points to thousandths of an inch
    HFONT created = CreateFontIndirectA(&font);
    HGDIOBJ oldFont = created ? SelectObject(dc, created) : NULL;
    COLORREF oldColour = SetTextColor(dc, body->Colour);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    // Room for the longest composite: three fields of up to 255 characters and two separators.
    char text[3 * 256 + 8];
    const char* shown = ItemText(body, cardMode, text, sizeof text);
    if (body->DrawMode <= 1) {
        RECT r = {body->Rect[0] + dx, body->Rect[1] + dy, body->Rect[2] + dx, body->Rect[3] + dy};
        UINT align = body->Alignment == 1 ? DT_CENTER : body->Alignment == 2 ? DT_RIGHT : DT_LEFT;
        DrawTextA(dc, shown, -1, &r, DT_WORDBREAK | DT_NOPREFIX | align);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    if (created) {
        SelectObject(dc, oldFont);
        DeleteObject(created);
    }
}

void DrawTemplateItems(HDC dc, int dx, int dy, int cardMode) {
    LAYOUTSTORE* store = &App.Print.Template;
    if (!store->Block) return;
    const LAYOUTITEM* items = (const LAYOUTITEM*)GlobalLock(store->Block);
    if (!items) {
        MessageBoxA(App.MainWindow, "Internal error code:0100", "debug", MB_OK);
        return;
    }
    for (int i = store->Head; i != LAYOUT_NONE && i < store->Count; i = items[i].Next)
        if (!(items[i].Flags & 1)) DrawTemplateItem(dc, &items[i].Body, dx, dy, cardMode);
    GlobalUnlock(store->Block);
}

// Screen modes map thousandths of an inch of the paper onto the target's width; the print
// mode works in device pixels, with the positions converted from thousandths and moved by the
// printer's unprintable margin. Gives 0 when the page cannot be mapped.
static int SetPageMapping(HDC dc, const RECT* target, const int32_t* margins, const int32_t* gaps, const int32_t* grid,
                          int mode, CELLGRID* cells) {
    int rows = grid[0], columns = grid[1], labelHeight = grid[2], labelWidth = grid[3];
    int columnGap = gaps[2], rowGap = gaps[3];
    cells->Columns = columns;
    cells->Rows = rows;
    SetMapMode(dc, MM_ANISOTROPIC);
    if (mode == 3) {
        int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
        int pageWidth = GetDeviceCaps(dc, PHYSICALWIDTH), pageHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
        if (pageWidth <= 0 || pageHeight <= 0) return 0;
        SetWindowExtEx(dc, pageWidth, pageHeight, NULL);
        SetViewportExtEx(dc, pageWidth, pageHeight, NULL);
        cells->Left = margins[0] * dpiX / 1000 - GetDeviceCaps(dc, PHYSICALOFFSETX);
        cells->Top = margins[1] * dpiY / 1000 - GetDeviceCaps(dc, PHYSICALOFFSETY);
        cells->PitchX = (labelWidth + columnGap) * dpiX / 1000;
        cells->PitchY = (labelHeight + rowGap) * dpiY / 1000;
        cells->Width = labelWidth * dpiX / 1000;
        cells->Height = labelHeight * dpiY / 1000;
        return 1;
    }
    // A hand-edited layout may give no paper width: nothing can be mapped onto the target.
    if (App.Print.PaperWidth <= 0 || App.Print.PaperHeight <= 0) return 0;
    int targetWidth = target->right - target->left;
    SetViewportOrgEx(dc, 0, 0, NULL);
    SetWindowOrgEx(dc, 0, 0, NULL);
    SetWindowExtEx(dc, App.Print.PaperWidth, App.Print.PaperHeight, NULL);
    SetViewportExtEx(dc, targetWidth, MulDiv(targetWidth, App.Print.PaperHeight, App.Print.PaperWidth), NULL);
    cells->Left = margins[0];
    cells->Top = margins[1];
    cells->PitchX = labelWidth + columnGap;
    cells->PitchY = labelHeight + rowGap;
    cells->Width = labelWidth;
    cells->Height = labelHeight;
    return 1;
}

// Draws the template into one cell: the label's own units are mapped onto the cell, so the
// template scales to every cell size.
static void DrawCell(HDC dc, int x, int y, int width, int height) {
    POINT corner[2] = {{x, y}, {x + width, y + height}};
    LPtoDP(dc, corner, 2);
    SAVEDMAPPING page;
    SaveMapping(dc, &page);
    SetViewportOrgEx(dc, corner[0].x, corner[0].y, NULL);
    SetViewportExtEx(dc, corner[1].x - corner[0].x + 1, corner[1].y - corner[0].y + 1, NULL);
    SetWindowOrgEx(dc, 0, 0, NULL);
    SetWindowExtEx(dc, App.Print.LabelWidth > 0 ? App.Print.LabelWidth : 1,
                   App.Print.LabelHeight > 0 ? App.Print.LabelHeight : 1, NULL);
    DrawTemplateItems(dc, 0, 0, 1);
    RestoreMapping(dc, &page);
}

static void DrawCellFrame(HDC dc, int x, int y, int width, int height) {
    MoveToEx(dc, x, y, NULL);
    LineTo(dc, x + width, y);
    LineTo(dc, x + width, y + height);
    LineTo(dc, x, y + height);
    LineTo(dc, x, y);
}

// Header at the top left and footer at the bottom right, each centred in the top margin's
// height. On the printer the thousandths are converted to device pixels of the printable area,
// so both land on the page as they do on the screen.
static void DrawHeaderAndFooter(HDC dc, int mode, int topMargin) {
    int scaleX = 1000, scaleY = 1000, offsetX = 0, offsetY = 0;
    if (mode == 3) {
        scaleX = GetDeviceCaps(dc, LOGPIXELSX);
        scaleY = GetDeviceCaps(dc, LOGPIXELSY);
        offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
        offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    }
    HFONT font = CreateFontA(250 * scaleY / 1000, 0, 0, 0, 400, 0, 0, 0, 1, 4, 32, 2, 53, "Times New Roman");
    HGDIOBJ old = font ? SelectObject(dc, font) : NULL;
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    int h = metrics.tmHeight;
    int t = topMargin * scaleY / 1000;
    int inset = (t - h) / 2;
    if (inset > 0) {
        int paperHeight = App.Print.PaperHeight * scaleY / 1000, paperWidth = App.Print.PaperWidth * scaleX / 1000;
        int left = 500 * scaleX / 1000;
        int oldBk = SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, left - offsetX, inset - offsetY, App.Print.Header, lstrlenA(App.Print.Header));
        UINT oldAlign = SetTextAlign(dc, TA_RIGHT | TA_TOP);
        TextOutA(dc, paperWidth - left - offsetX, paperHeight - t + inset - offsetY, App.Print.Footer,
                 lstrlenA(App.Print.Footer));
        SetTextAlign(dc, oldAlign);
        SetBkMode(dc, oldBk);
    }
    if (font) {
        SelectObject(dc, old);
        DeleteObject(font);
    }
}

// Moves to the card after the one just drawn and reads it; gives 0 at the end of the file.
static int AdvanceCard(void) {
    kvRecNext(App.CardTable);
    if (kvRecIsEOF(App.CardTable)) {
        kvRecPrev(App.CardTable);
        kvCardRecGet(App.CardTable, &App.CurrentCard, 0);
        return 0;
    }
    kvCardRecGet(App.CardTable, &App.CurrentCard, 0);
    return 1;
}

int RenderLayoutPage(HWND owner, HDC dc, const RECT* target, const int32_t* margins, const int32_t* gaps,
                     const int32_t* grid, int cardCount, int mode, int firstCard, HWND progress) {
    (void)owner;
    FillRect(dc, target, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SAVEDMAPPING saved;
    SaveMapping(dc, &saved);
    CELLGRID cells;
    if (!SetPageMapping(dc, target, margins, gaps, grid, mode, &cells)) {
        RestoreMapping(dc, &saved);
        return 0;
    }
    int remembered = kvRecNum(App.CardTable);
    int drawCards = mode != 0 && cardCount >= 1 && App.CardTable;
    if (drawCards) {
        kvRecGoto(App.CardTable, mode == 3 ? firstCard : 1);
        kvCardRecGet(App.CardTable, &App.CurrentCard, 0);
    }
    int remaining = drawCards ? cardCount : 0;
    int stop = 0;
    for (int column = 0; column < cells.Columns && !stop; ++column) {
        for (int row = 0; row < cells.Rows && !stop; ++row) {
            int x = cells.Left + column * cells.PitchX, y = cells.Top + row * cells.PitchY;
            if (mode != 0 && remaining > 0) DrawCell(dc, x, y, cells.Width, cells.Height);
            if (App.ShowBorder) DrawCellFrame(dc, x, y, cells.Width, cells.Height);
            if (!drawCards) continue;
            if (mode == 3 && progress)
                SetDlgItemInt(progress, PROGRESS_FIELD, 100 - remaining * 100 / cardCount, FALSE);
            if (!AdvanceCard()) {
                remaining = 0;
                if (mode == 1) stop = 1;
            }
            if (remaining > 0) --remaining;
            if (remaining == 0 && (mode == 1 || mode == 3)) stop = 1;
        }
    }
    if (drawCards && remembered >= 1) {
        kvRecGoto(App.CardTable, remembered);
        kvCardRecGet(App.CardTable, &App.CurrentCard, 1);
    }
    if (mode != 0 && margins[1] != 0) DrawHeaderAndFooter(dc, mode, margins[1]);
    RestoreMapping(dc, &saved);
    // A page without cells would never move on to the next card.
    int perPage = cells.Rows * cells.Columns;
    return remaining > 0 && perPage > 0 ? firstCard + perPage : 0;
}
