#include "fid_state.h"
#include <string.h>

FidState g_fid = [] {
    FidState s;
    memset(&s, 0, sizeof s);
    memset(s.region, 1, sizeof s.region);
    return s;
}();

void resetState() {
    memset(g_fid.lines, 0, sizeof g_fid.lines);
    g_fid.lineCount = 0;
    memset(g_fid.boxes, 0, sizeof g_fid.boxes);
    memset(g_fid.score, 0, sizeof g_fid.score);
    memset(g_fid.address, 0, sizeof g_fid.address);
    for (AddressRecord& r : g_fid.address) r.line = -1;
    memset(&g_fid.names, 0, sizeof g_fid.names);
    for (int32_t& l : g_fid.names.lines) l = -1;
    memset(g_fid.degrees, 0, sizeof g_fid.degrees);
    for (DegreeRecord& d : g_fid.degrees) d.line = -1;
    memset(g_fid.sex, 0, sizeof g_fid.sex);
    memset(g_fid.companyBuffers, 0, sizeof g_fid.companyBuffers);
    memset(g_fid.companyForm, 0, sizeof g_fid.companyForm);
}

void freeAddressRecords(int line) {
    for (AddressRecord& r : g_fid.address)
        if (r.line == line) {
            r = AddressRecord{};
            r.line = -1;
        }
}
