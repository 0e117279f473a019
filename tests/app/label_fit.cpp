#include "label_fit.h"

namespace {

// What Wine's button draws left of a check box's or radio button's text: the 13-pixel box and
// a gap of 4 pixels.
constexpr int kCheckBoxRoom = 13 + 4;
// A push button's text keeps clear of its 2-pixel edge on either side.
constexpr int kPushButtonRoom = 2 * 2;
// A group box's caption starts 8 pixels in and needs as much room on the right.
constexpr int kGroupBoxRoom = 2 * 8;

std::string Shown(const std::string& text, bool prefixes) {
    if (!prefixes) return text;
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

// The text's extent in the control's own font: one line, or wrapped into the width for a
// static that wraps (a word wider than the width comes out wider).
SIZE TextExtent(HWND control, HFONT font, const std::string& text, UINT format, int width) {
    HDC dc = GetDC(nullptr);
    if (!font) font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font);
    RECT r = {0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &r, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

bool IsOneOf(LONG type, std::initializer_list<LONG> types) {
    for (LONG t : types)
        if (t == type) return true;
    return false;
}

}  // namespace

bool CheckControlLabel(HWND control, const std::string& where, std::vector<LabelCut>* cuts, HFONT font) {
    char className[32] = "", text[512] = "";
    GetClassNameA(control, className, sizeof className);
    GetWindowTextA(control, text, sizeof text);
    if (!text[0]) return false;
    LONG style = GetWindowLongA(control, GWL_STYLE);
    RECT client;
    GetClientRect(control, &client);
    int width = client.right, height = client.bottom;
    std::string name = className;
    int room = 0;
    UINT format = DT_SINGLELINE;
    bool prefixes = true;
    if (lstrcmpiA(className, "Static") == 0) {
        LONG type = style & SS_TYPEMASK;
        if (!IsOneOf(type, {SS_LEFT, SS_CENTER, SS_RIGHT, SS_SIMPLE, SS_LEFTNOWORDWRAP})) return false;
        if (IsOneOf(type, {SS_LEFT, SS_CENTER, SS_RIGHT})) format = DT_WORDBREAK;
        prefixes = !(style & SS_NOPREFIX);
    } else if (lstrcmpiA(className, "Button") == 0) {
        LONG type = style & BS_TYPEMASK;
        if (IsOneOf(type, {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_RADIOBUTTON, BS_AUTORADIOBUTTON, BS_3STATE, BS_AUTO3STATE}))
            room = kCheckBoxRoom;
        else if (IsOneOf(type, {BS_PUSHBUTTON, BS_DEFPUSHBUTTON})) room = kPushButtonRoom;
        else if (type == BS_GROUPBOX) room = kGroupBoxRoom;
        else return false;
        if (style & BS_MULTILINE) format = DT_WORDBREAK;
    } else {
        return false;
    }
    std::string shown = Shown(text, prefixes);
    SIZE extent = TextExtent(control, font, shown, format, width - room);
    bool fits = extent.cx <= width - room && (format == DT_SINGLELINE || extent.cy <= height);
    if (!fits) cuts->push_back({where, shown, extent.cx + room, width});
    return true;
}

int CheckChildLabels(HWND window, const std::string& where, std::vector<LabelCut>* cuts, HFONT font) {
    int labels = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) && CheckControlLabel(child, where, cuts, font)) ++labels;
    return labels;
}

namespace {
INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
}  // namespace

HFONT TemplateDialogFont(HMODULE module, int templateId) {
    HWND parent = CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(templateId), parent, QuietDialogProc, 0);
    HFONT font = nullptr;
    LOGFONTA description;
    HGDIOBJ used = dialog ? reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)) : nullptr;
    if (used && GetObjectA(used, sizeof description, &description)) font = CreateFontIndirectA(&description);
    if (dialog) DestroyWindow(dialog);
    DestroyWindow(parent);
    return font;
}

std::string DescribeCuts(const std::vector<LabelCut>& cuts) {
    std::string text;
    for (const LabelCut& cut : cuts)
        text += cut.Where + ": \"" + cut.Text + "\" needs " + std::to_string(cut.Needed) + " pixels, has " +
                std::to_string(cut.Has) + "\n";
    return text;
}
