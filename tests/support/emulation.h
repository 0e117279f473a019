// Whether this run's 32-bit code runs under an emulator (qemu user mode registered through
// binfmt_misc, as on machines without 32-bit support) rather than natively.
#pragma once
#include <string>

// True when an enabled qemu-i386 entry takes every i386 program; interpreter (when given) gets
// the emulator's path as the entry names it, or stays empty.
bool RunsUnderEmulator(std::string* interpreter = nullptr);
