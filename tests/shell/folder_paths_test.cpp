// Folder settings and the paths made from them: read whole up to the longest path, joined
// with one separator, never cut; a folder that cannot be used is named in a message. The
// hand-over queue stops, with a message, when its list cannot be emptied.
#include <gtest/gtest.h>
#include "shell.h"
#include "capture.h"
#include "dialog_watch.h"
#include "scratch_folder.h"
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

// A folder path of exactly `length` characters below `base`, made of nested folders that
// each stay within a folder name's limit, created when `create` is set.
std::string FolderOfLength(const std::string& base, size_t length, bool create) {
    std::string folder = base;
    while (folder.size() < length) {
        size_t room = length - folder.size() - 1;
        size_t piece = room > 60 ? 60 : room;
        if (room > 60 && room - 60 < 2) piece = room - 2;  // leave room for one more "\x"
        folder += "\\" + std::string(piece, 'f');
        if (create) CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder;
}

DWORD WINAPI ImportQueueOnce(void*) {
    ImportQueuedFiles();
    return 0;
}

class FolderSettings : public ::testing::Test {
protected:
    void TearDown() override {
        for (const char* key : {"TempDir", "ImageDir", "ThumbDir"}) WriteSettingText("Directory", key, nullptr);
        WriteSettingText("CodePage", nullptr, nullptr);
    }
    ScratchFolder scratch_{"folders"};
};

}  // namespace

TEST(FolderJoin, OneSeparatorAndNeverACutPath) {
    struct Case {
        const char *Folder, *Name;
        int Size;
        const char* Joined;  // null: refused
    } cases[] = {
        {"C:\\Cards", "temp.mdb", 64, "C:\\Cards\\temp.mdb"},
        {"C:\\Cards\\", "temp.mdb", 64, "C:\\Cards\\temp.mdb"},
        {"C:", "x", 64, "C:x"},
        {"", "Batch.ini", 64, "Batch.ini"},
        {"C:\\Cards", "", 64, "C:\\Cards\\"},
        {"C:\\Cards", "temp.mdb", 18, "C:\\Cards\\temp.mdb"},  // 17 characters and the end
        {"C:\\Cards", "temp.mdb", 17, nullptr},
    };
    for (const Case& c : cases) {
        char path[80];
        memset(path, 'x', sizeof path);
        int joined = JoinFolderAndName(path, c.Size, c.Folder, c.Name);
        EXPECT_EQ(c.Joined != nullptr, joined != 0) << c.Folder << " + " << c.Name << " in " << c.Size;
        EXPECT_STREQ(c.Joined ? c.Joined : "", path);
        EXPECT_EQ('x', path[c.Size]) << "nothing written past the buffer";
    }
    // Longer than any path can be, whatever the buffer.
    std::string folder = "C:\\" + std::string(250, 'f');
    char big[1024];
    EXPECT_EQ(0, JoinFolderAndName(big, sizeof big, folder.c_str(), "SCAN0001.TIF"));
    EXPECT_STREQ("", big);
    // The folder's own buffer may take the result.
    char same[MAX_PATH] = "C:\\Cards";
    ASSERT_EQ(1, JoinFolderAndName(same, sizeof same, same, "help"));
    EXPECT_STREQ("C:\\Cards\\help", same);
}

TEST_F(FolderSettings, SettingsAreReadWholeAndATooLongOneIsNamed) {
    struct Case {
        const char* Key;
        size_t Length;
        bool Usable;
    } cases[] = {
        {"TempDir", 127, true},  {"TempDir", 145, true},   {"ImageDir", 128, true}, {"ImageDir", 200, true},
        {"ThumbDir", 129, true}, {"ThumbDir", 258, false}, {"TempDir", 300, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Key) + " " + std::to_string(c.Length));
        std::string value = FolderOfLength("C:", c.Length, false);
        ASSERT_EQ(c.Length, value.size());
        WriteSettingText("Directory", c.Key, value.c_str());
        char folder[MAX_PATH];
        std::vector<std::string> texts;
        int length;
        {
            DialogWatch user(IDOK);
            length = ReadFolderSetting(c.Key, folder, sizeof folder);
            Sleep(300);
            texts = user.Texts();
        }
        if (c.Usable) {
            EXPECT_EQ((int)c.Length, length);
            EXPECT_EQ(value + "\\", folder);
            EXPECT_TRUE(texts.empty());
        } else {
            EXPECT_EQ(-1, length);
            ASSERT_EQ(1u, texts.size());
            EXPECT_NE(std::string::npos, texts[0].find(c.Key)) << texts[0];
        }
    }
}

// The engine's temporary folder reaches the engine whole (a folder of 128 characters or more
// was cut, and recognition could not start).
TEST_F(FolderSettings, TheEngineGetsItsTemporaryFolderWhole) {
    std::string temp = FolderOfLength(scratch_.path(), 200, true);
    WriteSettingText("Directory", "TempDir", temp.c_str());
    WriteSettingText("CodePage", "DisplayCode", "SJIS");
    CreateRecognitionDocument();
    ASSERT_NE(nullptr, App.Document);
    EXPECT_EQ(temp + "\\", App.Document->TempFolder);
    EndRecognitionEngine();
}

// An image taken into an image folder of 200 characters lands in that folder; one of 300
// characters takes nothing in and says which setting is at fault.
TEST_F(FolderSettings, ImagesAreCopiedIntoALongImageFolderOrRefusedWithAMessage) {
    std::string images = FolderOfLength(scratch_.path(), 200, true);
    WriteSettingText("Directory", "ImageDir", images.c_str());
    std::string source = scratch_.File("card.bmp");
    FILE* file = fopen(source.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    fputs("not really a picture", file);
    fclose(file);
    char path[MAX_PATH];
    lstrcpynA(path, source.c_str(), sizeof path);
    CopyImageToImageFolder(path);
    EXPECT_EQ(0u, std::string(path).rfind(images + "\\OPEN", 0)) << path;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));

    WriteSettingText("Directory", "ImageDir", FolderOfLength("C:", 300, false).c_str());
    lstrcpynA(path, source.c_str(), sizeof path);
    std::vector<std::string> texts;
    {
        DialogWatch user(IDOK);
        CopyImageToImageFolder(path);
        Sleep(300);
        texts = user.Texts();
    }
    EXPECT_EQ(source, path) << "no copy anywhere";
    ASSERT_EQ(1u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find("ImageDir"));
}

// A queue whose list cannot be emptied (Batch.ini read-only, or kept open by another program)
// or copied (its working copy likewise) is not imported again and again: the call ends with a
// message and the queue stays as it was for a later pass. The file is also held open without
// write sharing, since Wine run by root writes read-only files.
TEST_F(FolderSettings, AQueueThatCannotBeTakenEndsWithAMessage) {
    WriteSettingText("Directory", "ImageDir", scratch_.path().c_str());
    std::string batch = scratch_.File("Batch.ini"), temp = scratch_.File("BatchTemp.ini");
    for (const std::string& locked : {batch, temp}) {
        SCOPED_TRACE(locked);
        SetFileAttributesA(batch.c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(temp.c_str());
        WritePrivateProfileStringA("Files", "File0", scratch_.File("missing1.bmp").c_str(), batch.c_str());
        WritePrivateProfileStringA("Files", "File1", scratch_.File("missing2.bmp").c_str(), batch.c_str());
        WritePrivateProfileStringA("Files", "Count", "2", batch.c_str());
        if (locked == temp) WritePrivateProfileStringA("Files", "Count", "0", temp.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, batch.c_str());
        ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
        HANDLE held = CreateFileA(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        std::vector<std::string> texts;
        {
            DialogWatch user(IDOK);
            HANDLE worker = CreateThread(nullptr, 0, ImportQueueOnce, nullptr, 0, nullptr);
            ASSERT_NE(nullptr, worker);
            bool ended = WaitForSingleObject(worker, 30000) == WAIT_OBJECT_0;
            if (!ended) TerminateThread(worker, 1);
            CloseHandle(worker);
            texts = user.Texts();
            EXPECT_TRUE(ended) << "the queue was taken again and again";
        }
        CloseHandle(held);
        ASSERT_EQ(1u, texts.size());
        EXPECT_NE(std::string::npos, texts[0].find("ImageDir")) << texts[0];
        EXPECT_EQ(2u, GetPrivateProfileIntA("Files", "Count", 0, batch.c_str())) << "the queue stays whole";
    }
    SetFileAttributesA(batch.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// At start-up: without a WebSite setting there is no web site (the card file's path used to
// stand in, and the Web-site button opened it), and a TempDir too long for the compacted copy
// is named in a message while the card file opens as it is.
TEST_F(FolderSettings, StartupReadsNoWebSiteAndCompactionNamesATooLongTempDir) {
    std::string path = scratch_.File("cards.mdb");
    HKVDB db = nullptr;
    ASSERT_EQ(1, kvCreateDatabase(31, path.c_str(), 0, &db));
    ASSERT_EQ(1, kvTblCreate(db, "NM"));
    kvCloseDatabase(db);
    WriteSettingText("CardBase", "DataBaseName", path.c_str());
    WriteSettingText("Preference", "WebSite", nullptr);
    // A length of its own: the same setting and value is named once per run.
    WriteSettingText("Directory", "TempDir", FolderOfLength("D:", 301, false).c_str());
    lstrcpynA(App.WebSite, "left from before", sizeof App.WebSite);
    std::vector<std::string> texts;
    {
        DialogWatch user(IDOK);
        OpenCardFile(nullptr, 1);
        Sleep(300);
        texts = user.Texts();
    }
    EXPECT_STREQ("", App.WebSite);
    EXPECT_EQ(1, App.CardFileUsable);
    ASSERT_EQ(1u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find("TempDir")) << texts[0];
    CloseCardFile();
    WriteSettingText("CardBase", "DataBaseName", nullptr);
}
