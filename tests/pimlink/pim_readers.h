// The Python readers of what the links wrote (readers/), run from a test under Wine, and what
// they report: one line per item, "<record> <item> <value>", then "records <n>".
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include "file_bytes.h"
#include "linux_programs.h"

inline std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// Item -> value, per record, as a reader reported them.
using Records = std::vector<std::map<std::string, std::string>>;
inline Records ParseFields(const std::string& findings) {
    Records records;
    std::istringstream in(findings);
    std::string first, name, value;
    while (in >> first) {
        if (first == "records") {
            int n = 0;
            in >> n;
            records.resize(n);
            continue;
        }
        in >> name >> value;
        size_t r = std::stoul(first);
        if (records.size() <= r) records.resize(r + 1);
        records[r][name] = value;
    }
    return records;
}

// Runs one of the readers with its arguments and the output file (a Windows path of the test);
// what it found. A reader answers with OUTPUT or OUTPUT.err (what was wrong), each written
// whole and then renamed: under Wine the start of a Linux program may return before it ends,
// so the answer is waited for.
inline std::string RunPimReader(const std::string& output, const char* reader, const std::vector<std::string>& args) {
    std::string refused = output + ".err";
    DeleteFileA(output.c_str());
    DeleteFileA(refused.c_str());
    std::vector<std::string> all = {std::string(ZEM_PIM_READERS) + "/" + reader};
    all.insert(all.end(), args.begin(), args.end());
    all.push_back(UnixPath(output));
    EXPECT_GE(RunLinuxProgram("/usr/bin/python3", all), 0);
    for (int waited = 0; waited < 600 && !PathExists(output) && !PathExists(refused); ++waited) Sleep(100);
    EXPECT_EQ(ReadWholeFile(refused), "");
    EXPECT_TRUE(PathExists(output)) << reader << " gave no answer";
    return ReadWholeFile(output);
}
