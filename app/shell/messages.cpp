// User messages by string id, the main window title and two small shell helpers.
#include "shell.h"
#include "resource.h"
#include <stdarg.h>
#include <string.h>

#define MESSAGE_TEXT_SIZE 200
#define FORMAT_SIZE       128
#define FORMATTED_SIZE    160

// Shows a string-table text; a missing string still says something ("Error!").
int MessageBoxFromStringId(HWND owner, UINT id, const char* caption, UINT style) {
    char text[MESSAGE_TEXT_SIZE];
    if (LoadStringA(App.Instance, id, text, sizeof text) == 0) LoadStringA(App.Instance, IDS_ERROR, text, 32);
    return MessageBoxA(owner, text, caption ? caption : App.ProductTitle, style);
}

// Formats a string-table text with arguments. The formatting is bounded: wvsprintfA itself
// stops at 1024 characters, so it writes into a buffer of that size and the result is cut
// to what the message shows.
int MessageBoxFormat(HWND owner, UINT style, UINT id, ...) {
    char format[FORMAT_SIZE] = "";
    char formatted[1025] = "";
    char caption[FORMAT_SIZE] = "";
    LoadStringA(App.Instance, id, format, sizeof format);
    va_list args;
    va_start(args, id);
    wvsprintfA(formatted, format, args);
    va_end(args);
    formatted[FORMATTED_SIZE - 1] = 0;
    LoadStringA(App.Instance, IDS_FORMAT_CAPTION, caption, sizeof caption);
    return MessageBoxA(owner, formatted, caption, style);
}

// "Product - file name" with the folders left out; the untitled name when there is no path.
void SetMainWindowTitle(const char* path) {
    char title[MAX_PATH + 64];
    lstrcpynA(title, App.ProductTitle, sizeof title);
    if (path && path[0]) {
        const char* name = path;
        for (const char* p = path; *p; ++p)
            if (*p == '\\' || *p == ':') name = p + 1;
        if (name[0]) {
            lstrcatA(title, " - ");
            lstrcatA(title, name);
        }
    } else {
        lstrcatA(title, " - ");
        lstrcatA(title, App.UntitledName);
    }
    if (App.MainWindow) SetWindowTextA(App.MainWindow, title);
}

INT_PTR RunModalDialog(HWND owner, int ignored, int templateId, DLGPROC proc) {
    return DialogBoxParamA(App.Instance, MAKEINTRESOURCEA(templateId), owner, proc, 0);
}

// Header of a growable array: 16-bit capacity, 16-bit count, block handle.
typedef struct GROWABLEARRAY {
    WORD Capacity;
    WORD Count;
    HGLOBAL Block;
} GROWABLEARRAY;

HGLOBAL InitGrowableArray(void* header, int elementSize) {
    GROWABLEARRAY* array = (GROWABLEARRAY*)header;
    array->Capacity = 20;
    array->Count = 0;
    array->Block = GlobalAlloc(GHND, 20 * elementSize);
    return array->Block;
}
