// Card image files through the image file modules: one module per format, chosen by the
// file's extension, loaded from the RASTDLL folder for the length of one operation.
#include "capture.h"
#include "shell.h"
#include "resource.h"
#include <rastimg.h>
#include <stdio.h>
#include <string.h>

#define IDS_UNKNOWN_FORMAT   802
#define IDS_MODULE_NOT_FOUND 803
#define IDS_MODULE_NO_LOAD   804
#define IDS_NO_JPEG          5027
#define MAX_IMAGE_BYTES      0x40000000

struct BoundModule {
    HMODULE Library;
    char Path[MAX_PATH + 32];
};

struct ReadFunctions {
    rastReadHeader_t ReadHeader;
    rastReadDIBImg_t ReadDIBImg;
    rastSetWaitingCallback_t SetWaitingCallback;
};

static const char* const kModuleNames[] = {NULL, "RASTTIF32.DLL", "RASTPCX32.DLL", "RASTBMP32.DLL", "RASTJPG32.DLL"};

int GetImageFileType(const char* fileName) {
    const char* dot = fileName ? strrchr(fileName, '.') : NULL;
    if (!dot) return IMAGE_TYPE_NONE;
    const char* extension = dot + 1;
    if (lstrcmpiA(extension, "TIF") == 0) return IMAGE_TYPE_TIFF;
    if (lstrcmpiA(extension, "PCX") == 0) return IMAGE_TYPE_PCX;
    if (lstrcmpiA(extension, "TPL") == 0 || lstrcmpiA(extension, "WPR") == 0 || lstrcmpiA(extension, "BMP") == 0)
        return IMAGE_TYPE_BMP;
    if (lstrcmpiA(extension, "JPG") == 0) return IMAGE_TYPE_JPEG;
    return IMAGE_TYPE_NONE;
}

// The folder of the program file itself (not the per-user folder), with its closing "\".
static void GetProgramFileFolder(char* folder, int size) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof path);
    char* slash = strrchr(path, '\\');
    if (slash) slash[1] = 0;
    lstrcpynA(folder, path, size);
}

// The header reader's paths carry one more backslash; the file system accepts it.
static void FormModulePath(int type, int doubledSeparator, char* path, int size) {
    char folder[MAX_PATH];
    GetProgramFileFolder(folder, sizeof folder);
    char name[64];
    snprintf(name, sizeof name, doubledSeparator ? "\\RASTDLL\\%s" : "RASTDLL\\%s", kModuleNames[type]);
    JoinFolderAndName(path, size, folder, name);
}

static void ShowImageMessage(UINT id, const char* caption) {
    MessageBoxFromStringId(App.MainWindow, id, caption, MB_OK | MB_ICONHAND);
}

// 0 when bound; otherwise the message id that says why (the module stays unloaded).
static UINT BindModule(int type, int doubledSeparator, BoundModule* module) {
    module->Library = NULL;
    module->Path[0] = 0;
    if (type < IMAGE_TYPE_TIFF || type > IMAGE_TYPE_JPEG) return IDS_UNKNOWN_FORMAT;
    FormModulePath(type, doubledSeparator, module->Path, sizeof module->Path);
    if (GetFileAttributesA(module->Path) == INVALID_FILE_ATTRIBUTES) return IDS_MODULE_NOT_FOUND;
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    module->Library = LoadLibraryA(module->Path);
    SetErrorMode(oldMode);
    return module->Library ? 0 : IDS_MODULE_NO_LOAD;
}

static void UnbindModule(BoundModule* module) {
    if (module->Library) FreeLibrary(module->Library);
    module->Library = NULL;
}

static FARPROC ModuleFunction(const BoundModule* module, const char* name) {
    return GetProcAddress(module->Library, name);
}

static int BindReadFunctions(const BoundModule* module, ReadFunctions* functions) {
    functions->ReadHeader = (rastReadHeader_t)(void*)ModuleFunction(module, "rastReadHeader");
    functions->ReadDIBImg = (rastReadDIBImg_t)(void*)ModuleFunction(module, "rastReadDIBImg");
    functions->SetWaitingCallback = (rastSetWaitingCallback_t)(void*)ModuleFunction(module, "rastSetWaitingCallback");
    return functions->ReadHeader && functions->ReadDIBImg && functions->SetWaitingCallback;
}

// Image files are opened as Win32 file handles, which is what the modules take; unlike
// OpenFile this has no 128-character limit on the path.
static HANDLE OpenImageForReading(const char* fileName, UINT* failure) {
    if (GetFileAttributesA(fileName) == INVALID_FILE_ATTRIBUTES) {
        *failure = IDS_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) *failure = IDS_CANNOT_OPEN_FILE;
    return file;
}

static HFILE AsModuleFile(HANDLE file) { return (HFILE)(INT_PTR)file; }

// Reads the header through the module of the file's extension; 0 when read, else the message
// id that says why, with the path it belongs under in caption.
static UINT ReadHeaderOrFailure(const char* fileName, ImageInfo* info, char* caption, int captionSize) {
    info->FileType = (uint8_t)GetImageFileType(fileName);
    BoundModule module;
    UINT failure = BindModule(info->FileType, 1, &module);
    if (failure) {
        lstrcpynA(caption, failure == IDS_UNKNOWN_FORMAT ? fileName : module.Path, captionSize);
        return failure;
    }
    lstrcpynA(caption, fileName, captionSize);
    rastReadHeader_t readHeader = (rastReadHeader_t)(void*)ModuleFunction(&module, "rastReadHeader");
    if (!readHeader) {
        UnbindModule(&module);
        lstrcpynA(caption, module.Path, captionSize);
        return IDS_MODULE_NO_LOAD;
    }
    HANDLE file = OpenImageForReading(fileName, &failure);
    RastImageHeader header;
    memset(&header, 0, sizeof header);
    if (file != INVALID_HANDLE_VALUE && !readHeader(AsModuleFile(file), &header, 1)) failure = IDS_UNKNOWN_FORMAT;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    UnbindModule(&module);
    if (failure) {
        if (header.palette) DeleteObject(header.palette);
        return failure;
    }
    info->Width = header.width;
    info->Height = header.height;
    info->RowStride = header.rowBytes;
    info->BitsPerPixel = (uint8_t)header.bitsPerPixel;
    info->Planes = 1;
    info->Resolution = header.xResolution;
    info->Palette = header.palette;
    return 0;
}

int ReadImageFileHeader(const char* fileName, ImageInfo* info) {
    char caption[MAX_PATH + 32];
    UINT failure = ReadHeaderOrFailure(fileName, info, caption, sizeof caption);
    if (failure) ShowImageMessage(failure, caption);
    return failure == 0;
}

int ReadImageFileHeaderQuietly(const char* fileName, ImageInfo* info) {
    char caption[MAX_PATH + 32];
    return ReadHeaderOrFailure(fileName, info, caption, sizeof caption) == 0;
}

static int IsLoadableHeader(const RastImageHeader* header) {
    int bits = header->bitsPerPixel;
    return header->width >= 1 && header->height >= 1 && header->rowBytes >= 1 &&
           (bits == 1 || bits == 4 || bits == 8 || bits == 24);
}

// The row stride the loaded block gets: what the module fills, except for a 1-bit BMP whose
// header claims fewer bytes than the pixels need.
static int LoadedRowStride(int readResult, int type, const RastImageHeader* header) {
    if (readResult == 3) return header->width * 4;
    if (header->bitsPerPixel == 1 && type == IMAGE_TYPE_BMP && header->width / 8 > header->rowBytes)
        return (header->width + 31) / 32 * 4;
    return header->rowBytes;
}

static void ExchangeRows(uint8_t* pixels, int stride, int height) {
    uint8_t* row = (uint8_t*)malloc(stride);
    if (!row) return;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        memcpy(row, pixels + (size_t)top * stride, stride);
        memcpy(pixels + (size_t)top * stride, pixels + (size_t)bottom * stride, stride);
        memcpy(pixels + (size_t)bottom * stride, row, stride);
    }
    free(row);
}

// Reads the rows of an open, header-read file into a new zeroed block of stride x height.
static HGLOBAL ReadModuleRows(const ReadFunctions* functions, HANDLE file, int stride, int height, UINT flags,
                              UINT* failure) {
    long long bytes = (long long)stride * height;
    HGLOBAL block = bytes > 0 && bytes <= MAX_IMAGE_BYTES ? GlobalAlloc(flags | GMEM_ZEROINIT, (SIZE_T)bytes) : NULL;
    if (!block) {
        *failure = IDS_NO_MEMORY;
        return NULL;
    }
    RastImageData data;
    memset(&data, 0, sizeof data);
    data.byteCount = (long)bytes;
    data.kind = RAST_DATA_GLOBAL;
    data.memory = block;
    if (!functions->ReadDIBImg(AsModuleFile(file), &data, 0)) {
        GlobalFree(block);
        *failure = IDS_UNKNOWN_FORMAT;
        return NULL;
    }
    return block;
}

HGLOBAL LoadImageFile(HWND owner, const char* fileName, ImageInfo* info, int showProgress, int keepBottomUp) {
    return LoadImageFileShownAs(owner, fileName, fileName, info, showProgress, keepBottomUp);
}

HGLOBAL LoadImageFileShownAs(HWND owner, const char* fileName, const char* shownName, ImageInfo* info, int showProgress,
                             int keepBottomUp) {
    if (showProgress) BeginProgress(IDS_OPEN_FILE_PROGRESS);
    int type = GetImageFileType(fileName);
    BoundModule module;
    ReadFunctions functions;
    UINT failure = BindModule(type, 0, &module);
    if (failure == IDS_UNKNOWN_FORMAT) {
        if (showProgress) EndProgress();
        MessageBoxFromStringId(owner, IDS_UNKNOWN_FORMAT, shownName, MB_OK | MB_ICONHAND);
        return NULL;
    }
    if (failure || !BindReadFunctions(&module, &functions)) {
        UnbindModule(&module);
        if (showProgress) EndProgress();
        return NULL;
    }
    HGLOBAL pixels = NULL;
    RastImageHeader header;
    memset(&header, 0, sizeof header);
    HANDLE file = OpenImageForReading(fileName, &failure);
    if (file != INVALID_HANDLE_VALUE) {
        int result = functions.ReadHeader(AsModuleFile(file), &header, 1);
        if (!result || !IsLoadableHeader(&header)) {
            failure = IDS_UNKNOWN_FORMAT;
        } else {
            info->FileType = (uint8_t)type;
            info->Width = header.width;
            info->Height = header.height;
            info->BitsPerPixel = (uint8_t)(result == 3 ? 32 : header.bitsPerPixel);
            info->RowStride = LoadedRowStride(result, type, &header);
            info->Planes = 1;
            info->Resolution = header.xResolution ? header.xResolution : DEFAULT_RESOLUTION;
            info->Palette = header.palette;
            if (showProgress) functions.SetWaitingCallback(ImageModuleWaitingCallback);
            pixels = ReadModuleRows(&functions, file, info->RowStride, info->Height, GMEM_FIXED, &failure);
            if (pixels && !keepBottomUp) ExchangeRows((uint8_t*)pixels, info->RowStride, info->Height);
            if (!pixels) info->Palette = NULL;
        }
        CloseHandle(file);
    }
    UnbindModule(&module);
    if (showProgress) EndProgress();
    if (!pixels) {
        if (header.palette) DeleteObject(header.palette);
        MessageBoxFromStringId(owner, failure, shownName, MB_OK | MB_ICONHAND);
    }
    return pixels;
}

int DrawImageFile(HDC dc, const char* fileName, int x, int y) {
    BoundModule module;
    ReadFunctions functions;
    if (BindModule(GetImageFileType(fileName), 0, &module) || !BindReadFunctions(&module, &functions)) {
        UnbindModule(&module);
        return 0;
    }
    UINT failure = 0;
    int drawn = 0;
    HANDLE file = OpenImageForReading(fileName, &failure);
    RastImageHeader header;
    memset(&header, 0, sizeof header);
    if (file != INVALID_HANDLE_VALUE && functions.ReadHeader(AsModuleFile(file), &header, 1) &&
        IsLoadableHeader(&header)) {
        // The block holds whatever the module fills, even where its rows are wider than a DIB's.
        int dibStride = GetDibRowBytes(header.width, header.bitsPerPixel);
        int stride = header.rowBytes > dibStride ? header.rowBytes : dibStride;
        HGLOBAL rows = ReadModuleRows(&functions, file, stride, header.height, GMEM_MOVEABLE, &failure);
        uint8_t* bits = rows ? (uint8_t*)GlobalLock(rows) : NULL;
        if (bits) {
            struct {
                BITMAPINFOHEADER Header;
                RGBQUAD Colours[256];
            } bitmap;
            BuildBitmapInfo((BITMAPINFO*)&bitmap, header.width, header.height, header.bitsPerPixel, header.palette);
            HPALETTE oldPalette = header.palette ? SelectPalette(dc, header.palette, FALSE) : NULL;
            if (header.palette) RealizePalette(dc);
            SetDIBitsToDevice(dc, x, y, header.width, header.height, 0, 0, 0, header.height, bits, (BITMAPINFO*)&bitmap,
                              DIB_RGB_COLORS);
            if (header.palette) SelectPalette(dc, oldPalette, FALSE);
            GlobalUnlock(rows);
            drawn = 1;
        }
        if (rows) GlobalFree(rows);
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (header.palette) DeleteObject(header.palette);
    UnbindModule(&module);
    return drawn;
}

int WINAPI ImageModuleWaitingCallback(int first, int last, int current) {
    if (last != first) StepProgress((int)((long long)(current - first) * 100 / (last - first)));
    return 0;
}

// ---- Saving ----

static int PaletteEntries(HPALETTE palette, PALETTEENTRY* entries) {
    memset(entries, 0, 256 * sizeof *entries);
    if (!palette) return 0;
    int n = GetPaletteEntries(palette, 0, 256, entries);
    return n > 256 ? 256 : n;
}

// JPEG holds 24-bit colour and grey scales only; 1 when the record's image is one of them,
// with *inverted set for a white-to-black grey palette.
static int FitsJpeg(const ImageRecord* record, int* inverted) {
    *inverted = 0;
    if (record->Info.BitsPerPixel == 24) return 1;
    if (record->Info.BitsPerPixel != 8) return 0;
    PALETTEENTRY entries[256];
    int n = PaletteEntries(record->Info.Palette, entries);
    if (n == 0) return 1;
    if (!IsGreyPalette(entries, n)) return 0;
    *inverted = n == 256 && IsInvertedGreyPalette(entries, n);
    return 1;
}

static short SaveColourKind(int bits, int hasPalette) {
    switch (bits) {
    case 1: return 0;
    case 4: return hasPalette ? 2 : 4;
    case 8: return hasPalette ? 3 : 5;
    case 24: return 1;
    default: return (short)bits;
    }
}

// A movable block with the record's rows in the bottom-up order of the files, complemented
// when asked; null when there is no memory or the record has no pixels to read.
static HGLOBAL BottomUpCopy(const ImageRecord* record, int invert, long long bytes) {
    if (bytes <= 0 || bytes > MAX_IMAGE_BYTES || !record->Pixels) return NULL;
    HGLOBAL copy = GlobalAlloc(GHND, (SIZE_T)bytes);
    uint8_t* target = copy ? (uint8_t*)GlobalLock(copy) : NULL;
    const uint8_t* source = target ? (const uint8_t*)GlobalLock(record->Pixels) : NULL;
    if (!source) {
        if (target) GlobalUnlock(copy);
        if (copy) GlobalFree(copy);
        return NULL;
    }
    int stride = record->Info.RowStride, height = record->Info.Height;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = target + (size_t)(height - 1 - y) * stride;
        memcpy(row, source + (size_t)y * stride, stride);
        if (invert)
            for (int i = 0; i < stride; ++i) row[i] = (uint8_t)~row[i];
    }
    GlobalUnlock(record->Pixels);
    GlobalUnlock(copy);
    return copy;
}

struct SaveFunctions {
    rastSaveHeader_t SaveHeader;
    rastSavePalette_t SavePalette;
    rastSaveImg_t SaveImg;
    rastSetWaitingCallback_t SetWaitingCallback;
};

static int BindSaveFunctions(const BoundModule* module, SaveFunctions* functions) {
    functions->SaveHeader = (rastSaveHeader_t)(void*)ModuleFunction(module, "rastSaveHeader");
    functions->SavePalette = (rastSavePalette_t)(void*)ModuleFunction(module, "rastSavePalette");
    functions->SaveImg = (rastSaveImg_t)(void*)ModuleFunction(module, "rastSaveImg");
    functions->SetWaitingCallback = (rastSetWaitingCallback_t)(void*)ModuleFunction(module, "rastSetWaitingCallback");
    return functions->SaveHeader && functions->SavePalette && functions->SaveImg && functions->SetWaitingCallback;
}

// Header, then pixels; 0 when the module refuses either (IDS_CANNOT_OPEN_FILE) or there is no
// memory for the bottom-up copy (IDS_NO_MEMORY).
static UINT WriteThroughModule(const SaveFunctions* functions, HANDLE file, const ImageRecord* record, int option,
                               int invert) {
    const ImageInfo* info = &record->Info;
    if (info->Width > 0x7FFF || info->Height > 0x7FFF || info->RowStride > 0x7FFF || info->Width < 1 ||
        info->Height < 1)
        return IDS_UNKNOWN_FORMAT;
    RastImageHeader header;
    memset(&header, 0, sizeof header);
    header.colourType = SaveColourKind(info->BitsPerPixel, info->Palette != NULL);
    header.width = (short)info->Width;
    header.height = (short)info->Height;
    header.rowBytes = (short)info->RowStride;
    header.bitsPerPixel = info->BitsPerPixel;
    header.xResolution = header.yResolution = (short)info->Resolution;
    header.palette = info->Palette;
    if (!functions->SaveHeader(AsModuleFile(file), &header, info->Palette != NULL, (WORD)option))
        return IDS_CANNOT_OPEN_FILE;
    functions->SetWaitingCallback(ImageModuleWaitingCallback);
    long long bytes = (long long)info->RowStride * info->Height;
    HGLOBAL rows = BottomUpCopy(record, invert, bytes);
    if (!rows) return IDS_NO_MEMORY;
    RastImageData data;
    memset(&data, 0, sizeof data);
    data.byteCount = (long)bytes;
    data.kind = RAST_DATA_GLOBAL;
    data.memory = rows;
    int written = functions->SaveImg(AsModuleFile(file), &data);
    GlobalFree(rows);
    return written ? 0 : IDS_CANNOT_OPEN_FILE;
}

int SaveImageFile(const char* fileName, int type, int option, const ImageRecord* record) {
    int invert = 0;
    if (type == IMAGE_TYPE_JPEG && !FitsJpeg(record, &invert)) {
        ShowImageMessage(IDS_NO_JPEG, fileName);
        return 0;
    }
    BoundModule module;
    SaveFunctions functions;
    UINT failure = BindModule(type, 0, &module);
    if (!failure && !BindSaveFunctions(&module, &functions)) failure = IDS_MODULE_NO_LOAD;
    if (failure) {
        UnbindModule(&module);
        ShowImageMessage(failure, failure == IDS_UNKNOWN_FORMAT ? fileName : module.Path);
        return 0;
    }
    HANDLE file =
        CreateFileA(fileName, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        UnbindModule(&module);
        ShowImageMessage(IDS_CANNOT_OPEN_FILE, fileName);
        return 0;
    }
    failure = WriteThroughModule(&functions, file, record, option, invert);
    CloseHandle(file);
    UnbindModule(&module);
    if (!failure) return 1;
    // A half-written file is never left behind as if it were a card image.
    DeleteFileA(fileName);
    ShowImageMessage(failure, fileName);
    return 0;
}
