// Card image files: copied into the image folder under a fresh name, accepted as the current
// card image page, or loaded as the current card's image for the views.
#include "capture.h"
#include "shell.h"
#include "views.h"
#include <stdio.h>
#include <string.h>

// Names are drawn from the runtime generator's 32,768 values; after this many draws without a
// free name the folder is taken as full.
#define NAME_DRAWS_MAX 0x10000

int ReadImageFolder(char* folder, int size) { return ReadFolderSetting("ImageDir", folder, size); }

const char* CardImagePath(const CardRec* card) {
    const CardRecBlob* blob = &card->CImage;
    if (blob->Storage != 1 || !blob->Data || blob->Size <= 0) return NULL;
    if (!memchr(blob->Data, 0, blob->Size)) return NULL;
    return blob->Data[0] ? blob->Data : NULL;
}

int MakeFreeImageName(char* name, int size, const char* folder, const char* prefix, const char* extension) {
    srand(GetTickCount());
    for (int draw = 0; draw < NAME_DRAWS_MAX; ++draw) {
        char base[MAX_PATH];
        snprintf(base, sizeof base, "%s%.4X%s", prefix, rand() & 0x7FFF, extension);
        if (!JoinFolderAndName(name, size, folder, base)) return 0;
        if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES) return 1;
    }
    return 0;
}

int CopyImageToImageFolder(char* path) {
    const char* dot = strrchr(path, '.');
    const char* slash = strrchr(path, '\\');
    char extension[MAX_PATH] = "";
    if (dot && (!slash || dot > slash)) lstrcpynA(extension, dot, sizeof extension);
    char folder[MAX_PATH], copy[MAX_PATH];
    if (ReadImageFolder(folder, sizeof folder) < 0) return 1;
    if (!MakeFreeImageName(copy, sizeof copy, folder, "OPEN", extension)) {
        if (!copy[0]) ReportUnusableFolder("ImageDir", folder);
        return 1;
    }
    if (!CopyFileA(path, copy, TRUE)) return 1;
    SetFileAttributesA(copy, FILE_ATTRIBUTE_TEMPORARY);
    lstrcpynA(path, copy, MAX_PATH);
    return 1;
}

// The current record takes a freshly loaded image; the old pixels and palette go.
static void TakeLoadedImage(HGLOBAL pixels, const ImageInfo* info, const char* path) {
    ImageRecord* current = &App.CurrentImage;
    ReleaseCurrentImageBlock(&current->Pixels);
    ReleaseCurrentPalette();
    current->Pixels = pixels;
    current->Info = *info;
    ResetImageRecord(current);
    lstrcpynA(current->FileName, path, sizeof current->FileName);
}

int AddImagePage(char* path) {
    char original[MAX_PATH];
    lstrcpynA(original, path, sizeof original);
    return AddImagePageShownAs(path, original);
}

// A copy that no module reads belongs to no card: it goes again, and the message names the
// user's file.
int AddImagePageShownAs(char* path, const char* shownName) {
    char original[MAX_PATH];
    lstrcpynA(original, path, sizeof original);
    CopyImageToImageFolder(path);
    // Without a copy of its own the card would take over the user's file, and later delete it.
    if (lstrcmpiA(original, path) == 0) return 0;
    ImageInfo info = App.CurrentImage.Info;
    HGLOBAL pixels = LoadImageFileShownAs(App.MainWindow, path, shownName, &info, 1, 0);
    if (!pixels) {
        DeleteFileA(path);
        lstrcpynA(path, original, MAX_PATH);
        return 0;
    }
    TakeLoadedImage(pixels, &info, path);
    AddRecentFile(path);
    ImageRecord* current = &App.CurrentImage;
    if (!RebuildThumbnail(current)) return 0;
    current->Zoom = GetFitZoomPercent(0);
    if (App.ImageDocs.Count != 0) {
        if (App.Document) {
            Delete_Page(App.Document, App.Document->CurrentPage);
            Create_Page(App.Document, App.Document->CurrentPage, current->FileName, current->Workspace);
        }
    } else {
        int index = AppendImageDocument(current);
        if (index >= 0) {
            App.ImageDocs.Current = index;
            if (App.Document) App.Document->CurrentPage = (uint16_t)index;
        }
    }
    return 1;
}

int SetCurrentCardImage(const char* path) {
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    if (!path) return 0;
    ImageInfo info = App.CurrentImage.Info;
    HGLOBAL pixels = LoadImageFile(App.MainWindow, path, &info, 0, 0);
    if (!pixels) return 0;
    TakeLoadedImage(pixels, &info, path);
    App.CurrentImage.Zoom = App.ImageZoom = GetFitZoomPercent(0);
    App.ImageScrollX = App.ImageScrollY = 0;
    return 1;
}
