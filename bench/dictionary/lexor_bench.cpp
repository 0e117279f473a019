// Lexor figures against references measured in the same process: loading a word list against
// reading the same file's bytes, lookups per second at two list sizes, and the dictionary
// table against raw SQLite doing the same work.
// Usage: lexor_bench [table records, default 100000]
#include "host_note.h"
#include "lexor.h"
#include "qktr_image.h"
#include "file_bytes.h"
#include "sqlite3.h"
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

template <typename Fn>
double Best(int rounds, Fn fn) {
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        fn();
        best = std::min(best, Seconds(start));
    }
    return best;
}

struct Api {
    HMODULE dll = LoadLibraryA("Lexor.dll");
    template <typename Fn>
    Fn Get(const char* name) {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
    }
#define LEXOR_FN(name) decltype(&::name) name = Get<decltype(&::name)>(#name)
    LEXOR_FN(NEW_DefLoadQktrBinParam);
    LEXOR_FN(DELETE_DefLoadQktrBinParam);
    LEXOR_FN(LoadQktrBin);
    LEXOR_FN(FreeQktrBin);
    LEXOR_FN(FindQktrBin);
    LEXOR_FN(CreateDAODic);
    LEXOR_FN(CloseDAODic);
    LEXOR_FN(AddDAODic);
    LEXOR_FN(SeekDAODic);
    LEXOR_FN(SetDaoCurrentIndex);
    LEXOR_FN(GetFieldDAODic);
    LEXOR_FN(MoveNextDAODic);
#undef LEXOR_FN
};

// Distinct random words of 3 to 14 lower-case letters, sorted in byte order.
std::vector<std::string> Words(size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::string> words;
    while (words.size() < count) {
        for (size_t i = words.size(); i < count + count / 8; ++i) {
            std::string w(3 + random() % 12, 'a');
            for (char& c : w) c = static_cast<char>('a' + random() % 26);
            words.push_back(w);
        }
        std::sort(words.begin(), words.end());
        words.erase(std::unique(words.begin(), words.end()), words.end());
    }
    std::shuffle(words.begin(), words.end(), random);
    words.resize(count);
    std::sort(words.begin(), words.end());
    return words;
}

std::string WriteList(const std::string& path, const std::vector<std::string>& words) {
    QktrSpec spec;
    spec.records = {std::string("\0\0\0\0", 4), std::string("\x10\0\0\0", 4)};
    for (size_t i = 0; i < words.size(); ++i)
        spec.words.push_back({words[i], static_cast<int32_t>(i % 2), static_cast<int32_t>(i)});
    WriteWholeFile(path, Scrambled(PlainImage(spec)));
    return path;
}

// Compresses with Debian's mscompress (a Linux program started from Wine); "" when missing.
// Wine cannot wait on a Linux process, so the shell leaves a marker file when it is done.
std::string Compress(const std::string& folderUnix, const std::string& name) {
    const std::string input = folderUnix + "/" + name;
    std::string command = "/bin/sh -c \"/usr/bin/mscompress " + input + "; touch " + input + ".done\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA("Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "";
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    const std::string done = "Z:" + input + ".done";
    for (int i = 0; i < 1200 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    DeleteFileA(done.c_str());
    const std::string out = "Z:" + input + "_";
    return GetFileAttributesA(out.c_str()) == INVALID_FILE_ATTRIBUTES ? "" : out;
}

double RawRead(const std::string& path) {
    return Best(5, [&] {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        const DWORD size = GetFileSize(file, nullptr);
        std::vector<char> bytes(size);
        DWORD got = 0;
        ReadFile(file, bytes.data(), size, &got, nullptr);
        CloseHandle(file);
    });
}

void LoadFigures(Api& api, const char* label, const std::string& path) {
    DefLoadQktrBinParam* block = api.NEW_DefLoadQktrBinParam();
    std::snprintf(block->path, sizeof block->path, "%s", path.c_str());
    int ok = 1;
    const double load = Best(5, [&] { ok &= api.LoadQktrBin(block, 0); });
    const double raw = RawRead(path);
    std::printf("  load %-22s %8.1f ms   raw read %7.2f ms   ratio %5.2fx%s\n", label, load * 1e3, raw * 1e3,
                load / raw, ok ? "" : "   (LOAD FAILED)");
    api.FreeQktrBin(block);
    api.DELETE_DefLoadQktrBinParam(block);
}

double LookupsPerSecond(Api& api, const std::string& path, const std::vector<std::string>& words) {
    DefLoadQktrBinParam* block = api.NEW_DefLoadQktrBinParam();
    std::snprintf(block->path, sizeof block->path, "%s", path.c_str());
    api.LoadQktrBin(block, 0);
    std::mt19937 random(11);
    std::vector<std::string> queries;
    for (int i = 0; i < 1000000; ++i)
        queries.push_back(i % 10 == 9 ? words[random() % words.size()] + "q" : words[random() % words.size()]);
    int found = 0;
    const auto start = Clock::now();
    for (const std::string& q : queries) found += api.FindQktrBin(block, q.c_str());
    const double seconds = Seconds(start);
    api.FreeQktrBin(block);
    api.DELETE_DefLoadQktrBinParam(block);
    std::printf("  1,000,000 lookups in %6zu entries: %8.0f per second (%d hits)\n", words.size(),
                queries.size() / seconds, found);
    return queries.size() / seconds;
}

void Exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

struct TableFigures {
    double add, seek, walk;
};

TableFigures RawSqlite(const std::string& path, const std::vector<DicRecord>& records, const std::vector<int>& order) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    Exec(db, "CREATE TABLE DaoDicTable (Lexicon TEXT, StartPos INTEGER, EndPos INTEGER, Tag INTEGER, Score INTEGER,"
             " ZefAction INTEGER, TheTagIs INTEGER)");
    Exec(db, "CREATE INDEX se ON DaoDicTable (StartPos, EndPos)");
    Exec(db, "CREATE INDEX s ON DaoDicTable (StartPos)");
    TableFigures f{};
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO DaoDicTable VALUES (?,?,?,?,?,?,?)", -1, &insert, nullptr);
    auto start = Clock::now();
    for (const DicRecord& r : records) {
        sqlite3_bind_text(insert, 1, r.Lexicon, -1, SQLITE_STATIC);
        const int32_t* n = &r.StartPos;
        for (int i = 0; i < 6; ++i) sqlite3_bind_int(insert, 2 + i, n[i]);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    f.add = Seconds(start);
    sqlite3_finalize(insert);
    sqlite3_stmt* seek = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM DaoDicTable WHERE StartPos=? AND EndPos=? ORDER BY StartPos, EndPos LIMIT 1",
                       -1, &seek, nullptr);
    start = Clock::now();
    for (int i : order) {
        sqlite3_bind_int(seek, 1, records[i].StartPos);
        sqlite3_bind_int(seek, 2, records[i].EndPos);
        sqlite3_step(seek);
        sqlite3_reset(seek);
    }
    f.seek = Seconds(start);
    sqlite3_finalize(seek);
    sqlite3_stmt* walk = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM DaoDicTable ORDER BY StartPos, EndPos", -1, &walk, nullptr);
    start = Clock::now();
    while (sqlite3_step(walk) == SQLITE_ROW) {}
    f.walk = Seconds(start);
    sqlite3_finalize(walk);
    sqlite3_close(db);
    return f;
}

TableFigures Dictionary(Api& api, const std::string& path, const std::vector<DicRecord>& records,
                        const std::vector<int>& order, long* walked) {
    TableFigures f{};
    api.CreateDAODic(path.c_str(), LEXOR_DIC_OTHER);
    auto start = Clock::now();
    for (const DicRecord& r : records) api.AddDAODic(&r);
    f.add = Seconds(start);
    DicRecord out{};
    start = Clock::now();
    for (int i : order) api.SeekDAODic(records[i].StartPos, records[i].EndPos, &out);
    f.seek = Seconds(start);
    start = Clock::now();
    api.SetDaoCurrentIndex(LEXOR_INDEX_START_END);
    *walked = api.GetFieldDAODic(&out);
    while (api.MoveNextDAODic(&out)) ++*walked;
    f.walk = Seconds(start);
    api.CloseDAODic();
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    PrintHostNote();
    const int tableRecords = argc > 1 ? std::atoi(argv[1]) : 100000;
    Api api;
    if (!api.dll || !api.LoadQktrBin) {
        std::printf("Lexor.dll not found\n");
        return 1;
    }
    const std::string folderUnix = "/tmp/lexor-bench-" + std::to_string(GetCurrentProcessId());
    const std::string folder = "Z:" + folderUnix;
    CreateDirectoryA(folder.c_str(), nullptr);

    std::printf("Word list\n");
    const std::vector<std::string> big = Words(300000, 1);
    const std::vector<std::string> small(Words(30000, 2));
    const std::string bigPlain = WriteList(folder + "/list300k.qktr", big);
    const std::string smallPlain = WriteList(folder + "/list30k.qktr", small);
    LoadFigures(api, "300,000 plain", bigPlain);
    const std::string bigCompressed = Compress(folderUnix, "list300k.qktr");
    if (bigCompressed.empty()) std::printf("  (mscompress missing: no compressed figures)\n");
    else LoadFigures(api, "300,000 LZ-compressed", bigCompressed);
    const double smallRate = LookupsPerSecond(api, smallPlain, small);
    const double bigRate = LookupsPerSecond(api, bigPlain, big);
    std::printf("  time per lookup 300,000 / 30,000 entries: %.2f (log2 ratio %.2f, linear ratio 10)\n",
                smallRate / bigRate, std::log2(300000.0) / std::log2(30000.0));

    std::printf("Dictionary table, %d records (raw SQLite: the same table, one statement per record)\n", tableRecords);
    std::vector<DicRecord> records(static_cast<size_t>(tableRecords));
    std::mt19937 random(5);
    for (int i = 0; i < tableRecords; ++i) {
        DicRecord& r = records[i];
        std::snprintf(r.Lexicon, sizeof r.Lexicon, "w%07d", i);
        r.StartPos = i / 3;
        r.EndPos = i % 3;
        r.Tag = i;
    }
    std::shuffle(records.begin(), records.end(), random);
    std::vector<int> order(static_cast<size_t>(tableRecords));
    for (int i = 0; i < tableRecords; ++i) order[i] = static_cast<int>(random() % tableRecords);
    long walked = 0;
    const TableFigures lexor = Dictionary(api, folder + "/dic.mdb", records, order, &walked);
    const TableFigures raw = RawSqlite(folderUnix.empty() ? "" : (folder + "/raw.sqlite"), records, order);
    std::printf("  AddDAODic        %8.2f s   raw %7.2f s   ratio %6.1fx\n", lexor.add, raw.add, lexor.add / raw.add);
    std::printf("  SeekDAODic       %8.2f s   raw %7.2f s   ratio %6.1fx\n", lexor.seek, raw.seek,
                lexor.seek / raw.seek);
    std::printf("  MoveNextDAODic   %8.2f s   raw %7.2f s   ratio %6.1fx   (%ld records walked)\n", lexor.walk,
                raw.walk, lexor.walk / raw.walk, walked);

    for (const char* name :
         {"list300k.qktr", "list300k.qktr_", "list30k.qktr", "dic.mdb", "$default.mdb", "raw.sqlite"})
        DeleteFileA((folder + "/" + name).c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
