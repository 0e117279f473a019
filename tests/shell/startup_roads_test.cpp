// The start-up's two questions to Windows, answered by Wine itself, and the test roads kept out
// of every shipped binary.
#include <gtest/gtest.h>
#include "shell.h"
#include "build_paths.h"
#include "file_bytes.h"
#include <set>

namespace {

// Whether this process's token holds the built-in alias, as Windows' own membership test says.
bool TokenHoldsAlias(DWORD alias) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, alias, 0, 0, 0, 0, 0, 0, &sid)) return false;
    BOOL member = FALSE;
    CheckTokenMembership(nullptr, sid, &member);
    FreeSid(sid);
    return member != FALSE;
}

bool IsNameCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

// Every *_TEST_* name a file carries, in single-byte text or in UTF-16 (a step of 2).
std::set<std::string> TestSwitchNames(const std::string& bytes) {
    std::set<std::string> names;
    for (size_t step : {1, 2}) {
        std::string pattern;
        for (char c : std::string("_TEST_")) {
            pattern += c;
            if (step == 2) pattern += '\0';
        }
        for (size_t at = bytes.find(pattern); at != std::string::npos; at = bytes.find(pattern, at + 1)) {
            size_t begin = at, end = at + pattern.size();
            while (begin >= step && IsNameCharacter(bytes[begin - step]) && (step == 1 || bytes[begin - 1] == 0))
                begin -= step;
            while (end + step <= bytes.size() && IsNameCharacter(bytes[end]) && (step == 1 || bytes[end + 1] == 0))
                end += step;
            std::string name;
            for (size_t i = begin; i < end; i += step) name += bytes[i];
            names.insert(name);
        }
    }
    return names;
}

// The programs and libraries below a folder.
void CollectBinaries(const std::string& folder, std::vector<std::string>& out) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectBinaries(folder + name + "\\", out);
        } else if (name.size() > 4) {
            std::string ext = name.substr(name.size() - 4);
            if (lstrcmpiA(ext.c_str(), ".exe") == 0 || lstrcmpiA(ext.c_str(), ".dll") == 0)
                out.push_back(folder + name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string BuildFolder() {
    std::string bin = ProgramFolder();
    std::string trimmed = bin.substr(0, bin.size() - 1);
    return trimmed.substr(0, trimmed.rfind('\\') + 1);
}

}  // namespace

TEST(StartupRoads, GroupTestAnswersWhatTheTokenHolds) {
    // Wine runs every program as an administrator.
    ASSERT_TRUE(TokenHoldsAlias(DOMAIN_ALIAS_RID_ADMINS));
    EXPECT_EQ(IsUserAdministrator(), 1);
    EXPECT_EQ(IsUserPowerUser(), TokenHoldsAlias(DOMAIN_ALIAS_RID_POWER_USERS) ? 1 : 0);
    // Each test reverts its impersonation: the thread is left without a token of its own.
    HANDLE token = nullptr;
    EXPECT_FALSE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_TOKEN));
    // So the settings stay beside the program on this system.
    EXPECT_EQ(IsNT5OrLater(), 1);
}

TEST(StartupRoads, StillImageQueryWithoutADeviceIsNoLaunch) {
    char source[64] = "left alone";
    EXPECT_EQ(CheckStillImageLaunch(source, 0), 0);
    EXPECT_STREQ(source, "left alone");
}

TEST(StartupRoads, NoShippedBinaryNamesATestSwitch) {
    std::vector<std::string> shipped;
    CollectBinaries(BuildFolder() + "zem40\\", shipped);
    ASSERT_GE(shipped.size(), 5u);
    for (const std::string& file : shipped) {
        std::string bytes = ReadWholeFile(file);
        ASSERT_FALSE(bytes.empty()) << file;
        std::set<std::string> names = TestSwitchNames(bytes);
        EXPECT_TRUE(names.empty()) << file << " names " << (names.empty() ? "" : *names.begin());
    }
    // The same search finds the switches in the program's test build, in the form it reads them.
    std::set<std::string> roads = TestSwitchNames(ReadWholeFile(BuildFolder() + "testroads\\zem40.exe"));
    EXPECT_EQ(roads, (std::set<std::string>{"ZEM40_TEST_RESTRICTED_USER", "ZEM40_TEST_SCANNER_LAUNCH"}));
}
