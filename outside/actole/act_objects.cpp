#include "act_objects.h"
#include "act_database.h"
#include "dispatch_object.h"
#include <stdio.h>
#include <stdlib.h>
#include <memory>
#include <optional>

namespace actole {

namespace {

using Database = std::shared_ptr<CActDatabase>;
using Args = std::vector<VARIANT*>;

HRESULT ReturnBool(bool value, VARIANT* result) {
    if (result) {
        result->vt = VT_BOOL;
        result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

HRESULT ReturnShort(short value, VARIANT* result) {
    if (result) {
        result->vt = VT_I2;
        result->iVal = value;
    }
    return S_OK;
}

// The value of a column as text, cut to the column's width (a memo keeps all of it).
std::string CutToColumn(const ActColumn& column, std::string text) {
    if (column.dbf.type == 'C' && text.size() > static_cast<size_t>(column.dbf.length)) text.resize(column.dbf.length);
    return text;
}

// A date variant as dBASE's "YYYYMMDD"; "" when it is none.
std::string DateText(VARIANT* value) {
    VARIANT date;
    VariantInit(&date);
    SYSTEMTIME time;
    if (FAILED(VariantChangeType(&date, value, 0, VT_DATE)) || !VariantTimeToSystemTime(date.date, &time)) return "";
    char text[16];
    snprintf(text, sizeof(text), "%04u%02u%02u", time.wYear, time.wMonth, time.wDay);
    return text;
}

HRESULT ReturnDate(const std::string& text, VARIANT* result) {
    if (!result || text.size() != 8) return S_OK;
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(atoi(text.substr(0, 4).c_str()));
    time.wMonth = static_cast<WORD>(atoi(text.substr(4, 2).c_str()));
    time.wDay = static_cast<WORD>(atoi(text.substr(6, 2).c_str()));
    double date = 0;
    if (!SystemTimeToVariantTime(&time, &date)) return E_FAIL;
    result->vt = VT_DATE;
    result->date = date;
    return S_OK;
}

// What the contact and note lists share: a record being filled (308 or 808 writes) and stored.
class CListObject : public inproc::CDispatchObject {
public:
    CListObject(Database db, const std::vector<ActColumn>& columns)
        : CDispatchObject({}), db_(std::move(db)), columns_(columns) {}

protected:
    void StartRecord() { pending_.assign(columns_.size(), std::nullopt); }

    HRESULT PutField(const Args& args) {
        LONG field = 0;
        int column = IntArgument(args, 0, &field) ? ColumnOf(columns_, field) : -1;
        if (column < 0 || args.size() < 2) return DISP_E_BADPARAMCOUNT;
        if (pending_.empty()) StartRecord();
        if (field == kDateField) {
            pending_[column] = DateText(args[1]);
            return S_OK;
        }
        std::string text;
        if (!TextArgument(args, 1, &text)) return DISP_E_TYPEMISMATCH;
        pending_[column] = CutToColumn(columns_[column], text);
        return S_OK;
    }

    HRESULT StoreRecord(CDbfFile& table, const char* prefix, DISPID id, VARIANT* result) {
        std::string stored = db_->Store(table, columns_, pending_, prefix);
        db_->Log(std::to_string(id) + " " + stored);
        pending_.clear();
        return stored.empty() ? E_FAIL : ReturnText(stored, result);
    }

    Database db_;
    const std::vector<ActColumn>& columns_;
    CDbfFile::Values pending_;
};

class CContactList : public CListObject {
public:
    explicit CContactList(Database db) : CListObject(std::move(db), ContactColumns()) {}

private:
    enum : DISPID {
        kCount = 207,
        kMoveFirst = 212,
        kCurrentId = 211,
        kStartAdding = 213,
        kMoveNext = 215,
        kField = 308,
        kNewContact = 303,
        kStoreContact = 307
    };

    HRESULT Call(DISPID id, WORD flags, const Args& args, VARIANT* result) override {
        switch (id) {
        case kCount:
            if (result) {
                result->vt = VT_I4;
                result->lVal = static_cast<LONG>(db_->Contacts().RecordCount());
            }
            return S_OK;
        case kMoveFirst: return Move(0);
        case kMoveNext:
            if (++moves_ == db_->Settings().failMove) return E_FAIL;
            return Move(position_ + 1);
        case kCurrentId: return ReturnText(Current(0), result);
        case kStartAdding: db_->Log("213"); return S_OK;
        case kField: return (flags & DISPATCH_PROPERTYPUT) ? PutField(args) : GetField(args, result);
        case kNewContact:
            db_->Log("303");
            StartRecord();
            return S_OK;
        case kStoreContact: return StoreRecord(db_->Contacts(), "C", id, result);
        default: return DISP_E_MEMBERNOTFOUND;
        }
    }

    // Reads the record at the new position once; past the end the values are empty.
    HRESULT Move(uint32_t position) {
        position_ = position;
        current_.clear();
        if (position_ < db_->Contacts().RecordCount() && !db_->Contacts().ReadRecord(position_, &current_))
            return E_FAIL;
        return S_OK;
    }

    std::string Current(int column) const {
        return column >= 0 && static_cast<size_t>(column) < current_.size() && current_[column] ? *current_[column]
                                                                                                : "";
    }

    HRESULT GetField(const Args& args, VARIANT* result) {
        LONG field = 0;
        if (!IntArgument(args, 0, &field)) return DISP_E_BADPARAMCOUNT;
        int column = ColumnOf(columns_, field);
        if (column < 0) return DISP_E_BADINDEX;
        return field == kDateField ? ReturnDate(Current(column), result) : ReturnText(Current(column), result);
    }

    uint32_t position_ = 0;
    int moves_ = 0;
    CDbfFile::Values current_;
};

class CNoteList : public CListObject {
public:
    explicit CNoteList(Database db) : CListObject(std::move(db), NoteColumns()) {}

private:
    HRESULT Call(DISPID id, WORD, const Args& args, VARIANT* result) override {
        switch (id) {
        case 212: db_->Log("212 notes"); return S_OK;
        case 803:
            db_->Log("803");
            StartRecord();
            return S_OK;
        case 808: return PutField(args);
        case 807: return StoreRecord(db_->Notes(), "N", id, result);
        default: return DISP_E_MEMBERNOTFOUND;
        }
    }
};

class CDatabaseObject : public inproc::CDispatchObject {
public:
    CDatabaseObject() : CDispatchObject({}), db_(std::make_shared<CActDatabase>(ReadSwitches())) {}

private:
    HRESULT Call(DISPID id, WORD, const Args& args, VARIANT* result) override {
        const Switches& s = db_->Settings();
        switch (id) {
        case 1117: return Open(args);
        case 1107: return ReturnShort(5, result);
        case 1113: return ReturnText(s.user, result);
        case 1112: return ReturnBool(!s.password.empty(), result);
        case 1120: return LogOn(args, result);
        case 1101: return ReturnBool(db_->LogOnFailed(), result);
        case 1102: return ReturnBool(db_->IsOpen(), result);
        case 1140: return ReturnBool(s.readOnly, result);
        case 1106:
            if (s.noContactList || !db_->IsOpen()) return ReturnNothing(result);
            return ReturnObject(new CContactList(db_), result);
        case 1103: return ReturnShort(0, result);
        case 1109: return db_->IsOpen() ? ReturnObject(new CNoteList(db_), result) : ReturnNothing(result);
        case 1118:
            db_->Log("1118");
            db_->Close();
            return S_OK;
        default: return DISP_E_MEMBERNOTFOUND;
        }
    }

    HRESULT Open(const Args& args) {
        std::string path;
        if (!TextArgument(args, 0, &path)) return DISP_E_BADPARAMCOUNT;
        db_->Log("1117 " + path);
        db_->Open(path);
        return S_OK;
    }

    HRESULT LogOn(const Args& args, VARIANT* result) {
        std::string user, password;
        if (!TextArgument(args, 0, &user) || !TextArgument(args, 1, &password)) return DISP_E_BADPARAMCOUNT;
        db_->Log("1120 " + user + "|" + password);
        return ReturnBool(db_->LogOn(user, password), result);
    }

    Database db_;
};

}  // namespace

IDispatch* NewDatabase() { return new CDatabaseObject(); }

}  // namespace actole
