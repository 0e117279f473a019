// Filling the line store from the engine's page or from strings, and the label and degree cuts.
#pragma once
#include "recogpage.h"

// Fills the line store from the page's text lines; 0 without regions or beyond 31 lines.
int FID_load_page_lines(const RecogPage* page);
// Fills the line store from lineCount strings lineStride bytes apart; 0 on bad input.
int FID_load_string_lines(const char* text, int lineStride, int lineCount);
// Cuts lines at service labels ("... Fax ..."); page, when given, places the cut on the card.
void FID_split_service_labels(const RecogPage* page);
// Cuts German academic degrees off the lines into the degree records.
void FID_cut_german_degrees();

// Calls visit(line) for every text line (kind 10) of the page, in list order; stops on a
// cycle or an absurd length instead of running forever on a malformed page.
template <typename Visit>
void forEachPageLine(const RecogPage* page, Visit visit) {
    int budget = 100000;
    for (const RecogRegion* r = page->FirstRegion; r && budget > 0; r = r->Next, --budget)
        for (const RecogBlock* b = r->FirstBlock; b && budget > 0; b = b->Next, --budget)
            for (const RecogLine* l = b->FirstLine; l && budget > 0; l = l->Next, --budget)
                if (l->Kind == 10) visit(l);
}
