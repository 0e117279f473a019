// Decoding and encoding through WIC. Files are decoded from memory (the module has the file's
// bytes) and encoded into a memory stream that the caller writes out; pixel formats are turned
// into the interface's four depths, with 1-bit images black at 0.
#include "wic_codec.h"
#include <string.h>

namespace rastmodule {

namespace {

template <typename T>
struct Com {
    T* p = nullptr;
    ~Com() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    operator T*() const { return p; }
};

// COM for the length of one call, on whatever apartment the caller's thread has.
struct ComScope {
    ComScope() : hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
    HRESULT hr;
};

struct OpenedFrame {
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICBitmapSource> source;  // the frame in the pixel format we read
    WICPixelFormatGUID format{};
};

bool Same(const GUID& a, const GUID& b) { return memcmp(&a, &b, sizeof a) == 0; }

bool MakeFactory(IWICImagingFactory** factory) {
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory)));
}

// The depth we hand over for a WIC pixel format, and the format WIC must convert to for it.
int DepthOf(const WICPixelFormatGUID& format, WICPixelFormatGUID* readAs) {
    *readAs = format;
    if (Same(format, GUID_WICPixelFormatBlackWhite) || Same(format, GUID_WICPixelFormat1bppIndexed)) return 1;
    if (Same(format, GUID_WICPixelFormat4bppIndexed) || Same(format, GUID_WICPixelFormat4bppGray)) return 4;
    if (Same(format, GUID_WICPixelFormat8bppIndexed) || Same(format, GUID_WICPixelFormat8bppGray)) return 8;
    if (Same(format, GUID_WICPixelFormat2bppGray) || Same(format, GUID_WICPixelFormat16bppGray)) {
        *readAs = GUID_WICPixelFormat8bppGray;
        return 8;
    }
    *readAs = GUID_WICPixelFormat24bppBGR;
    return 24;
}

bool OpenFrame(const std::vector<uint8_t>& file, OpenedFrame& opened) {
    if (file.empty() || !MakeFactory(&opened.factory)) return false;
    if (FAILED(opened.factory->CreateStream(&opened.stream))) return false;
    if (FAILED(opened.stream->InitializeFromMemory(const_cast<BYTE*>(file.data()), (DWORD)file.size()))) return false;
    if (FAILED(opened.factory->CreateDecoderFromStream(opened.stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                                       &opened.decoder)))
        return false;
    if (FAILED(opened.decoder->GetFrame(0, &opened.frame))) return false;
    return SUCCEEDED(opened.frame->GetPixelFormat(&opened.format));
}

std::vector<RGBQUAD> FramePalette(OpenedFrame& opened, int bits) {
    std::vector<RGBQUAD> palette;
    if (Same(opened.format, GUID_WICPixelFormatBlackWhite)) return {{0, 0, 0, 0}, {255, 255, 255, 0}};
    if (Same(opened.format, GUID_WICPixelFormat4bppGray))
        for (int i = 0; i < 16; ++i) palette.push_back({(BYTE)(i * 17), (BYTE)(i * 17), (BYTE)(i * 17), 0});
    if (bits == 8 && !Same(opened.format, GUID_WICPixelFormat8bppIndexed))
        for (int i = 0; i < 256; ++i) palette.push_back({(BYTE)i, (BYTE)i, (BYTE)i, 0});
    if (!palette.empty() || bits == 24) return palette;
    Com<IWICPalette> wic;
    UINT count = 0;
    WICColor colours[256];
    if (FAILED(opened.factory->CreatePalette(&wic)) || FAILED(opened.frame->CopyPalette(wic)) ||
        FAILED(wic->GetColors(256, colours, &count)))
        return palette;
    for (UINT i = 0; i < count; ++i)
        palette.push_back({(BYTE)colours[i], (BYTE)(colours[i] >> 8), (BYTE)(colours[i] >> 16), 0});
    palette.resize((size_t)1 << bits, RGBQUAD{0, 0, 0, 0});
    return palette;
}

bool IsWhiteFirst(const std::vector<RGBQUAD>& palette) {
    return palette.size() == 2 && palette[0].rgbRed == 255 && palette[0].rgbGreen == 255 && palette[0].rgbBlue == 255 &&
           palette[1].rgbRed == 0 && palette[1].rgbGreen == 0 && palette[1].rgbBlue == 0;
}

bool Describe(OpenedFrame& opened, RasterDescription& description) {
    UINT width = 0, height = 0;
    double xDpi = 0, yDpi = 0;
    if (FAILED(opened.frame->GetSize(&width, &height))) return false;
    opened.frame->GetResolution(&xDpi, &yDpi);
    WICPixelFormatGUID readAs;
    description.bits = DepthOf(opened.format, &readAs);
    description.width = (int)width;
    description.height = (int)height;
    description.xDpi = ReportedDpi(xDpi);
    description.yDpi = ReportedDpi(yDpi);
    description.palette = FramePalette(opened, description.bits);
    if (IsWhiteFirst(description.palette)) description.palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    return true;
}

void FlipRows(uint8_t* rows, int stride, int height) {
    std::vector<uint8_t> row(stride);
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        memcpy(row.data(), rows + (size_t)top * stride, stride);
        memcpy(rows + (size_t)top * stride, rows + (size_t)bottom * stride, stride);
        memcpy(rows + (size_t)bottom * stride, row.data(), stride);
    }
}

}  // namespace

bool WicReadDescription(const std::vector<uint8_t>& file, RasterDescription& description) {
    ComScope com;
    OpenedFrame opened;
    return OpenFrame(file, opened) && Describe(opened, description);
}

bool WicReadRows(const std::vector<uint8_t>& file, const RasterDescription& description, uint8_t* rows,
                 Progress& progress) {
    ComScope com;
    OpenedFrame opened;
    if (!OpenFrame(file, opened)) return false;
    WICPixelFormatGUID readAs;
    DepthOf(opened.format, &readAs);
    Com<IWICBitmapSource> source;
    if (Same(readAs, opened.format)) {
        opened.frame->QueryInterface(IID_IWICBitmapSource, reinterpret_cast<void**>(&source));
    } else if (FAILED(WICConvertBitmapSource(readAs, opened.frame, &source))) {
        return false;
    }
    int stride = DibStride(description.width, description.bits);
    size_t bytes = (size_t)stride * description.height;
    // Rows arrive top line first; the interface hands them over bottom line first.
    int chunk = description.height / 16 + 1;
    for (int y = 0; y < description.height; y += chunk) {
        int count = y + chunk > description.height ? description.height - y : chunk;
        WICRect rect = {0, y, description.width, count};
        if (FAILED(source->CopyPixels(&rect, stride, (UINT)(bytes - (size_t)y * stride), rows + (size_t)y * stride)))
            return false;
        progress.Step(y + count);
    }
    std::vector<RGBQUAD> filePalette = FramePalette(opened, description.bits);
    if (IsWhiteFirst(filePalette))
        for (size_t i = 0; i < bytes; ++i) rows[i] = (uint8_t)~rows[i];
    FlipRows(rows, stride, description.height);
    return true;
}

namespace {

WICPixelFormatGUID WriteFormat(const RasterDescription& d) {
    bool grey = d.bits != 24;
    for (size_t i = 0; i < d.palette.size() && grey; ++i)
        grey = d.palette[i].rgbRed == d.palette[i].rgbGreen && d.palette[i].rgbGreen == d.palette[i].rgbBlue &&
               d.palette[i].rgbRed == (d.bits == 8   ? i
                                       : d.bits == 1 ? i * 255
                                                     : i * 17);
    switch (d.bits) {
    case 1: return grey ? GUID_WICPixelFormatBlackWhite : GUID_WICPixelFormat1bppIndexed;
    case 4: return GUID_WICPixelFormat4bppIndexed;
    case 8: return grey ? GUID_WICPixelFormat8bppGray : GUID_WICPixelFormat8bppIndexed;
    default: return GUID_WICPixelFormat24bppBGR;
    }
}

bool SetFramePalette(IWICImagingFactory* factory, IWICBitmapFrameEncode* frame, const RasterDescription& d) {
    Com<IWICPalette> palette;
    std::vector<WICColor> colours;
    for (const RGBQUAD& q : d.palette)
        colours.push_back(0xFF000000u | (WICColor)q.rgbRed << 16 | (WICColor)q.rgbGreen << 8 | q.rgbBlue);
    return SUCCEEDED(factory->CreatePalette(&palette)) &&
           SUCCEEDED(palette->InitializeCustom(colours.data(), (UINT)colours.size())) &&
           SUCCEEDED(frame->SetPalette(palette));
}

bool StreamBytes(IStream* stream, std::vector<uint8_t>& file) {
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return false;
    file.resize((size_t)stat.cbSize.QuadPart);
    LARGE_INTEGER start{};
    ULONG got = 0;
    return SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) &&
           SUCCEEDED(stream->Read(file.data(), (ULONG)file.size(), &got)) && got == file.size();
}

// The frame takes `wanted`; 24-bit BGR rows are offered as RGB first (*swapToRgb tells the
// caller to turn each row), because Wine's TIFF encoder turns BGR rows into RGB in a row buffer
// that every WritePixels call loses: a whole picture's worth of memory per saved colour TIFF.
// An encoder that would take only another pixel format cannot write these rows.
bool AgreePixelFormat(IWICBitmapFrameEncode* frame, const WICPixelFormatGUID& wanted, bool* swapToRgb) {
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppRGB;
    *swapToRgb = Same(wanted, GUID_WICPixelFormat24bppBGR) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
                 Same(format, GUID_WICPixelFormat24bppRGB);
    if (*swapToRgb) return true;
    format = wanted;
    return SUCCEEDED(frame->SetPixelFormat(&format)) && Same(format, wanted);
}

// One 24-bit row with red and blue exchanged, in `out` (at least the row's bytes long).
const uint8_t* SwappedRedAndBlue(const uint8_t* row, int width, std::vector<uint8_t>& out) {
    for (int x = 0; x < width; ++x) {
        out[3 * x] = row[3 * x + 2];
        out[3 * x + 1] = row[3 * x + 1];
        out[3 * x + 2] = row[3 * x];
    }
    return out.data();
}

}  // namespace

bool WicWrite(const WicWriteSettings& settings, const RasterDescription& description, const uint8_t* rows, int stride,
              std::vector<uint8_t>& file, Progress& progress) {
    ComScope com;
    Com<IWICImagingFactory> factory;
    Com<IStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    if (!MakeFactory(&factory) || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return false;
    if (FAILED(factory->CreateEncoder(settings.container, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)))
        return false;
    if (settings.optionName) {
        PROPBAG2 option{};
        option.pstrName = const_cast<LPOLESTR>(settings.optionName);
        VARIANT value = settings.optionValue;
        options->Write(1, &option, &value);
    }
    const WICPixelFormatGUID wanted = WriteFormat(description);
    if (FAILED(frame->Initialize(options)) || FAILED(frame->SetSize(description.width, description.height)))
        return false;
    bool swapToRgb = false;
    if (!AgreePixelFormat(frame, wanted, &swapToRgb)) return false;
    if (description.xDpi > 0)
        frame->SetResolution(description.xDpi, description.yDpi > 0 ? description.yDpi : description.xDpi);
    if ((Same(wanted, GUID_WICPixelFormat1bppIndexed) || Same(wanted, GUID_WICPixelFormat4bppIndexed) ||
         Same(wanted, GUID_WICPixelFormat8bppIndexed)) &&
        !SetFramePalette(factory, frame, description))
        return false;
    // Rows go in top line first.
    std::vector<uint8_t> swapped(swapToRgb ? stride : 0);
    for (int y = 0; y < description.height; ++y) {
        const uint8_t* row = rows + (size_t)(description.height - 1 - y) * stride;
        if (swapToRgb) row = SwappedRedAndBlue(row, description.width, swapped);
        if (FAILED(frame->WritePixels(1, stride, stride, const_cast<BYTE*>(row)))) return false;
        if (y % 64 == 0) progress.Step(y);
    }
    return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit()) && StreamBytes(stream, file);
}

}  // namespace rastmodule
