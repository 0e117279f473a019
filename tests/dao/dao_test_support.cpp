#include "dao_test_support.h"

#include <windows.h>

#include <atomic>

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "daotest_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(counter++);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string file = path_ + "\\" + found.cFileName;
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(path_.c_str());
}

void CreateCardTable(CDaoDatabase& db, const char* name) {
    CDaoTableDef def(&db);
    def.Create(name);
    def.CreateField("ID", dbLong, 4, dbAutoIncrField);
    def.CreateField("LINKID", dbLong, 4);
    def.CreateField("CDATE", dbDate, 8);
    def.CreateField("CNAME", dbText, 10);
    def.CreateField("FLAGS", dbInteger, 2);
    def.CreateField("CNOTE", dbMemo, 0);
    def.CreateField("CIMAGE", dbLongBinary, 0);
    CDaoIndexInfo primary;
    primary.m_strName = "PrimaryKey";
    primary.AddField("ID");
    primary.m_bPrimary = primary.m_bUnique = true;
    def.CreateIndex(primary);
    CDaoIndexInfo link;
    link.m_strName = "LinkID";
    link.AddField("LINKID");
    def.CreateIndex(link);
    def.Append();
}

long AddCard(CDaoDatabase& db, const char* cname, long linkId) {
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NM");
    rs.AddNew();
    if (cname) rs.SetFieldValue("CName", cname);
    rs.SetFieldValue("LinkID", CDaoValue::FromLong(linkId));
    rs.Update();
    rs.MoveLast();
    return rs.GetFieldValue("ID").AsLong();
}
