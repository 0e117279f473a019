// Widens Windows CE exchange records (8-bit texts) into the device's transfer records (UTF-16).
#include <windows.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

enum { kNarrowRecord = 2552, kWideRecord = 5080 };

struct FieldPlace {
    int narrowOffset, narrowBytes, wideOffset, wideChars;
};

// The transfer record's fields: from First Name to Children each lands at 2 x (offset - 1).
std::vector<FieldPlace> FieldPlaces() {
    static const int kNarrow[][2] = {
        {53, 31},   {84, 31},    {115, 31},  {146, 81},  {227, 81},  {308, 31},  {339, 61},  {400, 51},  {451, 81},
        {532, 256}, {788, 31},   {819, 31},  {850, 11},  {861, 31},  {892, 256}, {1148, 31}, {1179, 31}, {1210, 11},
        {1221, 31}, {1252, 256}, {1508, 31}, {1539, 31}, {1570, 11}, {1581, 31}, {1612, 31}, {1643, 31}, {1674, 31},
        {1705, 31}, {1736, 31},  {1767, 31}, {1798, 31}, {1829, 31}, {1860, 31}, {1891, 31}, {1922, 31}, {1953, 51},
        {2004, 81}, {2085, 81},  {2166, 81}, {2247, 81}, {2328, 51}};
    std::vector<FieldPlace> places;
    for (const auto& f : kNarrow) places.push_back({f[0], f[1], 2 * (f[0] - 1), f[1]});
    places.push_back({2379, 51, 4756, 60});  // Children
    places.push_back({2448, 51, 4876, 51});  // Assistant
    return places;
}

void Widen(UINT codePage, const char* narrow, char* wide) {
    static const std::vector<FieldPlace> places = FieldPlaces();
    for (const FieldPlace& f : places) {
        const char* text = narrow + f.narrowOffset;
        int length = static_cast<int>(strnlen(text, f.narrowBytes));
        wchar_t* target = reinterpret_cast<wchar_t*>(wide + f.wideOffset);
        int written = length ? MultiByteToWideChar(codePage, 0, text, length, target, f.wideChars - 1) : 0;
        target[written > 0 ? written : 0] = L'\0';
    }
}

bool ReadAll(const char* path, std::string* content) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file, nullptr), read = 0;
    content->assign(size, '\0');
    bool ok = size == 0 || (ReadFile(file, &(*content)[0], size, &read, nullptr) && read == size);
    CloseHandle(file);
    return ok;
}

bool WriteAll(const char* path, const std::string& content) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok =
        content.empty() || (WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                            written == content.size());
    CloseHandle(file);
    if (!ok) DeleteFileA(path);
    return ok;
}

}  // namespace

extern "C" __declspec(dllexport) int __stdcall ConvertDatFileToUnicode(UINT codePage, const char* source,
                                                                       const char* target) {
    std::string narrow;
    if (!source || !target || !ReadAll(source, &narrow)) return 0;
    size_t records = narrow.size() / kNarrowRecord;
    std::string wide(records * kWideRecord, '\0');
    for (size_t i = 0; i < records; ++i) Widen(codePage, &narrow[i * kNarrowRecord], &wide[i * kWideRecord]);
    return WriteAll(target, wide) ? 1 : 0;
}
