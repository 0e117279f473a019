// Small text routines shared by the record converters, the duplicate test and the card-file
// transfer. Card texts are in the process's ANSI code page, as the card engine reads and writes
// them: a cut never leaves half of a double-byte character.
#pragma once
#include <stddef.h>

namespace ferrow {

// How many of the first `limit` bytes of text (stopping at its terminator) can be kept without
// splitting a double-byte character.
size_t CutLength(const char* text, size_t limit);

// Copies at most `limit` bytes of source (a cut as CutLength gives it) to target and
// terminates it; target must hold limit + 1 bytes. A null source gives an empty text.
void CopyCut(char* target, const char* source, size_t limit);

// Copies at most `room` bytes of source (a cut as CutLength gives it) into a slot of `room`
// bytes of a fixed-layout record, terminated only when the text leaves room for it: a text
// that fills its slot ends where the next slot begins, and never writes onto that slot.
void CopyIntoRoom(char* slot, const char* source, size_t room);

// As CopyCut, for a source that is a fixed field of `sourceWidth` bytes that need not be
// terminated inside it.
void CopyField(char* target, size_t limit, const char* source, size_t sourceWidth);

// Writes a terminator behind the characters of `text` that fit in `keep` bytes.
void TerminateAt(char* text, size_t keep);

// Removes leading and trailing blanks in place. 0 for a null or empty text, else 1.
int TrimBlanks(char* text);

// Replaces each CR LF pair by one blank, in place.
void JoinLines(char* text);

}  // namespace ferrow
