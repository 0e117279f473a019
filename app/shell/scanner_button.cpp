// The card scanner's button: the driver library of the scanner model that the probe found
// is asked whether the button was pressed, when the library offers the entry point.
#include "shell.h"
#include "card_scanner.h"

int IsCardScannerButtonPressed(void) {
    if (App.A8100Driver && App.SyscanScanner) {
        CardScannerQueryFn isButtonOn = (CardScannerQueryFn)(void*)GetProcAddress(App.A8100Driver, "IO_IsButtonOn");
        return isButtonOn && isButtonOn() ? 1 : 0;
    }
    if (App.DynaCardReader && App.ScanLDriver) {
        CardReaderStatusFn checkStatus =
            (CardReaderStatusFn)(void*)GetProcAddress(App.ScanLDriver, "Dyna_CheckScannerStatus");
        if (!checkStatus) return 0;
        BYTE status = 0;
        return checkStatus(&status) && status ? 1 : 0;
    }
    return 0;
}
