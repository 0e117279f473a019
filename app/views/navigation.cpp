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

// What was typed goes into the card that is left; 0 when it could not be stored, and the
// card stays.
static int SaveFormBeforeMove(void) {
    if (!CommitPendingEdits()) return 0;
    if (App.ViewMode == VIEW_CARD_EDITOR) ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    return 1;
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

// Steps from the current card, wherever the table was left; every view reads the card it
// lands on, so that its ID stays the current card's.
static void MoveInTable(int command) {
    HKVTBL table = App.CardTable;
    switch (command) {
    case IDM_CARD_FIRST: TakeCardAt(1); break;
    case IDM_CARD_LAST: TakeCardAt(App.CardCount); break;
    case IDM_CARD_NEXT:
        if (!ReturnToCurrentCard()) kvRecGoto(table, App.CurrentCardNumber);
        kvRecNext(table);
        if (kvRecIsEOF(table)) kvRecPrev(table);
        TakeCardAtPosition();
        break;
    case IDM_CARD_PREV:
        if (!ReturnToCurrentCard()) kvRecGoto(table, App.CurrentCardNumber);
        kvRecPrev(table);
        if (kvRecIsBOF(table)) kvRecNext(table);
        TakeCardAtPosition();
        break;
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
    if (!SaveFormBeforeMove()) return;
    MoveInTable(command);
    ShowCardInView();
}

void GotoCard(int n) {
    if (n < 1 || n > App.CardCount) return;
    if (!SaveFormBeforeMove()) return;
    TakeCardAt(n);
    ShowCardInView();
}
