// Functions of the application shell, by the file that holds them.
#pragma once
#include "app_state.h"
#include <shellapi.h>

// settings.cpp: the settings file and the preferences kept in program state.
BOOL ReplaceFileExtension(char* path, const char* extension);
void FormProgramSettingsPath(const char* module, char* path, int size);
void GetProgramSettingsPath(char* path, int size);
void GetSettingsPath(char* path, int size);
int ReadSettingInt(const char* section, const char* key, int fallback);
void ReadSettingText(const char* section, const char* key, const char* fallback, char* out, int size);
void WriteSettingText(const char* section, const char* key, const char* value);
void WriteSettingInt(const char* section, const char* key, int value);
void ReadPreferenceValue(int index, int* value);
void WritePreferenceValue(int index, const char* text);
void LoadStartupPreferences(void);
void LoadScanAndExportPreferences(void);
void SaveSessionSettings(void);

// settings_lists.cpp: recent image files, card-file list and send-to entries.
void LoadRecentFiles(void);
void AddRecentFile(const char* path);
void SaveRecentFiles(void);
void SaveSendToList(void);
BOOL FileExists(const char* path);

// messages.cpp: user messages by string id and small shell helpers.
int MessageBoxFromStringId(HWND owner, UINT id, const char* caption, UINT style);
int MessageBoxFormat(HWND owner, UINT style, UINT id, ...);

// folder_paths.cpp: every folder-and-name join of the program.
// JoinFolderAndName: folder, one backslash when the folder is not empty and does not end with
// a separator, then name; 1 when the whole fits in `size` and in MAX_PATH, else 0 with an
// empty path (a path is never cut). `path` may be `folder` itself.
int JoinFolderAndName(char* path, int size, const char* folder, const char* name);
// ReadFolderSetting: [Directory] `key` read whole, with a closing backslash (an empty setting
// gives ""); gives the setting's length (0 when empty), or -1 when it is too long for a path
// of the folder and a name or for `size`, after a message naming the setting.
int ReadFolderSetting(const char* key, char* folder, int size);
// JoinFolderSettingAndName: the folder of [Directory] `key` joined with `name`; 1 when it
// fits, else 0 with an empty path after the message naming the setting.
int JoinFolderSettingAndName(const char* key, const char* name, char* path, int size);
// The message that a folder setting cannot be used, shown once per setting and value.
void ReportUnusableFolder(const char* key, const char* folder);

// web_links.cpp: the address to open for a web field or setting (http, https or a bare host,
// which gets "http://") or for an e-mail field ("mailto:" + it); 1 when the text is one, else
// 0 with an empty target. Open... opens it with the system, shows a message naming the text
// when it is none, and does nothing for an empty text.
int FormWebAddress(const char* text, char* target, int size);
int FormMailAddress(const char* text, char* target, int size);
void OpenWebAddress(const char* text);
void OpenMailAddress(const char* text);
void SetMainWindowTitle(const char* path);
INT_PTR RunModalDialog(HWND owner, int ignored, int templateId, DLGPROC proc);
HGLOBAL InitGrowableArray(void* header, int elementSize);

// user_groups.cpp: who runs the program and how it was launched.
int IsNT5OrLater(void);
int IsWindowsNT4(void);
int IsUserAdministrator(void);
int IsUserPowerUser(void);
int CheckStillImageLaunch(char* dataSource, int registerLaunch);

// startup.cpp: entry, single instance, hand-over to a running instance, message loop.
int RunMessageLoop(void);
void RemoveEnclosingQuotes(char* text);
void ActOnOwnCommandLine(void);

// app_init.cpp: shared resources, window classes, main window.
int InitApplication(void);
int InitResources(void);
int CreateMainWindow(HINSTANCE instance, int showCommand);
void FreeAppResources(void);
void InitPageAttributes(uint8_t* block);
void CallOnlineUpdate(int when);

// engine_startup.cpp: the recognition engine's document and database at start-up.
int CreateRecognitionDocument(void);
int LoadRecognitionDatabase(RecogDocument* document, int index);
void EndRecognitionEngine(void);

// main_window.cpp
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int LayoutMainChildren(HWND window, WPARAM kind);
void OnMainCommand(HWND window, int id);

// commands.cpp, file_commands.cpp, card_commands.cpp, edit_commands.cpp, help_commands.cpp:
// the commands of the menu, the accelerators and the command bar, routed by id range.
void OnFileCommand(int id, int fromFile);
int IsSameFile(const char* a, const char* b);
void OnNewCard(void);
void OnScanAndCardCommand(int id);
void SortCards(int id);
void OnEditCommand(int id);
int IsEditControl(HWND window);
int HasTextSelection(HWND edit);
void OnHelpCommand(int id);
INT_PTR CALLBACK AboutWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK UpdateInfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// menu_states.cpp: menu items greyed by the program's state as a menu pops up.
void UpdateMenuStates(HWND window, int position);
void OnInitMenuPopup(HWND window, HMENU popup, LPARAM lParam);

// find_dialog.cpp: the Find dialog and the filter it sets. The texts are the three search
// texts, then the from and to dates; BuildFindFilter returns 0 for a bad date.
void RunFindDialog(void);
INT_PTR CALLBACK FindDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
int ParseFindDate(const char* text, int date[6]);
void FormatAnyFieldCriteria(char* out, int size, const char* text);
int BuildFindFilter(int freeSearch, const char texts[FIND_TEXT_COUNT][FIND_TEXT_SIZE + 1], HKVTBL table, char* filter,
                    int size);

// link_commands.cpp and link_cards.cpp: File > Synchronize with, and the link card array.
void OnPimLink(int linkType);
int BuildLinkCardArray(int linkType, CardRecV4** cards, int* count);
void CardRecToCardRecV4(const CardRec* source, CardRecV4* target);
void CardRecV4ToCardRec(const CardRecV4* source, CardRec* target);
// Stores the cards the link marked as new; 1 when every one was stored, 0 when an insert failed
// (it is rolled back and the rest are not tried).
int InsertLinkedCards(const CardRecV4* cards, int count);
void RereadCurrentCard(void);

// open_dialog.cpp: the card-file open dialogs and the walk through a several-file result.
int ShowOpenCardFileDialog(HWND owner, char* buffer, int mode);
void KeepSelectionFileOffset(WORD offset);
int IsSingleFileSelection(const char* buffer);
const char* FirstSelectedFile(const char* buffer, char* folder);
const char* NextSelectedFile(const char* name, const char* folder, char* path);

// preference_commands.cpp: the preferences library's pop-up and dialog.
void OnExportOptions(void);
void OnPreferences(void);

// card_file.cpp: opening, creating and closing the card file.
int OpenCardFile(const char* path, int compact);
void CreateUntitledCardFile(void);
void CloseCardFile(void);

// card_file_handling.cpp
int IsUntitledCardFile(const char* path);
int QueryCloseCardFile(void);
int SaveCardFileAs(const char* source, const char* target);
int DeleteCardImageFiles(const char* path);
int TestWriteAccess(const char* path);
int CardImagesInProgramFolder(const char* path);
void RefreshCardViews(int fullRefresh);
int DeleteFileIfExists(const char* path);
void ReadBlobPath(const CardRecBlob* blob, char* path, int size);

// file_dialog.cpp
void SetupFileDialog(HWND owner, int mode, OPENFILENAMEA* record, char* fileName, LPOFNHOOKPROC hook);
// After a dialog of that mode ended with OK: keeps its file type for the mode's next dialog.
void RememberFilterChoice(int mode, const OPENFILENAMEA* record);
// import_images.cpp: the Open Images dialog (several files); 1 when the user chose files.
int ShowImportImagesDialog(HWND owner, char* buffer);
int LoadFilterString(UINT id, char* buffer);
void GetFilterExtension(int index, const char* filters, char* out, int whole);
int ShowSaveFileDialog(HWND owner, char* path, int mode);

// status_bar.cpp and frames.cpp
HWND CreateStatusBar(HWND mainWindow);
LRESULT CALLBACK StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ShowStatusHint(HWND window, int id, int paintNow);
void BeginProgress(int id);
void StepProgress(int percent);
void EndProgress(void);
void InvalidateStatusPane(int pane);
int StatusPaneHitTest(int x, int y, RECT* out);
void ResetStatusBarFlash(void);
void ResizeBars(HWND mainWindow, WPARAM sizeType);
void DrawSunkenFrame(HDC dc, int left, int top, int right, int bottom, int highlighted);
void DrawRaisedFrame(HDC dc, int left, int top, int right, int bottom);
void DrawFrameWithPens(HDC dc, int left, int top, int right, int bottom, HPEN topLeft, HPEN bottomRight);
void InvalidateLayoutItemRect(RECT rect);

// command_bar.cpp and bitmap_resources.cpp
HWND CreateCommandBar(HWND mainWindow);
LRESULT CALLBACK CommandBarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void UpdateCommandStates(HWND bar, int buttonId);
int LinkStatusTextId(void);
void TileBitmapResource(HDC dc, int bitmapId, const RECT* rect);
void DrawBitmapResourceCentered(HDC dc, int bitmapId, const RECT* rect);
void DrawBitmapResourcePart(HDC dc, int bitmapId, POINT destination, const RECT* source);

// hint_window.cpp
HWND CreateHintWindow(HWND mainWindow);
void ShowHintIfEnabled(void);
void ShowHintForControl(void);
void HideHintWindow(void);
LRESULT CALLBACK HintWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void WaitMilliseconds(DWORD n);

// handover_receive.cpp: what the first instance accepts of a hand-over message, and the
// queue of handed-over files.
LRESULT OnHandOverFiles(HWND window, WPARAM wParam, LPARAM lParam);
int ParseListFileSwitch(const char* text, char* listName);
int IsOwnListFile(const char* path);
int GetListFileCount(const char* path);
int GetListFileEntry(const char* path, char* name, int i);
// 1 when an image file module reads the file's header; the failure is told in a message box,
// except by the quiet form.
int IsReadableImageFile(const char* path);
int IsQuietlyReadableImageFile(const char* path);
void ImportQueuedFiles(void);
// Adds the named image as a card image page and stores it as a card; 1 when it was taken.
int ImportImageFile(char* path);
// The views show the card file again after cards were stored.
void RefreshAfterImport(void);

// import_images.cpp: File > Import Card Images and dropped files.
void OnImportCardImages(int fromFile);
void OnDropFiles(HWND window, HDROP drop);

// rc_data.cpp
int LoadRcDataResource(HINSTANCE module, int id, void* buffer, int size);

// scanner_button.cpp: 1 when the card scanner's driver reports its button pressed.
int IsCardScannerButtonPressed(void);

// twain_state.cpp: whether a TWAIN acquisition is open.
int IsTwainManagerOpen(void);
int IsTwainSourceOpen(void);
