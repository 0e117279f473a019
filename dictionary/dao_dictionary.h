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
    // Closes the recordset and the database; nothing when nothing is open.
    void Close();
    bool IsOpen() const { return recordset_ && recordset_->IsOpen(); }

    // Chooses the index that Seek and MoveNext follow (LEXOR_INDEX_*; another value keeps the
    // current one); false when nothing is open or the database refuses.
    bool SetCurrentIndex(int which);
    // Reads the current record; language selects how Lexicon is re-coded from its stored form.
    bool GetField(DicRecord* out, int language);
    // Rewrites the current record with the record's fields (text as given).
    bool SetField(const DicRecord* in);
    // Stores a new record; language < 0 stores Lexicon as given.
    bool Add(const DicRecord* in, int language);
    // Deletes the current record; nothing without one.
    void Delete();
    // Finds the record of both positions (or of the start position alone) in the current index
    // and reads it; false when there is none.
    bool Seek(int startPos, int endPos, DicRecord* out, int language);
    bool SeekStartOnly(int startPos, DicRecord* out, int language);
    // Steps to the next record in the current index and reads it; false past the last.
    bool MoveNext(DicRecord* out, int language);
    // The current record's bookmark into holder, and back: SetBookmark is false for a bookmark
    // the recordset refuses or an empty one.
    void GetBookmark(CDaoValue* holder);
    bool SetBookmark(const CDaoValue* holder);

private:
    // Puts the record's fields into the edit buffer of an AddNew or Edit.
    void WriteFields(const DicRecord& record, const std::string& lexicon);
    // Seek on the named index with one or two keys, reading the record found.
    bool SeekKeys(const char* index, const CDaoValue* key1, const CDaoValue* key2, DicRecord* out, int language);

    CDaoDatabase database_;
    std::unique_ptr<CDaoRecordset> recordset_;
};
