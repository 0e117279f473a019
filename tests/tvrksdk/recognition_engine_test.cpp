// The recognition engine stand-in through its exports, as the main program calls it: real
// card images (rendered by ImageMagick with known text) read by the host's OCR program.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>
#include "bank_transfer.h"
#include "cardinfo.h"
#include "engine_memory.h"
#include "recogpage.h"
#include "tvrksdk.h"

namespace {

// A page as loaded by the main program: rows top-down, padded to 4 bytes.
struct Page {
    int Width = 0, Height = 0, Bits = 0, Stride = 0;
    std::vector<uint8_t> Rows;
};

// Reads an uncompressed BMP of 1, 8 (grey palette) or 24 bits.
Page ReadBmp(const std::string& path) {
    Page page;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return page;
    DWORD size = GetFileSize(f, nullptr), got = 0;
    std::vector<uint8_t> file(size);
    ReadFile(f, file.data(), size, &got, nullptr);
    CloseHandle(f);
    auto* fh = reinterpret_cast<BITMAPFILEHEADER*>(file.data());
    auto* ih = reinterpret_cast<BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
    page.Width = ih->biWidth;
    page.Height = ih->biHeight;
    page.Bits = ih->biBitCount;
    page.Stride = (page.Width * page.Bits + 31) / 32 * 4;
    page.Rows.resize(static_cast<size_t>(page.Stride) * page.Height);
    const RGBQUAD* palette = reinterpret_cast<const RGBQUAD*>(file.data() + sizeof(BITMAPFILEHEADER) + ih->biSize);
    for (int y = 0; y < page.Height; ++y) {
        const uint8_t* src = file.data() + fh->bfOffBits + static_cast<size_t>(page.Height - 1 - y) * page.Stride;
        uint8_t* dst = &page.Rows[static_cast<size_t>(y) * page.Stride];
        memcpy(dst, src, static_cast<size_t>(page.Stride));
        if (page.Bits == 8)
            for (int x = 0; x < page.Width; ++x) dst[x] = palette[dst[x]].rgbGreen;
    }
    return page;
}

struct Callbacks {
    std::vector<int> Statuses;
    int LastPercent = -1;
    int Marks = 0;
    std::vector<int> Errors;
};
Callbacks g_seen;
void __stdcall OnPercent(uint16_t done, uint16_t total, int32_t flags) {
    if (flags & 0x10000) g_seen.Statuses.push_back(flags & 15);
    else if (total) g_seen.LastPercent = done * 100 / total;
}
void __stdcall OnMark(int32_t, int32_t, int32_t, int32_t, int32_t kind) { g_seen.Marks += kind > 0; }
void __stdcall OnError(int32_t id) { g_seen.Errors.push_back(id); }

class Engine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Create_Document(&document_, &workspace_), 1);
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        lstrcpynA(document_->TempFolder, temp, sizeof document_->TempFolder);
        g_seen = Callbacks();
        RegisterTvrkPercentCallbackFunc(OnPercent);
        RegisterTvrkMarkCallbackFunc(OnMark);
        RegisterTvrkErrMsgCallbackFunc(OnError);
    }
    void TearDown() override {
        RegisterTvrkPercentCallbackFunc(nullptr);
        RegisterTvrkMarkCallbackFunc(nullptr);
        RegisterTvrkErrMsgCallbackFunc(nullptr);
        Delete_Document(document_, workspace_);
    }

    // The main program's road for a page: the line image (binarised for grey and colour,
    // inverted for black and white) handed to the engine. False when no text was found.
    bool OpenPage(Page& page) {
        RecogImageDescription& d = workspace_->PageImage;
        memset(&d, 0, sizeof d);
        d.Width = static_cast<uint16_t>(page.Width);
        d.Height = static_cast<uint16_t>(page.Height);
        d.Planes = 1;
        d.BitsPerPixel = static_cast<uint8_t>(page.Bits);
        d.XResolution = d.YResolution = 300;
        d.Scale = 1;
        d.BytesPerLine = static_cast<uint16_t>((page.Width + 31) / 32 * 4);
        lineImage_.assign(static_cast<size_t>(d.BytesPerLine) * page.Height, 0);
        if (page.Bits == 1) {
            for (size_t i = 0; i < lineImage_.size(); ++i) lineImage_[i] = static_cast<uint8_t>(~page.Rows[i]);
            return true;
        }
        d.ImageKind = 4;
        d.Binary = 1;
        EXPECT_EQ(TransferImageBufferToBank(lineImage_.data(), "BinaryImage", d.BytesPerLine, d.Height, &d.LineBankId),
                  1);
        int32_t count = 0;
        RecogTextRect* rects = nullptr;
        ObtainTextRect(page.Rows.data(), &d, page.Stride, &count, &rects);
        if (count < 1) return false;
        EXPECT_EQ(TransferImageBufferToBank(page.Rows.data(), "RawImage", static_cast<uint16_t>(page.Stride), d.Height,
                                            &d.RawBankId),
                  1);
        EXPECT_EQ(TvrkOpenGrayImage(0, &d, rects, count, 0, 0, 1, 1, 1), 1);
        OCR_free(rects);
        mem_free_bank(d.RawBankId);
        mem_free_bank(d.LineBankId);
        return true;
    }

    void LinkPage() {
        RecogImageDescription& d = workspace_->PageImage;
        EXPECT_EQ(TransferImageBufferToBank(lineImage_.data(), "LinkedImage", d.BytesPerLine, d.Height, &d.LineBankId),
                  1);
    }

    int Recognise(Page& page, CardInfo& result) {
        memset(&result, 0, sizeof result);
        if (!OpenPage(page)) return -1;
        LinkPage();
        reset_working_space(workspace_);
        SetForeignLanguage(15);
        workspace_->LanguageValue = 0;
        int read = ProcessSinglePage(workspace_, 3);
        EXPECT_EQ(GetFieldIdentification(workspace_, &result), 1);
        return read;
    }

    static std::string Value(const CardInfo& info, int kind, int line = 0) {
        const char* t = info.Field[kind].Count > line ? info.Field[kind].Text[line] : nullptr;
        return t ? t : "";
    }

    static long TotalScore(const CardInfo& info) {
        long score = 0;
        for (const CardInfoSlot& s : info.Field)
            for (int i = 0; i < s.Count && i < 4; ++i) score += s.Confidence[i];
        return score;
    }

    static std::string Truth(const char* card, const char* field) {
        char value[256];
        GetPrivateProfileStringA(card, field, "", value, sizeof value, CARD_IMAGES "cards.ini");
        return value;
    }

    RecogDocument* document_ = nullptr;
    RecogWorkspace* workspace_ = nullptr;
    std::vector<uint8_t> lineImage_;
};

std::string Digits(const std::string& s) {
    std::string d;
    for (char c : s)
        if (c >= '0' && c <= '9') d += c;
    return d;
}

TEST_F(Engine, GreyCardIsReadIntoItsFieldsWithNameAndAddressApart) {
    Page page = ReadBmp(CARD_IMAGES "miller.bmp");
    ASSERT_EQ(page.Bits, 8);
    CardInfo info;
    ASSERT_EQ(Recognise(page, info), 1);
    EXPECT_EQ(Value(info, FieldName), Truth("miller", "Name"));
    EXPECT_EQ(Value(info, FieldCompany), Truth("miller", "Company"));
    EXPECT_EQ(Value(info, FieldTitle), Truth("miller", "Title"));
    EXPECT_EQ(Value(info, FieldEMail), Truth("miller", "EMail"));
    EXPECT_EQ(Digits(Value(info, FieldPhone)), Digits(Truth("miller", "Phone")));
    EXPECT_EQ(Digits(Value(info, FieldFax)), Digits(Truth("miller", "Fax")));
    EXPECT_EQ(Value(info, FieldCity), Truth("miller", "City"));
    EXPECT_EQ(Value(info, FieldState), Truth("miller", "State"));
    EXPECT_EQ(Value(info, FieldZipCode), Truth("miller", "Zip"));
    EXPECT_NE(Value(info, FieldAddress).find(Truth("miller", "Street")), std::string::npos)
        << Value(info, FieldAddress);
    EXPECT_GT(TotalScore(info), 0);
    // The page keeps its black-and-white rows in a bank, described through the program's export.
    RecogPage* read = GetRecognizedPage(workspace_);
    ASSERT_TRUE(read);
    const RecogImageInfo& image = read->Image;
    ASSERT_EQ(image.Height, page.Height);
    const uint8_t* rows = static_cast<const uint8_t*>(GlobalLock(image.BwRows));
    EXPECT_EQ(mem_get_bank(image.BwBank, 0, 0, 1), rows);
    EXPECT_EQ(mem_get_bank(image.BwBank, page.Height - 1, 0, 1), rows + (page.Height - 1) * image.BwBytesPerRow);
    EXPECT_EQ(mem_get_bank(image.BwBank, page.Height, 0, 1), nullptr);
    GlobalUnlock(image.BwRows);
    // Progress ran to the end with the recognising status, and every line was marked.
    EXPECT_EQ(g_seen.LastPercent, 100);
    EXPECT_NE(std::find(g_seen.Statuses.begin(), g_seen.Statuses.end(), 5), g_seen.Statuses.end());
    EXPECT_GE(g_seen.Marks, 8);
    EXPECT_TRUE(g_seen.Errors.empty());
}

TEST_F(Engine, OrientationIsTheClockwiseTurnToUprightAndAPoorReadingScoresBelowZero) {
    // ImageMagick turned the files clockwise; 270 (or 180) degrees more bring them upright.
    const struct {
        const char* File;
        int Expected;
    } cases[] = {{"chen.bmp", 0}, {"chen_90.bmp", 3}, {"chen_180.bmp", 2}};
    for (const auto& c : cases) {
        Page page = ReadBmp(std::string(CARD_IMAGES) + c.File);
        ASSERT_TRUE(OpenPage(page)) << c.File;
        LinkPage();
        int32_t orientation = -1;
        EXPECT_EQ(CalOrientationOfImage(workspace_, 1, &orientation), 1) << c.File;
        EXPECT_EQ(orientation, c.Expected) << c.File;
    }
    Page upsideDown = ReadBmp(CARD_IMAGES "chen_180.bmp");
    CardInfo info;
    ASSERT_EQ(Recognise(upsideDown, info), 1);
    EXPECT_LT(TotalScore(info), 0);
}

TEST_F(Engine, WithoutTheOcrProgramPagesHaveNoTextAndTheHostIsToldOnce) {
    char dll[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("tvrksdk.dll"), dll, sizeof dll);
    std::string settings(dll);
    settings = settings.substr(0, settings.find_last_of('\\') + 1) + "tvrksdk.ini";
    WritePrivateProfileStringA("OCR", "Program", "C:\\no such folder\\tesseract.exe", settings.c_str());
    Page page = ReadBmp(CARD_IMAGES "miller.bmp");
    CardInfo info;
    int first = Recognise(page, info);
    int second = Recognise(page, info);
    DeleteFileA(settings.c_str());
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(Value(info, FieldName), "");
    EXPECT_EQ(g_seen.Errors, std::vector<int>{TVRK_ERR_NO_OCR_PROGRAM});
}

TEST_F(Engine, PageWithoutInkHasNoTextRectangles) {
    Page page;
    page.Width = 640;
    page.Height = 400;
    page.Bits = 8;
    page.Stride = 640;
    page.Rows.assign(640 * 400, 250);
    CardInfo info;
    EXPECT_EQ(Recognise(page, info), -1);
    page.Rows[640 * 200 + 320] = 0;  // one speck of dust is no text either
    EXPECT_EQ(Recognise(page, info), -1);
}

}  // namespace
