// The feeder: a list file named by [Source] Feeder of the state file, holding
//   [Feeder] Count=n, Next=k, Page0=<image file>, Page1=..., and per page optional
//   PixelType<i> (the page comes in that pixel type whatever was negotiated) and
//   Resolution<i> (the resolution announced for it, 0 allowed), and the faults of the state
//   file's [Faults] section for that page alone (ImageInfo<i>=1, Cancel<i>=1, ...).
// Next is the page that goes through next; the source moves it on after each transfer.
#include "source.h"
#include "scanner_state.h"
#include <stdio.h>

static void FeederPath(char* path, int size) { ReadScannerText("Source", "Feeder", "", path, size); }

static int FeederInt(const char* key, int fallback) {
    char path[MAX_PATH];
    FeederPath(path, sizeof path);
    return path[0] ? (int)GetPrivateProfileIntA("Feeder", key, fallback, path) : fallback;
}

int FeederCount(void) { return FeederInt("Count", 0); }

int FeederNext(void) { return FeederInt("Next", 0); }

void FeederAdvance(void) {
    char path[MAX_PATH], text[16];
    FeederPath(path, sizeof path);
    if (!path[0]) return;
    snprintf(text, sizeof text, "%d", FeederNext() + 1);
    WritePrivateProfileStringA("Feeder", "Next", text, path);
}

int FeederPageInt(int index, const char* key, int fallback) {
    char path[MAX_PATH], name[48];
    FeederPath(path, sizeof path);
    if (!path[0]) return fallback;
    snprintf(name, sizeof name, "%s%d", key, index);
    return (int)GetPrivateProfileIntA("Feeder", name, fallback, path);
}

int LoadFeederPage(int index, PageImage* page) {
    char path[MAX_PATH], key[32], file[MAX_PATH];
    FeederPath(path, sizeof path);
    if (!path[0] || index < 0 || index >= FeederCount()) return 0;
    snprintf(key, sizeof key, "Page%d", index);
    GetPrivateProfileStringA("Feeder", key, "", file, sizeof file, path);
    snprintf(key, sizeof key, "PixelType%d", index);
    int type = (int)GetPrivateProfileIntA("Feeder", key, Session.PixelType, path);
    if (!ReadPageFile(file, type, page)) return 0;
    snprintf(key, sizeof key, "Resolution%d", index);
    page->Resolution = (int)GetPrivateProfileIntA("Feeder", key, page->Resolution, path);
    return 1;
}
