// reglyph_host.exe as a program of its own: it recognises two rendered cards, moves from the
// first to the second when the editor asks for the next card, and writes what the editor hands
// back for each, the second when the window is closed.
#include "editor_fixture.h"

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string FileText(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    fclose(f);
    return text;
}

// Waits up to `seconds` for the condition, pumping this thread's messages meanwhile.
template <typename Condition>
bool WaitFor(Condition condition, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (condition()) return true;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(100);
    }
    return condition();
}

}  // namespace

TEST(HostProgram, NavigatesBetweenCardsAndWritesWhatIsHandedBack) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string output = std::string(temp) + "reglyph_host_output.txt";
    DeleteFileA(output.c_str());
    std::string line = "\"" + ProgramFolder() + "reglyph_host.exe\" /O \"" + output + "\" /D 2003/4/5 \"" +
                       CARD_IMAGES "zhang.bmp\" \"" CARD_IMAGES "miller.bmp\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> command(line.begin(), line.end());
    command.push_back(0);
    ASSERT_TRUE(
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    HWND host = nullptr;
    // The host window shows the editor once the first card is recognised.
    ASSERT_TRUE(
        WaitFor([&] { return (host = FindWindowA("ReglyphHost", nullptr)) && GetWindow(host, GW_CHILD); }, 240));
    PostMessageA(host, WM_COMMAND, 96, 0);  // the editor's Next button sends this
    // Leaving the first card writes what the editor handed back for it.
    EXPECT_TRUE(WaitFor([&] { return FileText(output).find("zhang.bmp]") != std::string::npos; }, 60));
    PostMessageA(host, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 240000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(exitCode, 0u);
    std::string text = FileText(output);
    size_t first = text.find("zhang.bmp]"), second = text.find("miller.bmp]");
    ASSERT_NE(first, std::string::npos) << text;
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_LT(first, second);
    std::string zhang = text.substr(first, second - first), miller = text.substr(second);
    // The date travels through the date line; identified lines come back as group 0.
    EXPECT_NE(zhang.find("date=2003/4/5"), std::string::npos) << zhang;
    EXPECT_NE(zhang.find("0\t7\tzhang.wei@example.cn"), std::string::npos) << zhang;
    EXPECT_NE(zhang.find(Gbk("北京星河科技有限公司")), std::string::npos) << zhang;
    EXPECT_NE(miller.find("Jonathan Miller"), std::string::npos) << miller;
    DeleteFileA(output.c_str());
}
