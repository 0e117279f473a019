// Web and e-mail addresses handed to the system's "open": only what is plainly a web address
// (http, https, or a bare host name, opened as http) or an e-mail address (opened as mailto)
// ever leaves the program; a card field or setting holding a program, a file or a share path
// is refused with a message, since "open" would run or show it.
#include "shell.h"
#include "resource.h"
#include <shellapi.h>
#include <string.h>

static int StartsWithNoCase(const char* text, const char* prefix) {
    return _strnicmp(text, prefix, strlen(prefix)) == 0;
}

static int IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// A host name of letters, digits, hyphens and dots, with a dot between two labels; the
// length of the host is given back.
static int HostLength(const char* text) {
    int n = 0, dots = 0;
    while (IsHostCharacter(text[n])) dots += text[n++] == '.';
    if (n == 0 || dots == 0 || text[0] == '.' || text[0] == '-' || text[n - 1] == '.') return 0;
    for (int i = 1; i < n; ++i)
        if (text[i] == '.' && text[i - 1] == '.') return 0;
    return n;
}

// Nothing that a shell or the address line would read as a second thing: no blanks, control
// characters, quotes or backslashes.
static int HasOnlyAddressCharacters(const char* text) {
    for (const unsigned char* p = (const unsigned char*)text; *p; ++p)
        if (*p <= ' ' || *p == '"' || *p == '\\' || *p == '<' || *p == '>' || *p == '|' || *p == 127) return 0;
    return 1;
}

// After the host only a port, a path, a query or a fragment may follow.
static int IsHostEnd(char c) { return c == 0 || c == '/' || c == ':' || c == '?' || c == '#'; }

static int CopyWithPrefix(const char* prefix, const char* text, char* target, int size) {
    if ((int)(strlen(prefix) + strlen(text)) >= size) return 0;
    lstrcpyA(target, prefix);
    lstrcatA(target, text);
    return 1;
}

int FormWebAddress(const char* text, char* target, int size) {
    target[0] = 0;
    if (!text[0] || !HasOnlyAddressCharacters(text)) return 0;
    const char* prefix = "";
    const char* host = text;
    if (StartsWithNoCase(text, "http://")) host = text + 7;
    else if (StartsWithNoCase(text, "https://")) host = text + 8;
    else prefix = "http://";
    int n = HostLength(host);
    if (n == 0 || !IsHostEnd(host[n])) return 0;
    return CopyWithPrefix(prefix, text, target, size);
}

int FormMailAddress(const char* text, char* target, int size) {
    target[0] = 0;
    if (StartsWithNoCase(text, "mailto:")) text += 7;
    const char* at = strchr(text, '@');
    if (!at || at == text || strchr(at + 1, '@') || !HasOnlyAddressCharacters(text) || strchr(text, '/')) return 0;
    int n = HostLength(at + 1);
    if (n == 0 || at[1 + n] != 0) return 0;
    return CopyWithPrefix("mailto:", text, target, size);
}

static void OpenAddress(const char* text, int mail) {
    if (!text[0]) return;
    char target[512];
    int formed = mail ? FormMailAddress(text, target, sizeof target) : FormWebAddress(text, target, sizeof target);
    if (!formed) {
        MessageBoxFormat(App.MainWindow, MB_OK | MB_ICONEXCLAMATION, mail ? IDS_NOT_MAIL_ADDRESS : IDS_NOT_WEB_ADDRESS,
                         text);
        return;
    }
    ShellExecuteA(App.MainWindow, "open", target, NULL, NULL, SW_SHOWNORMAL);
}

void OpenWebAddress(const char* text) { OpenAddress(text, 0); }

void OpenMailAddress(const char* text) { OpenAddress(text, 1); }
