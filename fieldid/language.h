// The language kind of a call and the region switches it turns on.
#pragma once

// Sets the region switches for a language kind. Kinds 1 and 4 score the lines in the line
// store, so the pipeline calls this once the card's own lines are loaded.
void decideLanguage(int languageKind);
// The weighted German and French words over the lines of the store (50 or more decides).
int germanScore();
int frenchScore();
