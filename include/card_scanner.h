// The card-scanner driver libraries as the program calls them: A8100.DLL (IO_ functions) and
// SCANL.DLL (Dyna_CheckScannerStatus), each function taken by name when it is needed. Caller
// and drivers declare them from here alone, with the standard (callee-cleans) convention of
// the Windows interfaces, exported undecorated: a caller that cleaned the stack after the
// driver had done so would lose its return address at the first call with an argument.
#pragma once
#include <windows.h>

#define CARD_SCANNER_CALL WINAPI

// IO_HasScanner, IO_IsButtonOn, IO_IsPaperOn, IO_IsCalibrationNeeded: nonzero for yes.
typedef int(CARD_SCANNER_CALL* CardScannerQueryFn)(void);
// IO_CalibrateScanner (0): calibrates; the result means nothing to the caller.
typedef int(CARD_SCANNER_CALL* CardScannerCalibrateFn)(int reserved);
// Dyna_CheckScannerStatus (status): nonzero when the reader answered; the status byte is then
// 0 when no card is in the reader.
typedef int(CARD_SCANNER_CALL* CardReaderStatusFn)(BYTE* status);
