// Card images become stored cards through zem40 itself: rendered cards (ImageMagick, known
// text) handed over on the command line, read by the real OCR program under Wine, and the
// card file read back after the program has ended.
#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>
#include "recognition_checks.h"

TEST(Recognition, ImagesOnTheCommandLineBecomeCardsAndFailuresLeaveNothingBehind) {
    RecognitionInstallation setup("recognition-command-line");
    const Installation& installation = setup.installation;
    std::string broken = WriteSmallFile(installation.Path("broken.bmp"));
    std::string missing = installation.Path("missing.bmp");
    // A blank page, a file no module reads and a missing file, then three cards.
    std::string arguments = CardImage("blank.bmp") + " " + broken + " " + missing + " " + CardImage("miller.bmp") +
                            " " + CardImage("chen.bmp") + " " + CardImage("garcia.bmp");
    ProgramRun run(installation, arguments);
    DialogAnswerer answers(run.ProcessId());
    answers.AnswerMessage("", IDOK);
    ASSERT_NE(run.WaitForMainWindow(), nullptr);
    // Four pages are read: the blank one and the three cards.
    ASSERT_TRUE(WaitForRecognitionRuns(run, 4, 600000));
    PostMessageA(run.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(60000), 0);

    std::vector<SeenDialog> seen = answers.Seen();
    EXPECT_TRUE(SeenMessageWith(seen, "No text was found on the card image")) << AllSeen(seen);
    EXPECT_TRUE(SeenMessageWith(seen, "broken.bmp")) << AllSeen(seen);
    EXPECT_TRUE(SeenMessageWith(seen, "missing.bmp")) << AllSeen(seen);
    std::vector<StoredCard> stored = ReadCards(setup.cards);
    ASSERT_EQ(stored.size(), 3u);
    const char* expected[] = {"miller", "chen", "garcia"};
    std::vector<std::string> images;
    for (size_t i = 0; i < stored.size(); ++i) {
        ExpectCardOf(expected[i], stored[i]);
        EXPECT_TRUE(PathExists(stored[i].ImagePath)) << stored[i].ImagePath;
        EXPECT_EQ(stored[i].ImagePath.rfind(installation.Path("IMAGE\\"), 0), 0u) << stored[i].ImagePath;
        EXPECT_TRUE(PathExists(stored[i].ThumbnailPath)) << stored[i].ThumbnailPath;
        EXPECT_EQ(stored[i].ThumbnailPath.rfind(installation.Path("thumb\\"), 0), 0u) << stored[i].ThumbnailPath;
        images.push_back(stored[i].ImagePath.substr(stored[i].ImagePath.rfind('\\') + 1));
    }
    // The image folder holds the three card images and nothing of the failed or turned pages.
    std::vector<std::string> left = FilesIn(installation.Path("IMAGE\\"));
    left.erase(std::remove_if(left.begin(), left.end(),
                              [](const std::string& n) { return n.find(".ini") != std::string::npos; }),
               left.end());
    std::sort(left.begin(), left.end());
    std::sort(images.begin(), images.end());
    EXPECT_EQ(left, images);
    EXPECT_EQ(FilesIn(installation.Path("thumb\\")).size(), 3u);
    for (const std::string& name : FilesIn(installation.Path("TVRKTEMP\\")))
        EXPECT_EQ(name.find("tvrk"), std::string::npos) << name;
}
