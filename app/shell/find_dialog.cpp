// Card > Search: the Find dialog. Up to three texts, by field or in any of eight fields, and
// a range of card dates become a filter on the card table; the first matching card is shown.
#include "shell.h"
#include "views.h"
#include "capture.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

#define IDC_FIND_LABEL1 1088
#define IDC_FIND_TEXT1  1152
#define IDC_FIND_FROM   1155
#define IDC_FIND_TO     1156
#define IDC_FIND_MODE   1024
#define DATE_LITERAL    32
#define ESCAPED_SIZE    (FIND_TEXT_SIZE * 3 + 8)

static const char* const kFieldTemplates[] = {"CName like '*%s*'", "Title like '*%s*'", "Company like '*%s*'"};
static const char* const kAnyFieldTemplates[] = {"CName like '*%s*'",   "Title like '*%s*'", "Company like '*%s*'",
                                                 "Address like '*%s*'", "State like '*%s*'", "City like '*%s*'",
                                                 "Country like '*%s*'", "CNote like '*%s*'"};

// Skips blanks, then reads digits up to the stop character (0: the end of the text). Too many
// digits, no digit or any other character make the part bad (-1).
static int ReadDatePart(const char** text, char stop) {
    const char* c = *text;
    while (*c == ' ') ++c;
    int value = 0, digits = 0;
    for (; *c >= '0' && *c <= '9'; ++c, ++digits) {
        if (digits >= 6) return -1;
        value = value * 10 + (*c - '0');
    }
    if (!digits || *c != stop) return -1;
    *text = stop ? c + 1 : c;
    return value;
}

static int DaysInMonth(int month, int year) {
    if (month == 2) return (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ? 29 : 28;
    if (month == 4 || month == 6 || month == 9 || month == 11) return 30;
    return 31;
}

int ParseFindDate(const char* text, int date[6]) {
    int month = ReadDatePart(&text, '/');
    if (month < 1 || month > 12) return 0;
    int day = ReadDatePart(&text, '/');
    if (day < 1 || day > 31) return 0;
    int year = ReadDatePart(&text, 0);
    if (year < 1) return 0;
    if (year < 100) year += year < 39 ? 2000 : 1900;
    // The card database's date literals end at year 9999.
    if (year > 9999 || day > DaysInMonth(month, year)) return 0;
    date[0] = year;
    date[1] = month;
    date[2] = day;
    date[3] = date[4] = date[5] = 0;
    return 1;
}

static void Append(char* filter, int size, const char* joint, const char* text) {
    int used = (int)strlen(filter);
    snprintf(filter + used, (size_t)(size - used), "%s%s", used ? joint : "", text);
}

static void AppendTemplate(char* filter, int size, const char* joint, const char* pattern, const char* text) {
    char term[ESCAPED_SIZE + 32];
    snprintf(term, sizeof term, pattern, text);
    Append(filter, size, joint, term);
}

void FormatAnyFieldCriteria(char* out, int size, const char* text) {
    char escaped[ESCAPED_SIZE];
    EscapeSearchText(escaped, sizeof escaped, text, 0);
    out[0] = 0;
    for (const char* pattern : kAnyFieldTemplates) AppendTemplate(out, size, " OR ", pattern, escaped);
}

// "CDate >= literal" or "CDate <= literal" of the day (its end for the upper bound).
static int AppendDateTerm(char* dates, int size, HKVTBL table, const char* text, int upper) {
    int date[6];
    if (!ParseFindDate(text, date)) return 0;
    char literal[DATE_LITERAL], term[DATE_LITERAL + 16];
    kvMakeDateStmt((int)(INT_PTR)table, date[0], date[1], date[2], upper ? 23 : 0, upper ? 59 : 0, upper ? 59 : 0,
                   literal, sizeof literal);
    snprintf(term, sizeof term, upper ? "CDate <= %s" : "CDate >= %s", literal);
    Append(dates, size, " AND ", term);
    return 1;
}

// The free texts stay one group however the dates follow them: "a OR b AND date" would
// otherwise take only the last text's terms with the date.
int BuildFindFilter(int freeSearch, const char texts[FIND_TEXT_COUNT][FIND_TEXT_SIZE + 1], HKVTBL table, char* filter,
                    int size) {
    static char words[FIND_FILTER_SIZE], any[FIND_FILTER_SIZE], dates[2 * (DATE_LITERAL + 16)];
    words[0] = dates[0] = 0;
    for (int i = 0; i < 3; ++i) {
        if (!texts[i][0]) continue;
        if (freeSearch) {
            FormatAnyFieldCriteria(any, sizeof any, texts[i]);
            Append(words, sizeof words, " OR ", any);
        } else {
            char escaped[ESCAPED_SIZE];
            EscapeSearchText(escaped, sizeof escaped, texts[i], 0);
            AppendTemplate(words, sizeof words, " AND ", kFieldTemplates[i], escaped);
        }
    }
    if (texts[3][0] && !AppendDateTerm(dates, sizeof dates, table, texts[3], 0)) return 0;
    if (texts[4][0] && !AppendDateTerm(dates, sizeof dates, table, texts[4], 1)) return 0;
    if (words[0] && dates[0] && freeSearch) snprintf(filter, (size_t)size, "(%s) AND %s", words, dates);
    else if (words[0] && dates[0]) snprintf(filter, (size_t)size, "%s AND %s", words, dates);
    else snprintf(filter, (size_t)size, "%s", words[0] ? words : dates);
    return 1;
}

static void SetCardFilter(const char* filter) {
    kvTblClose(App.CardTable);
    kvSetFilter(App.CardTable, filter);
    kvTblOpen(App.CardTable);
    App.RowsUnsorted = 0;
    App.CardCount = kvTblNRecs(App.CardTable);
}

static void ShowFoundCards(void) {
    switch (App.ViewMode) {
    case VIEW_CARD_DECK:
    case VIEW_CARD_EDITOR:
        CountCardsByLetter();
        if (App.Views.IndexStrip) InvalidateRect(App.Views.IndexStrip, NULL, FALSE);
        RefillDeckList();
        if (App.ViewMode == VIEW_CARD_DECK) {
            RepaintDeckPanes();
            break;
        }
        if (CardImagePath(&App.CurrentCard)) SetCurrentCardImage(CardImagePath(&App.CurrentCard));
        else ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
        RepaintEditorImage();
        if (App.CardForm && IsWindow(App.CardForm)) {
            SendMessageA(App.CardForm, WM_FORM_RELOAD_CARD, 0, 0);
            InvalidateRect(App.CardForm, NULL, FALSE);
        }
        break;
    case VIEW_CARD_LIST:
        FillCardListView();
        if (App.Views.CardList) InvalidateRect(App.Views.CardList, NULL, TRUE);
        break;
    case VIEW_CARD_ALBUM:
        CountCardsByLetter();
        CollectDeskCards();
        InvalidateDeskLetters();
        RepaintDeskCells();
        break;
    }
}

// The dialog owns its messages: one owned by the main window would enable the main window
// again when it closes, behind the dialog that is still open.
static void ShowFindError(HWND dialog, UINT id, const char* caption) {
    MessageBoxFromStringId(dialog, id, caption, MB_OK | MB_ICONSTOP);
}

// 0 keeps the dialog open (a bad date); 1 when the filter was applied or there was none.
static int ApplyFindFilter(HWND dialog) {
    for (int i = 0; i < FIND_TEXT_COUNT; ++i)
        GetDlgItemTextA(dialog, IDC_FIND_TEXT1 + i, App.Find.SavedTexts[i], FIND_TEXT_SIZE + 1);
    if (!BuildFindFilter(App.Find.FreeSearchMode, App.Find.SavedTexts, App.CardTable, App.Find.Filter,
                         sizeof App.Find.Filter)) {
        ShowFindError(dialog, IDS_INVALID_DATE, "Date Error !");
        return 0;
    }
    if (!App.Find.Filter[0]) return 1;
    SetCardFilter(App.Find.Filter);
    if (App.CardCount < 1) {
        // Nothing found: every card again, and the card that was current stays so.
        ShowFindError(dialog, IDS_CARD_NOT_FOUND, "Search Error !");
        SetCardFilter("");
        if (App.CurrentCardNumber == -1) App.CurrentCardNumber = 0;
        ReturnToCurrentCardOrFirst();
    } else {
        kvRecFirst(App.CardTable);
        TakeCardAtPosition();
    }
    ShowFoundCards();
    return 1;
}

static void SetFindDialogLabels(HWND dialog) {
    static const UINT kFieldLabels[] = {IDS_FIND_NAME, IDS_FIND_TITLE, IDS_FIND_COMPANY};
    static const UINT kFreeLabels[] = {IDS_FIND_SEARCH1, IDS_FIND_SEARCH2, IDS_FIND_SEARCH3};
    char text[64];
    LoadStringA(App.Instance, App.Find.FreeSearchMode ? IDS_FREE_SEARCH : IDS_FIELD_SEARCH, text, sizeof text);
    SetWindowTextA(dialog, text);
    for (int i = 0; i < 3; ++i) {
        LoadStringA(App.Instance, App.Find.FreeSearchMode ? kFreeLabels[i] : kFieldLabels[i], text, sizeof text);
        SetDlgItemTextA(dialog, IDC_FIND_LABEL1 + i, text);
    }
    LoadStringA(App.Instance, App.Find.FreeSearchMode ? IDS_FIELD_SEARCH : IDS_FREE_SEARCH, text, sizeof text);
    SetDlgItemTextA(dialog, IDC_FIND_MODE, text);
}

static void OnFindCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_FIND_MODE:
        App.Find.FreeSearchMode = !App.Find.FreeSearchMode;
        SetFindDialogLabels(dialog);
        break;
    case IDOK:
        if (ApplyFindFilter(dialog)) EndDialog(dialog, 1);
        break;
    case IDCANCEL: EndDialog(dialog, 0); break;
    }
}

INT_PTR CALLBACK FindDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        CenterWindowOnScreen(dialog);
        for (int i = 0; i < 3; ++i) {
            SendDlgItemMessageA(dialog, IDC_FIND_TEXT1 + i, EM_LIMITTEXT, FIND_TEXT_SIZE, 0);
            SetDlgItemTextA(dialog, IDC_FIND_TEXT1 + i, App.Find.SavedTexts[i]);
        }
        SetFindDialogLabels(dialog);
        return TRUE;
    case WM_COMMAND: OnFindCommand(dialog, LOWORD(wParam)); return TRUE;
    }
    return FALSE;
}

void RunFindDialog(void) { RunModalDialog(App.MainWindow, 0, IDD_FIND, FindDlgProc); }
