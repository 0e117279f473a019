// The result editor in a host program whose hand-over of image rows to the engine's banks
// refuses every bank (refusing_host.def exports RefuseBankTransfer under the program's name).
// The editor must ask the program, take the refusal as a failure and go on safely.
// The program's own hand-over is built in too, unexported, for the pages the tests lay out.
#include <algorithm>
#include "editor_fixture.h"

namespace {

struct Refusals {
    std::vector<std::string> Banks;
    std::vector<int> BytesPerLine, Lines;
    std::vector<const uint8_t*> Rows;
};
Refusals g_refused;

class RefusingHost : public ReglyphHost {
protected:
    void SetUp() override {
        ReglyphHost::SetUp();
        g_refused = Refusals();
    }
    HWND Image() { return Control(8012); }
    // The window point of an image point while the (smaller) image is centred at 1:1.
    POINT At(int x, int y) {
        RECT client;
        GetClientRect(Image(), &client);
        return POINT{(client.right - width_) / 2 + x, (client.bottom - height_) / 2 + y};
    }
    int width_ = 200, height_ = 60;
};

}  // namespace

extern "C" int __cdecl RefuseBankTransfer(uint8_t* rows, const char* bankName, uint16_t bytesPerLine,
                                          uint16_t lineCount, int32_t*) {
    g_refused.Banks.push_back(bankName ? bankName : "");
    g_refused.BytesPerLine.push_back(bytesPerLine);
    g_refused.Lines.push_back(lineCount);
    g_refused.Rows.push_back(rows);
    return 0;
}

TEST_F(RefusingHost, ARegionIsReadAgainWithoutTheGreyRowsTheProgramRefused) {
    TestPage page({{0, 0, "John"}});
    PageImages images(page.page(), width_, height_);
    // Grey rows of an earlier page still described to "RawImage": dark on the left, light on the
    // right. Binarising the region from them would ink the black-and-white rows there.
    std::vector<uint8_t> stale((size_t)width_ * height_, 240);
    for (int y = 0; y < height_; ++y) std::fill_n(&stale[(size_t)y * width_], width_ / 2, 10);
    int32_t rawId = 0;
    ASSERT_EQ(TransferImageBufferToBank(stale.data(), "RawImage", (uint16_t)width_, (uint16_t)height_, &rawId), 1);
    ASSERT_TRUE(Open(page.page()));
    Drag(Image(), {At(20, 10), At(180, 50)});
    SendMessageA(editor_, WM_COMMAND, 1199, 0);
    Pump();
    // The editor asked the program for the page's own grey rows...
    ASSERT_EQ(g_refused.Banks.size(), 1u);
    EXPECT_EQ(g_refused.Banks[0], "RawImage");
    EXPECT_EQ(g_refused.BytesPerLine[0], 200);  // grey rows padded to 4 bytes
    EXPECT_EQ(g_refused.Lines[0], height_);
    EXPECT_EQ(g_refused.Rows[0], GlobalLock(page.page()->Image.GreyRows));
    GlobalUnlock(page.page()->Image.GreyRows);
    // ...and, refused, left the stale bank alone: the black-and-white rows carry no ink.
    bool ink = false;
    for (int y = 0; y < height_ && !ink; ++y)
        for (int x = 0; x < width_ && !ink; ++x) ink = images.InkAt(x, y);
    EXPECT_FALSE(ink);
    // The field was still read over the region, and the editor goes on.
    std::vector<std::string> calls = EngineCalls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "ReRecognizeField 71 20 10 180 50"), calls.end());
    EXPECT_TRUE(IsWindow(editor_));
    EXPECT_TRUE(images.GuardIntact());
    mem_free_bank(rawId);
}
