// The list file Batch.ini through which a second start hands file names to the first.
#pragma once

// Name of the mutex that every writer and reader of Batch.ini holds while it works on it.
#define BATCH_LIST_MUTEX_NAME "Orvane_ZEM_Batch"

// Copies the next file name of text into name (at most size - 1 characters) and returns the
// rest of the text. Names are split at double quotes when the text holds one, else at blanks.
const char* SplitNextFileName(const char* text, char* name, int size);

// Forms ImageDir + "\Batch.ini".
void GetBatchListPath(char* path, int size);

// Appends every name of the command line to [Files] of Batch.ini after its Count entries,
// holding the list's mutex meanwhile. Returns the number of names written.
int AppendNamesToBatchList(const char* commandLine);
