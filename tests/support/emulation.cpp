#include "emulation.h"
#include <cstdio>
#include <cstring>

// Wine shows the Linux root as drive Z:; the kernel hands every i386 program to the
// interpreter of an enabled qemu-i386 entry before its own loader.
bool RunsUnderEmulator(std::string* interpreter) {
    if (interpreter) interpreter->clear();
    FILE* entry = std::fopen("Z:\\proc\\sys\\fs\\binfmt_misc\\qemu-i386", "r");
    if (!entry) return false;
    bool enabled = false;
    char line[512];
    while (std::fgets(line, sizeof line, entry)) {
        line[std::strcspn(line, "\r\n")] = 0;
        if (std::strcmp(line, "enabled") == 0) enabled = true;
        if (interpreter && std::strncmp(line, "interpreter ", 12) == 0) *interpreter = line + 12;
    }
    std::fclose(entry);
    return enabled;
}
