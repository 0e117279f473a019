// Label templates written to the settings file: saved under their number or as a new one,
// and deleted by moving the later sections down.
#include "print.h"
#include "shell.h"
#include "resource.h"
#include <initializer_list>
#include <stdio.h>
#include <string.h>

#define TEXT_LIMIT 63

static void SectionName(char* section, int size, int number) { snprintf(section, size, "Template%d", number); }

static void WriteFieldLine(const char* section, int number, const LAYOUTITEMBODY* body) {
    char key[16], line[256];
    snprintf(key, sizeof key, "Field%d", number);
    snprintf(line, sizeof line, "%s,%d,%d,%d,%d,%s,%d,%d,%d,%d,%d,%d,%d,%d,%d", body->Text, body->Rect[0],
             body->Rect[1], body->Rect[2] - body->Rect[0], body->Rect[3] - body->Rect[1], body->Font.lfFaceName,
             (int)body->Font.lfHeight, (int)body->Font.lfWeight, body->Font.lfItalic, body->Font.lfUnderline,
             (int)(body->Colour & 255), (int)(body->Colour >> 8 & 255), (int)(body->Colour >> 16 & 255),
             body->Alignment, body->DrawMode);
    WriteSettingText(section, key, line);
}

// The live items in chain order, numbered from 1 without gaps; gives their number.
static int WriteFieldLines(const char* section) {
    LAYOUTITEM* items = LockLayoutItems();
    if (!items) return 0;
    int written = 0;
    for (int i = App.Print.Template.Head; i != LAYOUT_NONE && i < App.Print.Template.Count; i = items[i].Next)
        if (items[i].Flags == 0) WriteFieldLine(section, ++written, &items[i].Body);
    UnlockLayoutItems();
    return written;
}

void SaveTemplate(HWND editor, const char* name, int number) {
    char section[24];
    int isNew = number < 1;
    if (!isNew) {
        WriteSettingInt("Template", "SelectTemplate", number - 1);
    } else {
        number = ReadSettingInt("Template", "Count", 0) + 1;
        WriteSettingInt("Template", "Count", number);
    }
    SectionName(section, sizeof section, number);
    if (isNew) {
        // A section left behind by an earlier delete holds nothing of the new template.
        char path[MAX_PATH];
        GetSettingsPath(path, sizeof path);
        WritePrivateProfileStringA(section, NULL, NULL, path);
        WriteSettingText(section, "TempName", name);
    }
    WriteSettingInt(section, "FieldCount", WriteFieldLines(section));
    WriteSettingInt(section, "LabelWidth", App.Print.LabelWidth);
    WriteSettingInt(section, "LabelHeight", App.Print.LabelHeight);
    char text[TEXT_LIMIT + 1];
    GetDlgItemTextA(editor, IDC_TEMPLATE_HEADER, text, sizeof text);
    WriteSettingText(section, "Header", text);
    GetDlgItemTextA(editor, IDC_TEMPLATE_FOOTER, text, sizeof text);
    WriteSettingText(section, "Footer", text);
    if (isNew) {
        SendDlgItemMessageA(editor, IDC_TEMPLATE_NAMES, LB_ADDSTRING, 0, (LPARAM)name);
        App.Print.SelectedTemplate = number - 1;
        SendDlgItemMessageA(editor, IDC_TEMPLATE_NAMES, LB_SETCURSEL, number - 1, 0);
    }
}

static void CopyTemplateKey(const char* from, const char* to, const char* key) {
    char value[256];
    ReadSettingText(from, key, "", value, sizeof value);
    WriteSettingText(to, key, value);
}

void DeleteTemplate(int number) {
    int count = ReadSettingInt("Template", "Count", 0) - 1;
    if (number < 1 || count < 0) return;
    WriteSettingInt("Template", "Count", count);
    for (int n = number; n <= count; ++n) {
        char from[24], to[24];
        SectionName(from, sizeof from, n + 1);
        SectionName(to, sizeof to, n);
        // Names are copied whole: the name dialog takes up to 64 characters.
        for (const char* key : {"TempName", "LabelWidth", "LabelHeight", "Header", "Footer", "FieldCount"})
            CopyTemplateKey(from, to, key);
        int fields = ReadSettingInt(from, "FieldCount", 0);
        for (int f = 1; f <= fields; ++f) {
            char key[16];
            snprintf(key, sizeof key, "Field%d", f);
            CopyTemplateKey(from, to, key);
        }
    }
}
