#include "host_note.h"

#include <cstdio>
#include <string>
#include "emulation.h"

void PrintHostNote() {
    std::string interpreter;
    if (RunsUnderEmulator(&interpreter))
        std::printf("host: EMULATED run, 32-bit code under %s: figures say little about native speed\n",
                    interpreter.empty() ? "qemu user mode" : interpreter.c_str());
    else std::printf("host: 32-bit code runs natively\n");
    std::fflush(stdout);
}
