// One pixel of a packed row at 1, 4, 8 or 24 bits (24-bit values as blue | green << 8 |
// red << 16, the byte order of the rows). 1-bit pixels are most significant bit first.
#pragma once
#include <stdint.h>

static inline uint32_t ReadRowPixel(const uint8_t* row, int x, int bits) {
    switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return x & 1 ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    case 8: return row[x];
    default: return row[3 * x] | (uint32_t)row[3 * x + 1] << 8 | (uint32_t)row[3 * x + 2] << 16;
    }
}

static inline void WriteRowPixel(uint8_t* row, int x, int bits, uint32_t value) {
    switch (bits) {
    case 1: {
        uint8_t mask = (uint8_t)(0x80 >> (x & 7));
        row[x >> 3] = value ? (uint8_t)(row[x >> 3] | mask) : (uint8_t)(row[x >> 3] & ~mask);
        break;
    }
    case 4:
        row[x >> 1] = x & 1 ? (uint8_t)((row[x >> 1] & 0xF0) | (value & 0x0F))
                            : (uint8_t)((row[x >> 1] & 0x0F) | (value & 0x0F) << 4);
        break;
    case 8: row[x] = (uint8_t)value; break;
    default:
        row[3 * x] = (uint8_t)value;
        row[3 * x + 1] = (uint8_t)(value >> 8);
        row[3 * x + 2] = (uint8_t)(value >> 16);
    }
}
