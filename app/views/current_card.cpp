// The current card is known by its ID: the roads that walk, filter or reorder the card table
// (letter counts, finds, sorts, refills, deletes) leave the table anywhere, and the card's
// number follows its place; its ID does not change. These routines put the table back on it.
#include "views.h"
#include "shell.h"
#include <stdio.h>
#include <string.h>

// Reads the current card of the open table with its note, thumbnail and image names, and
// takes its ID; 1 read.
int ReadCurrentCard(void) {
    if (kvCardRecGet(App.CardTable, &App.CurrentCard, 1) != 1) return 0;
    App.CurrentCardId = App.CurrentCard.ID;
    return 1;
}

// Makes the card under the table's position current: its number, record and ID. 0 when the
// table stands on no card.
int TakeCardAtPosition(void) {
    int number = kvRecNum(App.CardTable);
    if (number < 1 || !ReadCurrentCard()) return 0;
    App.CurrentCardNumber = number;
    return 1;
}

// Makes the card at that position (from 1) current.
int TakeCardAt(int number) {
    if (!App.CardTable || number < 1 || number > App.CardCount) return 0;
    kvRecGoto(App.CardTable, number);
    return TakeCardAtPosition();
}

// Moves the table onto the card with that ID; its position from 1, or 0 when the open table
// does not hold it (another filter, or deleted). A miss leaves the table where it was.
int FindCardById(int id) {
    if (!App.CardTable || id <= 0 || App.CardCount < 1) return 0;
    char criterion[32];
    snprintf(criterion, sizeof criterion, "ID = %d", id);
    if (kvRecFindFirst(App.CardTable, criterion) != 1) return 0;
    int number = kvRecNum(App.CardTable);
    return number > 0 ? number : 0;
}

// Puts the table back on the current card by its ID; its number follows the card's place.
// 1 when the table holds the card; 0 for a new card not yet stored or one the table no
// longer holds (the table is then left where it was).
int ReturnToCurrentCard(void) {
    if (App.CurrentCardNumber == -1) return 0;
    // A card made current by its number alone (a road that stored it) is known by its place.
    if (App.CurrentCardId <= 0 && App.CurrentCardNumber >= 1 && App.CurrentCardNumber <= App.CardCount) {
        static CardRec placed;
        kvRecGoto(App.CardTable, App.CurrentCardNumber);
        if (kvRecNum(App.CardTable) != App.CurrentCardNumber || kvCardRecGet(App.CardTable, &placed, 0) != 1) return 0;
        App.CurrentCardId = placed.ID;
        return 1;
    }
    int number = FindCardById(App.CurrentCardId);
    if (!number) return 0;
    App.CurrentCardNumber = number;
    return 1;
}

// After the table changed under the current card: back on it when the table still holds
// it, else on the first card (or none), which is then read and made current.
void ReturnToCurrentCardOrFirst(void) {
    if (App.CurrentCardNumber == -1) return;
    if (ReturnToCurrentCard()) {
        ReadCurrentCard();
        return;
    }
    if (App.CardCount >= 1 && TakeCardAt(1)) return;
    App.CurrentCardNumber = App.CardCount >= 1 ? 1 : 0;
    App.CurrentCardId = 0;
    if (App.CardCount < 1) memset(&App.CurrentCard, 0, sizeof App.CurrentCard);
}

// The current card is a new one, not yet stored: nothing in the table is current.
void ForgetCurrentCardInTable(void) {
    App.CurrentCardNumber = -1;
    App.CurrentCardId = 0;
    memset(&App.CurrentCard, 0, sizeof App.CurrentCard);
}

// Before any road that changes the current card, the table's order or filter, the view or
// the card file: the Card Editor's pending edits and the Card List's open cell go to their
// card. 0 when the form's card could not be stored: the road must stop there.
int CommitPendingEdits(void) {
    EndListEdit();
    return CommitCardForm();
}
