#include "export_menu.h"
#include "prefer_app.h"
#include "prefer_resources.h"
#include <stdio.h>

namespace {

const int kPictureWidth = 45, kPictureHeight = 42;
const char* const kStateProperty = "CExportMenuWnd";

// The invisible window that owns the pop-up and draws its items.
struct CExportMenuWnd {
    HWND Window;
    WNDPROC BaseProc;
    char IniPath[MAX_PATH];
    OfferedTargets Offered;
    int Picture[LINK_TARGET_COUNT];  // per offered target, the first id of its pictures
};

int PictureSetBase(int direction) {
    switch (direction) {
    case 1: return IDB_DIRECTION_1_BASE;
    case 2: return IDB_DIRECTION_2_BASE;
    default: return IDB_DIRECTION_3_BASE;
    }
}

void MeasureItem(MEASUREITEMSTRUCT* measure) {
    measure->itemWidth = kPictureWidth - LOWORD(GetMenuCheckMarkDimensions());
    measure->itemHeight = kPictureHeight;
}

void Blit(HDC dc, const RECT& at, int bitmapId) {
    HBITMAP bitmap = LoadBitmapA(PreferApp.Instance, MAKEINTRESOURCEA(bitmapId));
    if (!bitmap) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, at.left, at.top, kPictureWidth, kPictureHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

// CCustomMenu's drawing: the item data is the normal picture's id; the highlighted picture
// is 12 further, the checked one 18.
void DrawItem(const DRAWITEMSTRUCT* draw) {
    int normal = static_cast<int>(draw->itemData);
    bool checked = (draw->itemState & ODS_CHECKED) != 0;
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    bool entire = (draw->itemAction & ODA_DRAWENTIRE) != 0, select = (draw->itemAction & ODA_SELECT) != 0;
    if (checked) {
        if (entire || select) Blit(draw->hDC, draw->rcItem, normal + PICTURE_CHECKED);
    } else if (selected && (entire || select)) {
        Blit(draw->hDC, draw->rcItem, normal + PICTURE_HIGHLIGHTED);
    } else if (entire || select) {
        Blit(draw->hDC, draw->rcItem, normal);
    }
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* owner = static_cast<CExportMenuWnd*>(GetPropA(window, kStateProperty));
    if (message == WM_MEASUREITEM && wParam == 0) {
        MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_DRAWITEM && wParam == 0) {
        DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return CallWindowProcA(owner->BaseProc, window, message, wParam, lParam);
}

bool CreateOwner(CExportMenuWnd* owner, HWND mainWindow) {
    DWORD style = mainWindow ? WS_CHILD | WS_VISIBLE | WS_TABSTOP : WS_POPUP;
    owner->Window = CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", style, 0, 0, 0, 0, mainWindow,
                                    mainWindow ? reinterpret_cast<HMENU>(INT_PTR(IDC_MENU_OWNER)) : nullptr,
                                    PreferApp.Instance, nullptr);
    if (!owner->Window) return false;
    SetPropA(owner->Window, kStateProperty, owner);
    owner->BaseProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(owner->Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnerProc)));
    return true;
}

void DestroyOwner(CExportMenuWnd* owner) {
    SetWindowLongPtrA(owner->Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(owner->BaseProc));
    RemovePropA(owner->Window, kStateProperty);
    DestroyWindow(owner->Window);
}

HMENU BuildMenu(CExportMenuWnd* owner) {
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < owner->Offered.Count; ++i) {
        int target = owner->Offered.Target[i];
        owner->Picture[i] = PictureSetBase(owner->Offered.Direction[target]) + target;
        AppendMenuA(menu, MF_OWNERDRAW, IDM_EXPORT_FIRST + i, reinterpret_cast<LPCSTR>(INT_PTR(owner->Picture[i])));
    }
    return menu;
}

}  // namespace

void RunExportMenu(HWND mainWindow, const char* iniPath, const int* place) {
    CExportMenuWnd owner = {};
    lstrcpynA(owner.IniPath, iniPath ? iniPath : "", sizeof(owner.IniPath));
    if (!CreateOwner(&owner, mainWindow)) return;
    char options[32] = "";
    GetPrivateProfileStringA("Preference", "ExportOptn", "", options, sizeof(options), owner.IniPath);
    ParseExportOptions(options, &owner.Offered);
    HMENU menu = BuildMenu(&owner);
    int command = TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, place ? place[0] : 0,
                                 place ? place[1] : 0, 0, owner.Window, nullptr);
    int index = command - IDM_EXPORT_FIRST;
    if (command && index >= 0 && index < owner.Offered.Count) {
        char text[16];
        snprintf(text, sizeof(text), "%d", owner.Offered.Target[index]);
        WritePrivateProfileStringA("Preference", "DefaultExport", text, owner.IniPath);
    }
    DestroyMenu(menu);
    DestroyOwner(&owner);
}
