#include "logs.h"
#include <stdio.h>
#include "fid_state.h"

namespace {

const char* const kLabels[kKinds] = {
    "Name      ", "Company   ", "Department", "Title     ", "Address   ", "Number    ", "Web Site  ", "E-mail    ",
    "Country   ", "State     ", "City      ", "Street    ", "Section   ", "ZipCode   ", "PO. BOX   ", "Ctry Guess",
    "Stat Guess", "Phone     ", "Fax       ", "None      ", "Note      ", "Honor     ", "Gategory  ", "Prefix    ",
    "First Name", "Mid. Name ", "Last Name ", "Suffix    ", "Sex Guess ", "Birthday  ", "Telex     ", "BB Call   ",
    "Pager     ", "Direct    ", "Main      ", "Extension ", "Cellular  ", "Home Ph.  ", "Office Ph.", "Home Fax  ",
    "Office Fax", "Beeper    ", "Toll free ", "Mobile    ", "GSM Ph.   ", "BBS       ", "Apple Link", "Compuserve",
    "AOL       ", "MCI       ", "Tax ID    ", "Logo text ", "Logo Img  "};

}  // namespace

void logInput() {
    FILE* f = fopen("c:\\ZEM4LOG\\FID_logI.txt", "ab");
    if (!f) return;
    fprintf(f, "\n");
    for (int i = 0; i < kMaxLines; ++i)
        if (g_fid.lines[i][0]) {
            fprintf(f, "%2d: ", i);
            fprintf(f, "%s\n", g_fid.lines[i]);
        }
    fprintf(f, "\n");
    fclose(f);
}

void logOutput(const CardInfo* info) {
    FILE* f = fopen("c:\\ZEM4LOG\\FID_logO.txt", "ab");
    if (!f) return;
    fprintf(f, "\n");
    char line[kLineBytes * 4];
    for (int k = 0; k < kKinds; ++k) {
        const CardInfoSlot& slot = info->Field[k];
        for (int i = 0; i < slot.Count && i < 4; ++i) {
            if (!slot.Text[i]) continue;
            snprintf(line, sizeof line, "%s: %s", kLabels[k], slot.Text[i]);
            fprintf(f, "%s\n", line);
        }
    }
    fprintf(f, "\n");
    fclose(f);
}
