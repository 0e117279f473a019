// File > Synchronize with: the cards of the open card file exchanged with a PIM through the
// link library, and the cards it brings back stored.
#include "shell.h"
#include "resource.h"
#include "ferrow.h"
#include "linkcards.h"

#define TRANSFER_TEXT_MAX 64

static void ShowTransferResult(int done) {
    char text[TRANSFER_TEXT_MAX], caption[TRANSFER_TEXT_MAX];
    LoadStringA(App.Instance, done ? IDS_TRANSFER_COMPLETE : IDS_TRANSFER_FAILED, text, sizeof text);
    if (LoadStringA(App.Instance, IDS_TRANSFER_CAPTION, caption, sizeof caption) <= 0) caption[0] = 0;
    MessageBoxA(App.MainWindow, text, caption, MB_ICONINFORMATION);
}

// The direction is the one chosen for the target of this command, not for the target the
// Link button shows; the transfer is complete only when the cards it brought were stored too.
// A failed link leaves the current record as the array walk left it: the current card is read
// again.
void OnPimLink(int linkType) {
    if (!App.CardTable) return;
    CardRecV4* cards = NULL;
    int count = 0;
    if (!BuildLinkCardArray(linkType, &cards, &count)) {
        FreeLinkCards(cards);
        RereadCurrentCard();
        return;
    }
    char settings[MAX_PATH];
    GetSettingsPath(settings, sizeof settings);
    int result = FerrowDBFile(settings, NULL, &cards, &count, linkType, App.LinkDirection[linkType]);
    int done = 0;
    if (result == FERROW_OK) done = InsertLinkedCards(cards, count);
    else RereadCurrentCard();
    ShowTransferResult(done);
    FreeLinkCards(cards);
    RefreshCardViews(1);
}
