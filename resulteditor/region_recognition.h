// Re-recognition of a region of the page image into a line of the editor.
#pragma once
#include "editor_state.h"

// Reads `region` (image coordinates) into slot `slot` with the character classes of `mask`
// (64 Chinese, 6 Latin letters, 1 digits): the grey rows go to the engine first, then the slot's
// characters are replaced by what it reads, and the slot's row shows the new text with the
// in-place editor over it. Nothing happens without a page, with an empty region or a slot
// outside the lines.
void ReRecognizeRegion(Editor& editor, int slot, const RECT& region, int mask);
