// V4 card records to and from the current row, column group by column group.
#include <cstring>

#include "kvdb_dao_dataset.h"

namespace {

std::string Numbered(const char* stem, int n) { return stem + std::to_string(n); }

// The short phone texts live in char[10] fields over columns of 5 characters; longer texts
// are cut to the column rather than failing the whole record.
const size_t kPhonePartWidth = 6;

// Calls visit(int32_t* rect) for the 78 units that keep a rectangle, in "FieldRect" order.
template <class Rec, class Visit> void ForEachRect(Rec& rec, Visit&& visit)
{
    auto names = [&](auto& group) {
        visit(group.FullName.FieldRect);
        visit(group.FirstName.FieldRect);
        visit(group.LastName.FieldRect);
        visit(group.MiddleName.FieldRect);
        visit(group.PrefixName.FieldRect);
        visit(group.SuffixName.FieldRect);
    };
    names(rec.ENAME);
    names(rec.CNAME);
    for (auto& phone : rec.Phone) visit(phone.PhoneNum.FieldRect);
    for (int k = 0; k < 4; ++k) {
        visit(rec.Company[k].FieldRect);
        visit(rec.Title[k].FieldRect);
        visit(rec.Department[k].FieldRect);
        auto& a = rec.Address[k];
        for (auto* rect : {a.FullAddress.FieldRect, a.Street.FieldRect, a.City.FieldRect, a.State.FieldRect,
                           a.Country.FieldRect, a.ZipCode.FieldRect, a.POBOX.FieldRect})
            visit(rect);
        visit(rec.Fax[k].PhoneNum.FieldRect);
        visit(rec.Email[k].EmailName.FieldRect);
        visit(rec.WebSite[k].FieldRect);
    }
    for (auto& note : rec.Note) visit(note.FieldRect);
}

const size_t kRectEntries = 78, kRectColumnSize = 800;

struct ImageSlot {
    CardRecBlob CardRecV4::*blob;
    const char* nameColumn;
    const char* dataColumn;
};

const ImageSlot kImageSlots[3] = {
    {&CardRecV4::FrontImage, "FrontImageName", "FrontImage"},
    {&CardRecV4::BackImage, "BackImageName", "BackImage"},
    {&CardRecV4::CImage, "ImageName", "CImage"},
};

}  // namespace

template <int N> void CkvDaoDataset::GetUnit(CardTextUnit<N>& unit, const std::string& prefix)
{
    ReadText((prefix + "_Data").c_str(), unit.Text, sizeof unit.Text);
    GetFieldNameField(unit.FieldName, prefix + "_FieldInfo");
}

template <int N> void CkvDaoDataset::PutUnit(const CardTextUnit<N>& unit, const std::string& prefix)
{
    WriteText((prefix + "_Data").c_str(), unit.Text, sizeof unit.Text);
    PutFieldNameField(unit.FieldName, prefix + "_FieldInfo");
}

int CkvDaoDataset::GetFieldNameField(char (&label)[20], const std::string& prefix)
{
    ReadText((prefix + "_FieldName").c_str(), label, sizeof label);
    return 1;
}

int CkvDaoDataset::PutFieldNameField(const char (&label)[20], const std::string& prefix)
{
    WriteText((prefix + "_FieldName").c_str(), label, sizeof label);
    return 1;
}

int CkvDaoDataset::GetNameFields(CardNameGroup& g, const std::string& prefix)
{
    GetUnit(g.FullName, prefix + "_FullName");
    GetUnit(g.FirstName, prefix + "_FirstName");
    GetUnit(g.LastName, prefix + "_LastName");
    GetUnit(g.MiddleName, prefix + "_MiddleName");
    GetUnit(g.PrefixName, prefix + "_PrefixName");
    GetUnit(g.SuffixName, prefix + "_SuffixName");
    return 1;
}

int CkvDaoDataset::PutNameFields(const CardNameGroup& g, const std::string& prefix)
{
    PutUnit(g.FullName, prefix + "_FullName");
    PutUnit(g.FirstName, prefix + "_FirstName");
    PutUnit(g.LastName, prefix + "_LastName");
    PutUnit(g.MiddleName, prefix + "_MiddleName");
    PutUnit(g.PrefixName, prefix + "_PrefixName");
    PutUnit(g.SuffixName, prefix + "_SuffixName");
    return 1;
}

int CkvDaoDataset::GetAddressFields(CardAddressGroup& g, const std::string& prefix)
{
    GetUnit(g.FullAddress, prefix + "_FullAddress");
    GetUnit(g.Street, prefix + "_Street");
    GetUnit(g.City, prefix + "_City");
    GetUnit(g.State, prefix + "_State");
    GetUnit(g.Country, prefix + "_Country");
    GetUnit(g.ZipCode, prefix + "_ZipCode");
    GetUnit(g.POBOX, prefix + "_POBOX");
    g.LangID = ReadShort((prefix + "_LangID").c_str());
    return 1;
}

int CkvDaoDataset::PutAddressFields(const CardAddressGroup& g, const std::string& prefix)
{
    PutUnit(g.FullAddress, prefix + "_FullAddress");
    PutUnit(g.Street, prefix + "_Street");
    PutUnit(g.City, prefix + "_City");
    PutUnit(g.State, prefix + "_State");
    PutUnit(g.Country, prefix + "_Country");
    PutUnit(g.ZipCode, prefix + "_ZipCode");
    PutUnit(g.POBOX, prefix + "_POBOX");
    rs_->SetFieldValue((prefix + "_LangID").c_str(), CDaoValue::FromShort(g.LangID));
    return 1;
}

int CkvDaoDataset::GetPhoneFields(CardPhoneGroup& g, const std::string& prefix)
{
    GetUnit(g.PhoneNum, prefix + "_PhoneNum");
    g.PhoneType = ReadShort((prefix + "_PhoneType").c_str());
    ReadText((prefix + "_Ext").c_str(), g.Ext, sizeof g.Ext);
    ReadText((prefix + "_CountryCode").c_str(), g.CountryCode, sizeof g.CountryCode);
    ReadText((prefix + "_AreaCode").c_str(), g.AreaCode, sizeof g.AreaCode);
    return 1;
}

int CkvDaoDataset::PutPhoneFields(const CardPhoneGroup& g, const std::string& prefix)
{
    PutUnit(g.PhoneNum, prefix + "_PhoneNum");
    rs_->SetFieldValue((prefix + "_PhoneType").c_str(), CDaoValue::FromShort(g.PhoneType));
    WriteText((prefix + "_Ext").c_str(), g.Ext, kPhonePartWidth);
    WriteText((prefix + "_CountryCode").c_str(), g.CountryCode, kPhonePartWidth);
    WriteText((prefix + "_AreaCode").c_str(), g.AreaCode, kPhonePartWidth);
    return 1;
}

int CkvDaoDataset::GetEmailFields(CardEmailGroup& g, const std::string& prefix)
{
    GetUnit(g.EmailName, prefix + "_EmailName");
    g.EmailType = ReadShort((prefix + "_EmailType").c_str());
    return 1;
}

int CkvDaoDataset::PutEmailFields(const CardEmailGroup& g, const std::string& prefix)
{
    PutUnit(g.EmailName, prefix + "_EmailName");
    rs_->SetFieldValue((prefix + "_EmailType").c_str(), CDaoValue::FromShort(g.EmailType));
    return 1;
}

int CkvDaoDataset::GetFieldRect(CardRecV4& rec)
{
    const CDaoValue& value = rs_->GetFieldValueRef(rs_->GetFieldIndex("FieldRect"));
    if (value.GetKind() != CDaoValue::Bytes || value.AsBytes().size() > kImageBufferSize) return 1;
    const std::vector<uint8_t>& bytes = value.AsBytes();
    char* scratch = images_[2].get();
    // A short array gives zeros for the entries it lacks.
    std::memset(scratch, 0, kRectEntries * 8);
    std::memcpy(scratch, bytes.data(), std::min(bytes.size(), kRectEntries * 8));
    const char* entry = scratch;
    ForEachRect(rec, [&](int32_t* rect) {
        std::memcpy(rect, entry, 8);
        entry += 8;
    });
    return 1;
}

int CkvDaoDataset::PutFieldRect(const CardRecV4& rec)
{
    std::vector<uint8_t> bytes(kRectColumnSize, 0);
    uint8_t* entry = bytes.data();
    ForEachRect(rec, [&](const int32_t* rect) {
        std::memcpy(entry, rect, 8);
        entry += 8;
    });
    rs_->SetFieldValue("FieldRect", CDaoValue::FromBytes(std::move(bytes)));
    return 1;
}

void CkvDaoDataset::GetV4Body(CardRecV4& rec)
{
    rec.ID = ReadLong("ID");
    rec.LinkID = ReadLong("LinkID");
    ReadDate("CDate", rec.CDate);
    ReadDate("BirthDay", rec.BirthDay);
    GetNameFields(rec.ENAME, "ENAME");
    GetNameFields(rec.CNAME, "CNAME");
    for (int i = 0; i < 6; ++i) GetPhoneFields(rec.Phone[i], Numbered("Phone", i));
    for (int k = 0; k < 4; ++k) {
        GetUnit(rec.Company[k], Numbered("Company", k));
        GetUnit(rec.Title[k], Numbered("Title", k));
        GetUnit(rec.Department[k], Numbered("Department", k));
        GetAddressFields(rec.Address[k], Numbered("Address", k));
        GetPhoneFields(rec.Fax[k], Numbered("Fax", k));
        GetEmailFields(rec.Email[k], Numbered("Email", k));
        GetUnit(rec.WebSite[k], Numbered("WebSite", k));
        GetUnit(rec.UserDef[k], Numbered("UserDef", k));
    }
    for (int i = 0; i < 8; ++i) GetUnit(rec.Note[i], Numbered("Note", i));
    GetUnit(rec.TaxID, "TaxID");
    for (int i = 0; i < 16; ++i) rec.Category[i] = ReadShort(Numbered("Category", i).c_str());
    rec.Gender = ReadShort("Gender");
    rec.Flags = ReadShort("Flags");
}

void CkvDaoDataset::PutV4Body(CardRecV4& rec)
{
    WriteDate("CDate", rec.CDate);
    WriteDate("BirthDay", rec.BirthDay);
    PutNameFields(rec.ENAME, "ENAME");
    PutNameFields(rec.CNAME, "CNAME");
    for (int i = 0; i < 6; ++i) PutPhoneFields(rec.Phone[i], Numbered("Phone", i));
    for (int k = 0; k < 4; ++k) {
        PutUnit(rec.Company[k], Numbered("Company", k));
        PutUnit(rec.Title[k], Numbered("Title", k));
        PutUnit(rec.Department[k], Numbered("Department", k));
        PutAddressFields(rec.Address[k], Numbered("Address", k));
        PutPhoneFields(rec.Fax[k], Numbered("Fax", k));
        PutEmailFields(rec.Email[k], Numbered("Email", k));
        PutUnit(rec.WebSite[k], Numbered("WebSite", k));
        PutUnit(rec.UserDef[k], Numbered("UserDef", k));
    }
    for (int i = 0; i < 8; ++i) PutUnit(rec.Note[i], Numbered("Note", i));
    PutUnit(rec.TaxID, "TaxID");
    for (int i = 0; i < 16; ++i) rs_->SetFieldValue(Numbered("Category", i).c_str(), CDaoValue::FromShort(rec.Category[i]));
    rs_->SetFieldValue("Gender", CDaoValue::FromShort(rec.Gender));
    rs_->SetFieldValue("Flags", CDaoValue::FromShort(rec.Flags));
    PutV4Images(rec);
}

void CkvDaoDataset::PutV4Images(CardRecV4& rec)
{
    for (const ImageSlot& slot : kImageSlots) {
        CardRecBlob& blob = rec.*slot.blob;
        if (!blob.Modified) continue;
        WriteText(slot.nameColumn, blob.FileName, sizeof blob.FileName);
        WriteBinary(slot.dataColumn, blob);
        blob.Modified = 0;
    }
}

int CkvDaoDataset::CardRecGetV4(CardRecV4* rec, int withImages)
{
    if (!rec || !HasCurrentRecord()) return 0;
    return GuardDao([&] {
        GetV4Body(*rec);
        for (const ImageSlot& slot : kImageSlots) {
            ResetBlob(rec->*slot.blob);
            (rec->*slot.blob).Data = nullptr;
        }
        GetFieldRect(*rec);
        if (!withImages) return 1;
        for (int i = 0; i < 3; ++i) {
            CardRecBlob& blob = rec->*kImageSlots[i].blob;
            ReadText(kImageSlots[i].nameColumn, blob.FileName, sizeof blob.FileName);
            if (!ReadBinary(rs_->GetFieldValueRef(rs_->GetFieldIndex(kImageSlots[i].dataColumn)), blob, images_[i].get())) return 0;
        }
        return 1;
    });
}

int CkvDaoDataset::CardRecInsertV4(CardRecV4* rec)
{
    if (!rec || !IsOpenSet()) return 0;
    return Store(true, [&] {
        rs_->SetFieldValue("LinkID", CDaoValue::FromLong(rec->LinkID));
        PutV4Body(*rec);
        PutFieldRect(*rec);
    });
}

int CkvDaoDataset::CardRecUpdateV4(CardRecV4* rec)
{
    if (!rec || !IsOpenSet()) return 0;
    return Store(false, [&] { PutV4Body(*rec); });
}
