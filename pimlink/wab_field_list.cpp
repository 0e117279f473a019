#include "wab_field_list.h"

namespace ferrow {

const WabField kWabFieldList[kWabFields] = {
    {0x3001001E, 2, 51, 50},     {0x3A11001E, 53, 31, 30},   {0x3A06001E, 84, 31, 30},   {0x3A4F001E, 115, 31, 30},
    {0x3A45001E, 146, 81, 30},   {0x3A16001E, 227, 61, 60},  {0x3A17001E, 288, 81, 80},  {0x3A18001E, 369, 31, 30},
    {0x3A29001E, 400, 256, 255}, {0x3A27001E, 656, 31, 30},  {0x3A28001E, 687, 31, 30},  {0x3A2A001E, 718, 11, 10},
    {0x3A26001E, 729, 31, 30},   {0x3A19001E, 760, 31, 30},  {0x3A08001E, 791, 31, 30},  {0x800A001E, 822, 31, 30},
    {0x3A21001E, 853, 31, 30},   {0x3A24001E, 884, 31, 30},  {0x3A51001E, 915, 51, 30},  {0x3A5D001E, 966, 256, 255},
    {0x3A59001E, 1222, 31, 30},  {0x3A5C001E, 1253, 31, 30}, {0x3A5B001E, 1284, 11, 10}, {0x3A5A001E, 1295, 31, 30},
    {0x3A09001E, 1326, 31, 30},  {0x3A25001E, 1357, 31, 30}, {0x3A50001E, 1388, 51, 50}, {0x3A1C001E, 1439, 31, 30},
    {0x3004001E, 1470, 256, 80}, {0x3003001E, 1726, 81, 80}, {0x800F001E, 1807, 31, 30}, {0x800E001E, 1838, 31, 30},
};

const WabField* FindWabField(ULONG tag) {
    for (const WabField& field : kWabFieldList)
        if (field.tag == tag) return &field;
    return nullptr;
}

void TerminateWabFieldList(char* list) {
    for (const WabField& field : kWabFieldList) list[field.offset + field.width - 1] = '\0';
}

}  // namespace ferrow
