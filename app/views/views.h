// Functions of the card views, by the file that holds them.
#pragma once
#include "app_state.h"
#include <commctrl.h>

#define WM_LIST_NOTHING  1524
#define WM_LIST_COPY     1525
#define WM_LIST_CUT      1526
#define WM_LIST_PASTE    1527
#define WM_LIST_CLEAR    1528
#define WM_LIST_SELECTED 1529

#define ID_WORK_AREA     920
#define ID_INDEX_STRIP   907
#define ID_CARD_TEXT     909
#define ID_CARD_IMAGE    900
#define ID_DECK_LIST     2002
#define ID_CARD_LIST     9300
#define ID_LIST_EDITOR   9305
#define ID_IMAGE_CAPTION 910
#define ID_IMAGE_PANE    911
#define ID_DESK          906
#define ID_DECK_ARROW    900  // 900 to 903, buttons of the work area

// zoom.cpp: the zoom of the Card Editor's image pane.
int GetFitZoomPercent(int mode);

// work_area.cpp: the work area, its panes per view mode and the view switch.
void RegisterWorkAreaClasses(void);
HWND CreateWorkEditWindow(HWND parent);
void GetCardAreaRect(RECT* area);
void LayoutWorkEditWindow(WPARAM flag);
void SetViewMode(int mode);
void SwitchWorkAreaView(HWND parent);
void LayoutWorkArea(HWND parent, WPARAM flag);
void RefreshViewPanes(int fullRefresh);
void FreeViewResources(void);

// current_card.cpp: the current card by its ID, and the commit before every road that moves it.
int ReadCurrentCard(void);
int TakeCardAtPosition(void);
int TakeCardAt(int number);
int FindCardById(int id);
int ReturnToCurrentCard(void);
void ReturnToCurrentCardOrFirst(void);
void ForgetCurrentCardInTable(void);
int CommitPendingEdits(void);

// navigation.cpp: first, last, next, previous and go to card.
void NavigateCard(int command);
void GotoCard(int n);
int IsCurrentCardValid(void);
void CenterWindowOnScreen(HWND window);

// view_commands.cpp: the View menu and the rubber band.
void OnViewCommand(int command);
void DrawXorFrame(HDC dc, const RECT* rect, int dotted);

// card_panes.cpp: the deck's card text and card image panes and their drawing routines.
void CreateDeckPanes(HWND parent);
void DestroyDeckPanes(void);
void RepaintDeckPanes(void);
void DrawCardText(HDC dc, const RECT* rect, const CardRec* card);
int DrawCardImageFile(HDC dc, const RECT* rect, const char* path);
void DrawLabelBox(HDC dc, const RECT* rect, const char* text, UINT flags, int largestHeight);
// The font DrawLabelBox draws a box's text in (flags without 0x0400); the text keeps
// LABEL_BOX_MARGIN pixels from either side.
HFONT CreateLabelBoxFont(const RECT* rect, UINT flags, int largestHeight);
#define LABEL_BOX_MARGIN 4
LRESULT CALLBACK CardTextWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CardImageWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// index_strip.cpp: the index tabs, the search bar and its history.
LRESULT CALLBACK IndexTabsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateIndexStrip(HWND parent);
void RepaintIndexTabs(void);
void CountCardsByLetter(void);
int HitTestIndexTab(int x, int y);
void EscapeSearchText(char* out, int size, const char* text, int literalWildcards);

// deck_list.cpp
HWND CreateDeckList(HWND parent);
void RefillDeckList(void);
// A left-aligned column of a card list at that index.
void InsertListColumn(HWND list, int index, const char* title, int width);
// The text of a row's cell in a list view column after the first (the row's own text is the first).
void SetListCell(HWND list, int row, int column, const char* text);
// Around the filling of a list view's rows: drawing is held, then the list repainted once.
void BeginListRows(HWND list);
void EndListRows(HWND list);
void DestroyDeckList(void);
void SelectCurrentDeckRow(void);
void OnDeckListNotify(NMHDR* header);
int ParsePositionList(const char* text, int* values, int count);

// card_list.cpp and card_list_columns.cpp: the Card List and its column table.
HWND CreateCardListView(HWND parent);
void DestroyCardListView(void);
void FillCardListView(void);
void RebuildCardListColumns(void);
LRESULT OnCardListNotify(NMHDR* header);
void EndListEdit(void);
// The ID of the card a row of the Card List shows.
int CardListRowId(int row);
int TranslateWorkAreaKey(HWND window, int key);
void LoadListColumnWidths(void);
void SaveListColumnWidths(void);
void LoadCardListColumnTitle(int column, char* title, int size);
void FormatCardListCell(const CardRec* card, int column, int row, char* text, int size);
char* CardListField(CardRec* card, int column, int* size);
int CardListDefaultWidth(int column);

// card_form.cpp and field_edit.cpp: the Card Editor's form and its field edits.
HWND CreateCardForm(HWND parent);
INT_PTR CALLBACK CardFormDlgProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam);
int CommitCardForm(void);
LRESULT CALLBACK FieldEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void RecordUndoAction(int kind, HWND window1, HWND window2, const char* text1, const char* text2);
void PerformUndo(void);

// editor_image.cpp: the Card Editor's image caption, image pane and zoom control.
HWND CreateEditorImagePanes(HWND parent);
void DestroyEditorImagePanes(void);
void RepaintEditorImage(void);
void RepaintEditorImageCaption(void);
LRESULT CALLBACK ImageCaptionWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditorImageWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// card_album.cpp
LRESULT CALLBACK DeskWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateCardDesk(HWND parent);
void LayoutCardDesk(HWND parent, WPARAM flag);
void DestroyCardDesk(void);
void CollectDeskCards(void);
void SelectFirstDeskLetter(void);
void InvalidateDeskLetters(void);
void RepaintDeskCells(void);
void FreeDeskCardList(void);
