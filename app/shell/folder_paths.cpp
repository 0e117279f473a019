// Paths made of a folder and a name, and the folder settings they start from. Every join of
// the program goes through one routine that refuses what does not fit, so that no path is
// ever cut (a cut path names another file) and no buffer overruns; a folder setting that
// cannot be used is reported once, by the name of the setting.
#include "shell.h"
#include "resource.h"
#include <set>
#include <string>
#include <string.h>

static int EndsWithSeparator(const char* folder) {
    size_t n = strlen(folder);
    return n > 0 && (folder[n - 1] == '\\' || folder[n - 1] == '/' || folder[n - 1] == ':');
}

int JoinFolderAndName(char* path, int size, const char* folder, const char* name) {
    size_t folderLength = strlen(folder), nameLength = strlen(name);
    size_t separator = folderLength > 0 && !EndsWithSeparator(folder) ? 1 : 0;
    if (size <= 0 || folderLength + separator + nameLength >= (size_t)size ||
        folderLength + separator + nameLength >= MAX_PATH) {
        if (size > 0) path[0] = 0;
        return 0;
    }
    memmove(path + folderLength + separator, name, nameLength + 1);  // the name may sit in `path` already
    if (path != folder) memmove(path, folder, folderLength);
    if (separator) path[folderLength] = '\\';
    return 1;
}

void ReportUnusableFolder(const char* key, const char* folder) {
    static std::set<std::string> reported;
    if (!reported.insert(std::string(key) + "|" + folder).second) return;
    MessageBoxFormat(App.MainWindow, MB_OK | MB_ICONEXCLAMATION, IDS_FOLDER_TOO_LONG, key, folder);
}

int ReadFolderSetting(const char* key, char* folder, int size) {
    char whole[MAX_PATH + 2];
    ReadSettingText("Directory", key, "", whole, sizeof whole);
    int length = (int)strlen(whole);
    int separator = EndsWithSeparator(whole) ? 0 : 1;
    // A folder that leaves no room for a separator and a name, or that filled the buffer
    // (and so may have been cut), cannot be used.
    if (length + separator + 1 >= MAX_PATH || length + separator >= size) {
        ReportUnusableFolder(key, whole);
        if (size > 0) lstrcpynA(folder, "\\", size);
        return -1;
    }
    lstrcpyA(folder, whole);
    if (separator) lstrcatA(folder, "\\");
    return length;
}

int JoinFolderSettingAndName(const char* key, const char* name, char* path, int size) {
    char folder[MAX_PATH];
    if (ReadFolderSetting(key, folder, sizeof folder) < 0) {
        if (size > 0) path[0] = 0;
        return 0;
    }
    if (JoinFolderAndName(path, size, folder, name)) return 1;
    ReportUnusableFolder(key, folder);
    return 0;
}
