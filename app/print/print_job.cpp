// The print job: the Print and Print Setup dialogs on the program's one print-dialog record,
// the orientation question, one page at a time through the page renderer, and the "Print..."
// dialog with which the user can cancel.
#include "print.h"
#include "shell.h"
#include "resource.h"
#include <string.h>

#define PRINT_DIALOG_SIZE 66
#define LONG_PAGE_SIDE    8500  // a page side that fits 8.5 inches is never questioned

void ShowPrintSetupDialog(HWND owner) {
    App.Print.PrintDialog.lStructSize = PRINT_DIALOG_SIZE;
    App.Print.PrintDialog.Flags = PD_PRINTSETUP;
    App.Print.PrintDialog.hwndOwner = owner;
    PrintDlgA(&App.Print.PrintDialog);
}

HDC RunPrintDialog(void) {
    PRINTDLGA* record = &App.Print.PrintDialog;
    record->lStructSize = PRINT_DIALOG_SIZE;
    record->hwndOwner = App.MainWindow;
    record->hInstance = App.Instance;
    record->nFromPage = record->nMinPage = 1;
    record->nToPage = record->nMaxPage = (WORD)App.CardCount;
    record->Flags = PD_RETURNDC | PD_ENABLEPRINTTEMPLATE | PD_HIDEPRINTTOFILE;
    record->lpPrintTemplateName = MAKEINTRESOURCEA(IDD_PRINT);
    record->lpfnPrintHook = NULL;
    record->hDC = NULL;
    if (!PrintDlgA(record) || !record->hDC) return NULL;
    if (record->hDevMode) {
        const DEVMODEA* mode = (const DEVMODEA*)GlobalLock(record->hDevMode);
        if (mode) {
            App.Print.PrinterOrientation = mode->dmOrientation;
            GlobalUnlock(record->hDevMode);
        }
    }
    return record->hDC;
}

BOOL IsOrientationMismatch(void) {
    if (!App.Print.LayoutTable || App.Print.SelectedLayout >= App.Print.LayoutCount) return FALSE;
    const PAPERLAYOUTRECORD* table = (const PAPERLAYOUTRECORD*)GlobalLock(App.Print.LayoutTable);
    if (!table) return FALSE;
    int height = table[App.Print.SelectedLayout].PaperHeight, width = table[App.Print.SelectedLayout].PaperWidth;
    GlobalUnlock(App.Print.LayoutTable);
    if (height <= width) return App.Print.PrinterOrientation == DMORIENT_PORTRAIT && width > LONG_PAGE_SIDE;
    return App.Print.PrinterOrientation == DMORIENT_LANDSCAPE && height > LONG_PAGE_SIDE;
}

// Keeps the program's windows alive while a page prints. A quit belongs to the main loop: it
// is posted again for the loop to find, and the job stops, since the program is ending.
BOOL CALLBACK PrintAbortProc(HDC dc, int code) {
    (void)dc;
    (void)code;
    MSG message;
    while (!App.Print.Aborted && PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            App.Print.Aborted = 1;
            PostQuitMessage((int)message.wParam);
            break;
        }
        if (App.Print.AbortDialog && IsDialogMessageA(App.Print.AbortDialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return !App.Print.Aborted;
}

INT_PTR CALLBACK PrintAbortDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        App.Print.AbortMenu = GetSystemMenu(dialog, FALSE);
        SetDlgItemInt(dialog, IDC_PRINT_PERCENT, 0, FALSE);
        SetFocus(dialog);
        return TRUE;
    case WM_COMMAND:
        App.Print.Aborted = 1;
        DestroyWindow(dialog);
        App.Print.AbortDialog = NULL;
        return TRUE;
    case WM_INITMENUPOPUP:
        EnableMenuItem(App.Print.AbortMenu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
        return TRUE;
    }
    return FALSE;
}

int StartPrintJob(HDC dc) {
    App.Print.Aborted = 0;
    App.Print.AbortDialog =
        CreateDialogParamA(App.Instance, MAKEINTRESOURCEA(IDD_PRINT_ABORT), App.MainWindow, PrintAbortDlgProc, 0);
    // Without the dialog the user could not stop the job; the device context goes with it.
    if (!App.Print.AbortDialog) {
        DeleteDC(dc);
        return 0;
    }
    SetAbortProc(dc, PrintAbortProc);
    char name[32];
    GetWindowTextA(App.MainWindow, name, sizeof name);
    DOCINFOA info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.lpszDocName = name;
    if (StartDocA(dc, &info) > 0) return 1;
    if (App.Print.AbortDialog) DestroyWindow(App.Print.AbortDialog);
    App.Print.AbortDialog = NULL;
    DeleteDC(dc);
    return 0;
}

void EndPrintJob(HDC dc) {
    if (App.Print.AbortDialog) DestroyWindow(App.Print.AbortDialog);
    App.Print.AbortDialog = NULL;
    if (App.Print.Aborted) AbortDoc(dc);
    else EndDoc(dc);
    DeleteDC(dc);
}

static void RunPrintJob(void);

// One page, from card `first` on, at most `count` cards; the number of the next card to
// print, 0 when none is left.
static int PrintPage(HDC dc, const RECT* page, int count, int first) {
    StartPage(dc);
    const int32_t* geometry = App.Print.PageGeometry;
    int next = RenderLayoutPage(App.MainWindow, dc, page, geometry, geometry + 4, geometry + 8, count, 3, first,
                                App.Print.AbortDialog);
    EndPage(dc);
    // Not every system's GDI calls the abort procedure while it spools; once after each page
    // keeps the program's windows alive and the Cancel button heard everywhere.
    PrintAbortProc(dc, 0);
    return next;
}

// One job at a time: File > Print reached while pages print (its messages are dispatched
// between pages) brings the running job's "Print..." dialog forward instead.
void PrintCards(void) {
    if (App.Print.JobRunning) {
        if (App.Print.AbortDialog) SetForegroundWindow(App.Print.AbortDialog);
        return;
    }
    if (App.CardCount <= 0) return;
    App.Print.JobRunning = 1;
    RunPrintJob();
    App.Print.JobRunning = 0;
    // The main window was closed while the job ran: it closes now that the job is over.
    if (App.Print.CloseAfterJob && App.MainWindow) PostMessageA(App.MainWindow, WM_CLOSE, 0, 0);
    App.Print.CloseAfterJob = 0;
}

void CancelPrintJobThenClose(void) {
    App.Print.CloseAfterJob = 1;
    App.Print.Aborted = 1;
    if (App.Print.AbortDialog) DestroyWindow(App.Print.AbortDialog);
    App.Print.AbortDialog = NULL;
}

static void RunPrintJob(void) {
    HDC dc = RunPrintDialog();
    if (!dc) return;
    if (IsOrientationMismatch()) {
        char question[256];
        LoadStringA(App.Instance, IDS_ORIENTATION_QUESTION, question, sizeof question);
        if (MessageBoxA(App.MainWindow, question, App.ProductTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            DeleteDC(dc);
            return;
        }
    }
    LoadSelectedLayout();
    if (!StartPrintJob(dc)) return;
    RECT page = {0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
    DWORD flags = App.Print.PrintDialog.Flags;
    if (flags & PD_SELECTION) {
        kvCardRecGet(App.CardTable, &App.CurrentCard, 0);
        PrintPage(dc, &page, 1, App.CurrentCardNumber);
    } else if (flags & PD_PAGENUMS) {
        int last = App.Print.PrintDialog.nToPage;
        int n = App.Print.PrintDialog.nFromPage;
        do n = PrintPage(dc, &page, last - n + 1, n);
        while (n != 0 && !App.Print.Aborted);
    } else {
        int n = 1;
        do n = PrintPage(dc, &page, App.CardCount, n);
        while (n != 0 && !App.Print.Aborted);
    }
    EndPrintJob(dc);
}
