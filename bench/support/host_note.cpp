#include "host_note.h"

#include <windows.h>
#include <cstdio>
#include <cstring>

namespace {

// Wine shows the Linux root as drive Z:; the kernel hands every i386 program to the
// interpreter of an enabled qemu-i386 entry before its own loader.
bool ReadEmulatorEntry(char* interpreter, size_t size) {
    FILE* entry = std::fopen("Z:\\proc\\sys\\fs\\binfmt_misc\\qemu-i386", "r");
    if (!entry) return false;
    bool enabled = false;
    char line[512];
    interpreter[0] = 0;
    while (std::fgets(line, sizeof line, entry)) {
        line[std::strcspn(line, "\r\n")] = 0;
        if (std::strcmp(line, "enabled") == 0) enabled = true;
        if (std::strncmp(line, "interpreter ", 12) == 0) std::snprintf(interpreter, size, "%s", line + 12);
    }
    std::fclose(entry);
    return enabled;
}

}  // namespace

void PrintHostNote() {
    char interpreter[400];
    if (ReadEmulatorEntry(interpreter, sizeof interpreter))
        std::printf("host: EMULATED run, 32-bit code under %s: figures say little about native speed\n",
                    interpreter[0] ? interpreter : "qemu user mode");
    else std::printf("host: 32-bit code runs natively\n");
    std::fflush(stdout);
}
