#pragma once

// Prints, as a benchmark's first line, whether this run's 32-bit code runs natively or under
// an emulator (qemu user mode registered through binfmt_misc, as on machines without 32-bit
// support): emulated figures say little about native speed, ratios only roughly.
void PrintHostNote();
