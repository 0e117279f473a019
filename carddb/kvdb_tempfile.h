// Names for the temporary files that hold binary values too large for a dataset's buffer.
#pragma once
#include <string>

// A full path folder + "PT_" + four upper-case hex digits + extension of a file that does not
// exist yet (the caller creates it). Without a folder (null or empty) the system's temporary
// folder is used. Empty when every such name in the folder is taken.
std::string MakeTempFileName(const char* extension, const char* folder);
