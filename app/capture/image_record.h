// The program's in-memory card images: ImageInfo, the image record of one open card image
// and the growable array of image documents. The sizes are fixed (checked below): other code
// copies records whole.
#pragma once
#include <windows.h>
#include <stddef.h>
#include <stdint.h>
#include "print.h"
#include "tvrksdk.h"

#define IMAGE_TYPE_NONE 0
#define IMAGE_TYPE_TIFF 1
#define IMAGE_TYPE_PCX  2
#define IMAGE_TYPE_BMP  3
#define IMAGE_TYPE_JPEG 4

#define IMAGE_DOCUMENT_GROWTH 20
#define IMAGE_DOCUMENT_NONE   65535
#define DEFAULT_RESOLUTION    300

// The program's own description of a loaded image; a BITMAPINFOHEADER is built from it only
// when the image is drawn or handed on.
typedef struct ImageInfo {
    uint8_t FileType;  // IMAGE_TYPE_*
    int32_t RowStride;
    int32_t Width;
    int32_t Height;
    uint8_t Planes;
    uint8_t BitsPerPixel;  // 1, 4, 8 or 24 (32 only from a module that reports it)
    int32_t Resolution;    // dots per inch; 300 when the file gives none
    HPALETTE Palette;
    int32_t Extra[2];  // 0 after a reset; handed on to the thumbnail writer
} ImageInfo;

typedef struct ImageRecord {
    uint8_t DisplayFlags[3];
    ImageInfo Info;
    int32_t ScrollX;
    int32_t ScrollY;
    int32_t Zoom;
    HGLOBAL Pixels;  // rows top-down, Info.RowStride x Info.Height bytes; owned by the record
    LAYOUTSTORE Layouts;
    HGLOBAL Thumbnail;  // owned by the record
    int32_t ViewValue;
    int32_t ViewState;
    RECT ViewRect;
    uint8_t Attributes[16];
    char FileName[256];
    HGLOBAL LineImage;  // the page as the engine reads it; owned by the record
    uint8_t PageImage[48];
    uint16_t EngineScale;
    RecogWorkspace* Workspace;
    uint8_t Reserved[144];
} ImageRecord;

typedef struct ImageDocuments {
    HGLOBAL Records;  // ImageRecord entries
    uint16_t Capacity;
    uint16_t Count;
    int32_t Current;  // IMAGE_DOCUMENT_NONE when none
} ImageDocuments;

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ImageInfo) == 36, "ImageInfo is 36 bytes");
static_assert(sizeof(ImageRecord) == 584, "ImageRecord is 584 bytes");
static_assert(offsetof(ImageRecord, FileName) == 124, "ImageRecord layout");
#endif
