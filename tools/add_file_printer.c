/* Adds a printer to the Wine prefix that prints through Wine's PostScript driver with our
 * printer description, into a file: its port is a Linux path, which Wine's spooler writes the
 * finished job to (a new job replaces the last one). The printer becomes the default printer.
 * Exits 0 when the printer is there, 1 when a step failed, 2 on bad arguments.
 * Usage: add_file_printer NAME PPD-WINDOWS-PATH OUTPUT-LINUX-PATH */
#include <windows.h>
#include <winspool.h>
#include <stdio.h>
#include <string.h>

/* The spooler accepts only ports that are listed; a Linux path is a port of its own. */
static int list_port(const char* port) {
    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports", &key)) return 0;
    LONG rc = RegSetValueExA(key, port, 0, REG_SZ, (const BYTE*)"", 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

/* The PostScript driver reads the printer description named as the driver's data file. */
static int add_driver(const char* name, const char* ppd) {
    DRIVER_INFO_3A driver;
    memset(&driver, 0, sizeof driver);
    driver.cVersion = 3;
    driver.pName = (char*)name;
    driver.pDriverPath = (char*)"wineps.drv";
    driver.pDataFile = (char*)ppd;
    driver.pConfigFile = (char*)"wineps.drv";
    driver.pDefaultDataType = (char*)"RAW";
    return AddPrinterDriverExA(NULL, 3, (BYTE*)&driver, APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY);
}

static int add_printer(const char* name, const char* port) {
    PRINTER_INFO_2A printer;
    memset(&printer, 0, sizeof printer);
    printer.pPrinterName = (char*)name;
    printer.pPortName = (char*)port;
    printer.pDriverName = (char*)name;
    printer.pPrintProcessor = (char*)"WinPrint";
    printer.pDatatype = (char*)"RAW";
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE handle = AddPrinterA(NULL, 2, (BYTE*)&printer);
    if (!handle) return GetLastError() == ERROR_PRINTER_ALREADY_EXISTS;
    ClosePrinter(handle);
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: add_file_printer NAME PPD-WINDOWS-PATH OUTPUT-LINUX-PATH\n");
        return 2;
    }
    if (!list_port(argv[3])) {
        fprintf(stderr, "add_file_printer: the port could not be listed\n");
        return 1;
    }
    if (!add_driver(argv[1], argv[2]) && GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
        fprintf(stderr, "add_file_printer: driver not added (%lu)\n", GetLastError());
        return 1;
    }
    if (!add_printer(argv[1], argv[3])) {
        fprintf(stderr, "add_file_printer: printer not added (%lu)\n", GetLastError());
        return 1;
    }
    if (!SetDefaultPrinterA(argv[1])) {
        fprintf(stderr, "add_file_printer: not made the default printer (%lu)\n", GetLastError());
        return 1;
    }
    return 0;
}
