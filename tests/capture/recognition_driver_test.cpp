// The recognition driver on pages the engine finds no text on: each is still stored, as an
// empty card with its image and thumbnail, and no road of the run deletes the image it stores.
#include "capture_fixture.h"
#include "file_bytes.h"
#include "recognition.h"

using namespace capturetest;

namespace {

// A white grey card saved in the image folder and made the current image, as adding it does.
void AddBlankPage(const std::string& file, bool keepPixels) {
    ImageRecord page = MakeFlatImage(700, 400, 8, 255, Colours::Grey);
    ASSERT_TRUE(SaveImageFile(file.c_str(), IMAGE_TYPE_BMP, 0, &page));
    MakeCurrent(page);
    lstrcpynA(App.CurrentImage.FileName, file.c_str(), sizeof App.CurrentImage.FileName);
    if (!keepPixels) ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
}

}  // namespace

// Upright, and at an angle that is no quarter turn where the working copy cannot be made (the
// page has no pixels to copy): the card is stored with an image that exists and a thumbnail,
// and the message says no text was found.
TEST(RecognitionDriver, PagesWithoutTextAreStoredWithTheirImages) {
    RegisterRecognitionWindowClass();
    const struct {
        const char* Name;
        bool Pixels;
        int Angle;
    } cases[] = {{"upright", true, 0}, {"45 degrees, no copy to be had", false, 45}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string file = ScratchPath("IMAGE\\OPENB00" + std::to_string(n++) + ".BMP");
        AddBlankPage(file, c.Pixels);
        App.DefaultAngle = c.Angle;
        App.AutoRotate = 0;
        memset(&App.CurrentCard, 0, sizeof App.CurrentCard);
        std::vector<std::string> messages = MessagesDuring([] { RecognizeCurrentCard(&App.CurrentImage, 3); });
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("No text was found on the card image"), std::string::npos) << messages[0];
        const CardRec& card = App.CurrentCard;
        ASSERT_EQ(card.CImage.Modified, 1);
        ASSERT_NE(card.CImage.Data, nullptr);
        EXPECT_TRUE(IsFile(card.CImage.Data)) << card.CImage.Data;
        ASSERT_EQ(card.SecondText.Modified, 1);
        EXPECT_TRUE(IsFile(card.SecondText.Data)) << card.SecondText.Data;
        EXPECT_EQ(card.CName[0], 0);
        EXPECT_EQ(card.CNote.Modified, 0);
        ClearCurrentImage();
    }
    App.DefaultAngle = 0;
}

namespace {

int g_paints = 0;

// While the first turned copy is shown in the recognition window, the other turned working
// copies become unreadable, as a file taken away or damaged on the disk would.
LRESULT CALLBACK SpoilLaterWorkingCopies(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char name[32] = "";
    if (code == HC_ACTION && sent->message == WM_PAINT && GetClassNameA(sent->hwnd, name, sizeof name) &&
        strcmp(name, RECOGNITION_WINDOW_CLASS) == 0 && ++g_paints == 2) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(ScratchPath("IMAGE\\OPEN*.TIF").c_str(), &found);
        while (search != INVALID_HANDLE_VALUE) {
            std::string file = ScratchPath(std::string("IMAGE\\") + found.cFileName);
            if (lstrcmpiA(file.c_str(), App.CurrentImage.FileName) != 0) WriteWholeFile(file, "II*\0spoilt");
            if (!FindNextFileA(search, &found)) {
                FindClose(search);
                break;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// The orientations retried after a poor first reading: one whose working copy cannot be read
// back is not recognised at all (its score stays as the last run left it) instead of being
// scored on the pixels of the orientation before it.
TEST(RecognitionDriver, AnOrientationWhoseCopyCannotBeReadIsNotScored) {
    RegisterRecognitionWindowClass();
    AddBlankPage(ScratchPath("IMAGE\\OPENB100.BMP"), true);
    App.DefaultAngle = 0;
    App.AutoRotate = 1;
    for (int k = 0; k < 4; ++k) App.OrientationScores[k] = -7;
    g_paints = 0;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, SpoilLaterWorkingCopies, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    MessagesDuring([] { RecognizeCurrentCard(&App.CurrentImage, 3); });
    UnhookWindowsHookEx(hook);
    EXPECT_GE(g_paints, 2);
    EXPECT_NE(App.OrientationScores[1], -7);  // read from its own copy
    EXPECT_EQ(App.OrientationScores[2], -7);
    EXPECT_EQ(App.OrientationScores[3], -7);
    ASSERT_NE(App.CurrentCard.CImage.Data, nullptr);
    EXPECT_TRUE(IsFile(App.CurrentCard.CImage.Data)) << App.CurrentCard.CImage.Data;
    App.AutoRotate = 0;
    ClearCurrentImage();
}
