// V4 card records to and from the current row, column group by column group.
#include <cstring>

#include "kvdb_dao_dataset.h"

namespace {

std::string Numbered(const char* stem, int n) { return stem + std::to_string(n); }

// The short phone texts live in char[10] fields over columns of 5 characters; longer texts
// are cut to the column rather than failing the whole record.
const size_t kPhonePartWidth = 6;

// Calls visit(unit, columnSuffix) for the units of a name group, in column order.
template <class Group, class Visit>
void ForEachNameUnit(Group& g, Visit&& visit) {
    visit(g.FullName, "_FullName");
    visit(g.FirstName, "_FirstName");
    visit(g.LastName, "_LastName");
    visit(g.MiddleName, "_MiddleName");
    visit(g.PrefixName, "_PrefixName");
    visit(g.SuffixName, "_SuffixName");
}

// Calls visit(unit, columnSuffix) for the text units of an address group, in column order.
template <class Group, class Visit>
void ForEachAddressUnit(Group& g, Visit&& visit) {
    visit(g.FullAddress, "_FullAddress");
    visit(g.Street, "_Street");
    visit(g.City, "_City");
    visit(g.State, "_State");
    visit(g.Country, "_Country");
    visit(g.ZipCode, "_ZipCode");
    visit(g.POBOX, "_POBOX");
}

// Calls visit(int32_t* rect) for the 78 units that keep a rectangle, in "FieldRect" order.
template <class Rec, class Visit>
void ForEachRect(Rec& rec, Visit&& visit) {
    auto rectOf = [&](auto& unit, const char*) { visit(unit.FieldRect); };
    ForEachNameUnit(rec.ENAME, rectOf);
    ForEachNameUnit(rec.CNAME, rectOf);
    for (auto& phone : rec.Phone) visit(phone.PhoneNum.FieldRect);
    for (int k = 0; k < 4; ++k) {
        visit(rec.Company[k].FieldRect);
        visit(rec.Title[k].FieldRect);
        visit(rec.Department[k].FieldRect);
        ForEachAddressUnit(rec.Address[k], rectOf);
        visit(rec.Fax[k].PhoneNum.FieldRect);
        visit(rec.Email[k].EmailName.FieldRect);
        visit(rec.WebSite[k].FieldRect);
    }
    for (auto& note : rec.Note) visit(note.FieldRect);
}

// Calls visit(part, column) for the dates, column groups, units and small numbers of a V4
// record (not its key, link, images or rectangles), in column order. Reading and writing
// both walk it, so a column cannot be read under one name and written under another.
template <class Rec, class Visit>
void ForEachV4Column(Rec& rec, Visit&& visit) {
    visit(rec.CDate, "CDate");
    visit(rec.BirthDay, "BirthDay");
    visit(rec.ENAME, "ENAME");
    visit(rec.CNAME, "CNAME");
    for (int i = 0; i < 6; ++i) visit(rec.Phone[i], Numbered("Phone", i));
    for (int k = 0; k < 4; ++k) {
        visit(rec.Company[k], Numbered("Company", k));
        visit(rec.Title[k], Numbered("Title", k));
        visit(rec.Department[k], Numbered("Department", k));
        visit(rec.Address[k], Numbered("Address", k));
        visit(rec.Fax[k], Numbered("Fax", k));
        visit(rec.Email[k], Numbered("Email", k));
        visit(rec.WebSite[k], Numbered("WebSite", k));
        visit(rec.UserDef[k], Numbered("UserDef", k));
    }
    for (int i = 0; i < 8; ++i) visit(rec.Note[i], Numbered("Note", i));
    visit(rec.TaxID, "TaxID");
    for (int i = 0; i < 16; ++i) visit(rec.Category[i], Numbered("Category", i));
    visit(rec.Gender, "Gender");
    visit(rec.Flags, "Flags");
}

// One callable out of several lambdas, each taking the part type it handles.
template <class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

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

template <int N>
void CkvDaoDataset::GetUnit(CardTextUnit<N>& unit, const std::string& prefix) {
    ReadText((prefix + "_Data").c_str(), unit.Text, sizeof unit.Text);
    GetFieldNameField(unit.FieldName, prefix + "_FieldInfo");
}

template <int N>
void CkvDaoDataset::PutUnit(const CardTextUnit<N>& unit, const std::string& prefix) {
    WriteText((prefix + "_Data").c_str(), unit.Text, sizeof unit.Text);
    PutFieldNameField(unit.FieldName, prefix + "_FieldInfo");
}

int CkvDaoDataset::GetFieldNameField(char (&label)[20], const std::string& prefix) {
    ReadText((prefix + "_FieldName").c_str(), label, sizeof label);
    return 1;
}

int CkvDaoDataset::PutFieldNameField(const char (&label)[20], const std::string& prefix) {
    WriteText((prefix + "_FieldName").c_str(), label, sizeof label);
    return 1;
}

int CkvDaoDataset::GetNameFields(CardNameGroup& g, const std::string& prefix) {
    ForEachNameUnit(g, [&](auto& unit, const char* suffix) { GetUnit(unit, prefix + suffix); });
    return 1;
}

int CkvDaoDataset::PutNameFields(const CardNameGroup& g, const std::string& prefix) {
    ForEachNameUnit(g, [&](const auto& unit, const char* suffix) { PutUnit(unit, prefix + suffix); });
    return 1;
}

int CkvDaoDataset::GetAddressFields(CardAddressGroup& g, const std::string& prefix) {
    ForEachAddressUnit(g, [&](auto& unit, const char* suffix) { GetUnit(unit, prefix + suffix); });
    g.LangID = ReadShort((prefix + "_LangID").c_str());
    return 1;
}

int CkvDaoDataset::PutAddressFields(const CardAddressGroup& g, const std::string& prefix) {
    ForEachAddressUnit(g, [&](const auto& unit, const char* suffix) { PutUnit(unit, prefix + suffix); });
    PutAt(Column((prefix + "_LangID").c_str()), CDaoValue::FromShort(g.LangID));
    return 1;
}

int CkvDaoDataset::GetPhoneFields(CardPhoneGroup& g, const std::string& prefix) {
    GetUnit(g.PhoneNum, prefix + "_PhoneNum");
    g.PhoneType = ReadShort((prefix + "_PhoneType").c_str());
    ReadText((prefix + "_Ext").c_str(), g.Ext, sizeof g.Ext);
    ReadText((prefix + "_CountryCode").c_str(), g.CountryCode, sizeof g.CountryCode);
    ReadText((prefix + "_AreaCode").c_str(), g.AreaCode, sizeof g.AreaCode);
    return 1;
}

int CkvDaoDataset::PutPhoneFields(const CardPhoneGroup& g, const std::string& prefix) {
    PutUnit(g.PhoneNum, prefix + "_PhoneNum");
    PutAt(Column((prefix + "_PhoneType").c_str()), CDaoValue::FromShort(g.PhoneType));
    WriteText((prefix + "_Ext").c_str(), g.Ext, kPhonePartWidth);
    WriteText((prefix + "_CountryCode").c_str(), g.CountryCode, kPhonePartWidth);
    WriteText((prefix + "_AreaCode").c_str(), g.AreaCode, kPhonePartWidth);
    return 1;
}

int CkvDaoDataset::GetEmailFields(CardEmailGroup& g, const std::string& prefix) {
    GetUnit(g.EmailName, prefix + "_EmailName");
    g.EmailType = ReadShort((prefix + "_EmailType").c_str());
    return 1;
}

int CkvDaoDataset::PutEmailFields(const CardEmailGroup& g, const std::string& prefix) {
    PutUnit(g.EmailName, prefix + "_EmailName");
    PutAt(Column((prefix + "_EmailType").c_str()), CDaoValue::FromShort(g.EmailType));
    return 1;
}

int CkvDaoDataset::GetFieldRect(CardRecV4& rec) {
    const CDaoValue& value = ValueAt(Column("FieldRect"));
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

int CkvDaoDataset::PutFieldRect(const CardRecV4& rec) {
    std::vector<uint8_t> bytes(kRectColumnSize, 0);
    uint8_t* entry = bytes.data();
    ForEachRect(rec, [&](const int32_t* rect) {
        std::memcpy(entry, rect, 8);
        entry += 8;
    });
    PutAt(Column("FieldRect"), CDaoValue::FromBytes(std::move(bytes)));
    return 1;
}

void CkvDaoDataset::GetV4Body(CardRecV4& rec) {
    rec.ID = ReadLong("ID");
    rec.LinkID = ReadLong("LinkID");
    ForEachV4Column(rec, Overloaded{
                             [&](int32_t* parts, const std::string& column) { ReadDate(column.c_str(), parts); },
                             [&](int16_t& number, const std::string& column) { number = ReadShort(column.c_str()); },
                             [&](CardNameGroup& g, const std::string& column) { GetNameFields(g, column); },
                             [&](CardAddressGroup& g, const std::string& column) { GetAddressFields(g, column); },
                             [&](CardPhoneGroup& g, const std::string& column) { GetPhoneFields(g, column); },
                             [&](CardEmailGroup& g, const std::string& column) { GetEmailFields(g, column); },
                             [&](auto& unit, const std::string& column) -> void { GetUnit(unit, column); },
                         });
}

void CkvDaoDataset::PutV4Body(CardRecV4& rec) {
    const CardRecV4& source = rec;
    ForEachV4Column(source,
                    Overloaded{
                        [&](const int32_t* parts, const std::string& column) { WriteDate(column.c_str(), parts); },
                        [&](const int16_t& number, const std::string& column) {
                            PutAt(Column(column.c_str()), CDaoValue::FromShort(number));
                        },
                        [&](const CardNameGroup& g, const std::string& column) { PutNameFields(g, column); },
                        [&](const CardAddressGroup& g, const std::string& column) { PutAddressFields(g, column); },
                        [&](const CardPhoneGroup& g, const std::string& column) { PutPhoneFields(g, column); },
                        [&](const CardEmailGroup& g, const std::string& column) { PutEmailFields(g, column); },
                        [&](const auto& unit, const std::string& column) -> void { PutUnit(unit, column); },
                    });
    PutV4Images(rec);
}

void CkvDaoDataset::PutV4Images(CardRecV4& rec) {
    for (const ImageSlot& slot : kImageSlots) {
        CardRecBlob& blob = rec.*slot.blob;
        if (!blob.Modified) continue;
        WriteText(slot.nameColumn, blob.FileName, sizeof blob.FileName);
        WriteBinary(slot.dataColumn, blob);
        blob.Modified = 0;
    }
}

int CkvDaoDataset::CardRecGetV4(CardRecV4* rec, int withImages) {
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
            if (!ReadBinary(ValueAt(Column(kImageSlots[i].dataColumn)), blob, images_[i].get())) return 0;
        }
        return 1;
    });
}

int CkvDaoDataset::CardRecInsertV4(CardRecV4* rec) {
    if (!rec || !IsOpenSet()) return 0;
    return Store(true, [&] {
        PutAt(Column("LinkID"), CDaoValue::FromLong(rec->LinkID));
        PutV4Body(*rec);
        PutFieldRect(*rec);
    });
}

int CkvDaoDataset::CardRecUpdateV4(CardRecV4* rec) {
    if (!rec || !IsOpenSet()) return 0;
    return Store(false, [&] { PutV4Body(*rec); });
}
