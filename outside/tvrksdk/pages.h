// The pages of a document: the image file each one was made from.
#pragma once
#include "tvrksdk.h"

// The image file of page `index` of the document, or null when it has no such page.
const char* PageImagePath(const RecogDocument* document, int index);
