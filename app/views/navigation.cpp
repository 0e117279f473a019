// Card navigation: first, last, next, previous and go to card, from the menu, the arrow
// buttons, the deck panes and the start-up restore; the panes of the view then show the card.
#include "views.h"
#include "shell.h"
#include "capture.h"
#include "resource.h"
#include <stdio.h>
#include <stdlib.h>

#define IDC_GOTO_NUMBER 490
#define IDC_GOTO_COUNT  1088

int IsCurrentCardValid(void) {
    return App.CardCount >= 1 && App.CurrentCardNumber >= 1 && App.CurrentCardNumber <= App.CardCount;
}

void CenterWindowOnScreen(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left + 1, h = r.bottom - r.top + 1;
    SetWindowPos(window, NULL, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
                 SWP_NOZORDER);
}

// The Card Editor keeps what was typed into the card that is left.
static void SaveFormBeforeMove(void) {
    if (App.ViewMode != VIEW_CARD_EDITOR) return;
    if (App.CardForm && IsWindow(App.CardForm)) SendMessageA(App.CardForm, WM_FORM_SAVE_CARD, 0, 0);
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
}

static void ShowCardInView(void) {
    switch (App.ViewMode) {
    case VIEW_CARD_DECK:
        RepaintDeckPanes();
        SelectCurrentDeckRow();
        break;
    case VIEW_CARD_EDITOR:
        if (App.CardForm && IsWindow(App.CardForm)) {
            SendMessageA(App.CardForm, WM_FORM_RELOAD_CARD, 0, 0);
            InvalidateRect(App.CardForm, NULL, FALSE);
        }
        if (CardImagePath(&App.CurrentCard)) SetCurrentCardImage(CardImagePath(&App.CurrentCard));
        RepaintEditorImage();
        RepaintEditorImageCaption();
        break;
    case VIEW_CARD_ALBUM:
        if (App.Views.Desk) InvalidateRect(App.Views.Desk, NULL, FALSE);
        break;
    }
    RepaintIndexTabs();
}

static int ShowsOneCard(void) { return App.ViewMode == VIEW_CARD_DECK || App.ViewMode == VIEW_CARD_EDITOR; }

static void MoveInTable(int command) {
    HKVTBL table = App.CardTable;
    switch (command) {
    case IDM_CARD_FIRST:
        App.CurrentCardNumber = 1;
        kvRecFirst(table);
        ReadCurrentCard();
        break;
    case IDM_CARD_LAST:
        App.CurrentCardNumber = App.CardCount;
        kvRecLast(table);
        ReadCurrentCard();
        break;
    case IDM_CARD_NEXT:
        kvRecNext(table);
        if (kvRecIsEOF(table)) kvRecPrev(table);
        ReadCurrentCard();
        App.CurrentCardNumber = kvRecNum(table);
        break;
    case IDM_CARD_PREV:
        kvRecPrev(table);
        if (kvRecIsBOF(table)) kvRecNext(table);
        ReadCurrentCard();
        App.CurrentCardNumber = kvRecNum(table);
        break;
    }
}

static void MoveNumberOnly(int command) {
    switch (command) {
    case IDM_CARD_FIRST: App.CurrentCardNumber = 1; break;
    case IDM_CARD_LAST: App.CurrentCardNumber = App.CardCount; break;
    case IDM_CARD_NEXT: App.CurrentCardNumber += 1; break;
    case IDM_CARD_PREV: App.CurrentCardNumber -= 1; break;
    }
}

static INT_PTR CALLBACK GoToCardDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    char text[32];
    switch (message) {
    case WM_INITDIALOG:
        CenterWindowOnScreen(dialog);
        snprintf(text, sizeof text, "%d", App.CurrentCardNumber);
        SetDlgItemTextA(dialog, IDC_GOTO_NUMBER, text);
        snprintf(text, sizeof text, "%d", App.CardCount);
        SetDlgItemTextA(dialog, IDC_GOTO_COUNT, text);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            GetDlgItemTextA(dialog, IDC_GOTO_NUMBER, text, sizeof text);
            char* end = NULL;
            long n = strtol(text, &end, 10);
            if (end != text && *end == 0 && n >= 1 && n <= App.CardCount) EndDialog(dialog, n);
            else MessageBeep(0);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void NavigateCard(int command) {
    if (command == IDM_CARD_GOTO) {
        GotoCard((int)RunModalDialog(App.MainWindow, 0, IDD_GOTO_CARD, GoToCardDlgProc));
        return;
    }
    if (command < IDM_CARD_FIRST || command > IDM_CARD_PREV) return;
    if ((command == IDM_CARD_FIRST || command == IDM_CARD_PREV) && App.CurrentCardNumber < 2) return;
    if ((command == IDM_CARD_LAST || command == IDM_CARD_NEXT) && App.CurrentCardNumber >= App.CardCount) return;
    SaveFormBeforeMove();
    if (ShowsOneCard()) MoveInTable(command);
    else MoveNumberOnly(command);
    ShowCardInView();
}

void GotoCard(int n) {
    if (n < 1 || n > App.CardCount) return;
    SaveFormBeforeMove();
    if (ShowsOneCard()) {
        kvRecGoto(App.CardTable, n);
        ReadCurrentCard();
        App.CurrentCardNumber = kvRecNum(App.CardTable);
    } else {
        App.CurrentCardNumber = n;
    }
    ShowCardInView();
}
