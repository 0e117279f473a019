// Card-file transfer speed of Ferrow.dll against plain file copies made in the same run:
//   ConvertV3ToV4 of a card file   vs  CopyFile of that card file
//   DuplicateDBFile with images    vs  CopyFile of the card file, every image and thumbnail
// Usage: ferrow_bench [cards=5000] [image bytes=1992294]. Prints ratios; asserts nothing.
#include "bench_folder.h"
#include "best_time.h"
#include "engine_card_file.h"
#include "file_bytes.h"
#include "host_note.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "cardrec.h"

namespace {

std::string ImageName(const std::string& folder, int i) {
    char name[32];
    snprintf(name, sizeof(name), "SCAN%04X.tif", static_cast<unsigned>(i));
    return folder + "img\\" + name;
}

std::string ThumbName(const std::string& folder, int i) {
    char name[32];
    snprintf(name, sizeof(name), "SCAN%04X.THM", static_cast<unsigned>(i));
    return folder + "thm\\" + name;
}

// A V3 card file of `cards` cards, each naming its own image and thumbnail file.
void MakeCardFile(const std::string& path, const std::string& folder, int cards) {
    WriteEngineCardFile(path, ";LANGID=0x0804;CP=936;COUNTRY=0", 0, [&](CkvDBEngine& engine, CkvDataset* table) {
        for (int i = 0; i < cards; ++i) {
            CardRec rec;
            memset(&rec, 0, sizeof(rec));
            snprintf(rec.CName, sizeof(rec.CName), "Card %05d", i);
            snprintf(rec.Company, sizeof(rec.Company), "Company %d", i % 97);
            snprintf(rec.OPhone, sizeof(rec.OPhone), "+1 555 %07d", i);
            snprintf(rec.Address, sizeof(rec.Address), "%d Long Street\r\nSuite %d", i, i % 40);
            rec.CDate[0] = 2004, rec.CDate[1] = 3, rec.CDate[2] = 18;
            std::string note = "A note that runs for a while so that it spans more than one line of the V4 record " +
                               std::to_string(i) + std::string(100, 'n');
            std::string image = ImageName(folder, i), thumb = ThumbName(folder, i);
            rec.CNote = {1, 1, 0, static_cast<int32_t>(note.size()), 0, &note[0], "", 1, 0};
            rec.CImage = {2, 1, 0, static_cast<int32_t>(image.size() + 1), 0, &image[0], "", 1, 0};
            rec.SecondText = {1, 1, 0, static_cast<int32_t>(thumb.size()), 0, &thumb[0], "", 1, 0};
            engine.CardRecInsert(table, &rec);
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    PrintHostNote();
    int cards = argc > 1 ? atoi(argv[1]) : 5000;
    size_t imageBytes = argc > 2 ? static_cast<size_t>(atol(argv[2])) : 1992294;  // 1.9 MB
    HMODULE ferrow = LoadLibraryA("Ferrow.dll");
    auto convert = reinterpret_cast<int (*)(const char*, const char*)>(
        reinterpret_cast<void*>(GetProcAddress(ferrow, "ConvertV3ToV4")));
    auto duplicate = reinterpret_cast<int (*)(const char*, const char*, int)>(
        reinterpret_cast<void*>(GetProcAddress(ferrow, "DuplicateDBFile")));
    if (!convert || !duplicate) {
        printf("Ferrow.dll or its exports not found\n");
        return 1;
    }

    std::string folder = TempBenchFolder("ferrow_bench");
    CreateDirectoryA((folder + "img").c_str(), nullptr);
    CreateDirectoryA((folder + "thm").c_str(), nullptr);
    std::vector<char> image(imageBytes, 'i'), thumb(234 * 134, 't');
    for (int i = 0; i < cards; ++i) {
        image[0] = static_cast<char>(i);
        WriteWholeFile(ImageName(folder, i), image.data(), image.size());
        WriteWholeFile(ThumbName(folder, i), thumb.data(), thumb.size());
    }
    std::string cardFile = folder + "cards.mdb";
    DeleteFileA(cardFile.c_str());
    MakeCardFile(cardFile, folder, cards);

    // Conversion against a plain copy of the card file.
    double t0 = Seconds();
    CopyFileA(cardFile.c_str(), (folder + "copy.mdb").c_str(), FALSE);
    double copyCard = Seconds() - t0;
    t0 = Seconds();
    convert(cardFile.c_str(), (folder + "v4.mdb").c_str());
    double conversion = Seconds() - t0;

    // Duplication against copying the card file and every image and thumbnail.
    t0 = Seconds();
    CopyFileA(cardFile.c_str(), (folder + "copy2.mdb").c_str(), FALSE);
    for (int i = 0; i < cards; ++i) {
        CopyFileA(ImageName(folder, i).c_str(), (ImageName(folder, i) + ".copy").c_str(), FALSE);
        CopyFileA(ThumbName(folder, i).c_str(), (ThumbName(folder, i) + ".copy").c_str(), FALSE);
    }
    double copyAll = Seconds() - t0;
    DeleteFilesMatching(folder + "img\\", "*.copy");
    DeleteFilesMatching(folder + "thm\\", "*.copy");
    t0 = Seconds();
    duplicate(cardFile.c_str(), (folder + "dup.mdb").c_str(), 0);
    double duplication = Seconds() - t0;

    printf("cards %d, image %zu bytes\n", cards, imageBytes);
    printf("ConvertV3ToV4   %8.3f s  plain card-file copy %8.3f s  ratio %.2f\n", conversion, copyCard,
           conversion / copyCard);
    printf("DuplicateDBFile %8.3f s  CopyFile of all files %8.3f s  ratio %.2f\n", duplication, copyAll,
           duplication / copyAll);

    RemoveFolderTree(folder);
    FreeLibrary(ferrow);
    return 0;
}
