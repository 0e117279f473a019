// Flat (V3) card records to and from the current row.
#include "kvdb_dao_dataset.h"
#include "kvdb_schema.h"

namespace {

char* FieldAt(CardRec* rec, const KvTextColumn& column) { return reinterpret_cast<char*>(rec) + column.offset; }
const char* FieldAt(const CardRec* rec, const KvTextColumn& column) {
    return reinterpret_cast<const char*>(rec) + column.offset;
}

}  // namespace

const CkvDaoDataset::FlatFields& CkvDaoDataset::Flat() {
    if (flat_.resolved) return flat_;
    FlatFields f;
    f.id = rs_->GetFieldIndex("ID");
    f.linkId = rs_->GetFieldIndex("LinkID");
    f.cDate = rs_->GetFieldIndex("CDate");
    for (int i = 0; i < kCardTextColumnCount; ++i) f.text[i] = rs_->GetFieldIndex(kCardTextColumns[i].name);
    f.flags = rs_->GetFieldIndex("Flags");
    f.secondText = rs_->GetFieldIndex("SecondText");
    f.cNote = rs_->GetFieldIndex("CNote");
    f.cImage = rs_->GetFieldIndex("CImage");
    f.resolved = true;
    return flat_ = f;
}

int CkvDaoDataset::CardRecGet(CardRec* rec, int withLong) {
    if (!rec || !HasCurrentRecord()) return 0;
    return GuardDao([&] {
        const FlatFields& f = Flat();
        // The record's values fetched once; a Get reads nearly every one of them.
        const CDaoValue* row = rs_->GetFieldValuesRef();
        rec->ID = LongOf(row[f.id]);
        rec->LinkID = LongOf(row[f.linkId]);
        DateInto(row[f.cDate], rec->CDate);
        for (int i = 0; i < kCardTextColumnCount; ++i)
            TextInto(row[f.text[i]], FieldAt(rec, kCardTextColumns[i]), kCardTextColumns[i].width);
        rec->Flags = ShortOf(row[f.flags]);
        ResetBlob(rec->SecondText);
        ResetBlob(rec->CNote);
        ResetBlob(rec->CImage);
        rec->CImage.Data = nullptr;
        if (!withLong) return 1;
        MemoInto(row[f.secondText], rec->SecondText, text_[0].get());
        MemoInto(row[f.cNote], rec->CNote, text_[1].get());
        return ReadBinary(row[f.cImage], rec->CImage, images_[2].get()) ? 1 : 0;
    });
}

void CkvDaoDataset::PutFlatColumns(const CardRec& rec, bool update) {
    const FlatFields& f = Flat();
    if (!update) rs_->SetFieldValueAt(f.linkId, CDaoValue::FromLong(rec.LinkID));
    WriteDate(f.cDate, rec.CDate);
    for (int i = 0; i < kCardTextColumnCount; ++i)
        WriteText(f.text[i], FieldAt(&rec, kCardTextColumns[i]), kCardTextColumns[i].width);
    rs_->SetFieldValueAt(f.flags, CDaoValue::FromShort(rec.Flags));
    if (rec.SecondText.Modified && rec.SecondText.Data)
        rs_->SetFieldValueAt(f.secondText, CDaoValue::FromText(rec.SecondText.Data));
    if (rec.CNote.Modified && rec.CNote.Data) {
        if (update && rec.CNote.Size < 1) rs_->SetFieldValueAt(f.cNote, CDaoValue::MakeNull());
        else rs_->SetFieldValueAt(f.cNote, CDaoValue::FromText(rec.CNote.Data));
    }
    if (rec.CImage.Modified) {
        if (update && (!rec.CImage.Data || rec.CImage.Size == 0)) rs_->SetFieldValueAt(f.cImage, CDaoValue::MakeNull());
        else WriteBinary(f.cImage, rec.CImage);
    }
}

int CkvDaoDataset::CardRecInsert(const CardRec* rec) {
    if (!rec || !IsOpenSet()) return 0;
    return Store(true, [&] { PutFlatColumns(*rec, false); });
}

int CkvDaoDataset::CardRecUpdate(const CardRec* rec) {
    if (!rec || !IsOpenSet()) return 0;
    return Store(false, [&] { PutFlatColumns(*rec, true); });
}
