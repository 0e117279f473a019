// Host window, hand-built pages and the editor's exports for the result editor tests.
#include "editor_fixture.h"
#include "linux_programs.h"

std::vector<int> ReglyphHost::commands_;
ReglyphHost* ReglyphHost::running_ = nullptr;

namespace {

struct FindId {
    int id;
    HWND found;
};

BOOL CALLBACK FindById(HWND window, LPARAM param) {
    FindId* find = reinterpret_cast<FindId*>(param);
    if (GetDlgCtrlID(window) == find->id && !find->found) find->found = window;
    return TRUE;
}

}  // namespace

RecogLine* TestPage::MakeLine(const LineSpec& spec) {
    RecogLine* line = line_alloc();
    line->Group = spec.group;
    line->FieldKind = spec.kind;
    line->Kind = 10;
    line->Orientation = 'h';
    int x = 10;
    line->Rect = {10, 20, 10 + 12 * (int)spec.text.size(), 40};
    RecogChar** tail = &line->FirstChar;
    for (size_t i = 0; i < spec.text.size(); ++i) {
        unsigned char byte = spec.text[i];
        int code = byte;
        if (byte >= 0x81 && i + 1 < spec.text.size()) code = (byte << 8) | (unsigned char)spec.text[++i];
        RecogChar* c = char_alloc();
        c->GlyphIndex = code;
        c->CandidateCount = 1;
        c->Rect = {x, 20, x + 10, 40};
        x += 12;
        *tail = c;
        tail = &c->Next;
    }
    return line;
}

TestPage::TestPage(const std::vector<LineSpec>& lines, int blocks) : blocks_(blocks) {
    page_.FirstRegion = &region_;
    region_.FirstBlock = &blocks_[0];
    for (int i = 0; i + 1 < blocks; ++i) blocks_[i].Next = &blocks_[i + 1];
    // Lines go round the blocks, so every block holds some.
    std::vector<RecogLine**> tails;
    for (RecogBlock& b : blocks_) tails.push_back(&b.FirstLine);
    for (size_t i = 0; i < lines.size(); ++i) {
        RecogLine* line = MakeLine(lines[i]);
        *tails[i % blocks] = line;
        tails[i % blocks] = &line->Next;
    }
}

TestPage::~TestPage() {
    ReglyphHost::ClosePage(&page_);
    for (RecogBlock& b : blocks_) {
        for (RecogLine* line = b.FirstLine; line;) {
            RecogLine* next = line->Next;
            line_free(line);
            line = next;
        }
    }
}

std::vector<RecogLine*> TestPage::Lines(int block) {
    std::vector<RecogLine*> lines;
    for (RecogLine* line = blocks_[block].FirstLine; line; line = line->Next) lines.push_back(line);
    return lines;
}

std::string TextOf(const RecogLine* line) {
    std::string text;
    for (const RecogChar* c = line->FirstChar; c; c = c->Next) {
        int code = c->GlyphIndex & 0xFFFF;
        if (code > 255) text += (char)(code >> 8);
        text += (char)(code & 0xFF);
    }
    return text;
}

int CharsOf(const RecogLine* line) {
    int n = 0;
    for (const RecogChar* c = line->FirstChar; c; c = c->Next) ++n;
    return n;
}

namespace {
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam == 0) {
        ReglyphHost::commands_.push_back(LOWORD(wParam));
        return 0;
    }
    if (message == WM_SIZE) {
        HWND child = GetWindow(window, GW_CHILD);
        if (child) MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

void ReglyphHost::SetUp() {
    running_ = this;
    ASSERT_EQ(GetACP(), 936u) << "run with LC_ALL=zh_CN.UTF-8";
    ASSERT_TRUE(dll_.loaded()) << "Reglyph.dll: error " << dll_.loadError();
    open_ = dll_.require<OvReglyphFn>("_OvReglyph@20");
    load_ = dll_.require<PageInfo2ReglyphFn>("_PageInfo2Reglyph@16");
    handBack_ = dll_.require<Reglyph2PageInfoFn>("_Reglyph2PageInfo@16");
    cardStatus_ = dll_.require<CardStatusFn>("_Reglyph4CardStatus@8");
    editApi_ = dll_.require<EditApiFn>("_Reglyph4EditAPI@4");
    ASSERT_TRUE(open_ && load_ && handBack_ && cardStatus_ && editApi_);
    WNDCLASSA host = {};
    host.lpfnWndProc = HostProc;
    host.hInstance = GetModuleHandleA(nullptr);
    host.hCursor = LoadCursor(nullptr, IDC_ARROW);
    host.lpszClassName = "ReglyphTestHost";
    RegisterClassA(&host);
    host_ = CreateWindowExA(0, "ReglyphTestHost", "Reglyph host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 700,
                            nullptr, nullptr, host.hInstance, nullptr);
    ASSERT_TRUE(host_);
    commands_.clear();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    tracePath_ = std::string(temp) + "reglyph_engine_calls.txt";
    DeleteFileA(tracePath_.c_str());
    SetEnvironmentVariableA("TVRKSDK_TRACE", tracePath_.c_str());
}

std::vector<std::string> ReglyphHost::EngineCalls() {
    std::vector<std::string> calls;
    FILE* f = fopen(tracePath_.c_str(), "r");
    if (!f) return calls;
    char line[256];
    while (fgets(line, sizeof line, f)) {
        std::string call(line);
        while (!call.empty() && (call.back() == '\n' || call.back() == '\r')) call.pop_back();
        calls.push_back(call);
    }
    fclose(f);
    return calls;
}

void ReglyphHost::Drag(HWND window, const std::vector<POINT>& path) {
    Pump();  // the window lays out what it shows as it paints
    for (size_t i = 0; i < path.size(); ++i) {
        UINT message = i == 0 ? WM_LBUTTONDOWN : i + 1 == path.size() ? WM_LBUTTONUP : WM_MOUSEMOVE;
        SendMessageA(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(path[i].x, path[i].y));
    }
    Pump();
}

namespace {
constexpr int kGuardBytes = 64;
constexpr uint8_t kGuard = 0xA5;
}  // namespace

PageImages::PageImages(RecogPage* page, int width, int height)
    : page_(page), width_(width), height_(height), bytesPerRow_((width + 7) / 8) {
    size_t size = (size_t)bytesPerRow_ * height;
    bwBlock_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + kGuardBytes);
    bw_ = static_cast<uint8_t*>(GlobalLock(bwBlock_));
    memset(bw_ + size, kGuard, kGuardBytes);
    greyBlock_ = GlobalAlloc(GMEM_MOVEABLE, (size_t)((width + 3) / 4 * 4) * height);
    grey_ = static_cast<uint8_t*>(GlobalLock(greyBlock_));
    memset(grey_, 250, (size_t)((width + 3) / 4 * 4) * height);
    RecogImageInfo& image = page->Image;
    int32_t slot = 0;
    TransferImageBufferToBank(bw_, "TestPageImage", (uint16_t)bytesPerRow_, (uint16_t)height, &slot);
    image.BwBank = mem_get_special_bank("TestPageImage");
    image.Width = (uint16_t)width;
    image.Height = (uint16_t)height;
    image.BwBytesPerRow = (uint16_t)bytesPerRow_;
    image.GreyBytesPerRow = (uint16_t)((width + 3) / 4 * 4);
    image.GreyBitsPerPixel = 8;
    image.BankSlot = slot;
    image.GreyRows = greyBlock_;
    image.BwRows = bwBlock_;
}

PageImages::~PageImages() {
    mem_free_bank(page_->Image.BankSlot);
    memset(&page_->Image, 0, sizeof page_->Image);
    GlobalUnlock(bwBlock_);
    GlobalFree(bwBlock_);
    GlobalUnlock(greyBlock_);
    GlobalFree(greyBlock_);
}

void PageImages::Ink(int left, int top, int right, int bottom) {
    int stride = (width_ + 3) / 4 * 4;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            Row(y)[x / 8] |= (uint8_t)(0x80 >> (x % 8));
            grey_[(size_t)y * stride + x] = 20;
        }
}

bool PageImages::InkAt(int x, int y) const { return (bw_[(size_t)y * bytesPerRow_ + x / 8] >> (7 - x % 8)) & 1; }

bool PageImages::GuardIntact() const {
    const uint8_t* guard = bw_ + (size_t)bytesPerRow_ * height_;
    for (int i = 0; i < kGuardBytes; ++i)
        if (guard[i] != kGuard) return false;
    return true;
}

void ReglyphHost::TearDown() {
    SetEnvironmentVariableA("TVRKSDK_TRACE", nullptr);
    DeleteFileA(tracePath_.c_str());
    Close();
    if (host_) DestroyWindow(host_);
    Pump();
    running_ = nullptr;
}

void ReglyphHost::ClosePage(RecogPage* page) {
    if (running_ && running_->shown_ == page) running_->Close();
}

HWND ReglyphHost::Open(RecogPage* page, int y, int m, int d) {
    editor_ = open_(host_, page, y, m, d);
    shown_ = page;
    Pump();
    return editor_;
}

int ReglyphHost::Load(RecogPage* page, int y, int m, int d) {
    int loaded = load_(page, y, m, d);
    if (loaded) shown_ = page;
    return loaded;
}

void ReglyphHost::Close() {
    if (editor_ && IsWindow(editor_)) DestroyWindow(editor_);
    editor_ = nullptr;
    shown_ = nullptr;
    Pump();
}

HWND ReglyphHost::Control(int id) {
    FindId find = {id, nullptr};
    EnumChildWindows(editor_, FindById, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

int ReglyphHost::Rows() { return (int)SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0); }

std::string ReglyphHost::Cell(int row, int column) {
    char text[300] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(List(), LVM_GETITEMTEXTA, row, (LPARAM)&item);
    return text;
}

void ReglyphHost::ShowTab(int tab) {
    HWND tabs = Control(1131);
    SendMessageA(tabs, TCM_SETCURSEL, tab, 0);
    NMHDR note = {tabs, 1131, (UINT)TCN_SELCHANGE};
    SendMessageA(editor_, WM_NOTIFY, 1131, (LPARAM)&note);
    Pump();
}

void ReglyphHost::SelectRow(int row) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(List(), LVM_SETITEMSTATE, row, (LPARAM)&state);
    Pump();
}

void ReglyphHost::Key(int key) {
    SendMessageA(Box(), WM_KEYDOWN, key, 1);
    SendMessageA(Box(), WM_KEYUP, key, 0xC0000001);
}

void ReglyphHost::Type(const std::string& bytes) {
    for (unsigned char byte : bytes) SendMessageA(Box(), WM_CHAR, byte, 1);
}

std::string ReglyphHost::BoxText() {
    char text[300] = "";
    GetWindowTextA(Box(), text, sizeof text);
    return text;
}

void ReglyphHost::Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string Gbk(const char* utf8) {
    wchar_t wide[300];
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 300);
    char text[600];
    WideCharToMultiByte(936, 0, wide, n, text, sizeof text, nullptr, nullptr);
    return text;
}

static std::string ProgramFolder() {
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
