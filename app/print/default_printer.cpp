// The program's one print-dialog record, filled with the default printer at start-up.
#include "print.h"
#include "shell.h"
#include <string.h>

void LoadDefaultPrinter(void) {
    memset(&App.Print.PrintDialog, 0, sizeof App.Print.PrintDialog);
    App.Print.PrintDialog.lStructSize = sizeof App.Print.PrintDialog;
    App.Print.PrintDialog.hwndOwner = App.MainWindow;
    App.Print.PrintDialog.hInstance = App.Instance;
    App.Print.PrintDialog.Flags = PD_RETURNDEFAULT;
    PrintDlgA(&App.Print.PrintDialog);
}
