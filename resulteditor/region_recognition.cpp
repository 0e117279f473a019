// A region drawn on the page image, recognised again as the text of one field.
#include "region_recognition.h"
#include "field_list.h"
#include "glyph_pane.h"
#include "host_bank_transfer.h"
#include "resource_ids.h"
#include "result_edits.h"
#include "tvrksdk.h"
#include <commctrl.h>

namespace {

// The engine binarises the region afresh from the page's grey rows, which it reads through the
// bank "RawImage" while they are locked. When the program refuses the hand-over (or offers none)
// the bank may still describe rows long gone, so the engine is not sent to it: the field is then
// read from the page's black-and-white rows as they stand.
void PrepareGreyInput(const RecogPage& page, const RecogBox& region) {
    const RecogImageInfo& image = page.Image;
    BYTE* rows = image.GreyRows ? static_cast<BYTE*>(GlobalLock(image.GreyRows)) : nullptr;
    if (!rows) return;
    if (TransferToHostBank(rows, "RawImage", image.GreyBytesPerRow, image.Height, nullptr)) {
        RecogTextRect rect = {region.left, region.top, region.right, region.bottom};
        TvrkOpenGrayImage(0, reinterpret_cast<const RecogImageDescription*>(&image), &rect, 1, 0, 0, 0, 1, 0);
    }
    GlobalUnlock(image.GreyRows);
}

void ShowSlot(Editor& e, int slot) {
    bool other = slot >= e.Lines.PrimaryLines;
    if (other && e.CurrentTab != 1) return;  // the other tab shows it when it is chosen
    if (!other && e.CurrentTab != 0) {
        SendMessageA(e.Tabs, TCM_SETCURSEL, 0, 0);
        ChangeTab(e, 0);
    }
    SelectRow(e, other ? slot - e.Lines.PrimaryLines : slot);
    RefreshCurrentRow(e);
}

}  // namespace

void ReRecognizeRegion(Editor& e, int slot, const RECT& region, int mask) {
    RecogPage* page = e.Lines.Page;
    if (!page || !e.Lines.Slots || IsRectEmpty(&region) || slot < 0 || slot >= e.Lines.TotalLines) return;
    RecogBox box = {region.left, region.top, region.right, region.bottom};
    PrepareGreyInput(*page, box);
    BuildGlyphBitmap(e);
    RecogLine& line = e.Lines.Slots[slot];
    ReRecognizeField(page, &box, &line, mask);
    InvalidateRect(e.GlyphPane, nullptr, FALSE);
    if (!line.FirstChar) line.Rect = line.Rect2 = RecogBox{0, 0, 0, 0};
    FixOrientation(line);
    ShowSlot(e, slot);
}
