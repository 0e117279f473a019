// The page images the host hands over through the utility library's banks.
#pragma once
#include "ocr_words.h"
#include "tvrksdk.h"

// The one-bit page of bank "LinkedImage" as `description` describes it (padding bits beyond
// the width cleared); false when the bank is missing or holds fewer rows than the page.
bool ReadLinkedPage(const RecogImageDescription& description, BinaryPage& page);
