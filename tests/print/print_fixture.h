// What the printing tests share: the program's state as start-up leaves it, a card file open
// as the program's card table, stored page styles and templates in the test program's settings
// file, and the file printer's PostScript read back with Ghostscript.
#pragma once
#include <gtest/gtest.h>
#include "shell.h"
#include "postscript_pages.h"
#include <string>
#include <vector>

namespace printtest {

// The printer the set-up adds to the prefix, and the file its jobs go to.
extern const char* const kPrinterName;
std::string PrinterOutput();  // Windows path

// Cards "Person 01", "Person 02", ... with the company "Company NN"; made afresh as the
// program's open card table, card 1 current.
void OpenCards(int count);
// The same with cards given whole.
void OpenCardRecords(const std::vector<CardRec>& cards);
CardRec NamedCard(int number);
void CloseCards();
std::string PersonName(int number);

// Writes the settings file's page styles ("@n" lines) and makes layout `selected` (0-based)
// and template 1 the selected ones, then loads them as start-up does.
void StoreLayouts(const std::vector<std::string>& lines, int selected);
// Writes template section n (1-based) with these "Field" lines.
void StoreTemplate(int number, const std::vector<std::string>& fields, int labelWidth, int labelHeight,
                   const std::string& header = "", const std::string& footer = "");
std::string SettingsPath();

// Text drawn into an enhanced metafile: each text output record's string and its reference
// point (the top left corner of the line) in device units.
struct DrawnText {
    std::string Text;
    POINT At;
};
std::vector<DrawnText> TextsOf(HENHMETAFILE metafile);
std::vector<std::string> TextStrings(const std::vector<DrawnText>& texts);

// The file printer's last job read by Ghostscript: one text per page, or the pages in grey.
std::vector<std::string> PrintedPageTexts();
std::vector<GreyPage> PrintedPages(int dpi);

// Shows the window, lets it paint, and saves what the screen shows of it as
// <build>/screenshots/<name>.png (a BMP when the converter is missing); gives the path.
std::string SaveWindowPicture(HWND window, const std::string& name);

}  // namespace printtest
