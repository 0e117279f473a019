// The rast interface of the image file module stand-ins, over the module's format codec. A
// header read keeps the file's bytes, and the image read that follows decodes them.
#include "module_state.h"
#include <string.h>
#include <new>

using namespace rastmodule;
using rastcommon::Guarded;

namespace {

const int kMaxSide = 0x7FFF;

HANDLE AsHandle(HFILE file) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file)); }

void SetError(int number) { rastcommon::Common().lastError = number; }

// The rest of the file from its current position, in one block of its size; false for a file
// larger than the process can hold, before anything is read.
bool ReadRest(HFILE file, std::vector<uint8_t>& bytes) {
    bytes.clear();
    LARGE_INTEGER size{}, here{}, zero{};
    if (!GetFileSizeEx(AsHandle(file), &size) || !SetFilePointerEx(AsHandle(file), zero, &here, FILE_CURRENT))
        return false;
    const long long rest = size.QuadPart - here.QuadPart;
    if (rest < 0 || (unsigned long long)rest > bytes.max_size()) return false;
    try {
        bytes.resize((size_t)rest);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (size_t done = 0; done < bytes.size();) {
        DWORD got = 0;
        DWORD want = bytes.size() - done > 65536 ? 65536 : (DWORD)(bytes.size() - done);
        if (!ReadFile(AsHandle(file), &bytes[done], want, &got, nullptr)) return false;
        if (got == 0) {
            bytes.resize(done);  // the file got shorter under us
            return true;
        }
        done += got;
    }
    return true;
}

bool Seek(HFILE file, long offset) {
    return SetFilePointer(AsHandle(file), offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

bool WriteAll(HFILE file, const void* bytes, size_t count) {
    DWORD done = 0;
    if (WriteFile(AsHandle(file), bytes, (DWORD)count, &done, nullptr) && done == count) return true;
    SetError(RAST_ERR_WRITE);
    return false;
}

short ColourType(int bits) {
    switch (bits) {
    case 1: return 0;
    case 24: return 1;
    case 4: return 2;
    case 8: return 3;
    default: return (short)bits;
    }
}

HPALETTE MakePalette(const std::vector<RGBQUAD>& entries) {
    if (entries.empty()) return nullptr;
    struct {
        WORD version, count;
        PALETTEENTRY entries[256];
    } palette{0x300, (WORD)entries.size(), {}};
    for (size_t i = 0; i < entries.size() && i < 256; ++i)
        palette.entries[i] = {entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue, 0};
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
}

std::vector<RGBQUAD> PaletteEntries(HPALETTE palette) {
    std::vector<RGBQUAD> entries;
    PALETTEENTRY colours[256];
    int n = palette ? GetPaletteEntries(palette, 0, 256, colours) : 0;
    for (int i = 0; i < n; ++i) entries.push_back({colours[i].peBlue, colours[i].peGreen, colours[i].peRed, 0});
    return entries;
}

bool FitsInterface(const RasterDescription& d) {
    return d.width >= 1 && d.height >= 1 && d.width <= kMaxSide && d.height <= kMaxSide &&
           DibStride(d.width, d.bits) <= kMaxSide && (d.bits == 1 || d.bits == 4 || d.bits == 8 || d.bits == 24);
}

bool ReadHeaderHere(HFILE file, RastImageHeader* header, bool wantPalette) {
    ModuleState& state = State();
    state.readValid = false;
    if (file == HFILE_ERROR || !header) return false;
    if (!ReadRest(file, state.file)) {
        SetError(RAST_ERR_READ);
        return false;
    }
    RasterDescription description;
    if (!ModuleCodec().ReadDescription(state.file, description) || !FitsInterface(description)) {
        SetError(RAST_ERR_READ);
        return false;
    }
    memset(header, 0, sizeof *header);
    header->colourType = ColourType(description.bits);
    header->width = (short)description.width;
    header->height = (short)description.height;
    header->rowBytes = (short)DibStride(description.width, description.bits);
    header->bitsPerPixel = (short)description.bits;
    header->xResolution = (short)description.xDpi;
    header->yResolution = (short)description.yDpi;
    header->palette = wantPalette ? MakePalette(description.palette) : nullptr;
    header->reserved[0] = header->reserved[1] = -1;
    header->reserved[2] = 6;
    header->reserved[3] = 1;
    state.read = description;
    state.readValid = true;
    return true;
}

// The bytes of a memory transfer descriptor: locked global memory or a plain pointer.
struct DataBytes {
    explicit DataBytes(const RastImageData* data) : data_(data) {
        if (!data) return;
        if (data->kind == RAST_DATA_GLOBAL)
            bytes_ = data->memory ? static_cast<uint8_t*>(GlobalLock(data->memory)) : nullptr;
        else if (data->kind != RAST_DATA_FILE) bytes_ = static_cast<uint8_t*>(data->pointer);
    }
    ~DataBytes() {
        if (bytes_ && data_->kind == RAST_DATA_GLOBAL) GlobalUnlock(data_->memory);
    }
    uint8_t* get() const { return bytes_; }

private:
    const RastImageData* data_;
    uint8_t* bytes_ = nullptr;
};

size_t RowsSize(const RasterDescription& d) { return (size_t)DibStride(d.width, d.bits) * d.height; }

bool ReadRowsInto(RastImageData* data, long offset) {
    ModuleState& state = State();
    if (!state.readValid || !data || offset < 0) return false;
    DataBytes target(data);
    if (!target.get() || data->byteCount - offset < (long)RowsSize(state.read)) return false;
    WaitingProgress progress(state.read.height);
    if (ModuleCodec().ReadRows(state.file, state.read, target.get() + offset, progress)) return true;
    SetError(RAST_ERR_READ);
    return false;
}

bool SaveRowsFrom(HFILE file, const RastImageData* data, long offset) {
    ModuleState& state = State();
    if (file == HFILE_ERROR || !state.saveValid || !data || offset < 0) return false;
    DataBytes source(data);
    int stride = DibStride(state.save.width, state.save.bits);
    if (!source.get() || data->byteCount - offset < (long)RowsSize(state.save)) return false;
    std::vector<uint8_t> encoded;
    WaitingProgress progress(state.save.height);
    if (!ModuleCodec().Write(state.save, source.get() + offset, stride, state.saveOption, encoded, progress)) {
        SetError(RAST_ERR_WRITE);
        return false;
    }
    return WriteAll(file, encoded.data(), encoded.size());
}

bool SaveHeaderHere(HFILE file, const RastImageHeader* header, bool withPalette, int option) {
    ModuleState& state = State();
    state.saveValid = false;
    if (file == HFILE_ERROR || !header) return false;
    RasterDescription description;
    description.width = header->width;
    description.height = header->height;
    description.bits = header->bitsPerPixel;
    description.xDpi = header->xResolution;
    description.yDpi = header->yResolution;
    if (!FitsInterface(description)) return false;
    if (description.bits != 24) {
        description.palette = withPalette ? PaletteEntries(header->palette) : std::vector<RGBQUAD>{};
        if (description.palette.empty()) description.palette = DefaultPalette(description.bits);
        description.palette.resize((size_t)1 << description.bits, RGBQUAD{0, 0, 0, 0});
    }
    state.save = description;
    state.saveOption = option;
    state.saveValid = true;
    return true;
}

bool SavePaletteHere(HFILE file, HPALETTE palette) {
    ModuleState& state = State();
    if (file == HFILE_ERROR) return false;
    std::vector<RGBQUAD> entries = PaletteEntries(palette);
    if (entries.empty() || !state.saveValid || state.save.bits == 24) return true;
    entries.resize((size_t)1 << state.save.bits, RGBQUAD{0, 0, 0, 0});
    state.save.palette = entries;
    return true;
}

// Hands each row, top line first, to the row function; the rows are decoded into one block.
bool DecodeRows(HFILE file, RastRowFunction rowFunction, long user) {
    RastImageHeader header{};
    if (file == HFILE_ERROR || !Seek(file, 0) || !ReadHeaderHere(file, &header, false)) return false;
    const RasterDescription& d = State().read;
    std::vector<uint8_t> rows(RowsSize(d));  // when it cannot be had, the export's guard answers 0
    WaitingProgress progress(d.height);
    if (!ModuleCodec().ReadRows(State().file, d, rows.data(), progress)) return true;
    int stride = DibStride(d.width, d.bits);
    for (int i = 0; rowFunction && i < d.height; ++i)
        rowFunction(&rows[(size_t)(d.height - 1 - i) * stride], user, i, 0);
    return true;
}

bool IsReadableFile(const char* fileName) {
    if (!fileName) return false;
    HANDLE handle = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    std::vector<uint8_t> bytes;
    RasterDescription description;
    bool ok = false;
    try {
        ok = ReadRest(static_cast<HFILE>(reinterpret_cast<INT_PTR>(handle)), bytes) &&
             ModuleCodec().ReadDescription(bytes, description) && FitsInterface(description);
    } catch (...) {
        ok = false;  // the handle is closed whatever happened
    }
    CloseHandle(handle);
    return ok;
}

}  // namespace

extern "C" {

int WINAPI rastReadHeader(HFILE file, RastImageHeader* header, int wantPalette) {
    return Guarded(0, [&] { return ReadHeaderHere(file, header, wantPalette != 0) ? 1 : 0; });
}

int WINAPI rastReadHeaderExt(HFILE file, RastImageHeader* header, int wantPalette, long offset, int) {
    return Guarded(0, [&] {
        if (file == HFILE_ERROR || !Seek(file, offset)) return 0;
        return ReadHeaderHere(file, header, wantPalette != 0) ? 1 : 0;
    });
}

HPALETTE WINAPI rastReadPalette(HFILE file) {
    return Guarded<HPALETTE>(nullptr, [&]() -> HPALETTE {
        RastImageHeader header{};
        if (file == HFILE_ERROR || !Seek(file, 0)) return nullptr;
        return ReadHeaderHere(file, &header, true) ? header.palette : nullptr;
    });
}

int WINAPI rastReadImg(HFILE file, RastImageData* data) {
    return Guarded(0, [&] { return file != HFILE_ERROR && ReadRowsInto(data, 0) ? 1 : 0; });
}

int WINAPI rastReadDIBImg(HFILE file, RastImageData* data, long offset) {
    return Guarded(0, [&] { return file != HFILE_ERROR && ReadRowsInto(data, offset) ? 1 : 0; });
}

int WINAPI rastReadDIBImgExt(HFILE file, RastImageData* data, long offset, int, int) {
    return Guarded(0, [&] { return file != HFILE_ERROR && ReadRowsInto(data, offset) ? 1 : 0; });
}

int WINAPI rastDecodeImg(HFILE file, int, int, RastRowFunction rowFunction, long user, int) {
    return Guarded(0, [&] { return DecodeRows(file, rowFunction, user) ? 1 : 0; });
}

int WINAPI rastIsCorrectHeader(const char* fileName) {
    return Guarded(0, [&] { return IsReadableFile(fileName) ? 1 : 0; });
}

int WINAPI rastSaveHeader(HFILE file, const RastImageHeader* header, int withPalette, int option) {
    return Guarded(0, [&] { return SaveHeaderHere(file, header, withPalette != 0, option) ? 1 : 0; });
}

int WINAPI rastSaveHeaderExt(HFILE file, const RastImageHeader* header, int withPalette, int option, long offset, int) {
    return Guarded(0, [&] {
        if (file == HFILE_ERROR || !Seek(file, offset)) return 0;
        return SaveHeaderHere(file, header, withPalette != 0, option) ? 1 : 0;
    });
}

int WINAPI rastSavePalette(HFILE file, HPALETTE palette) {
    return Guarded(0, [&] { return SavePaletteHere(file, palette) ? 1 : 0; });
}

int WINAPI rastSavePaletteExt(HFILE file, HPALETTE palette, long) { return rastSavePalette(file, palette); }

int WINAPI rastSaveImg(HFILE file, const RastImageData* data) {
    return Guarded(0, [&] { return SaveRowsFrom(file, data, 0) ? 1 : 0; });
}

int WINAPI rastSaveDIBImg(HFILE file, const RastImageData* data, long offset) {
    return Guarded(0, [&] { return SaveRowsFrom(file, data, offset) ? 1 : 0; });
}

int WINAPI rastSaveDIBImgExt(HFILE file, const RastImageData* data, long offset, int, int) {
    return Guarded(0, [&] { return SaveRowsFrom(file, data, offset) ? 1 : 0; });
}

int WINAPI rastSaveData(HFILE file, const void* bytes, WORD a, WORD b) {
    if (file == HFILE_ERROR || !bytes) return 0;
    return WriteAll(file, bytes, (size_t)a * b) ? 1 : 0;
}

int WINAPI rastEncodeImg(int, int, int, int, int) { return 1; }

int WINAPI rastEncodeImgExt(int, int, int, int, int, int, int) { return 1; }

}  // extern "C"

const char* rastcommon::ModuleTag() { return ModuleCodec().tag; }
