// The text file in which the PIM stand-ins keep their entries, one entry a line:
//   <kind>|<property id in hex>=<value>|...
// with '\' escaped as "\\", '|' as "\p", CR as "\r" and LF as "\n". Tests seed and read the
// stand-ins' data through the same routines.
#pragma once
#include <stdio.h>
#include <stdlib.h>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace entryfile {

struct Entry {
    unsigned long kind = 0;                       // what the stand-in makes of it (an object type, a class)
    std::map<unsigned long, std::string> values;  // texts by property id
};

inline std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '|': out += "\\p"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
    return out;
}

inline std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            c = text[++i];
            c = c == 'p' ? '|' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
        out += c;
    }
    return out;
}

inline std::string Encode(const Entry& entry) {
    std::string line = std::to_string(entry.kind);
    char id[16];
    for (const auto& value : entry.values) {
        snprintf(id, sizeof(id), "%08lX", value.first);
        line += std::string("|") + id + "=" + Escape(value.second);
    }
    return line;
}

// False for a line that is not an entry.
inline bool Decode(const std::string& line, Entry* entry) {
    *entry = Entry();
    size_t bar = line.find('|');
    char* end = nullptr;
    std::string kind = line.substr(0, bar);
    entry->kind = strtoul(kind.c_str(), &end, 10);
    if (kind.empty() || *end) return false;
    while (bar != std::string::npos) {
        size_t next = line.find('|', bar + 1);
        std::string field = line.substr(bar + 1, next == std::string::npos ? next : next - bar - 1);
        size_t equals = field.find('=');
        if (equals == std::string::npos) return false;
        entry->values[strtoul(field.substr(0, equals).c_str(), nullptr, 16)] = Unescape(field.substr(equals + 1));
        bar = next;
    }
    return true;
}

inline std::vector<Entry> ReadAll(const std::string& path) {
    std::vector<Entry> entries;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        Entry entry;
        if (Decode(line, &entry)) entries.push_back(entry);
    }
    return entries;
}

inline bool Append(const std::string& path, const std::vector<Entry>& entries) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    for (const Entry& entry : entries) out << Encode(entry) << "\n";
    return static_cast<bool>(out.flush());
}

}  // namespace entryfile
