// The editor on screen with a Chinese page: saved as a picture to look at, and its in-place
// editor's red frame and the page image checked in the window's pixels.
#include "linux_programs.h"
#include "reglyph_host.h"

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Saves the window's screen area as BMP and, through ImageMagick, as PNG; returns the BMP path.
std::string SaveScreenshot(HWND window, const std::string& name) {
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    BITMAPINFOHEADER header{sizeof header, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    // Opaque, so that a viewer does not take the unused fourth byte for transparency.
    for (int i = 0; i < w * h; ++i) static_cast<BYTE*>(bits)[4 * i + 3] = 0xFF;
    std::string folder = ProgramFolder() + "screenshots\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string bmp = folder + name + ".bmp";
    BITMAPFILEHEADER file{0x4D42, (DWORD)(sizeof file + sizeof header + 4 * w * h), 0, 0,
                          (DWORD)(sizeof file + sizeof header)};
    HANDLE out = CreateFileA(bmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &header, sizeof header, &written, nullptr);
    WriteFile(out, bits, 4 * w * h, &written, nullptr);
    CloseHandle(out);
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    RunLinuxProgram("/usr/bin/convert", {UnixPath(bmp), UnixPath(folder + name + ".png")});
    return bmp;
}

}  // namespace

using EditorOnScreen = ReglyphHost;

TEST_F(EditorOnScreen, ChinesePageWithItsImage) {
    TestPage page({{0, 0, Gbk("张伟")},
                   {0, 1, Gbk("北京星河科技有限公司")},
                   {0, 3, Gbk("销售经理")},
                   {0, 4, Gbk("北京市海淀区中关村大街1号")},
                   {1, 17, "010-6275-1234"},
                   {1, 7, "zhang.wei@example.cn"}});
    // A grey card: light paper with dark bars where the lines are.
    const int width = 900, height = 540, stride = 900;
    HGLOBAL rows = GlobalAlloc(GMEM_MOVEABLE, stride * height);
    BYTE* pixels = static_cast<BYTE*>(GlobalLock(rows));
    memset(pixels, 235, stride * height);
    for (int line = 0; line < 6; ++line)
        for (int y = 60 + 70 * line; y < 90 + 70 * line; ++y) memset(pixels + y * stride + 80, 40, 300 + 60 * line);
    GlobalUnlock(rows);
    RecogImageInfo& image = page.page()->Image;
    image.Width = width;
    image.Height = height;
    image.GreyBytesPerRow = stride;
    image.GreyBitsPerPixel = 8;
    image.GreyRows = rows;
    ASSERT_TRUE(Open(page.page()));
    cardStatus_(12, 5);
    SelectRow(1);
    Pump();
    UpdateWindow(host_);
    std::string shot = SaveScreenshot(host_, "reglyph_editor");
    EXPECT_NE(GetFileAttributesA(shot.c_str()), INVALID_FILE_ATTRIBUTES);
    // The in-place editor over row 1 shows its red frame.
    RECT frame;
    GetWindowRect(Control(1033) ? Control(1033) : GetParent(Box()), &frame);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, frame.left, (frame.top + frame.bottom) / 2), RGB(255, 0, 0));
    ReleaseDC(nullptr, screen);
    Close();
    GlobalFree(rows);
}
