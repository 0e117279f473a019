// Card images through zem40 itself: card images turned a quarter, in three file formats and
// depths, are turned upright as [Preference] DefaultAngle says, read, and stored with their
// image and thumbnail; the engine gets a page per image document; the Card Editor's image pane
// draws each card and the Card Album its thumbnails. One program start serves every check.
#include <gtest/gtest.h>
#include "linux_programs.h"
#include "recognition_checks.h"
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

const COLORREF kPaneGrey = RGB(192, 192, 192);

HWND FindChildById(HWND parent, int id, const char* className = nullptr) {
    for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
         child = FindWindowExA(parent, child, className, nullptr))
        if (GetDlgCtrlID(child) == id) return child;
    return nullptr;
}

LRESULT Send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, 60000, &result);
    return static_cast<LRESULT>(result);
}

// Once the program has taken and painted what the last command changed.
void Settle(HWND main) {
    PumpMessages(1500);
    Send(main, WM_NULL);
}

// The part of a capture that is not the pane's grey, and how much of it is dark and light.
struct DrawnImage {
    RECT Box{INT_MAX, INT_MAX, -1, -1};
    int Dark = 0, Light = 0;
};

DrawnImage FindDrawnImage(const WindowPixels& shot, COLORREF background) {
    DrawnImage found;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x) {
            COLORREF c = shot.At(x, y);
            if (c == background) continue;
            found.Box.left = std::min<LONG>(found.Box.left, x);
            found.Box.top = std::min<LONG>(found.Box.top, y);
            found.Box.right = std::max<LONG>(found.Box.right, x + 1);
            found.Box.bottom = std::max<LONG>(found.Box.bottom, y + 1);
            int level = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
            if (level < 96) ++found.Dark;
            if (level > 224) ++found.Light;
        }
    return found;
}

int Colours(const WindowPixels& shot) {
    std::vector<DWORD> seen(shot.Pixels);
    std::sort(seen.begin(), seen.end());
    return static_cast<int>(std::unique(seen.begin(), seen.end()) - seen.begin());
}

std::vector<std::string> LinesStartingWith(const std::string& file, const std::string& start) {
    std::vector<std::string> lines;
    std::string text = ReadWholeFile(file), line;
    for (char c : text + "\n") {
        if (c == '\r') continue;
        if (c != '\n') {
            line += c;
            continue;
        }
        if (line.rfind(start, 0) == 0) lines.push_back(line);
        line.clear();
    }
    return lines;
}

// Width and height of an image file as ImageMagick reads it ("0x0" when it cannot).
std::string SizeByImageMagick(const std::string& image, const Installation& installation) {
    std::string out = installation.Path("identify.txt");
    DeleteFileA(out.c_str());
    RunShellCommand("identify -format '%wx%h' '" + UnixPath(image) + "[0]' > '" + UnixPath(out) + "'");
    std::string size = ReadWholeFile(out);
    return size.empty() ? "0x0" : size;
}

}  // namespace

TEST(CardImages, TurnedImagesAreStoredUprightAndDrawnInTheEditorAndTheAlbum) {
    RecognitionInstallation setup("card-images");
    const Installation& installation = setup.installation;
    // The pages are a quarter turn clockwise; three more quarters put them upright.
    installation.WriteSetting("Preference", "DefaultAngle", "270");
    std::string trace = installation.Path("engine.trace");
    // A 1-bit TIFF, a colour JPEG and a grey 8-bit BMP, each 600 x 1050 as they arrive, named
    // in quotes from a folder whose name holds a blank, as a user's folder may.
    const char* const pages[] = {"brooks_90.tif", "chen_90.jpg", "miller_90.bmp"};
    std::string folder = installation.Path("my cards\\");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string arguments;
    for (const char* page : pages) {
        ASSERT_TRUE(CopyFileA(CardImage(page).c_str(), (folder + page).c_str(), FALSE)) << page;
        arguments += (arguments.empty() ? "" : " ") + Quoted(folder + page);
    }
    ProgramRun run(installation, arguments, {{"TVRKSDK_TRACE", trace}});
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage("", IDOK);
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    // One card after the other, each stored with its thumbnail; then the program is idle.
    for (DWORD start = GetTickCount(); FilesIn(installation.Path("thumb\\")).size() < 3;) {
        ASSERT_LT(GetTickCount() - start, 600000u) << AllSeen(answers.Seen());
        PumpMessages(250);
    }
    ASSERT_TRUE(WaitForRecognitionRuns(run, 0, 60000)) << AllSeen(answers.Seen());
    EXPECT_TRUE(answers.Seen().empty()) << AllSeen(answers.Seen());
    SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // Each image became an image document with its engine page, whose place the turned working
    // copy (a TIFF file of the image folder) took before the page was read.
    EXPECT_EQ(LinesStartingWith(trace, "ProcessSinglePage").size(), 3u);
    int turnedPages = 0;
    for (const std::string& line : LinesStartingWith(trace, "Create_Page")) {
        size_t name = line.rfind('\\');
        if (name != std::string::npos && line.compare(name + 1, 4, "OPEN") == 0 && line.size() > 4 &&
            line.compare(line.size() - 4, 4, ".TIF") == 0)
            ++turnedPages;
    }
    EXPECT_EQ(turnedPages, 3) << ReadWholeFile(trace);

    // The Card Editor draws each card upright: a landscape card, dark text on white.
    HWND work = FindChildById(main, 920, "IMC_WorkEdit20");
    ASSERT_NE(work, nullptr);
    Send(main, WM_COMMAND, 113);
    Send(main, WM_COMMAND, 94);
    HWND caption = FindWindowExA(work, nullptr, "IMC_WorkImageCap20", nullptr);
    HWND pane = caption ? FindWindowExA(caption, nullptr, "IMC_WorkEdImage20", nullptr) : nullptr;
    ASSERT_NE(pane, nullptr);
    for (int card = 0; card < 3; ++card) {
        if (card > 0) Send(main, WM_COMMAND, 96);
        Settle(main);
        ASSERT_TRUE(WaitUntilDrawn(pane)) << "card " << card;
        DrawnImage drawn = FindDrawnImage(CaptureWindow(pane), kPaneGrey);
        int width = drawn.Box.right - drawn.Box.left, height = drawn.Box.bottom - drawn.Box.top;
        EXPECT_GT(width, height * 3 / 2) << "card " << card;
        EXPECT_GT(drawn.Dark, 50) << "card " << card;
        EXPECT_GT(drawn.Light, width * height / 2) << "card " << card;
        SaveScreenshot(main, "card-images-editor-" + std::to_string(card + 1));
    }

    // The album shows the three thumbnails, and the empty cells their picture.
    Send(main, WM_COMMAND, 114);
    HWND desk = FindWindowExA(work, nullptr, "IMC_Desk20", nullptr);
    ASSERT_NE(desk, nullptr);
    Settle(main);
    ASSERT_TRUE(WaitUntilDrawn(desk));
    SaveScreenshot(main, "card-images-album");
    WindowPixels empty = CaptureWindow(GetDlgItem(desk, 733));
    for (int cell = 0; cell < 3; ++cell) {
        WindowPixels shot = CaptureWindow(GetDlgItem(desk, 730 + cell));
        EXPECT_GT(Colours(shot), 2) << "cell " << cell;
        EXPECT_NE(shot.Pixels, empty.Pixels) << "cell " << cell;
    }
    EXPECT_EQ(FilesIn(installation.Path("thumb\\")).size(), 3u) << "no thumbnail had to be made again";

    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(run.WaitForExit(60000), 0);
    // The engine's document is emptied with the image documents at the end.
    EXPECT_EQ(LinesStartingWith(trace, "Reset_Document").size(), 1u);

    // The stored cards read as drawn, and their image files are upright as another reader sees
    // them; the thumbnails are there.
    std::vector<StoredCard> stored = ReadCards(setup.cards);
    ASSERT_EQ(stored.size(), 3u);
    const char* const expected[] = {"brooks", "chen", "miller"};
    for (size_t i = 0; i < stored.size(); ++i) {
        ExpectCardOf(expected[i], stored[i]);
        EXPECT_EQ(stored[i].ImagePath.rfind(installation.Path("IMAGE\\"), 0), 0u) << stored[i].ImagePath;
        EXPECT_EQ(SizeByImageMagick(stored[i].ImagePath, installation), "1050x600") << stored[i].ImagePath;
        EXPECT_TRUE(IsFile(stored[i].ThumbnailPath)) << stored[i].ThumbnailPath;
    }
}
