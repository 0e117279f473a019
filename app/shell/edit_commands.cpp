// The Edit menu (undo, cut, copy, paste, clear) on the focused card field or the Card List,
// and Delete Card in the card views.
#include "shell.h"
#include "views.h"
#include "capture.h"
#include "resource.h"
#include <string.h>

#define CLASS_NAME_SIZE 32

int IsEditControl(HWND window) {
    char name[CLASS_NAME_SIZE + 1];
    return window && GetClassNameA(window, name, CLASS_NAME_SIZE) && lstrcmpiA(name, "Edit") == 0;
}

int HasTextSelection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    return start != end;
}

// Cut, copy, paste and clear on one edit control; the card form's fields keep an undo record.
static void EditInControl(HWND edit, int id, int keepUndo) {
    if (keepUndo) RecordUndoAction(id == IDM_EDIT_COPY ? 0 : 7, NULL, id == IDM_EDIT_COPY ? NULL : edit, NULL, NULL);
    switch (id) {
    case IDM_EDIT_CUT:
        if (HasTextSelection(edit)) SendMessageA(edit, WM_CUT, 0, 0);
        break;
    case IDM_EDIT_COPY:
        if (HasTextSelection(edit)) SendMessageA(edit, WM_COPY, 0, 0);
        break;
    case IDM_EDIT_PASTE: SendMessageA(edit, WM_PASTE, 0, 0); break;
    case IDM_EDIT_CLEAR:
        if (HasTextSelection(edit)) SendMessageA(edit, WM_CLEAR, 0, 0);
        break;
    }
}

static void EditInCardList(int id) {
    HWND list = App.Views.CardList;
    int selected = SendMessageA(list, WM_LIST_SELECTED, 0, 0) != 0;
    switch (id) {
    case IDM_EDIT_CUT:
        if (selected) SendMessageA(list, WM_LIST_CUT, 0, 0);
        break;
    case IDM_EDIT_COPY:
        if (selected) SendMessageA(list, WM_LIST_COPY, 0, 0);
        break;
    case IDM_EDIT_PASTE: SendMessageA(list, WM_LIST_PASTE, 0, 0); break;
    case IDM_EDIT_CLEAR:
        if (selected) SendMessageA(list, WM_LIST_CLEAR, 0, 0);
        break;
    }
}

static void OnClipboardCommand(int id) {
    if (App.ViewMode == VIEW_CARD_EDITOR && App.CardForm && IsWindow(App.CardForm)) {
        HWND focus = GetFocus();
        if (IsEditControl(focus)) EditInControl(focus, id, 1);
    } else if (App.ViewMode == VIEW_CARD_LIST && App.Views.CardList && IsWindow(App.Views.CardList)) {
        HWND editor = App.Views.ListEditor;
        if (editor && IsWindow(editor) && IsWindowVisible(editor)) EditInControl(editor, id, 0);
        else EditInCardList(id);
    }
}

// The file names of a card's thumbnail and image, taken before the card goes.
typedef struct CARDFILES {
    char Thumbnail[MAX_PATH];
    char Image[MAX_PATH];
} CARDFILES;

static void TakeCardFiles(const CardRec* card, CARDFILES* files) {
    ReadBlobPath(&card->SecondText, files->Thumbnail, sizeof files->Thumbnail);
    ReadBlobPath(&card->CImage, files->Image, sizeof files->Image);
}

static void DeleteCardFiles(const CARDFILES* files) {
    if (files->Thumbnail[0]) DeleteFileIfExists(files->Thumbnail);
    if (files->Image[0]) DeleteFileIfExists(files->Image);
}

static void ForgetCurrentCard(void) {
    App.CardCount = 0;
    ForgetCurrentCardInTable();
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    UpdateCommandStates(App.CommandBar, 0);
}

// Deck and Editor: the current card. Its files go only once the delete is committed, so that
// a rolled-back delete keeps a card whose image is still there.
static void DeleteCurrentCard(void) {
    if (App.CurrentCardNumber < 1 || App.CurrentCardNumber > App.CardCount) return;
    // The record is read afresh: a long column of the shown card may already have been taken.
    static CARDFILES files;
    static CardRec card;
    if (!ReturnToCurrentCard()) return;
    memset(&card, 0, sizeof card);
    kvCardRecGet(App.CardTable, &card, 1);
    TakeCardFiles(&card, &files);
    kvStartTransation(App.Database);
    if (kvRecDelete(App.CardTable) != 1) {
        kvRollback(App.Database);
        return;
    }
    if (kvCommit(App.Database) != 1) {
        kvRollback(App.Database);
        return;
    }
    DeleteCardFiles(&files);
    kvRecNext(App.CardTable);
    if (kvRecIsEOF(App.CardTable)) kvRecPrev(App.CardTable);
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    int number = kvRecNum(App.CardTable);
    App.CardCount = kvTblNRecs(App.CardTable);
    if (App.CardCount <= 0) ForgetCurrentCard();
    else if (!TakeCardAt(number)) TakeCardAt(App.CardCount);
    if (App.ViewMode == VIEW_CARD_EDITOR && App.CardForm && IsWindow(App.CardForm)) {
        SendMessageA(App.CardForm, WM_FORM_RELOAD_CARD, 0, 0);
        InvalidateRect(App.CardForm, NULL, TRUE);
        RepaintEditorImage();
        RepaintEditorImageCaption();
    }
    RefreshCardViews(1);
    RepaintIndexTabs();
}

// Card List: every selected row in one transaction; the files of the deleted cards go after
// the commit, and none of them when the transaction is rolled back.
static void DeleteSelectedRows(void) {
    HWND list = App.Views.CardList;
    int remembered = App.CurrentCardNumber;
    int count = (int)SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0);
    if (count <= 0) return;
    int* rows = (int*)calloc((size_t)count, sizeof(int));
    CARDFILES* files = (CARDFILES*)calloc((size_t)count, sizeof(CARDFILES));
    if (!rows || !files) {
        free(rows);
        free(files);
        return;
    }
    int collected = 0;
    for (int row = -1; collected < count;) {
        row = (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)row, LVNI_SELECTED);
        if (row < 0) break;
        rows[collected++] = row;
    }
    kvStartTransation(App.Database);
    int failed = 0, deleted = 0;
    static CardRec card;
    for (int i = collected - 1; i >= 0 && !failed; --i) {
        if (!FindCardById(CardListRowId(rows[i]))) continue;
        memset(&card, 0, sizeof card);
        kvCardRecGet(App.CardTable, &card, 1);
        CARDFILES* taken = &files[deleted];
        TakeCardFiles(&card, taken);
        if (kvRecDelete(App.CardTable) != 1) {
            failed = 1;
            break;
        }
        ++deleted;
        kvRecNext(App.CardTable);
        if (kvRecIsEOF(App.CardTable)) kvRecPrev(App.CardTable);
    }
    if (failed || kvCommit(App.Database) != 1) {
        kvRollback(App.Database);
    } else {
        for (int i = 0; i < deleted; ++i) DeleteCardFiles(&files[i]);
        if (collected == App.CardCount) {
            ForgetCurrentCard();
        } else {
            // The current card stays when it was not deleted; else the card now at its place.
            App.CardCount = kvTblNRecs(App.CardTable);
            if (ReturnToCurrentCard()) ReadCurrentCard();
            else if (remembered < 1 || remembered > App.CardCount || !TakeCardAt(remembered)) TakeCardAt(App.CardCount);
        }
        RefreshCardViews(1);
    }
    free(rows);
    free(files);
}

void OnEditCommand(int id) {
    switch (id) {
    case IDM_EDIT_UNDO:
        PerformUndo();
        RecordUndoAction(0, NULL, NULL, NULL, NULL);
        break;
    case IDM_EDIT_CUT:
    case IDM_EDIT_COPY:
    case IDM_EDIT_PASTE:
    case IDM_EDIT_CLEAR: OnClipboardCommand(id); break;
    case IDM_CARD_DELETE:
        if (!App.CardTable || !CommitPendingEdits()) break;
        if (App.ViewMode == VIEW_CARD_DECK || App.ViewMode == VIEW_CARD_EDITOR) DeleteCurrentCard();
        else if (App.ViewMode == VIEW_CARD_LIST && App.Views.CardList && IsWindow(App.Views.CardList))
            DeleteSelectedRows();
        break;
    }
}
