// Card recognition through the engine's exports, as the main program's capture does it.
#include "card_page.h"
#include "bank_transfer.h"
#include "engine_memory.h"

namespace {

// Reads an uncompressed BMP of 8 (palette taken as grey) or 24 bits into grey rows, top-down.
bool ReadGreyBmp(const std::string& path, std::vector<uint8_t>& rows, int& width, int& height, int& stride) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(f, nullptr), got = 0;
    std::vector<uint8_t> file(size);
    ReadFile(f, file.data(), size, &got, nullptr);
    CloseHandle(f);
    if (got != size || size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return false;
    const auto* fh = reinterpret_cast<const BITMAPFILEHEADER*>(file.data());
    const auto* ih = reinterpret_cast<const BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
    int bits = ih->biBitCount;
    width = ih->biWidth;
    height = ih->biHeight < 0 ? -ih->biHeight : ih->biHeight;
    if ((bits != 8 && bits != 24) || width < 1 || height < 1 || ih->biCompression != BI_RGB) return false;
    int fileStride = (width * bits + 31) / 32 * 4;
    if (fh->bfOffBits + static_cast<size_t>(fileStride) * height > size) return false;
    const RGBQUAD* palette = reinterpret_cast<const RGBQUAD*>(file.data() + sizeof(BITMAPFILEHEADER) + ih->biSize);
    stride = (width + 3) / 4 * 4;
    rows.assign(static_cast<size_t>(stride) * height, 255);
    for (int y = 0; y < height; ++y) {
        int fileRow = ih->biHeight < 0 ? y : height - 1 - y;
        const uint8_t* src = file.data() + fh->bfOffBits + static_cast<size_t>(fileRow) * fileStride;
        uint8_t* dst = &rows[static_cast<size_t>(y) * stride];
        for (int x = 0; x < width; ++x)
            dst[x] =
                bits == 8
                    ? palette[src[x]].rgbGreen
                    : static_cast<uint8_t>((src[3 * x + 2] * 299 + src[3 * x + 1] * 587 + src[3 * x] * 114) / 1000);
    }
    return true;
}

}  // namespace

CardRecognizer::CardRecognizer(bool chinese) {
    if (Create_Document(&document_, &workspace_) != 1) return;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    lstrcpynA(document_->TempFolder, temp, sizeof document_->TempFolder);
    RecogLoadRecord record = {};
    TVRK_load_database(chinese ? 1 : 0, &record, 0);
    SetForeignLanguage(15);
}

CardRecognizer::~CardRecognizer() {
    if (workspace_) reset_working_space(workspace_);
    if (document_) Delete_Document(document_, workspace_);
}

RecogPage* CardRecognizer::Recognise(const std::string& bmpPath) {
    int width = 0, height = 0, stride = 0;
    if (!workspace_ || !ReadGreyBmp(bmpPath, grey_, width, height, stride)) return nullptr;
    RecogImageDescription& d = workspace_->PageImage;
    memset(&d, 0, sizeof d);
    d.ImageKind = 4;
    d.Width = static_cast<uint16_t>(width);
    d.Height = static_cast<uint16_t>(height);
    d.Planes = 1;
    d.BitsPerPixel = 8;
    d.XResolution = d.YResolution = 300;
    d.Scale = 1;
    d.Binary = 1;
    d.BytesPerLine = static_cast<uint16_t>((width + 31) / 32 * 4);
    lines_.assign(static_cast<size_t>(d.BytesPerLine) * height, 0);
    int32_t count = 0;
    RecogTextRect* rects = nullptr;
    ObtainTextRect(grey_.data(), &d, stride, &count, &rects);
    if (count < 1) return nullptr;
    TransferImageBufferToBank(lines_.data(), "BinaryImage", d.BytesPerLine, d.Height, &d.LineBankId);
    TransferImageBufferToBank(grey_.data(), "RawImage", static_cast<uint16_t>(stride), d.Height, &d.RawBankId);
    int opened = TvrkOpenGrayImage(0, &d, rects, count, 0, 0, 1, 1, 1);
    OCR_free(rects);
    if (opened != 1) return nullptr;
    TransferImageBufferToBank(lines_.data(), "LinkedImage", d.BytesPerLine, d.Height, &d.LineBankId);
    reset_working_space(workspace_);
    if (ProcessSinglePage(workspace_, 3) != 1) return nullptr;
    return GetRecognizedPage(workspace_);
}
