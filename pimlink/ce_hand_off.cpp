// The hand-off of the Windows CE exchange file to the outside transfer libraries.
#include "ce_exchange_file.h"
#include "loaded_library.h"
#include <windows.h>

namespace ferrow {

namespace {

using ConvertDatFileToUnicodeFn = int(__stdcall*)(UINT codePage, const char* source, const char* target);
using CarryToDeviceFn = short(__stdcall*)(const char* path);

enum { kTransferFailed = 3 };

}  // namespace

int HandOffCeExchangeFile(const char* exchangeFile, const char* unicodeFile) {
    CLoadedLibrary util("ZemUtil.dll"), carrier("Zem2Wce.dll");
    auto convert = util.Entry<ConvertDatFileToUnicodeFn>("ConvertDatFileToUnicode");
    auto carry = carrier.Entry<CarryToDeviceFn>("_OvZem2Wce@4");
    if (!convert || !carry) return kTransferFailed;
    // A copy left by an earlier run must not reach the device when this conversion fails.
    DeleteFileA(unicodeFile);
    convert(GetACP(), exchangeFile, unicodeFile);
    return carry(unicodeFile);
}

}  // namespace ferrow
