// The image file module interface ("rast" family): one DLL per file format (BMP, TIFF, PCX,
// JPEG), loaded by path and bound by export name. Every export is stdcall; the names below are
// the exact export names (three of them keep their decorated form, see the notes).
//
// The modules keep process-wide state without locks: one caller at a time, and a header read
// always precedes the image read of the same file, because the image readers take width,
// height, bit count and compression from the last header read.
//
// Files are open Win32 file handles as OpenFile returns them (HFILE); every export that takes
// one returns 0 when it is HFILE_ERROR (-1).
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// What a header reader fills and a header writer reads.
typedef struct RastImageHeader {
    short colourType;    // 0: 1 bit, 1: 24 bits, 2: 4 bits, 3: 8 bits; other counts: the count itself
    short width;         // pixels
    short height;        // rows
    short rowBytes;      // one stored row: (bits * width + 31) / 32 * 4
    short bitsPerPixel;  // as stored in the file
    short xResolution;   // dots per inch (0 when the file gives none)
    short yResolution;   // dots per inch
    HPALETTE palette;    // logical palette of the colour table, or null; the caller owns it
    long reserved[4];    // set to -1, -1, 6, 1 by the readers; not read by the writers
} RastImageHeader;

// Kinds of RastImageData.
enum {
    RAST_DATA_GLOBAL = 1,  // movable global memory (memory)
    RAST_DATA_FILE = 2     // another open file (file); any other kind: plain memory (pointer)
};

// Where an image reader puts the pixels, or where an image writer takes them from.
typedef struct RastImageData {
    long byteCount;  // size of the pixel area in bytes
    short kind;      // RAST_DATA_GLOBAL, RAST_DATA_FILE, or plain memory
    HGLOBAL memory;  // kind 1
    HFILE file;      // kind 2
    void* pointer;   // plain memory
} RastImageData;

// Progress callback: called with current = 0 at the start of an operation that moves pixel
// data, with the current step after each step and with current = total at its end. After the
// end call the module forgets the callback. A nonzero result from a step call cancels an
// uncompressed read.
typedef int(WINAPI* RastWaitingCallback)(int first, int total, int current);

// Row callback of rastDecodeImg: row pointer, user value, row index (top line first), 0.
typedef int(WINAPI* RastRowFunction)(void* row, long user, int index, int reserved);

// Error numbers of _rastGetError@0 (a number stays until another error replaces it).
enum {
    RAST_ERR_MAP = 1,         // the file cannot be mapped for reading (run-length data)
    RAST_ERR_READ = 2,        // a read fails, reads nothing, or the data is cut short
    RAST_ERR_WRITE = 3,       // a write fails
    RAST_ERR_COMPRESSION = 4  // unknown compression, or run-length data that cannot be decoded
};

// Module error code of rastGetErrorCode: a subformat was refused.
#define RAST_CODE_BAD_SUBFORMAT (-13)

// Subformats the BMP module accepts.
#define RAST_SUBFORMAT_256 256
#define RAST_SUBFORMAT_257 257

// Size of the capability record copied out by rastGetCap.
#define RAST_CAP_BYTES 44

// ---- Reading ----

// Reads the file and info header (a 12-byte core header is widened to the 40-byte form; a bare
// DIB without file header is accepted), the colour table when wantPalette is nonzero, and
// leaves the file at the first pixel byte. A two-entry table whose first entry is white is
// turned into black-then-white and the pixel bytes of the file are complemented when read.
// Result: 1 read; 0 failed (unreadable or malformed header, unsupported dimensions, or a file
// too short for the pixels its header declares: error 2, before the caller allocates for them).
int WINAPI rastReadHeader(HFILE file, RastImageHeader* header, int wantPalette);

// As rastReadHeader with the BMP starting at byte `offset` of the file; `unused` is ignored.
int WINAPI rastReadHeaderExt(HFILE file, RastImageHeader* header, int wantPalette, long offset, int unused);

// Reads the header from the start of the file; the logical palette of its colour table
// (the caller owns it), or null when the table is empty or the read fails.
HPALETTE WINAPI rastReadPalette(HFILE file);

// Reads the pixel rows of the file whose header was read last, in file order, into `data`.
// 1- to 8-bit and 24-bit rows are delivered as stored; 16- and 32-bit rows as 24-bit rows;
// RLE8 and RLE4 data is expanded. Result: 1 read; 0 failed or cancelled (see _rastGetError@0).
int WINAPI rastReadImg(HFILE file, RastImageData* data);

// As rastReadImg, the rows written from byte `offset` of the target on.
int WINAPI rastReadDIBImg(HFILE file, RastImageData* data, long offset);

// As rastReadDIBImg; the last two arguments are ignored.
int WINAPI rastReadDIBImgExt(HFILE file, RastImageData* data, long offset, int unused1, int unused2);

// Reads the header from the start of the file and hands each stored row, top line first, to
// `rowFunction`. Result: 1 (also when a row read fails and ends the loop); 0 when the header
// cannot be read or no row buffer is had.
int WINAPI rastDecodeImg(HFILE file, int unused1, int unused2, RastRowFunction rowFunction, long user, int unused3);

// 1 for a BMP file the module reads without run-length data (40-byte header without
// compression, or a 12-byte core header); 0 otherwise, also when the file cannot be opened.
int WINAPI rastIsCorrectHeader(const char* fileName);

// ---- Writing (uncompressed BMP only) ----

// Writes the 14-byte file header and 40-byte info header at the start of the file, then the
// header's palette when withPalette is nonzero, and leaves the file at the first pixel byte.
// Result: 1 written; 0 failed (error 3 when a write fails).
int WINAPI rastSaveHeader(HFILE file, const RastImageHeader* header, int withPalette, int option);

// As rastSaveHeader, every position counted from `offset`.
int WINAPI rastSaveHeaderExt(HFILE file, const RastImageHeader* header, int withPalette, int option, long offset,
                             int unused);

// Writes the palette's entries as RGBQUADs at offset 54. A null or empty palette writes
// nothing. Result: 1 written or nothing to write; 0 failed.
int WINAPI rastSavePalette(HFILE file, HPALETTE palette);

// Exported as "_rastSavePaletteExt@12": as rastSavePalette at offset + 54.
int WINAPI rastSavePaletteExt(HFILE file, HPALETTE palette, long offset);

// Writes the pixel bytes of `data` at the current file position (memory in 32,768-byte
// pieces, another file in 4,096-byte chunks). Result: 1 written; 0 failed (error 3).
int WINAPI rastSaveImg(HFILE file, const RastImageData* data);

// As rastSaveImg, starting at byte `offset` of the source and writing byte count - offset bytes.
int WINAPI rastSaveDIBImg(HFILE file, const RastImageData* data, long offset);

// As rastSaveDIBImg; the last two arguments are ignored.
int WINAPI rastSaveDIBImgExt(HFILE file, const RastImageData* data, long offset, int unused1, int unused2);

// Writes a * b bytes from `bytes` at the current position. Result: 1 when all were written.
int WINAPI rastSaveData(HFILE file, const void* bytes, WORD a, WORD b);

// Accepted for interface compatibility; they do nothing and return 1.
int WINAPI rastEncodeImg(int a, int b, int c, int d, int e);
// Exported as "_rastEncodeImgExt@28".
int WINAPI rastEncodeImgExt(int a, int b, int c, int d, int e, int f, int g);

// ---- Module state ----

// Sets (or clears with null) the waiting callback for the next operation; returns the argument.
RastWaitingCallback WINAPI rastSetWaitingCallback(RastWaitingCallback callback);

// Exported as "_rastGetError@0": the last error number (RAST_ERR_*), 0 when none yet.
int WINAPI rastGetError(void);

// The module error code when negative (RAST_CODE_BAD_SUBFORMAT), else 0.
int WINAPI rastGetErrorCode(void);

// 1 and stored when subformat is 256 or 257; otherwise 0 and error code -13.
int WINAPI rastSetSubformat(int subformat);

// The stored subformat (initially 257); the argument is ignored.
int WINAPI rastGetSubformat(int unused);

// Copies the 44-byte capability record to `capability`; 1 (0 for a null pointer).
int WINAPI rastGetCap(void* capability);

// The BMP module has no options: all four return 0.
int WINAPI rastSetReadOption(int option);
int WINAPI rastSetSaveOption(int option);
int WINAPI rastNeedReadOption(void);
int WINAPI rastNeedSaveOption(void);

#ifdef __cplusplus
}

// Pointer types for binding a module's exports with GetProcAddress.
using rastReadHeader_t = decltype(&rastReadHeader);
using rastReadHeaderExt_t = decltype(&rastReadHeaderExt);
using rastReadPalette_t = decltype(&rastReadPalette);
using rastReadImg_t = decltype(&rastReadImg);
using rastReadDIBImg_t = decltype(&rastReadDIBImg);
using rastReadDIBImgExt_t = decltype(&rastReadDIBImgExt);
using rastDecodeImg_t = decltype(&rastDecodeImg);
using rastIsCorrectHeader_t = decltype(&rastIsCorrectHeader);
using rastSaveHeader_t = decltype(&rastSaveHeader);
using rastSaveHeaderExt_t = decltype(&rastSaveHeaderExt);
using rastSavePalette_t = decltype(&rastSavePalette);
using rastSavePaletteExt_t = decltype(&rastSavePaletteExt);
using rastSaveImg_t = decltype(&rastSaveImg);
using rastSaveDIBImg_t = decltype(&rastSaveDIBImg);
using rastSaveDIBImgExt_t = decltype(&rastSaveDIBImgExt);
using rastSaveData_t = decltype(&rastSaveData);
using rastEncodeImg_t = decltype(&rastEncodeImg);
using rastEncodeImgExt_t = decltype(&rastEncodeImgExt);
using rastSetWaitingCallback_t = decltype(&rastSetWaitingCallback);
using rastGetError_t = decltype(&rastGetError);
using rastGetErrorCode_t = decltype(&rastGetErrorCode);
using rastSetSubformat_t = decltype(&rastSetSubformat);
using rastGetSubformat_t = decltype(&rastGetSubformat);
using rastGetCap_t = decltype(&rastGetCap);
using rastSetOption_t = decltype(&rastSetReadOption);
using rastNeedOption_t = decltype(&rastNeedReadOption);
#endif
