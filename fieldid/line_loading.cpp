#include "line_loading.h"
#include "matching.h"
#include "names.h"
#include <string.h>
#include "fid_state.h"
#include "glyphutil.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

constexpr int kLastLoadableLine = 30;

// Copies one source line after another into the line store, cutting at runs of blanks.
class CLineWriter {
public:
    bool failed() const { return failed_; }
    int linesUsed() const { return next_; }

    // Starts the store line for a new source line.
    bool beginSourceLine(const LineBox& box) {
        pendingCut_ = false;
        if (!openLine(box)) return false;
        sourceCut_ = false;
        return true;
    }

    // Adds one character (1 or 2 bytes) of the source line; false when the rest of the source
    // line is to be dropped. leftX/rightX are the character's x edges (page only).
    bool put(const char* bytes, int count, bool bullet, int leftX, int rightX) {
        if (sourceCut_) return false;
        if (pendingCut_) {
            if (bytes[0] == ' ' && count == 1) return true;
            LineBox box = sourceBox_;
            if (haveX_) box.left = leftX;
            if (!openLine(box)) return false;
        }
        char* line = g_fid.lines[current_];
        if (length_ + count > kLineMax) {
            sourceCut_ = true;
            return false;
        }
        memcpy(line + length_, bytes, static_cast<size_t>(count));
        length_ += count;
        line[length_] = 0;
        if (count == 1 && bytes[0] == ' ') {
            blanks_ += 1;
            if (blanks_ >= 10 || (blanks_ >= 4 && !isLabelLine())) cutHere();
            return true;
        }
        lastRight_ = rightX;
        if (bullet) blanks_ += 10;
        else blanks_ = (count == 1 && bytes[0] == ':') ? -10 : 0;
        return true;
    }

    void usePageX(bool on) { haveX_ = on; }

private:
    bool openLine(const LineBox& box) {
        if (next_ > kLastLoadableLine) {
            failed_ = true;
            return false;
        }
        current_ = next_++;
        g_fid.boxes[current_] = box;
        if (!pendingCut_) sourceBox_ = box;
        length_ = 0;
        blanks_ = 0;
        pendingCut_ = false;
        lastRight_ = box.right;
        return true;
    }

    void cutHere() {
        if (haveX_) g_fid.boxes[current_].right = lastRight_;
        pendingCut_ = true;
    }

    bool isLabelLine() const {
        char upper[kLineBytes];
        upperCopy(upper, g_fid.lines[current_], sizeof upper);
        for (int w = 0; w < lists::labelWords.count(); ++w) {
            if (!strstr(upper, lists::labelWords.entry(w))) continue;
            if (length_ - blanks_ - lists::labelWords.entryLength(w) < 2) return true;
        }
        return false;
    }

    int next_ = 0;
    int current_ = -1;
    int length_ = 0;
    int blanks_ = 0;
    int lastRight_ = 0;
    bool pendingCut_ = false;
    bool sourceCut_ = false;
    bool failed_ = false;
    bool haveX_ = false;
    LineBox sourceBox_{};
};

void finishLoading(int linesUsed) {
    g_fid.lineCount = linesUsed;
    for (int i = 0; i < linesUsed; ++i) stripTrailing(g_fid.lines[i], " ");
}

int charCode(const RecogChar* c) {
    if (get_attribute(13, c->Attributes, 0) == 1) return '^';
    return Index_to_code(c->GlyphIndex);
}

}  // namespace

int FID_load_page_lines(const RecogPage* page) {
    if (!page || !page->FirstRegion) return 0;
    CLineWriter writer;
    writer.usePageX(true);
    forEachPageLine(page, [&](const RecogLine* line) {
        if (writer.failed()) return;
        LineBox box{line->Rect2.left, line->Rect2.top, line->Rect2.right, line->Rect2.bottom, line->SizeValue};
        if (!writer.beginSourceLine(box)) return;
        const RecogChar* c = line->FirstChar;
        int budget = 100000;
        while (c && budget-- > 0 && charCode(c) == ' ') c = c->Next;
        for (; c && budget-- > 0; c = c->Next) {
            int code = charCode(c);
            if (code == 13 || code == 10) break;
            char bytes[2];
            int count = 1;
            if (code > 0x8000) {
                bytes[0] = static_cast<char>(code >> 8);
                bytes[1] = static_cast<char>(code & 0xFF);
                count = 2;
            } else {
                bytes[0] = static_cast<char>(code);
            }
            if (count == 1 && bytes[0] == 0) break;
            if (!writer.put(bytes, count, code == 0x95, c->Rect2.left, c->Rect2.right)) {
                if (writer.failed()) return;
                break;
            }
        }
    });
    if (writer.failed()) return 0;
    finishLoading(writer.linesUsed());
    return 1;
}

int FID_load_string_lines(const char* text, int lineStride, int lineCount) {
    if (!text || lineStride < 1 || lineCount < 1) return 0;
    CLineWriter writer;
    for (int k = 0; k < lineCount; ++k) {
        const char* s = text + static_cast<size_t>(k) * lineStride;
        if (!writer.beginSourceLine(LineBox{})) return 0;
        // A source line never reads past its own stride.
        int i = 0;
        while (i < lineStride && s[i] == ' ') ++i;
        while (i < lineStride && s[i] && s[i] != '\r' && s[i] != '\n') {
            int count = (isHighByte(s[i]) && i + 1 < lineStride && s[i + 1]) ? 2 : 1;
            if (!writer.put(s + i, count, false, 0, 0)) {
                if (writer.failed()) return 0;
                break;
            }
            i += count;
        }
    }
    if (writer.failed()) return 0;
    finishLoading(writer.linesUsed());
    return 1;
}

namespace {

int lettersOrDigitsBefore(const char* s) {
    int n = 0;
    for (; *s && *s != ',' && *s != '/'; ++s) n += isAlnum(*s);
    return n;
}

int findSplitPoint(const char* line) {
    char upper[kLineBytes];
    upperCopy(upper, line, sizeof upper);
    int length = static_cast<int>(strlen(upper));
    int accepted = -1;
    for (int l = 0; l < lists::serviceLabels.count(); ++l) {
        const char* label = lists::serviceLabels.entry(l);
        int labelLength = lists::serviceLabels.entryLength(l);
        int from = accepted >= 0 ? accepted + 1 : 5;
        for (int pos = findText(upper, label, from); pos >= 0; pos = findText(upper, label, pos + 1)) {
            int end = pos + labelLength;
            if (end >= length) continue;
            if (lettersOrDigitsBefore(upper + end) <= 2) continue;
            if (pos > accepted) accepted = pos;
        }
    }
    return accepted;
}

int xOfCharacterAt(const RecogPage* page, const LineBox& box, int position) {
    int found = -1;
    forEachPageLine(page, [&](const RecogLine* line) {
        if (found >= 0 || line->Rect2.left != box.left || line->Rect2.top != box.top) return;
        const RecogChar* c = line->FirstChar;
        int budget = 100000;
        while (c && budget-- > 0 && charCode(c) == ' ') c = c->Next;
        for (int bytes = 0; c && budget-- > 0; c = c->Next) {
            if (bytes == position) {
                found = c->Rect2.left;
                return;
            }
            bytes += charCode(c) > 0x8000 ? 2 : 1;
            if (bytes > position) return;
        }
    });
    return found;
}

void moveLine(int from, int to) {
    if (from == to) return;
    memcpy(g_fid.lines[to], g_fid.lines[from], kLineBytes);
    g_fid.boxes[to] = g_fid.boxes[from];
    memset(g_fid.lines[from], 0, kLineBytes);
    g_fid.boxes[from] = LineBox{};
}

}  // namespace

void FID_split_service_labels(const RecogPage* page) {
    int countAtStart = g_fid.lineCount;
    for (int i = 0; i < countAtStart; ++i) {
        int j = kMaxLines - 1;
        for (;;) {
            char* line = g_fid.lines[i];
            int split = strlen(line) < 10 ? -1 : findSplitPoint(line);
            if (split < 0) break;
            if (j < g_fid.lineCount) return;
            const char* piece = line + split;
            if (*piece == ' ') ++piece;
            copyBounded(g_fid.lines[j], kLineBytes, piece);
            LineBox box = g_fid.boxes[i];
            int x = page ? xOfCharacterAt(page, g_fid.boxes[i], split) : -1;
            if (x >= 0) {
                box.left = x;
                g_fid.boxes[i].right = x;
            }
            g_fid.boxes[j] = box;
            line[split] = 0;
            --j;
        }
        for (int k = j; k < kMaxLines; ++k) {
            if (k < g_fid.lineCount || !g_fid.lines[k][0]) continue;
            moveLine(k, g_fid.lineCount++);
        }
    }
}

namespace {

// A degree word of letters alone ("KAUFMANN", "DOKTOR") right behind a first name is the
// surname of the card's person ("Hans Kaufmann"), not a degree.
bool surnameBehindFirstName(const char* upper, int pos, const char* word) {
    for (const char* p = word; *p; ++p)
        if (!isLetter(*p) && !isHighByte(*p)) return false;
    int end = pos;
    while (end > 0 && upper[end - 1] == ' ') --end;
    int start = end;
    while (start > 0 && upper[start - 1] != ' ') --start;
    if (start == end) return false;
    char previous[kLineBytes];
    copyBoundedN(previous, sizeof previous, upper + start, static_cast<size_t>(end - start));
    return firstNameSex(previous) != 0;
}

// Marks the degree word's whole-word occurrences in mask; returns how many there are.
int markDegreeWord(const char* upper, const char* word, int length, bool* mask) {
    int marked = 0;
    for (int pos = findText(upper, word); pos >= 0; pos = findText(upper, word, pos + 1)) {
        if (!boundariesHold(upper, pos, length, Match::WholeWord) || surnameBehindFirstName(upper, pos, word)) continue;
        for (int k = 0; k < length; ++k) mask[pos + k] = true;
        ++marked;
    }
    return marked;
}

}  // namespace

void FID_cut_german_degrees() {
    int filled = 0;
    for (int j = 0; j < g_fid.lineCount && filled < kDegreeRecords; ++j) {
        char* line = g_fid.lines[j];
        char upper[kLineBytes];
        upperCopy(upper, line, sizeof upper);
        if (strstr(upper, "WWW") || strstr(upper, "MAIL")) continue;
        int length = static_cast<int>(strlen(upper));
        bool mask[kLineBytes] = {};
        int found = 0;
        for (int w = 0; w < lists::degreeWords.count(); ++w) {
            if (!markDegreeWord(upper, lists::degreeWords.entry(w), lists::degreeWords.entryLength(w), mask)) continue;
            ++found;
            cell(FieldName, j) += 5;
        }
        if (!found) continue;
        int a = 0, last = length - 1;
        while (a < length && !mask[a]) ++a;
        while (last > 0 && !mask[last]) --last;
        int e = length - 1 - last;
        DegreeRecord& rec = g_fid.degrees[filled++];
        if (a > 5) {
            copyBounded(rec.text, sizeof rec.text, line + a);
            line[a] = 0;
        } else if (e > 5) {
            copyBoundedN(rec.text, sizeof rec.text, line, static_cast<size_t>(last + 1));
            memmove(line, line + last + 1, strlen(line + last + 1) + 1);
        } else {
            copyBounded(rec.text, sizeof rec.text, line);
            line[0] = 0;
            cell(FieldName, j) = 0;
        }
        rec.line = j;
        rec.rect = g_fid.boxes[j];
        rec.score = found * 50 > 100 ? 100 : found * 50;
    }
}
