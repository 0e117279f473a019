// Image rows described to a memory bank of the engine utility library.
#include "capture_fixture.h"
#include "engine_memory.h"
#include "recognition.h"

using namespace capturetest;

namespace {

MemoryBankRecord* Bank(const char* name) { return mem_bank_info(mem_get_special_bank(name)); }

}  // namespace

TEST(BankTransfer, SegmentsStayBelow32764BytesWithOneSegmentMore) {
    const struct {
        int bytesPerLine, lines, linesPerSegment, segmentSize, segments;
    } cases[] = {
        {250, 1000, 131, 32750, 8}, {250, 131, 131, 32750, 2}, {32764, 3, 1, 32764, 4}, {1, 10, 32764, 32764, 1}};
    for (const auto& c : cases) {
        std::vector<uint8_t> rows((size_t)c.bytesPerLine * c.lines);
        int32_t id = -1;
        ASSERT_EQ(
            TransferImageBufferToBank(rows.data(), "LinkedImage", (uint16_t)c.bytesPerLine, (uint16_t)c.lines, &id), 1);
        MemoryBankRecord* bank = Bank("LinkedImage");
        EXPECT_EQ(id, bank->BankId);
        EXPECT_EQ(bank->BytesPerLine, c.bytesPerLine);
        EXPECT_EQ(bank->LineCount, c.lines);
        EXPECT_EQ(bank->LinesPerSegment, c.linesPerSegment);
        EXPECT_EQ(bank->SegmentSize, c.segmentSize);
        ASSERT_EQ(bank->SegmentCount, c.segments);
        for (int i = 0; i < c.segments; ++i) EXPECT_EQ(bank->SegmentTable[i], rows.data() + (size_t)i * c.segmentSize);
    }
    // 131 lines of 250 bytes: the second segment starts right after the last row.
    std::vector<uint8_t> rows(250 * 131);
    int32_t id;
    TransferImageBufferToBank(rows.data(), "RawImage", 250, 131, &id);
    EXPECT_EQ(Bank("RawImage")->SegmentTable[1], rows.data() + rows.size());
    EXPECT_EQ(mem_free_bank(id), 1);
    EXPECT_EQ(Bank("RawImage")->SegmentTable, nullptr);
}

TEST(BankTransfer, RefusedCallsLeaveTheBankAsItWas) {
    std::vector<uint8_t> rows(100 * 40000);
    int32_t id = 0;
    ASSERT_EQ(TransferImageBufferToBank(rows.data(), "BinaryImage", 100, 50, &id), 1);
    MemoryBankRecord before = *Bank("BinaryImage");
    int32_t untouched = 12345;
    EXPECT_EQ(TransferImageBufferToBank(nullptr, "BinaryImage", 100, 50, &untouched), 0);
    EXPECT_EQ(TransferImageBufferToBank(rows.data(), "BinaryImage", 100, 0, &untouched), 0);
    EXPECT_EQ(TransferImageBufferToBank(rows.data(), "BinaryImage", 0, 50, &untouched), 0);
    // A row longer than a segment could never be described.
    EXPECT_EQ(TransferImageBufferToBank(rows.data(), "BinaryImage", 40000, 5, &untouched), 0);
    // No memory for a new segment table: the bank keeps the rows it described.
    OCR_malloc_limit(0);
    EXPECT_EQ(TransferImageBufferToBank(rows.data() + 100, "BinaryImage", 50, 80, &untouched), 0);
    OCR_malloc_limit(-1);
    EXPECT_EQ(untouched, 12345);
    EXPECT_EQ(memcmp(&before, Bank("BinaryImage"), sizeof before), 0);
}

TEST(BankTransfer, TheProgramExportsItByNameAndAsOrdinal1) {
    HMODULE program = LoadLibraryExA(ZEM40_EXE, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_TRUE(program) << ZEM40_EXE;
    FARPROC byName = GetProcAddress(program, "TransferImageBufferToBank");
    EXPECT_TRUE(byName);
    EXPECT_EQ(GetProcAddress(program, MAKEINTRESOURCEA(1)), byName);
    FreeLibrary(program);
}

TEST(EngineHeap, BlocksAreLockedMovableGlobalMemoryThatGrowsZeroFilled) {
    uint8_t* block = static_cast<uint8_t*>(OCR_malloc(16));
    ASSERT_TRUE(block);
    HGLOBAL handle = GlobalHandle(block);
    ASSERT_TRUE(handle);
    EXPECT_EQ(GlobalFlags(handle) & GMEM_LOCKCOUNT, 1u);
    memset(block, 0xAB, 16);
    uint8_t* grown = static_cast<uint8_t*>(OCR_realloc(block, 4096));
    ASSERT_TRUE(grown);
    EXPECT_EQ(grown[15], 0xAB);
    EXPECT_EQ(grown[16], 0);
    EXPECT_EQ(grown[4095], 0);
    OCR_free(grown);
    OCR_free(nullptr);
    uint8_t* fresh = static_cast<uint8_t*>(OCR_realloc(nullptr, 8));
    ASSERT_TRUE(fresh);
    OCR_free(fresh);
}

// A page whose rows cannot be handed to the engine is not read: the engine is not called.
TEST(BankTransfer, APageTheBankCannotTakeIsNotRecognised) {
    ImageRecord page = MakeFlatImage(64, 32, 1, 1);
    App.LastPageRead = 77;  // what the engine's reading would overwrite
    OCR_malloc_limit(0);
    int read = RecognizeImagePage(&page, 3);
    OCR_malloc_limit(-1);
    EXPECT_EQ(read, 0);
    EXPECT_EQ(App.LastPageRead, 77);
    if (page.LineImage) GlobalFree(page.LineImage);
    page.LineImage = nullptr;
    FreeImage(page);
}
