// File layout (little-endian): "ZHH1", creator, type, next record id, record count (32 bits
// each); then per record: id (32), attributes (8), category (16), size (32), the bytes.
#include "handheld_database.h"
#include "standin_folder.h"
#include <stdio.h>
#include <string.h>

namespace {

const char kMagic[4] = {'Z', 'H', 'H', '1'};

template <typename T>
bool Read(FILE* f, T* value) {
    return fread(value, sizeof(T), 1, f) == 1;
}

template <typename T>
void Write(FILE* f, T value) {
    fwrite(&value, sizeof(T), 1, f);
}

}  // namespace

std::string HandheldDatabasePath(const char* name) {
    std::string folder = palm_standin::FilePath("handheld\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + name + ".pdb";
}

bool LoadHandheldDatabase(const std::string& path, HandheldDatabase* database) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    char magic[4];
    DWORD count = 0;
    bool ok = fread(magic, 4, 1, f) == 1 && memcmp(magic, kMagic, 4) == 0 && Read(f, &database->Creator) &&
              Read(f, &database->Type) && Read(f, &database->NextId) && Read(f, &count);
    for (DWORD i = 0; ok && i < count; ++i) {
        HandheldRecord record;
        DWORD size = 0;
        ok = Read(f, &record.Id) && Read(f, &record.Attributes) && Read(f, &record.Category) && Read(f, &size) &&
             size <= 65536;
        if (!ok) break;
        record.Bytes.resize(size);
        ok = size == 0 || fread(record.Bytes.data(), size, 1, f) == 1;
        database->Records.push_back(record);
    }
    fclose(f);
    database->Path = path;
    return ok;
}

bool SaveHandheldDatabase(const HandheldDatabase& database) {
    FILE* f = fopen(database.Path.c_str(), "wb");
    if (!f) return false;
    fwrite(kMagic, 4, 1, f);
    Write(f, database.Creator);
    Write(f, database.Type);
    Write(f, database.NextId);
    Write(f, static_cast<DWORD>(database.Records.size()));
    for (const HandheldRecord& record : database.Records) {
        Write(f, record.Id);
        Write(f, record.Attributes);
        Write(f, record.Category);
        Write(f, static_cast<DWORD>(record.Bytes.size()));
        if (!record.Bytes.empty()) fwrite(record.Bytes.data(), record.Bytes.size(), 1, f);
    }
    bool ok = fflush(f) == 0;
    fclose(f);
    return ok;
}
