// The Card menu and the scan commands beside it: new card, search, the card's web and e-mail
// links, the sort orders and the card navigation.
#include "shell.h"
#include "views.h"
#include "capture.h"
#include "scanning.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

#define IDC_FORM_NAME 430  // the name field, beside the "Name" button

// An empty card is stored at once and becomes current by its ID (a new card joins the end of
// the open table); when it cannot be stored the form starts a new card that its first save adds.
void OnNewCard(void) {
    if (!App.Database || !App.CardFileUsable || !CommitPendingEdits()) return;
    ForgetCurrentCardInTable();
    kvStartTransation(App.Database);
    if (kvCardRecInsert(App.CardTable, &App.CurrentCard) == 1 && kvCommit(App.Database) == 1) {
        App.RowsUnsorted = 1;
        kvRecLast(App.CardTable);
        App.CardCount = kvTblNRecs(App.CardTable);
        if (!TakeCardAtPosition()) ForgetCurrentCardInTable();
    } else {
        kvRollback(App.Database);
    }
    if (App.ViewMode == VIEW_CARD_EDITOR && App.CardForm && IsWindow(App.CardForm))
        SendMessageA(App.CardForm, WM_FORM_RELOAD_CARD, 0, 0);
    else if (App.ViewMode != VIEW_CARD_EDITOR) SetViewMode(VIEW_CARD_EDITOR);
    if (App.CardForm && IsWindow(App.CardForm)) SetFocus(GetDlgItem(App.CardForm, IDC_FORM_NAME));
    RefreshCardViews(1);
    UpdateCommandStates(App.CommandBar, 0);
}

// Card > Search: the Find dialog over a card file that has cards.
static void OnSearchCommand(void) {
    if (!CommitPendingEdits()) return;
    if (App.CardCount >= 1) RunFindDialog();
}

// The web and e-mail links of the current card: only web and e-mail addresses are opened.
static void OnCardLinkCommand(int id) {
    if (id == IDM_BROWSE_WEB || id == IDM_BROWSE_WEB2)
        OpenWebAddress(id == IDM_BROWSE_WEB ? App.CurrentCard.User3 : App.CurrentCard.User4);
    else OpenMailAddress(id == IDM_MAIL ? App.CurrentCard.EMail : App.CurrentCard.User2);
}

static const char* const kSortFields[] = {"CName", "Company", "State", "Zip", "CDate"};

// The sorted table shown again in the view, on the same current card at its new place.
static void ShowSortedCards(void) {
    ReturnToCurrentCardOrFirst();
    switch (App.ViewMode) {
    case VIEW_CARD_LIST: FillCardListView(); break;
    case VIEW_CARD_EDITOR:
        if (App.CardForm && IsWindow(App.CardForm)) {
            SendMessageA(App.CardForm, WM_FORM_RELOAD_CARD, 0, 0);
            InvalidateRect(App.CardForm, NULL, FALSE);
        }
        SetCurrentCardImage(CardImagePath(&App.CurrentCard));
        if (App.ImagePane && IsWindow(App.ImagePane)) InvalidateRect(App.ImagePane, NULL, FALSE);
        RepaintEditorImage();
        RepaintEditorImageCaption();
        break;
    default:
        if (App.Views.DeckList) RefillDeckList();
        break;
    }
}

void SortCards(int id) {
    if (App.CardCount < 1 || !CommitPendingEdits()) return;
    int descending = id >= IDM_SORT_NAME_DESC;
    int key = descending ? id - IDM_SORT_NAME_DESC : id - IDM_SORT_NAME;
    kvTblClose(App.CardTable);
    kvKeyClear(App.CardTable);
    kvKeyAdd(App.CardTable, kSortFields[key]);
    kvSetSortOrder(App.CardTable, descending);
    App.SortMode = key + 1 + (descending ? 256 : 0);
    kvTblOpen(App.CardTable);
    App.RowsUnsorted = 0;
    ShowSortedCards();
}

void OnScanAndCardCommand(int id) {
    switch (id) {
    case IDM_SCAN:
    case IDM_PANEL_SCAN:
    case IDM_SELECT_SCANNER: OnScanMenuCommand(id); break;
    case IDM_CARD_NEW: OnNewCard(); break;
    case IDM_CARD_SEARCH: OnSearchCommand(); break;
    case IDM_BROWSE_WEB:
    case IDM_BROWSE_WEB2:
    case IDM_MAIL:
    case IDM_MAIL2: OnCardLinkCommand(id); break;
    default:
        if ((id >= IDM_SORT_NAME && id <= IDM_SORT_DATE) || (id >= IDM_SORT_NAME_DESC && id <= IDM_SORT_DATE_DESC)) {
            SortCards(id);
        } else if (id >= IDM_CARD_FIRST && id <= IDM_CARD_GOTO && App.CardCount >= 1) {
            if (!CommitPendingEdits()) break;
            RefreshCardViews(1);
            NavigateCard(id);
            if (App.ViewMode == VIEW_CARD_LIST) FillCardListView();
        }
        break;
    }
}
