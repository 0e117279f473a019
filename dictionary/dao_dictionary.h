// The dictionary table "DaoDicTable": one database, at most one open table-type recordset.
// Database errors end here: every operation answers with a plain status.
#pragma once
#include "dao.h"
#include <memory>
#include <string>

struct DicRecord;

class CDaoDictionary {
public:
    ~CDaoDictionary() { Close(); }

    // Replaces fileName by a copy of the folder's template (made first when missing, with the
    // collating order of the type) and opens it. false on any failure, with nothing open.
    bool Create(const char* fileName, int type);
    void Close();
    bool IsOpen() const { return recordset_ && recordset_->IsOpen(); }

    bool SetCurrentIndex(int which);
    // Reads the current record; language selects how Lexicon is re-coded from its stored form.
    bool GetField(DicRecord* out, int language);
    // Rewrites the current record with the record's fields (text as given).
    bool SetField(const DicRecord* in);
    // Stores a new record; language < 0 stores Lexicon as given.
    bool Add(const DicRecord* in, int language);
    void Delete();
    bool Seek(int startPos, int endPos, DicRecord* out, int language);
    bool SeekStartOnly(int startPos, DicRecord* out, int language);
    bool MoveNext(DicRecord* out, int language);
    void GetBookmark(CDaoValue* holder);
    bool SetBookmark(const CDaoValue* holder);

private:
    void WriteFields(const DicRecord& record, const std::string& lexicon);
    bool SeekKeys(const char* index, const CDaoValue* key1, const CDaoValue* key2, DicRecord* out, int language);

    CDaoDatabase database_;
    std::unique_ptr<CDaoRecordset> recordset_;
};
