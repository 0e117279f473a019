#include "act_database.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

namespace actole {

namespace {

std::string Environment(const char* name) {
    char value[512] = "";
    DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
    return n > 0 && n < sizeof(value) ? value : "";
}

}  // namespace

Switches ReadSwitches() {
    Switches s;
    s.password = Environment("ZEM_ACT_PASSWORD");
    s.user = Environment("ZEM_ACT_USER");
    if (s.user.empty()) s.user = "Admin";
    s.readOnly = Environment("ZEM_ACT_READONLY") == "1";
    s.noContactList = Environment("ZEM_ACT_NO_CONTACTS") == "1";
    s.failMove = atoi(Environment("ZEM_ACT_FAIL_NEXT").c_str());
    s.log = Environment("ZEM_ACT_LOG");
    return s;
}

bool CActDatabase::Open(const std::string& path) {
    Close();
    bool writable = !switches_.readOnly;
    open_ = contacts_.Open(path, writable, nullptr) && notes_.Open(NotesPath(path), writable, nullptr);
    if (!open_) Close();
    return open_;
}

void CActDatabase::Close() {
    contacts_.Close();
    notes_.Close();
    open_ = false;
}

bool CActDatabase::LogOn(const std::string& user, const std::string& password) {
    loggedOn_ = password == switches_.password;
    return loggedOn_;
}

std::string CActDatabase::Store(CDbfFile& table, const std::vector<ActColumn>& columns, CDbfFile::Values values,
                                const char* prefix) {
    if (!IsOpen() || switches_.readOnly) return "";
    char id[16];
    snprintf(id, sizeof(id), "%s%08u", prefix, table.RecordCount() + 1);
    values.resize(columns.size());
    values[0] = std::string(id);
    return table.AppendRecord(values, nullptr, nullptr) ? id : "";
}

void CActDatabase::Log(const std::string& line) const {
    if (switches_.log.empty()) return;
    FILE* f = fopen(switches_.log.c_str(), "ab");
    if (!f) return;
    fprintf(f, "%s\n", line.c_str());
    fclose(f);
}

}  // namespace actole
