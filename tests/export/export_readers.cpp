#include "export_readers.h"
#include "file_bytes.h"
#include "linux_programs.h"
#include <windows.h>
#include <stdio.h>

namespace {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x80) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\u%04x", c);  // the tests' texts are ASCII
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

}  // namespace

std::string CheckExportWithReaders(const std::string& file, const std::string& kind,
                                   const std::vector<std::vector<std::string>>& rows, const std::string& delimiter) {
    std::string json = "{\"gridLines\": true, \"rows\": [";
    for (size_t r = 0; r < rows.size(); ++r) {
        json += r ? ",\n[" : "[";
        for (size_t c = 0; c < rows[r].size(); ++c) json += (c ? ", " : "") + JsonString(rows[r][c]);
        json += "]";
    }
    json += "]}";
    std::string expected = file + ".expected.json", report = file + ".report";
    WriteWholeFile(expected, json);
    DeleteFileA(report.c_str());
    std::string command = "/usr/bin/python3 '" EXPORT_READER "' " + kind + " '" + UnixPath(file) + "' " +
                          (delimiter.empty() ? "" : delimiter + " ") + "'" + UnixPath(expected) + "' > '" +
                          UnixPath(report) + "' 2>&1";
    int code = RunShellCommand(command);
    if (code == 0) return "";
    return "reader exit " + std::to_string(code) + ": " + ReadWholeFile(report);
}
