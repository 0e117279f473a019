// SCANL.DLL: the card reader's driver library. The reader answers with a status byte that
// says whether a card is in it ([CardScanner] PaperOn of the virtual scanner's state file);
// StatusAnswers=0 makes it give no answer.
#include "card_scanner.h"
#include "scanner_state.h"

extern "C" int CARD_SCANNER_CALL Dyna_CheckScannerStatus(BYTE* status) {
    if (!ReadScannerInt("CardScanner", "StatusAnswers", 1)) return 0;
    if (status) *status = ReadScannerInt("CardScanner", "PaperOn", 1) ? 1 : 0;
    return 1;
}
