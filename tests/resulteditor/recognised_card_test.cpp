// A rendered card with a Chinese company name, recognised by the engine in this process (read as
// Simplified Chinese beside English), shown in the editor and corrected by re-recognition.
#include <algorithm>
#include "card_page.h"
#include "editor_fixture.h"

namespace {

// Every line of the page, in page order.
std::vector<RecogLine*> PageLines(RecogPage* page) {
    std::vector<RecogLine*> lines;
    for (RecogRegion* r = page->FirstRegion; r; r = r->Next)
        for (RecogBlock* b = r->FirstBlock; b; b = b->Next)
            for (RecogLine* l = b->FirstLine; l; l = l->Next) lines.push_back(l);
    return lines;
}

using RecognisedCard = ReglyphHost;

}  // namespace

TEST_F(RecognisedCard, EngineFillsThePageAndTheEditorCorrectsIt) {
    CardRecognizer engine(true);
    RecogPage* page = engine.Recognise(CARD_IMAGES "zhang.bmp");
    ASSERT_TRUE(page);
    // The page carries its images: black-and-white rows in a bank, grey rows beside them.
    const RecogImageInfo& image = page->Image;
    EXPECT_EQ(image.Width, 1050);
    EXPECT_EQ(image.Height, 600);
    EXPECT_GE(image.BwBytesPerRow, 132);
    EXPECT_GE(image.GreyBytesPerRow, 1050);
    EXPECT_EQ(image.GreyBitsPerPixel, 8);
    ASSERT_TRUE(image.BwBank && image.BwRows && image.GreyRows);
    EXPECT_GT(image.BankSlot, 0);
    // The e-mail line is identified as such; the Chinese name of the company was read.
    const std::string company = Gbk("北京星河科技");
    bool email = false, chinese = false;
    std::string read;
    for (RecogLine* line : PageLines(page)) {
        std::string text = TextOf(line);
        read += text + "\n";
        if (text.find('@') != std::string::npos) {
            email = true;
            EXPECT_EQ(line->FieldKind, 7) << text;
            EXPECT_EQ(line->Group, 0) << text;
        }
        if (text.find(company) != std::string::npos) chinese = true;
    }
    EXPECT_TRUE(email);
    EXPECT_TRUE(chinese) << read;

    ASSERT_TRUE(Open(page));
    cardStatus_(3, 1);
    Pump();
    UpdateWindow(host_);
    SaveScreenshot(host_, "reglyph_card");
    // At 1:1 (zoom level 7) the region over the company name is drawn and read as Chinese only
    // into the first field.
    for (int i = 0; i < 16; ++i) SendMessageA(editor_, WM_COMMAND, 1001, 0);
    for (int i = 0; i < 8; ++i) SendMessageA(editor_, WM_COMMAND, 1000, 0);
    HWND window = Control(8012);
    RECT client;
    GetClientRect(window, &client);
    int top = 600 < client.bottom ? (client.bottom - 600) / 2 : 0;
    Drag(window, {{40, top + 50}, {500, top + 120}});
    CheckDlgButton(editor_, 1010, BST_UNCHECKED);
    CheckDlgButton(editor_, 1011, BST_UNCHECKED);
    SendMessageA(editor_, WM_COMMAND, 1010, 1688);
    Pump();
    std::vector<std::string> calls = EngineCalls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "ReRecognizeField 64 40 50 500 120"), calls.end());
    EXPECT_NE(Cell(0, 1).find(company), std::string::npos) << Cell(0, 1);
    SaveScreenshot(host_, "reglyph_card_corrected");
    int y, m, d;
    ASSERT_EQ(handBack_(page, &y, &m, &d), 1);
    RecogLine* first = page->FirstRegion->FirstBlock->FirstLine;
    ASSERT_TRUE(first);
    EXPECT_NE(TextOf(first).find(company), std::string::npos);
    EXPECT_EQ(first->Group, 0);
}
