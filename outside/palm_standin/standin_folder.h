// The folder where the Palm stand-ins keep their files (registrations, logs, users, the
// handheld): %PALM_STANDIN_DIR% when set, else the folder of the stand-in library itself.
#pragma once
#include <string>

namespace palm_standin {

// The folder, ending with a backslash; created when missing.
std::string Folder();

// Folder() + name.
std::string FilePath(const char* name);

// Appends one line (a line feed is added) to a log file of the folder.
void AppendLine(const char* fileName, const std::string& line);

// Whether the comma-separated list in the environment variable names this ordinal
// ("90,65" fails ordinals 90 and 65).
bool SwitchedOn(const char* variable, int ordinal);

}  // namespace palm_standin
