// The card's Web and E-mail commands and the Web-site command: web and e-mail addresses are
// opened, anything else (a program, a file, a share) is refused with a message and never run.
#include <gtest/gtest.h>
#include "shell.h"
#include "resource.h"
#include "dialog_watch.h"
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

struct AddressCase {
    const char* Text;
    const char* Opened;  // null: refused
};

void ExpectAddresses(int (*form)(const char*, char*, int), const std::vector<AddressCase>& cases) {
    for (const AddressCase& c : cases) {
        char target[512] = "?";
        int formed = form(c.Text, target, sizeof target);
        EXPECT_EQ(c.Opened != nullptr, formed != 0) << c.Text;
        EXPECT_EQ(std::string(c.Opened ? c.Opened : ""), target) << c.Text;
    }
}

}  // namespace

TEST(WebLinks, WebFieldsOpenOnlyWebAddresses) {
    ExpectAddresses(FormWebAddress, {
                                        {"www.example.com", "http://www.example.com"},
                                        {"example.com/cards?id=3#top", "http://example.com/cards?id=3#top"},
                                        {"example.com:8080", "http://example.com:8080"},
                                        {"http://example.com", "http://example.com"},
                                        {"HTTPS://Example.COM/a", "HTTPS://Example.COM/a"},
                                        {"C:\\Tools\\x.exe", nullptr},
                                        {"\\\\server\\share\\x.exe", nullptr},
                                        {"file:///C:/Tools/x.exe", nullptr},
                                        {"ftp://example.com", nullptr},
                                        {"javascript:alert(1)", nullptr},
                                        {"notepad", nullptr},
                                        {"cmd.exe /c del x", nullptr},
                                        {"http://", nullptr},
                                        {".example.com", nullptr},
                                        {"example..com", nullptr},
                                        {"www.example.com\"x", nullptr},
                                        {"", nullptr},
                                    });
}

TEST(WebLinks, MailFieldsOpenOnlyEmailAddresses) {
    ExpectAddresses(FormMailAddress, {
                                         {"anna@example.com", "mailto:anna@example.com"},
                                         {"mailto:anna.b-c@mail.example.org", "mailto:anna.b-c@mail.example.org"},
                                         {"anna", nullptr},
                                         {"@example.com", nullptr},
                                         {"anna@", nullptr},
                                         {"anna@example", nullptr},
                                         {"a@b@example.com", nullptr},
                                         {"C:\\Tools\\x.exe", nullptr},
                                         {"anna@example.com?attach=C:\\x", nullptr},
                                         {"anna @example.com", nullptr},
                                     });
}

// A card whose web field names a program: the command shows a message naming it and runs
// nothing (the batch file would leave a file behind).
TEST(WebLinks, ACardFieldNamingAProgramIsNotRun) {
    char batch[64], marker[64];
    snprintf(batch, sizeof batch, "C:\\zw%lu.bat", GetCurrentProcessId());
    snprintf(marker, sizeof marker, "C:\\zw%lu.txt", GetCurrentProcessId());
    DeleteFileA(marker);
    FILE* file = fopen(batch, "w");
    ASSERT_NE(nullptr, file);
    fprintf(file, "echo ran> %s\r\n", marker);
    fclose(file);
    CardRec saved = App.CurrentCard;
    struct Case {
        int Command;
        char* Field;
    } cases[] = {{IDM_BROWSE_WEB, App.CurrentCard.User3},
                 {IDM_BROWSE_WEB2, App.CurrentCard.User4},
                 {IDM_MAIL, App.CurrentCard.EMail},
                 {IDM_MAIL2, App.CurrentCard.User2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Command);
        memset(&App.CurrentCard, 0, sizeof App.CurrentCard);
        lstrcpynA(c.Field, batch, 51);
        std::vector<std::string> texts;
        {
            DialogWatch user(IDOK);
            OnScanAndCardCommand(c.Command);
            Sleep(500);
            texts = user.Texts();
        }
        ASSERT_EQ(1u, texts.size()) << "one message";
        EXPECT_NE(std::string::npos, texts[0].find(batch)) << texts[0];
    }
    // The same for the Web-site setting.
    lstrcpynA(App.WebSite, batch, sizeof App.WebSite);
    {
        DialogWatch user(IDOK);
        OnFileCommand(IDM_WEBSITE, 0);
        Sleep(500);
        EXPECT_EQ(1u, user.Texts().size());
    }
    // No web site: nothing at all happens.
    App.WebSite[0] = 0;
    {
        DialogWatch user(IDOK);
        OnFileCommand(IDM_WEBSITE, 0);
        Sleep(500);
        EXPECT_TRUE(user.Texts().empty());
    }
    Sleep(3000);  // long enough for a started batch file to have written its file
    EXPECT_FALSE(FileExists(marker)) << "the program was run";
    App.CurrentCard = saved;
    DeleteFileA(marker);
    DeleteFileA(batch);
}

// The Web-site button of the command bar is there to be pressed only when a web site is set.
TEST(WebLinks, TheWebSiteButtonIsEnabledOnlyWithAWebSite) {
    WNDCLASSA kind = {};
    kind.lpfnWndProc = CommandBarWndProc;
    kind.hInstance = App.Instance;
    kind.lpszClassName = "IMC_CMD20";
    RegisterClassA(&kind);
    HWND main =
        CreateWindowA("STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 200, nullptr, nullptr, App.Instance, nullptr);
    ASSERT_NE(nullptr, main);
    int shown = App.ShowWebSite;
    App.ShowWebSite = 1;
    HWND bar = CreateCommandBar(main);
    ASSERT_NE(nullptr, bar);
    HWND button = GetDlgItem(bar, IDB_CMD_WEBSITE);
    ASSERT_NE(nullptr, button);
    App.WebSite[0] = 0;
    UpdateCommandStates(bar, 0);
    EXPECT_FALSE(IsWindowEnabled(button));
    lstrcpynA(App.WebSite, "www.example.com", sizeof App.WebSite);
    UpdateCommandStates(bar, 0);
    EXPECT_TRUE(IsWindowEnabled(button));
    App.WebSite[0] = 0;
    DestroyWindow(main);
    App.ShowWebSite = shown;
}
