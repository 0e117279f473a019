// Single-page recognition: the OCR program reads the page, its words become the page
// structure, and the project's field identification sorts the lines into field kinds.
#include <windows.h>
#include <string.h>
#include <deque>
#include <string>
#include "callbacks.h"
#include "cardinfo.h"
#include "database.h"
#include "line_fields.h"
#include "document_registry.h"
#include "ocr_program.h"
#include "page_image.h"
#include "page_images.h"
#include "page_structure.h"
#include "parsel.h"
#include "trace.h"
#include "tvrksdk.h"

namespace {

unsigned TextCodePage() { return ReadsChinese() ? 936 : 1252; }

struct Recognition {
    PageStructure Structure;
    std::vector<OcrWord> Words;
    CardInfo Fields;
    std::deque<std::string> Texts;  // the texts Fields points to
    int LanguageCode = 15;
    bool ToldNoProgram = false;
};

Recognition& State() {
    static Recognition state;
    return state;
}

const char* OcrLanguage(int code) {
    if (ReadsChinese()) return "chi_sim+eng";
    switch (code) {
    case 101: return "deu+eng";
    case 102: return "fra+eng";
    case 103: return "ita+eng";
    case 104: return "spa+eng";
    default: return "eng";
    }
}

void ShowWaiting(int elapsedMs) {
    int done = 10 + elapsedMs / 40;
    NotifyProgress(static_cast<uint16_t>(done < 90 ? done : 90), 100);
}

// Reads the pages; tells the host once per process when there is no OCR program.
OcrStatus ReadPages(const std::vector<BinaryPage>& pages, OcrLayout layout, std::vector<std::vector<OcrWord>>& words) {
    Recognition& s = State();
    unsigned codePage = TextCodePage();
    OcrStatus status = ReadPagesWithOcr(pages, layout, OcrLanguage(s.LanguageCode), EngineWorkFolder(), words,
                                        ShowWaiting, "", codePage);
    if (status == OcrStatus::Failed && (s.LanguageCode != 15 || ReadsChinese()))  // a language the host lacks
        status = ReadPagesWithOcr(pages, layout, "eng", EngineWorkFolder(), words, ShowWaiting, "", codePage);
    if (status == OcrStatus::NoProgram && !s.ToldNoProgram) {
        s.ToldNoProgram = true;
        NotifyError(TVRK_ERR_NO_OCR_PROGRAM);
    } else if (status == OcrStatus::Failed) {
        NotifyError(TVRK_ERR_OCR_FAILED);
    }
    return status;
}

void ClearPage() {
    Recognition& s = State();
    FreePageImages(*s.Structure.Page());
    s.Structure.Clear();
    s.Words.clear();
    memset(&s.Fields, 0, sizeof s.Fields);
    s.Texts.clear();
}

// The OCR program's confidence in the words under a box (the page's mean when none lies
// under it, 0 for a page without words).
int ConfidenceUnder(const CardInfoRect& box) {
    long sum = 0, count = 0, pageSum = 0;
    for (const OcrWord& w : State().Words) {
        pageSum += w.Confidence;
        if (w.Left > box.right || w.Right - 1 < box.left || w.Top > box.bottom || w.Bottom - 1 < box.top) continue;
        sum += w.Confidence;
        ++count;
    }
    if (count) return static_cast<int>(sum / count);
    return State().Words.empty() ? 0 : static_cast<int>(pageSum / static_cast<long>(State().Words.size()));
}

}  // namespace

extern "C" int32_t reset_working_space(RecogWorkspace* workspace) {
    TraceEngineCall("reset_working_space");
    if (!workspace) return 0;
    ClearPage();
    workspace->RegionCount = 0;
    workspace->PageState = 0;
    return 1;
}

extern "C" int32_t SetForeignLanguage(int32_t languageCode) {
    bool known = languageCode == 15 || (languageCode >= 101 && languageCode <= 104);
    State().LanguageCode = known ? languageCode : 15;
    return known ? 1 : 0;
}

extern "C" int32_t ProcessSinglePage(RecogWorkspace* workspace, int32_t) {
    TraceEngineCall("ProcessSinglePage");
    if (!workspace) return 0;
    ClearPage();
    BinaryPage page;
    if (!ReadLinkedPage(workspace->PageImage, page)) return 0;
    AskRecognitionWindow();
    NotifyStatus(5);
    NotifyProgress(5, 100);
    std::vector<std::vector<OcrWord>> words;
    if (ReadPages(std::vector<BinaryPage>{page}, OcrLayout::Automatic, words) != OcrStatus::Read) return 0;
    Recognition& s = State();
    s.Words = words[0];
    s.Structure.Build(s.Words, page, TextCodePage());
    AttachPageImages(*s.Structure.Page(), page);
    for (const RecogBox& box : s.Structure.LineBoxes()) NotifyMark(box, 1);
    NotifyProgress(95, 100);
    if (s.Structure.Page()->FirstRegion) Get_FID_Western(s.Structure.Page(), &s.Fields, workspace->LanguageValue);
    AssignFieldKinds(*s.Structure.Page(), s.Fields);
    NotifyProgress(100, 100);
    return 1;
}

extern "C" RecogPage* GetRecognizedPage(RecogWorkspace* workspace) {
    if (!workspace) return nullptr;
    RecogPage* page = State().Structure.Page();
    return page->Image.BwRows ? page : nullptr;
}

extern "C" int32_t GetFieldIdentification(RecogWorkspace* workspace, void* result) {
    TraceEngineCall("GetFieldIdentification");
    if (!workspace || !result) return 0;
    Recognition& s = State();
    CardInfo* out = static_cast<CardInfo*>(result);
    memcpy(out, &s.Fields, sizeof *out);
    for (int k = 0; k < FieldKindCount; ++k) {
        CardInfoSlot& slot = out->Field[k];
        for (int i = 0; i < 4; ++i) {
            if (!slot.Text[i]) continue;
            // A value's edge blanks carry nothing (the name's parts come back blank-ended).
            std::string text(slot.Text[i]);
            text.erase(text.find_last_not_of(' ') + 1);
            s.Texts.push_back(text);
            slot.Text[i] = &s.Texts.back()[0];
            // Field identification's confidence, weighed by how surely the words were read:
            // a poor reading (as of a page turned the wrong way) scores below 0.
            int ocr = ConfidenceUnder(slot.Rect[i]);
            slot.Confidence[i] = static_cast<int16_t>(slot.Confidence[i] * (ocr - 50) / 50);
        }
    }
    return 1;
}

extern "C" int32_t CalOrientationOfImage(RecogWorkspace* workspace, int32_t, int32_t* orientation) {
    TraceEngineCall("CalOrientationOfImage");
    if (orientation) *orientation = TVRK_ORIENTATION_UPRIGHT;
    if (!workspace || !orientation) return 0;
    BinaryPage page;
    if (!ReadLinkedPage(workspace->PageImage, page)) return 0;
    NotifyStatus(1);
    std::vector<BinaryPage> turns;
    for (int k = 0; k < 4; ++k) turns.push_back(TurnPage(page, k));
    std::vector<std::vector<OcrWord>> words;
    if (ReadPages(turns, OcrLayout::OneBlock, words) == OcrStatus::NoProgram) return 0;
    long best = ReadingScore(words[0]);
    for (int k = 1; k < 4; ++k) {
        long score = ReadingScore(words[k]);
        if (score > best) {
            best = score;
            *orientation = k;
        }
    }
    return 1;
}
