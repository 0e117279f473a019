// Names of the working and scanned image files: the image folder, "SCAN" or "OPEN", a
// counter of four hexadecimal digits and the extension of the format.
#include "capture.h"
#include "recognition.h"
#include "shell.h"
#include <stdio.h>

void MakeImageFileName(int kind, int format, char* name) {
    static uint16_t counters[2] = {1, 1};
    kind = kind == IMAGE_NAME_SCAN ? IMAGE_NAME_SCAN : IMAGE_NAME_OPEN;
    char folder[MAX_PATH];
    name[0] = 0;  // no usable folder: no name, and nothing is saved
    if (ReadImageFolder(folder, sizeof folder) < 0) return;
    const char* prefix = kind == IMAGE_NAME_SCAN ? "SCAN" : "OPEN";
    const char* extension = format == IMAGE_TYPE_JPEG ? "JPG" : "TIF";
    // Raised until the name is free; after every number has been tried the last one stands.
    for (int tries = 0; tries < 0x10000; ++tries) {
        char base[32];
        snprintf(base, sizeof base, "%s%.4X.%s", prefix, counters[kind]++, extension);
        if (!JoinFolderAndName(name, MAX_PATH, folder, base)) {
            ReportUnusableFolder("ImageDir", folder);
            return;
        }
        if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES) return;
    }
}
