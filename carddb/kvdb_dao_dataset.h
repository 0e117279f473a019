// A dataset over a table of a Jet card store: a dynaset cursor, finds, and the transfer of
// flat and V4 card records. It owns the buffers that a Get places long values in, so that
// reading a card allocates nothing (but for a memo longer than its place, which is grown).
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "dao.h"
#include "kvdb_dataset.h"
#include "kvdb_schema.h"

class CkvDaoDatabase;

// Clears Kind, Storage, Size and Modified of a descriptor (Data and FileName stay).
void ResetBlob(CardRecBlob& blob);

class CkvDaoDataset : public CkvDataset {
public:
    enum : size_t { kTextBufferSize = 32768, kImageBufferSize = 10485760 };

    // A new dataset with its buffers, or null when they cannot be allocated.
    static CkvDaoDataset* Make();

    int Attach(CkvDatabase* database) override;
    int TblOpen() override;
    int TblClose() override;
    int TblRefresh() override;
    int RecNum() override;
    int TblNRecs() override;
    int CardRecGetV4(CardRecV4* rec, int withImages) override;
    int CardRecGet(CardRec* rec, int withLong) override;
    int RecFirst() override;
    int RecPrev() override;
    int RecNext() override;
    int RecLast() override;
    int RecGoto(int n) override;
    int CardRecInsertV4(CardRecV4* rec) override;
    int CardRecInsert(const CardRec* rec) override;
    int CardRecUpdateV4(CardRecV4* rec) override;
    int CardRecUpdate(const CardRec* rec) override;
    int RecDelete() override;
    int RecFindFirst(const char* criteria) override;
    int RecFindLast(const char* criteria) override;
    int RecFindNext(const char* criteria) override;
    int RecFindPrev(const char* criteria) override;
    int TblIsOpen() override;
    int RecIsBOF() override;
    int RecIsEOF() override;
    ~CkvDaoDataset() override;

    // V4 column groups; each reads or writes the group under the column prefix and returns 1.
    virtual int GetNameFields(CardNameGroup& group, const std::string& prefix);
    virtual int PutNameFields(const CardNameGroup& group, const std::string& prefix);
    virtual int GetAddressFields(CardAddressGroup& group, const std::string& prefix);
    virtual int PutAddressFields(const CardAddressGroup& group, const std::string& prefix);
    virtual int GetPhoneFields(CardPhoneGroup& group, const std::string& prefix);
    virtual int PutPhoneFields(const CardPhoneGroup& group, const std::string& prefix);
    virtual int GetEmailFields(CardEmailGroup& group, const std::string& prefix);
    virtual int PutEmailFields(const CardEmailGroup& group, const std::string& prefix);
    // One label: column prefix + "_FieldName".
    virtual int GetFieldNameField(char (&label)[20], const std::string& prefix);
    virtual int PutFieldNameField(const char (&label)[20], const std::string& prefix);
    // The 78 unit rectangles of the record, kept together in the binary column "FieldRect".
    virtual int GetFieldRect(CardRecV4& rec);
    virtual int PutFieldRect(const CardRecV4& rec);

private:
    CkvDaoDataset() = default;
    bool IsOpenSet() const { return rs_ && rs_->IsOpen(); }
    bool HasCurrentRecord() const { return IsOpenSet() && !rs_->IsBOF() && !rs_->IsEOF(); }
    // Runs a move when the dataset is open; 1, or 0 after a reported error.
    template <class Move>
    int Navigate(Move&& move);
    // Runs a find; restores the starting record when nothing matched.
    template <class Find>
    int FindWithRestore(Find&& find);
    // Runs a store (after AddNew or Edit); a failure cancels the pending change.
    template <class Fill>
    int Store(bool addNew, Fill&& fill);

    // The field numbers of the flat columns, looked up by name once per open, so that a Get
    // or a store of a card does no name lookups.
    struct FlatFields {
        bool resolved = false;
        int id, linkId, cDate, flags, secondText, cNote, cImage;
        int text[kCardTextColumnCount];
    };
    const FlatFields& Flat();

    // The field number of a column, -1 for a column the table lacks (reported once per open).
    int Column(const char* name);
    // The value of a field, empty for -1; a store into field -1 is left out.
    const CDaoValue& ValueAt(int field);
    void PutAt(int field, CDaoValue value);
    // Field helpers of the record transfer, by value, by field number or by column name.
    static void TextInto(const CDaoValue& value, char* text, size_t width);
    static int32_t LongOf(const CDaoValue& value);
    static int16_t ShortOf(const CDaoValue& value);
    static void DateInto(const CDaoValue& value, int32_t parts[6]);
    // A memo value whole into text place `place`, grown beyond its first 32,768 bytes when the
    // value needs it: a note handed out cut would be written back cut by the next Update. False
    // when the place cannot grow (nothing is handed out then).
    bool MemoInto(const CDaoValue& value, CardRecBlob& blob, int place);
    void ReadText(int field, char* text, size_t width);
    void ReadText(const char* column, char* text, size_t width);
    void WriteText(int field, const char* text, size_t width);
    void WriteText(const char* column, const char* text, size_t width);
    int32_t ReadLong(int field);
    int32_t ReadLong(const char* column);
    int16_t ReadShort(int field);
    int16_t ReadShort(const char* column);
    void ReadDate(int field, int32_t parts[6]);
    void ReadDate(const char* column, int32_t parts[6]);
    void WriteDate(int field, const int32_t parts[6]);
    void WriteDate(const char* column, const int32_t parts[6]);
    // A binary value into an image buffer, or a temporary file when it is larger; false when
    // that file cannot be written.
    bool ReadBinary(const CDaoValue& value, CardRecBlob& blob, char* buffer);
    void WriteBinary(int field, const CardRecBlob& blob);
    void WriteBinary(const char* column, const CardRecBlob& blob);
    template <int N>
    void GetUnit(CardTextUnit<N>& unit, const std::string& prefix);
    template <int N>
    void PutUnit(const CardTextUnit<N>& unit, const std::string& prefix);
    // The columns of a flat record; an update keeps LinkID and turns empty long values to Null.
    void PutFlatColumns(const CardRec& rec, bool update);
    void GetV4Body(CardRecV4& rec);
    void PutV4Body(CardRecV4& rec);
    void PutV4Images(CardRecV4& rec);

    CkvDaoDatabase* database_ = nullptr;
    std::unique_ptr<CDaoRecordset> rs_;
    FlatFields flat_;
    std::unordered_map<std::string, int> columns_;  // Column's answers since the open
    bool missingReported_ = false;
    std::unique_ptr<char[]> text_[2];
    size_t textSize_[2] = {kTextBufferSize, kTextBufferSize};
    // Places outgrown by a longer value; kept while the dataset lives, since a record read
    // earlier may still point into one.
    std::vector<std::unique_ptr<char[]>> outgrown_;
    std::unique_ptr<char[]> images_[3];
};

#include "kvdb_daoguard.h"

template <class Fill>
int CkvDaoDataset::Store(bool addNew, Fill&& fill) {
    return GuardDao([&] {
        if (addNew) rs_->AddNew();
        else rs_->Edit();
        try {
            fill();
            rs_->Update();
        } catch (...) {
            if (rs_->GetEditMode() != 0) rs_->CancelUpdate();
            throw;
        }
        return 1;
    });
}
