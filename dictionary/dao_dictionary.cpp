#include "dao_dictionary.h"
#include "lexicon_recoding.h"
#include "lexor.h"
#include <windows.h>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kTable[] = "DaoDicTable";
const char kStartEndIndex[] = "ZemPostStartEndIndex";
const char kStartOnlyIndex[] = "ZemPostStartOnlyIndex";
const int kLexiconSize = 50;

// The long fields after Lexicon, in the order of the record's integers.
const char* const kLongFields[] = {"StartPos", "EndPos", "Tag", "Score", "ZefAction", "TheTagIs"};

const char* CollatingOrder(int type) {
    switch (type) {
    case LEXOR_DIC_JAPANESE: return ";LANGID=0x0411;CP=932;COUNTRY=0";
    case LEXOR_DIC_SIMPLIFIED_CHINESE: return ";LANGID=0x0804;CP=936;COUNTRY=0";
    case LEXOR_DIC_TRADITIONAL_CHINESE: return ";LANGID=0x0404;CP=950;COUNTRY=0";
    default: return ";LANGID=0x0409;CP=1252;COUNTRY=0";
    }
}

int32_t* LongSlots(DicRecord& record) { return &record.StartPos; }
const int32_t* LongSlots(const DicRecord& record) { return &record.StartPos; }

// Runs a database step; any error is dropped and reported as false.
template <typename Step>
bool Attempt(Step step) {
    try {
        step();
        return true;
    } catch (CDaoException* e) {
        e->Delete();
    } catch (...) {}
    return false;
}

std::string TemplatePath(const char* fileName) {
    char drive[_MAX_DRIVE], dir[_MAX_DIR], name[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(fileName, drive, dir, name, ext);
    return std::string(drive) + dir + "$default" + ext;
}

bool SamePath(const std::string& a, const std::string& b) {
    char fullA[MAX_PATH], fullB[MAX_PATH];
    if (!GetFullPathNameA(a.c_str(), MAX_PATH, fullA, nullptr) ||
        !GetFullPathNameA(b.c_str(), MAX_PATH, fullB, nullptr))
        return false;
    return lstrcmpiA(fullA, fullB) == 0;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void MakeTemplate(const std::string& path, int type) {
    CDaoDatabase database;
    database.Create(path.c_str(), CollatingOrder(type));
    CDaoTableDef table(&database);
    table.Create(kTable);
    table.CreateField("Lexicon", dbText, kLexiconSize, dbVariableField);
    for (const char* field : kLongFields) table.CreateField(field, dbLong, 4, dbFixedField);
    table.Append();

    CDaoIndexInfo startEnd;
    startEnd.m_strName = kStartEndIndex;
    startEnd.AddField("StartPos");
    startEnd.AddField("EndPos");
    startEnd.m_bRequired = true;
    table.CreateIndex(startEnd);
    CDaoIndexInfo startOnly;
    startOnly.m_strName = kStartOnlyIndex;
    startOnly.AddField("StartPos");
    startOnly.m_bRequired = true;
    table.CreateIndex(startOnly);
    table.Close();

    CDaoRecordset recordset(&database);
    recordset.Open(dbOpenTable, kTable);
    recordset.SetCurrentIndex(kStartEndIndex);
    recordset.Close();
    database.Close();
}

}  // namespace

bool CDaoDictionary::Create(const char* fileName, int type) {
    Close();
    if (!fileName || !*fileName) return false;
    const std::string templatePath = TemplatePath(fileName);
    // Replacing the template by a copy of itself would delete the only copy.
    if (SamePath(fileName, templatePath)) return false;
    if (!FileExists(templatePath) && !Attempt([&] { MakeTemplate(templatePath, type); })) {
        // A half-made template would be copied by every later call in this folder.
        DeleteFileA(templatePath.c_str());
        return false;
    }
    DeleteFileA(fileName);
    if (!CopyFileA(templatePath.c_str(), fileName, FALSE)) return false;

    const bool opened = Attempt([&] {
        database_.Open(fileName, false, false, "");
        CDaoTableDef table(&database_);
        table.Open(kTable);
        recordset_.reset(new CDaoRecordset(&database_));
        recordset_->Open(dbOpenTable, kTable);
        recordset_->SetCurrentIndex(kStartEndIndex);
        table.Close();
    });
    if (!opened) Close();
    return opened;
}

void CDaoDictionary::Close() {
    if (recordset_) {
        Attempt([&] {
            if (recordset_->IsOpen()) recordset_->Close();
        });
        recordset_.reset();
    }
    Attempt([&] {
        if (database_.IsOpen()) database_.Close();
    });
}

bool CDaoDictionary::SetCurrentIndex(int which) {
    if (!IsOpen()) return false;
    return Attempt([&] {
        if (which == LEXOR_INDEX_START_END) recordset_->SetCurrentIndex(kStartEndIndex);
        else if (which == LEXOR_INDEX_START_ONLY) recordset_->SetCurrentIndex(kStartOnlyIndex);
    });
}

bool CDaoDictionary::GetField(DicRecord* out, int language) {
    if (!IsOpen() || !out) return false;
    return Attempt([&] {
        int32_t* slots = LongSlots(*out);
        for (size_t i = 0; i < sizeof kLongFields / sizeof kLongFields[0]; ++i) {
            const CDaoValue value = recordset_->GetFieldValue(kLongFields[i]);
            slots[i] = value.IsNull() ? 0 : value.AsLong();
        }
        const CDaoValue lexicon = recordset_->GetFieldValue("Lexicon");
        std::string text = lexicon.GetKind() == CDaoValue::Text ? lexicon.AsText() : std::string();
        RecodeFromStored(text, language);
        const size_t length = std::min(text.size(), sizeof out->Lexicon - 1);
        std::memcpy(out->Lexicon, text.data(), length);
        out->Lexicon[length] = '\0';
    });
}

void CDaoDictionary::WriteFields(const DicRecord& record, const std::string& lexicon) {
    recordset_->SetFieldValue("Lexicon", lexicon.c_str());
    const int32_t* slots = LongSlots(record);
    for (size_t i = 0; i < sizeof kLongFields / sizeof kLongFields[0]; ++i)
        recordset_->SetFieldValue(kLongFields[i], CDaoValue::FromLong(slots[i]));
}

// The caller's text, bounded by its 200-byte slot even when it is not terminated.
static std::string LexiconOf(const DicRecord& record) {
    return std::string(record.Lexicon, strnlen(record.Lexicon, sizeof record.Lexicon));
}

bool CDaoDictionary::SetField(const DicRecord* in) {
    if (!IsOpen() || !in) return false;
    const bool started = recordset_->GetEditMode() != 0 || Attempt([&] { recordset_->Edit(); });
    if (!started) return false;
    if (Attempt([&] {
            WriteFields(*in, LexiconOf(*in));
            recordset_->Update();
        }))
        return true;
    Attempt([&] { recordset_->CancelUpdate(); });
    return false;
}

bool CDaoDictionary::Add(const DicRecord* in, int language) {
    if (!IsOpen() || !in) return false;
    std::string lexicon = LexiconOf(*in);
    if (language >= 0) RecodeIntoStored(lexicon, language);
    if (!Attempt([&] { recordset_->AddNew(); })) return false;
    // A field the table refuses (text too long for the column) stores nothing at all.
    if (Attempt([&] {
            WriteFields(*in, lexicon);
            recordset_->Update();
        }))
        return true;
    Attempt([&] { recordset_->CancelUpdate(); });
    return false;
}

void CDaoDictionary::Delete() {
    if (!IsOpen()) return;
    Attempt([&] {
        if (recordset_->CanUpdate()) recordset_->Delete();
    });
}

bool CDaoDictionary::SeekKeys(const char* index, const CDaoValue* key1, const CDaoValue* key2, DicRecord* out,
                              int language) {
    if (!IsOpen() || !out) return false;
    bool found = false;
    if (!Attempt([&] {
            // Choosing an index also moves to its first record, work a seek throws away.
            if (recordset_->GetCurrentIndex() != index) recordset_->SetCurrentIndex(index);
            found = recordset_->Seek("=", key1, key2);
        }))
        return false;
    return found && GetField(out, language);
}

bool CDaoDictionary::Seek(int startPos, int endPos, DicRecord* out, int language) {
    const CDaoValue start = CDaoValue::FromText(std::to_string(startPos));
    const CDaoValue end = CDaoValue::FromText(std::to_string(endPos));
    return SeekKeys(kStartEndIndex, &start, &end, out, language);
}

bool CDaoDictionary::SeekStartOnly(int startPos, DicRecord* out, int language) {
    const CDaoValue start = CDaoValue::FromText(std::to_string(startPos));
    return SeekKeys(kStartOnlyIndex, &start, nullptr, out, language);
}

bool CDaoDictionary::MoveNext(DicRecord* out, int language) {
    if (!IsOpen() || !out || recordset_->IsEOF()) return false;
    return Attempt([&] { recordset_->MoveNext(); }) && GetField(out, language);
}

void CDaoDictionary::GetBookmark(CDaoValue* holder) {
    if (!IsOpen() || !holder) return;
    Attempt([&] { *holder = recordset_->GetBookmark(); });
}

bool CDaoDictionary::SetBookmark(const CDaoValue* holder) {
    if (!IsOpen() || !holder || holder->IsEmpty()) return false;
    return Attempt([&] { recordset_->SetBookmark(*holder); });
}
