// A8100.DLL: the card scanner's driver library beside its TWAIN source. Paper, button and
// calibration are the [CardScanner] section of the virtual scanner's state file, which the
// data source changes as cards go through.
#include "card_scanner.h"
#include "scanner_state.h"

extern "C" {

int CARD_SCANNER_CALL IO_HasScanner(void) { return ReadScannerInt("CardScanner", "Attached", 1) != 0; }

// A press is reported once: each call takes one of the presses waiting.
int CARD_SCANNER_CALL IO_IsButtonOn(void) {
    int presses = ReadScannerInt("CardScanner", "ButtonPresses", 0);
    if (presses <= 0) return 0;
    WriteScannerInt("CardScanner", "ButtonPresses", presses - 1);
    return 1;
}

int CARD_SCANNER_CALL IO_IsPaperOn(void) { return ReadScannerInt("CardScanner", "PaperOn", 1) != 0; }

int CARD_SCANNER_CALL IO_IsCalibrationNeeded(void) {
    return ReadScannerInt("CardScanner", "CalibrationNeeded", 0) != 0;
}

int CARD_SCANNER_CALL IO_CalibrateScanner(int reserved) {
    WriteScannerInt("CardScanner", "Calibrations", ReadScannerInt("CardScanner", "Calibrations", 0) + 1);
    WriteScannerInt("CardScanner", "CalibrationNeeded", 0);
    return 1;
}

}  // extern "C"
