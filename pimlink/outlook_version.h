#pragma once

namespace ferrow {

// The major FileVersion number of the program registered as OUTLOOK.EXE under HKLM App Paths;
// -1 when it is not registered, 0 when its version resource cannot be read.
int RegisteredOutlookMajorVersion();

// The major number of a program's FileVersion (first translation's string table); 0 when the
// file has no readable version resource or the version has no number before a '.'.
int FileMajorVersion(const char* programPath);

// True when Outlook 9 or later is registered; otherwise shows string 1011 (Outlook 2000 or
// later is required) when an Outlook was found, and returns false.
bool OutlookVersionAccepted();

}  // namespace ferrow
