// Builds word-list file images byte by byte, so tests can make good files and every kind of
// broken one.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

struct QktrWord {
    std::string text;
    int32_t attributeIndex;
    int32_t value;
};

struct QktrSpec {
    int32_t language = 3;
    int32_t format = 0;
    std::vector<QktrWord> words;       // written in this order
    std::vector<std::string> records;  // each cut or padded to recordSize
    int32_t recordSize = 4;
};

inline void PutInt32(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
}

inline void PokeInt32(std::vector<uint8_t>& image, size_t offset, int32_t v) {
    for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<uint8_t>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
}

// The image before scrambling.
inline std::vector<uint8_t> PlainImage(const QktrSpec& spec) {
    std::vector<uint8_t> out = {'Q', 'K', 'T', 'R', '_', 'B', 'I', 'N', 0, 0, 0, 0, 0, 0};
    PutInt32(out, spec.language);
    PutInt32(out, spec.format);
    PutInt32(out, static_cast<int32_t>(spec.words.size()));
    for (const QktrWord& w : spec.words) {
        out.push_back(static_cast<uint8_t>(w.text.size()));
        out.insert(out.end(), w.text.begin(), w.text.end());
        out.push_back(0);
        PutInt32(out, w.attributeIndex);
        PutInt32(out, w.value);
    }
    PutInt32(out, static_cast<int32_t>(spec.records.size()));
    PutInt32(out, spec.recordSize);
    for (const std::string& r : spec.records)
        for (int32_t i = 0; i < spec.recordSize; ++i)
            out.push_back(i < static_cast<int32_t>(r.size()) ? static_cast<uint8_t>(r[i]) : 0);
    return out;
}

inline std::vector<uint8_t> Scrambled(std::vector<uint8_t> image) {
    for (size_t i = 0; i < image.size(); ++i) image[i] ^= static_cast<uint8_t>(i & 0xFF);
    return image;
}
