#include "exchange_layouts.h"

namespace ferrow {

namespace {

template <int N>
ExchangeField FromTable(const ExchangeField (&table)[N], int id) {
    return id >= 1 && id <= N ? table[id - 1] : ExchangeField{0, 0};
}

const ExchangeField kOutlook[50] = {
    {2, 50},
    {53, 30},
    {84, 30},
    {115, 60},
    {176, 80},
    {257, 50},
    {308, 30},
    {339, 80},
    {420, 30},
    {451, 255},
    {707, 30},
    {738, 30},
    {769, 10},
    {780, 30},
    {811, 255},
    {1067, 30},
    {1098, 30},
    {1129, 10},
    {1140, 30},
    {1171, 255},
    {1427, 30},
    {1458, 30},
    {1489, 10},
    {1500, 30},
    {1531, 30},
    // 26-43: the phones, one every 31 bytes
    {1562, 30},
    {1593, 30},
    {1624, 30},
    {1655, 30},
    {1686, 30},
    {1717, 30},
    {1748, 30},
    {1779, 30},
    {1810, 30},
    {1841, 30},
    {1872, 30},
    {1903, 30},
    {1934, 30},
    {1965, 30},
    {1996, 30},
    {2027, 30},
    {2058, 30},
    {2089, 30},
    {2120, 50},
    {2171, 80},
    {2252, 80},
    {2333, 80},
    {2414, 30},
    {2445, 30},
    {2476, 60},
};

const ExchangeField kWab[32] = {
    {2, 50},    {53, 30},   {84, 30},   {115, 30},  {146, 80},   {227, 60},  {288, 80},  {369, 30},
    {400, 255}, {656, 30},  {687, 30},  {718, 10},  {729, 30},   {760, 30},  {791, 30},  {822, 30},
    {853, 30},  {884, 30},  {915, 50},  {966, 255}, {1222, 30},  {1253, 30}, {1284, 10}, {1295, 30},
    {1326, 30}, {1357, 30}, {1388, 50}, {1439, 30}, {1470, 255}, {1726, 80}, {1838, 30}, {1807, 30},
};

const ExchangeField kPalm[22] = {
    {2, 50},   {53, 50},  {185, 80}, {104, 80},  {266, 255},  {522, 30}, {553, 30}, {584, 10}, {595, 30},
    {0, 0},    {0, 0},    {0, 0},    {0, 0},     {0, 0},      {0, 0},    {0, 0},    {0, 0},  // phones: shared entries
    {792, 80}, {873, 80}, {954, 80}, {1035, 80}, {1116, 255},
};

const ExchangeField kCe[46] = {
    {2, 50},    {53, 30},   {84, 30},   {115, 30},  {146, 80},   {227, 80},  {0, 0},     {339, 60},
    {400, 50},  {451, 80},  {532, 255}, {788, 30},  {819, 30},   {850, 10},  {861, 30},  {892, 255},
    {1148, 30}, {1179, 30}, {1210, 10}, {1221, 30}, {1252, 255}, {1508, 30}, {1539, 30}, {1570, 10},
    {1581, 30}, {1612, 30}, {1643, 30}, {1674, 30}, {1705, 30},  {1736, 30}, {1767, 30}, {1798, 30},
    {1829, 30}, {1860, 30}, {1891, 30}, {1922, 30}, {1953, 50},  {2004, 80}, {2085, 80}, {2166, 80},
    {2247, 80}, {2328, 50}, {2379, 50}, {0, 0},     {0, 0},      {2448, 50},
};

// ACT! texts are packed: each field starts where the previous one's text ends.
const int kActOffsets[59] = {
    4,    54,   84,   114,  164,  214,  294,  374,  454,  484,  564,  594,  849,  879,  909,
    919,  949,  1204, 1459, 1714, 1969, 1999, 2029, 2039, 2069, 2099, 2109, 2139, 2149, 2179,
    2209, 2219, 2249, 2259, 2289, 2319, 2329, 2359, 2409, 2459, 2539, 2589, 2669, 2699, 2709,
    2759, 2809, 2859, 2909, 2959, 3009, 3059, 3109, 3159, 3209, 3259, 3309, 3359, 3409,
};

int ActWidth(int id) {
    switch (id) {
    case 15:
    case 23:
    case 26:
    case 28:
    case 31:
    case 33:
    case 36:
    case 44: return 10;
    case 12:
    case 17:
    case 18:
    case 19:
    case 20: return 255;
    case 6:
    case 7:
    case 8:
    case 10:
    case 40:
    case 42: return 80;
    case 2:
    case 3:
    case 9:
    case 11:
    case 13:
    case 14:
    case 16:
    case 21:
    case 22:
    case 24:
    case 25:
    case 27:
    case 29:
    case 30:
    case 32:
    case 34:
    case 35:
    case 37:
    case 43: return 30;
    default: return 50;
    }
}

}  // namespace

ExchangeField OutlookField(int id) { return FromTable(kOutlook, id); }

ExchangeField OutlookReadField(int id) {
    switch (id) {
    case 48: return OutlookField(3);
    case 49: return OutlookField(2);
    case 50: return OutlookField(4);
    default: return OutlookField(id);
    }
}

ExchangeField WabField(int id) { return FromTable(kWab, id); }
ExchangeField PalmField(int id) { return FromTable(kPalm, id); }
ExchangeField CeField(int id) { return FromTable(kCe, id); }

ExchangeField ActField(int id) {
    if (id < 1 || id > 59) return {0, 0};
    return {kActOffsets[id - 1], ActWidth(id)};
}

}  // namespace ferrow
