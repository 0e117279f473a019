// The program's one print-dialog record, filled with the default printer at start-up.
#include "print.h"
#include "shell.h"
#include <string.h>

void LoadDefaultPrinter(void) {
    memset(&Print.PrintDialog, 0, sizeof Print.PrintDialog);
    Print.PrintDialog.lStructSize = sizeof Print.PrintDialog;
    Print.PrintDialog.hwndOwner = App.MainWindow;
    Print.PrintDialog.hInstance = App.Instance;
    Print.PrintDialog.Flags = PD_RETURNDEFAULT;
    PrintDlgA(&Print.PrintDialog);
}
