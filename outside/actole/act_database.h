// The state of one stand-in database object: its switches (read from the environment when
// the object is made), the log-on, and the open contact and note tables.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include "act_tables.h"

namespace actole {

struct Switches {
    std::string password;  // ZEM_ACT_PASSWORD: a log-on with this password is required
    std::string user;      // ZEM_ACT_USER: the default user name ("Admin")
    bool readOnly;         // ZEM_ACT_READONLY=1
    bool noContactList;    // ZEM_ACT_NO_CONTACTS=1
    int failMove;          // ZEM_ACT_FAIL_NEXT=k: the k-th move to the next contact of a list fails
    std::string log;       // ZEM_ACT_LOG: every call is appended to this file
};

Switches ReadSwitches();

class CActDatabase {
public:
    explicit CActDatabase(Switches switches) : switches_(std::move(switches)) {}

    const Switches& Settings() const { return switches_; }
    bool Open(const std::string& path);
    void Close();
    bool LogOn(const std::string& user, const std::string& password);
    bool LogOnFailed() const { return !switches_.password.empty() && !loggedOn_; }
    bool IsOpen() const { return open_ && !LogOnFailed(); }

    CDbfFile& Contacts() { return contacts_; }
    CDbfFile& Notes() { return notes_; }
    // Appends a record to a table with its "ID" column set to a new id; the id, or "" when the
    // record could not be stored.
    std::string Store(CDbfFile& table, const std::vector<ActColumn>& columns, CDbfFile::Values values,
                      const char* prefix);
    void Log(const std::string& line) const;

private:
    Switches switches_;
    bool open_ = false, loggedOn_ = false;
    CDbfFile contacts_, notes_;
};

}  // namespace actole
