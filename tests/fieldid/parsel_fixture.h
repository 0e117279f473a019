// Drives Parsel.dll through its exported names, from strings or from a built engine page.
#pragma once
#include <string.h>
#include <memory>
#include <string>
#include <vector>
#include "cardinfo.h"
#include "dll_module.h"
#include "recogpage.h"

using GetFidWesternFn = int32_t (*)(const RecogPage*, CardInfo*, int32_t);
using GetFidFromStringsFn = int32_t (*)(const char*, int32_t, int32_t, CardInfo*, int32_t);
using SeparateAddrFn = int32_t (*)(const char*, char*, char*, char*, char*, char*, int32_t);
using SeparateNameFn = int32_t (*)(char*, char*, char*, char*, char*, char*);
using RecheckFn = int32_t (*)(CardInfo*);

class Parsel {
public:
    Parsel() : dll_("Parsel.dll") {
        fromPage = dll_.require<GetFidWesternFn>("Get_FID_Western");
        fromStrings = dll_.require<GetFidFromStringsFn>("Get_FID_Western_From_Strings");
        separateAddr = dll_.require<SeparateAddrFn>("FID_separate_full_addr");
        separateName = dll_.require<SeparateNameFn>("FID_separate_full_name");
        recheck = dll_.require<RecheckFn>("RecheckImportantFieldInCardInfo");
    }
    bool ready() const { return dll_.loaded() && fromPage && fromStrings && separateAddr && separateName && recheck; }

    // Identifies the lines given as strings (128-byte stride); returns the export's result.
    int identify(const std::vector<std::string>& lines, int kind, CardInfo& info) {
        block_.assign(lines.size() * 128 + 1, '\0');
        for (size_t i = 0; i < lines.size(); ++i) lines[i].copy(&block_[i * 128], 127);
        info = CardInfo{};
        return fromStrings(block_.data(), 128, static_cast<int32_t>(lines.size()), &info, kind);
    }

    // The same lines as a built page, one line every 30 pixels, so that the boxes take part.
    int identifyPage(const std::vector<std::string>& lines, int kind, CardInfo& info);

    GetFidWesternFn fromPage = nullptr;
    GetFidFromStringsFn fromStrings = nullptr;
    SeparateAddrFn separateAddr = nullptr;
    SeparateNameFn separateName = nullptr;
    RecheckFn recheck = nullptr;

private:
    DllModule dll_;
    std::string block_;
};

// All values of a field kind, in slot order.
inline std::vector<std::string> values(const CardInfo& info, int kind) {
    std::vector<std::string> out;
    const CardInfoSlot& slot = info.Field[kind];
    for (int i = 0; i < slot.Count && i < 4; ++i) out.push_back(slot.Text[i] ? slot.Text[i] : "");
    return out;
}

// A value without the blanks that name fields carry behind them.
inline std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

inline std::string first(const CardInfo& info, int kind) {
    auto v = values(info, kind);
    return v.empty() ? std::string() : v[0];
}

// A page of text lines built the way the engine lays them out: one region, one block.
class PageBuilder {
public:
    PageBuilder() { page_ = RecogPage{}; }
    // Adds a text line at the given top; characters 8 pixels wide. uncertainAt marks one
    // character as uncertain (-1: none).
    void addLine(const std::string& text, int top, int uncertainAt = -1, int kind = 10) {
        lines_.push_back(std::make_unique<RecogLine>());
        RecogLine& line = *lines_.back();
        line = RecogLine{};
        line.Kind = kind;
        line.Rect2 = RecogBox{20, top, 20 + 8 * static_cast<int>(text.size()), top + 20};
        line.SizeValue = 20;
        RecogChar* previous = nullptr;
        for (size_t i = 0; i < text.size(); ++i) {
            chars_.push_back(std::make_unique<RecogChar>());
            RecogChar& c = *chars_.back();
            c = RecogChar{};
            c.GlyphIndex = static_cast<unsigned char>(text[i]);
            c.Rect2 = RecogBox{20 + 8 * static_cast<int>(i), top, 28 + 8 * static_cast<int>(i), top + 20};
            if (static_cast<int>(i) == uncertainAt) c.Attributes[13] = 1;
            if (previous) previous->Next = &c;
            else line.FirstChar = &c;
            previous = &c;
        }
        if (!lines_.empty() && lines_.size() > 1) lines_[lines_.size() - 2]->Next = &line;
    }
    const RecogPage* page() {
        block_ = RecogBlock{};
        region_ = RecogRegion{};
        block_.FirstLine = lines_.empty() ? nullptr : lines_.front().get();
        region_.FirstBlock = &block_;
        page_.FirstRegion = &region_;
        return &page_;
    }
    RecogPage* pageWithoutRegions() {
        page_.FirstRegion = nullptr;
        return &page_;
    }

private:
    RecogPage page_;
    RecogRegion region_{};
    RecogBlock block_{};
    std::vector<std::unique_ptr<RecogLine>> lines_;
    std::vector<std::unique_ptr<RecogChar>> chars_;
};

inline int Parsel::identifyPage(const std::vector<std::string>& lines, int kind, CardInfo& info) {
    PageBuilder page;
    for (size_t i = 0; i < lines.size(); ++i) page.addLine(lines[i], 30 * static_cast<int>(i));
    info = CardInfo{};
    return fromPage(page.page(), &info, kind);
}

// One call of FID_separate_full_name and what it must give back.
struct NameCase {
    const char* full;
    int result;
    const char* prefix;
    const char* first;
    const char* middle;
    const char* last;
    const char* suffix;
    const char* rewritten;
};

inline void expectSeparatedName(Parsel& p, const NameCase& c) {
    char full[64], prefix[64], firstName[64], middle[64], last[64], suffix[64];
    strcpy(full, c.full);
    EXPECT_EQ(p.separateName(full, prefix, firstName, middle, last, suffix), c.result) << c.full;
    EXPECT_STREQ(prefix, c.prefix) << c.full;
    EXPECT_STREQ(firstName, c.first) << c.full;
    EXPECT_STREQ(middle, c.middle) << c.full;
    EXPECT_STREQ(last, c.last) << c.full;
    EXPECT_STREQ(suffix, c.suffix) << c.full;
    EXPECT_EQ(trimmed(full), c.rewritten) << c.full;
}
