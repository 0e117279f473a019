// New Card: an empty card appended to the open card file and made current. The Card and
// Scan commands around it (scan, search, sort, navigation, links) join with their own code.
#include "shell.h"
#include "views.h"
#include "resource.h"
#include <string.h>

void OnNewCard(void) {
    if (!App.Database || !App.CardFileUsable) return;
    if (App.ViewMode == VIEW_CARD_EDITOR && App.CardForm && IsWindow(App.CardForm))
        SendMessageA(App.CardForm, WM_FORM_SAVE_CARD, 0, 0);
    App.CurrentCardNumber = -1;
    memset(&App.CurrentCard, 0, sizeof App.CurrentCard);
    kvStartTransation(App.Database);
    if (kvCardRecInsert(App.CardTable, &App.CurrentCard) == 1) {
        kvCommit(App.Database);
        kvRecLast(App.CardTable);
        App.CurrentCardNumber = App.CardCount = kvTblNRecs(App.CardTable);
        if (App.ViewMode == VIEW_CARD_EDITOR) {
            kvRecGoto(App.CardTable, App.CurrentCardNumber);
            kvCardRecGet(App.CardTable, &App.CurrentCard, 1);
        }
    } else {
        kvRollback(App.Database);
    }
    if (App.ViewMode == VIEW_CARD_EDITOR && App.CardForm && IsWindow(App.CardForm))
        SendMessageA(App.CardForm, WM_FORM_RELOAD_CARD, 0, 0);
    else if (App.ViewMode != VIEW_CARD_EDITOR) SetViewMode(VIEW_CARD_EDITOR);
    RefreshCardViews(1);
    UpdateCommandStates(App.CommandBar, 0);
}
