// Re-coding of double-byte dictionary text between the caller's form and the stored form.
#pragma once
#include <string>

// Both walk byte pairs at fixed even offsets (0, 2, 4 ...) while a full pair remains, so a
// single-byte character shifts the pairing of everything after it. Languages without rules
// (English, unknown numbers) leave the text alone.
void RecodeIntoStored(std::string& text, int language);
void RecodeFromStored(std::string& text, int language);
