// Flat (V3) card records to and from the current row.
#include "kvdb_dao_dataset.h"
#include "kvdb_schema.h"

namespace {

char* FieldAt(CardRec* rec, const KvTextColumn& column) { return reinterpret_cast<char*>(rec) + column.offset; }
const char* FieldAt(const CardRec* rec, const KvTextColumn& column)
{
    return reinterpret_cast<const char*>(rec) + column.offset;
}

}  // namespace

int CkvDaoDataset::CardRecGet(CardRec* rec, int withLong)
{
    if (!rec || !HasCurrentRecord()) return 0;
    return GuardDao([&] {
        rec->ID = ReadLong("ID");
        rec->LinkID = ReadLong("LinkID");
        ReadDate("CDate", rec->CDate);
        for (const KvTextColumn& column : kCardTextColumns) ReadText(column.name, FieldAt(rec, column), column.width);
        rec->Flags = ReadShort("Flags");
        ResetBlob(rec->SecondText);
        ResetBlob(rec->CNote);
        ResetBlob(rec->CImage);
        rec->CImage.Data = nullptr;
        if (!withLong) return 1;
        ReadMemo("SecondText", rec->SecondText, text_[0].get());
        ReadMemo("CNote", rec->CNote, text_[1].get());
        return ReadBinary(rs_->GetFieldValue("CImage"), rec->CImage, images_[2].get()) ? 1 : 0;
    });
}

void CkvDaoDataset::PutFlatColumns(const CardRec& rec, bool update)
{
    if (!update) rs_->SetFieldValue("LinkID", CDaoValue::FromLong(rec.LinkID));
    WriteDate("CDate", rec.CDate);
    for (const KvTextColumn& column : kCardTextColumns) WriteText(column.name, FieldAt(&rec, column), column.width);
    rs_->SetFieldValue("Flags", CDaoValue::FromShort(rec.Flags));
    if (rec.SecondText.Modified && rec.SecondText.Data) rs_->SetFieldValue("SecondText", rec.SecondText.Data);
    if (rec.CNote.Modified && rec.CNote.Data) {
        if (update && rec.CNote.Size < 1)
            rs_->SetFieldValueNull("CNote");
        else
            rs_->SetFieldValue("CNote", rec.CNote.Data);
    }
    if (rec.CImage.Modified) {
        if (update && (!rec.CImage.Data || rec.CImage.Size == 0))
            rs_->SetFieldValueNull("CImage");
        else
            WriteBinary("CImage", rec.CImage);
    }
}

int CkvDaoDataset::CardRecInsert(const CardRec* rec)
{
    if (!rec || !IsOpenSet()) return 0;
    return Store(true, [&] { PutFlatColumns(*rec, false); });
}

int CkvDaoDataset::CardRecUpdate(const CardRec* rec)
{
    if (!rec || !IsOpenSet()) return 0;
    return Store(false, [&] { PutFlatColumns(*rec, true); });
}
