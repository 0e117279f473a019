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
    f.id = Column("ID");
    f.linkId = Column("LinkID");
    f.cDate = Column("CDate");
    for (int i = 0; i < kCardTextColumnCount; ++i) f.text[i] = Column(kCardTextColumns[i].name);
    f.flags = Column("Flags");
    f.secondText = Column("SecondText");
    f.cNote = Column("CNote");
    f.cImage = Column("CImage");
    f.resolved = true;
    return flat_ = f;
}

int CkvDaoDataset::CardRecGet(CardRec* rec, int withLong) {
    if (!rec || !HasCurrentRecord()) return 0;
    return GuardDao([&] {
        const FlatFields& f = Flat();
        // The record's values fetched once; a Get reads nearly every one of them.
        const CDaoValue* row = rs_->GetFieldValuesRef();
        static const CDaoValue none;
        auto cell = [&](int field) -> const CDaoValue& { return field < 0 ? none : row[field]; };
        rec->ID = LongOf(cell(f.id));
        rec->LinkID = LongOf(cell(f.linkId));
        DateInto(cell(f.cDate), rec->CDate);
        for (int i = 0; i < kCardTextColumnCount; ++i)
            TextInto(cell(f.text[i]), FieldAt(rec, kCardTextColumns[i]), kCardTextColumns[i].width);
        rec->Flags = ShortOf(cell(f.flags));
        ResetBlob(rec->SecondText);
        ResetBlob(rec->CNote);
        ResetBlob(rec->CImage);
        rec->CImage.Data = nullptr;
        if (!withLong) return 1;
        if (!MemoInto(cell(f.secondText), rec->SecondText, 0) || !MemoInto(cell(f.cNote), rec->CNote, 1)) return 0;
        return ReadBinary(cell(f.cImage), rec->CImage, images_[2].get()) ? 1 : 0;
    });
}

void CkvDaoDataset::PutFlatColumns(const CardRec& rec, bool update) {
    const FlatFields& f = Flat();
    if (!update) PutAt(f.linkId, CDaoValue::FromLong(rec.LinkID));
    WriteDate(f.cDate, rec.CDate);
    for (int i = 0; i < kCardTextColumnCount; ++i)
        WriteText(f.text[i], FieldAt(&rec, kCardTextColumns[i]), kCardTextColumns[i].width);
    PutAt(f.flags, CDaoValue::FromShort(rec.Flags));
    if (rec.SecondText.Modified && rec.SecondText.Data) PutAt(f.secondText, CDaoValue::FromText(rec.SecondText.Data));
    if (rec.CNote.Modified && rec.CNote.Data) {
        if (update && rec.CNote.Size < 1) PutAt(f.cNote, CDaoValue::MakeNull());
        else PutAt(f.cNote, CDaoValue::FromText(rec.CNote.Data));
    }
    if (rec.CImage.Modified) {
        if (update && (!rec.CImage.Data || rec.CImage.Size == 0)) PutAt(f.cImage, CDaoValue::MakeNull());
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
