// Drawing of 24-bit bitmap resources (stored without colour table) straight from the
// resource data, for the command bar and the views' backgrounds and pictures.
#include "shell.h"
#include <string.h>

typedef struct BITMAPRESOURCE {
    const BITMAPINFOHEADER* Header;
    const BYTE* Bits;
} BITMAPRESOURCE;

static int FindBitmapResource(int bitmapId, BITMAPRESOURCE* out) {
    HRSRC found = FindResourceA(App.Instance, MAKEINTRESOURCEA(bitmapId), (LPCSTR)RT_BITMAP);
    HGLOBAL loaded = found ? LoadResource(App.Instance, found) : NULL;
    const BITMAPINFOHEADER* header = loaded ? (const BITMAPINFOHEADER*)LockResource(loaded) : NULL;
    if (!header || SizeofResource(App.Instance, found) < sizeof *header || header->biBitCount != 24) return 0;
    DWORD stride = ((DWORD)header->biWidth * 3 + 3) / 4 * 4;
    if (SizeofResource(App.Instance, found) < header->biSize + stride * (DWORD)abs(header->biHeight)) return 0;
    out->Header = header;
    out->Bits = (const BYTE*)header + header->biSize;
    return 1;
}

static void DrawWholeBitmap(HDC dc, const BITMAPRESOURCE* bitmap, int x, int y) {
    int w = bitmap->Header->biWidth, h = abs(bitmap->Header->biHeight);
    SetDIBitsToDevice(dc, x, y, w, h, 0, 0, 0, h, bitmap->Bits, (const BITMAPINFO*)bitmap->Header, DIB_RGB_COLORS);
}

void TileBitmapResource(HDC dc, int bitmapId, const RECT* rect) {
    BITMAPRESOURCE bitmap;
    if (!FindBitmapResource(bitmapId, &bitmap)) return;
    int w = bitmap.Header->biWidth, h = abs(bitmap.Header->biHeight);
    if (w <= 0 || h <= 0) return;
    int startX = rect->left - ((rect->left % w) + w) % w;
    for (int y = rect->top; y < rect->bottom; y += h)
        for (int x = startX; x < rect->right; x += w) DrawWholeBitmap(dc, &bitmap, x, y);
}

void DrawBitmapResourceCentered(HDC dc, int bitmapId, const RECT* rect) {
    BITMAPRESOURCE bitmap;
    if (!FindBitmapResource(bitmapId, &bitmap)) return;
    int x = rect->left + (rect->right - rect->left + 1 - bitmap.Header->biWidth) / 2;
    int y = rect->top + (rect->bottom - rect->top + 1 - abs(bitmap.Header->biHeight)) / 2;
    DrawWholeBitmap(dc, &bitmap, x, y);
}

// Copies the rows of the source rectangle (bottom-up, padded to four bytes) into a block of
// their own and draws that piece.
void DrawBitmapResourcePart(HDC dc, int bitmapId, POINT destination, const RECT* source) {
    BITMAPRESOURCE bitmap;
    if (!FindBitmapResource(bitmapId, &bitmap)) return;
    int w = bitmap.Header->biWidth, h = abs(bitmap.Header->biHeight);
    RECT part = *source;
    if (part.left < 0) part.left = 0;
    if (part.top < 0) part.top = 0;
    if (part.right > w) part.right = w;
    if (part.bottom > h) part.bottom = h;
    int pw = part.right - part.left, ph = part.bottom - part.top;
    if (pw <= 0 || ph <= 0) return;
    DWORD stride = ((DWORD)w * 3 + 3) / 4 * 4, partStride = ((DWORD)pw * 3 + 3) / 4 * 4;
    HGLOBAL block = GlobalAlloc(GHND, sizeof(BITMAPINFOHEADER) + partStride * ph);
    BYTE* data = block ? (BYTE*)GlobalLock(block) : NULL;
    if (!data) {
        if (block) GlobalFree(block);
        return;
    }
    BITMAPINFOHEADER* header = (BITMAPINFOHEADER*)data;
    *header = *bitmap.Header;
    header->biSize = sizeof *header;
    header->biWidth = pw;
    header->biHeight = ph;
    header->biSizeImage = 0;
    BYTE* bits = data + sizeof *header;
    for (int row = 0; row < ph; ++row) {
        int sourceRow = h - 1 - (part.top + row);  // rows are stored bottom-up
        memcpy(bits + (ph - 1 - row) * partStride, bitmap.Bits + sourceRow * stride + part.left * 3, pw * 3);
    }
    SetDIBitsToDevice(dc, destination.x, destination.y, pw, ph, 0, 0, 0, ph, bits, (const BITMAPINFO*)header,
                      DIB_RGB_COLORS);
    GlobalUnlock(block);
    GlobalFree(block);
}
