// Pictures compared with what the screen shows: a bitmap resource of a module or a BMP file,
// looked for in a capture (0x00RRGGBB pixels, top row first).
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct ScreenPicture {
    int Width = 0, Height = 0;
    std::vector<DWORD> Pixels;  // 0x00RRGGBB, top row first
};

inline ScreenPicture PictureOfBitmap(HBITMAP bitmap) {
    ScreenPicture picture;
    if (!bitmap) return picture;
    BITMAP info;
    GetObjectA(bitmap, sizeof(info), &info);
    picture.Width = info.bmWidth;
    picture.Height = info.bmHeight;
    picture.Pixels.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    BITMAPINFO header = {};
    header.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, info.bmHeight, picture.Pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (DWORD& p : picture.Pixels) p &= 0xFFFFFF;
    return picture;
}

inline ScreenPicture PictureResource(HMODULE module, int id) {
    return PictureOfBitmap(static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
}

inline ScreenPicture PictureFile(const std::string& path) {
    return PictureOfBitmap(
        static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}

// Whether the picture's left `columns` columns appear in the capture with their top-left
// corner at (x, y).
inline bool PictureShowsAt(const std::vector<DWORD>& shot, int shotWidth, int shotHeight, const ScreenPicture& picture,
                           int x, int y, int columns) {
    if (picture.Pixels.empty() || x + columns > shotWidth || y + picture.Height > shotHeight) return false;
    for (int row = 0; row < picture.Height; ++row)
        for (int col = 0; col < columns; ++col)
            if ((shot[static_cast<size_t>(y + row) * shotWidth + x + col] & 0xFFFFFF) !=
                picture.Pixels[static_cast<size_t>(row) * picture.Width + col])
                return false;
    return true;
}
