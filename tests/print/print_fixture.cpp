#include "print_fixture.h"
#include "dialog_watch.h"
#include "file_bytes.h"
#include "linux_programs.h"
#include "postscript_pages.h"
#include "scratch_folder.h"
#include "resource.h"
#include <stdio.h>
#include <string.h>

namespace printtest {

const char* const kPrinterName = "Zem File Printer";

namespace {

std::string g_scratch;

class PrintEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        App.Instance = GetModuleHandleA(nullptr);
        LoadStringA(App.Instance, IDS_PRODUCT_TITLE, App.ProductTitle, sizeof App.ProductTitle);
        g_scratch = MakeFreshTestFolder("print");
        DeleteFileA(SettingsPath().c_str());
        App.ShowBorder = 1;
        RegisterPrintWindowClasses();
        CreateLayoutSelectionList();
        LoadPrintDefaults();
        LoadDefaultPrinter();
    }
    void TearDown() override {
        CloseCards();
        FreePrintResources();
        RemoveFolderTree(g_scratch + "\\");
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new PrintEnvironment);

std::string Scratch(const std::string& name) { return g_scratch + "\\" + name; }

// Follows the mapping records of a metafile, so that each text's reference point can be
// given in device units of the reference device.
struct Playback {
    std::vector<DrawnText> Texts;
    int Mode = MM_TEXT;
    POINT WindowOrigin = {0, 0}, ViewportOrigin = {0, 0};
    SIZE WindowExtent = {1, 1}, ViewportExtent = {1, 1};

    POINT ToDevice(POINTL p) const {
        POINT d = {p.x - WindowOrigin.x, p.y - WindowOrigin.y};
        if (Mode == MM_ANISOTROPIC || Mode == MM_ISOTROPIC) {
            d.x = MulDiv(d.x, ViewportExtent.cx, WindowExtent.cx);
            d.y = MulDiv(d.y, ViewportExtent.cy, WindowExtent.cy);
        }
        return POINT{d.x + ViewportOrigin.x, d.y + ViewportOrigin.y};
    }
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto* play = reinterpret_cast<Playback*>(data);
    switch (record->iType) {
    case EMR_SETMAPMODE: play->Mode = (int)reinterpret_cast<const EMRSETMAPMODE*>(record)->iMode; break;
    case EMR_SETWINDOWORGEX: {
        POINTL o = reinterpret_cast<const EMRSETWINDOWORGEX*>(record)->ptlOrigin;
        play->WindowOrigin = {o.x, o.y};
        break;
    }
    case EMR_SETVIEWPORTORGEX: {
        POINTL o = reinterpret_cast<const EMRSETVIEWPORTORGEX*>(record)->ptlOrigin;
        play->ViewportOrigin = {o.x, o.y};
        break;
    }
    case EMR_SETWINDOWEXTEX: {
        SIZEL e = reinterpret_cast<const EMRSETWINDOWEXTEX*>(record)->szlExtent;
        play->WindowExtent = {e.cx, e.cy};
        break;
    }
    case EMR_SETVIEWPORTEXTEX: {
        SIZEL e = reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(record)->szlExtent;
        play->ViewportExtent = {e.cx, e.cy};
        break;
    }
    case EMR_EXTTEXTOUTW: {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars =
            reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        char ansi[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, chars, (int)text->emrtext.nChars, ansi, sizeof ansi - 1, nullptr, nullptr);
        play->Texts.push_back(DrawnText{ansi, play->ToDevice(text->emrtext.ptlReference)});
        break;
    }
    case EMR_EXTTEXTOUTA: {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const char* chars = reinterpret_cast<const char*>(record) + text->emrtext.offString;
        play->Texts.push_back(
            DrawnText{std::string(chars, text->emrtext.nChars), play->ToDevice(text->emrtext.ptlReference)});
        break;
    }
    }
    return 1;
}

}  // namespace

std::string PrinterOutput() { return PRINTER_OUTPUT; }

std::string SettingsPath() {
    char path[MAX_PATH];
    GetSettingsPath(path, sizeof path);
    return path;
}

std::string PersonName(int number) {
    char name[32];
    snprintf(name, sizeof name, "Person %02d", number);
    return name;
}

CardRec NamedCard(int number) {
    CardRec card;
    memset(&card, 0, sizeof card);
    snprintf(card.CName, sizeof card.CName, "%s", PersonName(number).c_str());
    snprintf(card.Company, sizeof card.Company, "Company %02d", number);
    return card;
}

void OpenCards(int count) {
    std::vector<CardRec> cards;
    for (int i = 1; i <= count; ++i) cards.push_back(NamedCard(i));
    OpenCardRecords(cards);
}

void OpenCardRecords(const std::vector<CardRec>& cards) {
    CloseCards();
    std::string path = Scratch("cards.mdb");
    DeleteFileA(path.c_str());
    HKVDB db = nullptr;
    HKVTBL table = nullptr;
    ASSERT_EQ(1, kvCreateDatabase(31, path.c_str(), 0, &db));
    ASSERT_EQ(1, kvTblCreate(db, "NM"));
    ASSERT_EQ(1, kvTblNew(db, "NM", &table));
    ASSERT_EQ(1, kvTblOpen(table));
    for (const CardRec& card : cards) {
        CardRec copy = card;
        ASSERT_NE(0, kvCardRecInsert(table, &copy));
    }
    kvTblFree(table);
    kvCloseDatabase(db);
    ASSERT_EQ(1, kvOpenDatabase(31, path.c_str(), &App.Database));
    ASSERT_EQ(1, kvTblNew(App.Database, "NM", &App.CardTable));
    ASSERT_EQ(1, kvTblOpen(App.CardTable));
    App.CardCount = (int)cards.size();
    App.CurrentCardNumber = cards.empty() ? 0 : 1;
    if (!cards.empty()) {
        kvRecGoto(App.CardTable, 1);
        kvCardRecGet(App.CardTable, &App.CurrentCard, 1);
    }
}

void CloseCards() {
    if (App.CardTable) kvTblFree(App.CardTable);
    if (App.Database) kvCloseDatabase(App.Database);
    App.CardTable = nullptr;
    App.Database = nullptr;
    App.CardCount = 0;
    App.CurrentCardNumber = 0;
}

void StoreLayouts(const std::vector<std::string>& lines, int selected) {
    std::string path = SettingsPath();
    WritePrivateProfileStringA("PaperLayout", nullptr, nullptr, path.c_str());
    WritePrivateProfileStringA("PaperLayout", "Count", std::to_string(lines.size()).c_str(), path.c_str());
    WritePrivateProfileStringA("PaperLayout", "SelectLayout", std::to_string(selected).c_str(), path.c_str());
    for (size_t i = 0; i < lines.size(); ++i)
        WritePrivateProfileStringA("PaperLayout", ("@" + std::to_string(i + 1)).c_str(), lines[i].c_str(),
                                   path.c_str());
    if (GetPrivateProfileIntA("Template", "Count", 0, path.c_str()) == 0)
        WritePrivateProfileStringA("Template", "Count", "1", path.c_str());
    WritePrivateProfileStringA("Template", "SelectTemplate", "0", path.c_str());
    LoadSelectedLayout();
}

void StoreTemplate(int number, const std::vector<std::string>& fields, int labelWidth, int labelHeight,
                   const std::string& header, const std::string& footer) {
    std::string path = SettingsPath(), section = "Template" + std::to_string(number);
    WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path.c_str());
    WritePrivateProfileStringA(section.c_str(), "TempName", ("Test template " + std::to_string(number)).c_str(),
                               path.c_str());
    WritePrivateProfileStringA(section.c_str(), "FieldCount", std::to_string(fields.size()).c_str(), path.c_str());
    for (size_t i = 0; i < fields.size(); ++i)
        WritePrivateProfileStringA(section.c_str(), ("Field" + std::to_string(i + 1)).c_str(), fields[i].c_str(),
                                   path.c_str());
    WritePrivateProfileStringA(section.c_str(), "LabelWidth", std::to_string(labelWidth).c_str(), path.c_str());
    WritePrivateProfileStringA(section.c_str(), "LabelHeight", std::to_string(labelHeight).c_str(), path.c_str());
    WritePrivateProfileStringA(section.c_str(), "Header", header.c_str(), path.c_str());
    WritePrivateProfileStringA(section.c_str(), "Footer", footer.c_str(), path.c_str());
    if ((int)GetPrivateProfileIntA("Template", "Count", 0, path.c_str()) < number)
        WritePrivateProfileStringA("Template", "Count", std::to_string(number).c_str(), path.c_str());
}

std::vector<DrawnText> TextsOf(HENHMETAFILE metafile) {
    Playback play;
    EnumEnhMetaFile(nullptr, metafile, CollectText, &play, nullptr);
    return play.Texts;
}

std::vector<std::string> TextStrings(const std::vector<DrawnText>& texts) {
    std::vector<std::string> strings;
    for (const DrawnText& text : texts) strings.push_back(text.Text);
    return strings;
}

std::vector<std::string> PrintedPageTexts() { return PostScriptPageTexts(PrinterOutput(), g_scratch); }

std::vector<GreyPage> PrintedPages(int dpi) { return PostScriptPages(PrinterOutput(), g_scratch, dpi); }

std::string SaveWindowPicture(HWND window, const std::string& name) {
    ShowWindow(window, SW_SHOW);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (int i = 0; i < 20; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(25);
    }
    RECT r;
    GetWindowRect(window, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    std::vector<uint8_t> pixels((size_t)width * height * 4);
    BITMAPINFOHEADER header = {sizeof header, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(memory, picture, 0, height, pixels.data(), (BITMAPINFO*)&header, DIB_RGB_COLORS);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    ShowWindow(window, SW_HIDE);
    char folder[MAX_PATH];
    GetModuleFileNameA(nullptr, folder, sizeof folder);
    *strrchr(folder, '\\') = 0;
    std::string shots = std::string(folder) + "\\..\\screenshots\\";
    CreateDirectoryA(shots.c_str(), nullptr);
    BITMAPFILEHEADER file = {0x4D42, (DWORD)(sizeof file + sizeof header + pixels.size()), 0, 0,
                             (DWORD)(sizeof file + sizeof header)};
    std::string bytes((const char*)&file, sizeof file);
    bytes.append((const char*)&header, sizeof header);
    bytes.append((const char*)pixels.data(), pixels.size());
    std::string bmp = shots + name + ".bmp", png = shots + name + ".png";
    WriteWholeFile(bmp, bytes);
    if (RunShellCommand("convert '" + UnixPath(bmp) + "' -alpha off '" + UnixPath(png) + "'") == 0 && IsFile(png)) {
        DeleteFileA(bmp.c_str());
        return png;
    }
    return bmp;
}

}  // namespace printtest
