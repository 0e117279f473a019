// A card-scanner driver for tests: answers the button and status queries with what the test
// set, and counts the calls. Declared as the drivers are (card_scanner.h).
#include "card_scanner.h"

static int g_answer;
static BYTE g_status;
static int g_calls;

extern "C" {

void SetDriverAnswer(int answer, BYTE status) {
    g_answer = answer;
    g_status = status;
    g_calls = 0;
}

int DriverCalls(void) { return g_calls; }

int CARD_SCANNER_CALL IO_IsButtonOn(void) {
    ++g_calls;
    return g_answer;
}

int CARD_SCANNER_CALL Dyna_CheckScannerStatus(BYTE* status) {
    ++g_calls;
    *status = g_status;
    return g_answer;
}

}  // extern "C"
