// Linux programs started from a test under Wine (independent tools that check what our code
// wrote), and the Linux names of the test's files that they are given.
#pragma once
#include <string>
#include <vector>

// Runs a Linux program (a full path such as /usr/bin/python3) with its arguments, each passed
// as it stands, through RunShellCommand: its exit code, or -1 when it could not be started or
// did not end in a minute.
int RunLinuxProgram(const std::string& program, const std::vector<std::string>& arguments);

// Runs a shell command line and waits for it to end: Wine does not wait for a Linux process
// that it started, so the command leaves its exit code in a marker file, renamed into place
// once written. The exit code, or -1 when it could not be started or did not end in a minute.
int RunShellCommand(const std::string& command);

// The Linux path of a Windows path of the test (any drive Wine maps).
std::string UnixPath(const std::string& windowsPath);
