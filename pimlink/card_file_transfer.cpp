#include "card_file_transfer.h"
#include "card_file_side.h"
#include "card_image_copy.h"
#include "card_rec_convert.h"
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <string>

namespace ferrow {

namespace {

// The steps every transfer shares; subclasses say what is taken from each source record and
// how it is stored.
class CCardFileTransfer {
public:
    CCardFileTransfer(CardLayout from, CardLayout to) : source_(from), destination_(to) {}
    virtual ~CCardFileTransfer() = default;

    // True when both card files opened and every card taken was stored.
    bool Run(const char* sourcePath, const char* destinationPath) {
        const bool sourceReady = source_.Open(sourcePath);
        int count = sourceReady ? source_.Count() : 0;
        bool destinationReady = destination_.OpenOrCreate(destinationPath);
        bool everyCardStored = sourceReady && destinationReady;
        if (destinationReady && count > 0 && source_.Engine().RecFirst(source_.Dataset()) == 1) {
            for (int i = 1; i <= count; ++i) {
                memset(&v3_, 0, sizeof(v3_));
                memset(&v4_, 0, sizeof(v4_));
                if (ReadAndTake()) {
                    const bool stored = StoreOne();
                    everyCardStored = everyCardStored && stored;
                    AfterStore(stored);
                }
                source_.Engine().RecNext(source_.Dataset());
            }
        }
        source_.Close();
        destination_.CloseCompacted(destinationPath);
        return everyCardStored;
    }

protected:
    // Reads the current source record into v3_ or v4_; false skips it.
    virtual bool ReadAndTake() = 0;
    // Converts as needed and inserts; true when stored.
    virtual bool StoreOne() = 0;
    virtual void AfterStore(bool stored) {}

    bool ReadV3() { return source_.Engine().CardRecGet(source_.Dataset(), &v3_, 1) == 1; }
    bool ReadV4() { return source_.Engine().CardRecGetV4(source_.Dataset(), &v4_, 1) == 1; }
    bool InsertV3(CardRec& record) { return destination_.InsertCommitted(&record, nullptr); }
    bool InsertV4(CardRecV4& record) { return destination_.InsertCommitted(nullptr, &record); }

    CCardFileSide source_;
    CCardFileSide destination_;
    CardRec v3_{};
    CardRecV4 v4_{};
};

// Moves cards from one layout to the other: all of them, or those whose Flags is onlyFlag.
class CLayoutTransfer : public CCardFileTransfer {
public:
    CLayoutTransfer(CardLayout from, int onlyFlag = -1)
        : CCardFileTransfer(from, from == CardLayout::V3 ? CardLayout::V4 : CardLayout::V3), from_(from),
          onlyFlag_(onlyFlag) {}

protected:
    bool ReadAndTake() override {
        if (from_ == CardLayout::V3) return ReadV3() && (onlyFlag_ < 0 || v3_.Flags == onlyFlag_);
        return ReadV4() && (onlyFlag_ < 0 || v4_.Flags == onlyFlag_);
    }
    bool StoreOne() override {
        if (from_ == CardLayout::V4) {
            CardRecV4ToV3(v4_, v3_);
            return InsertV3(v3_);
        }
        CardRecV3ToV4(v3_, v4_);
        return InsertV4(v4_);
    }

private:
    CardLayout from_;
    int onlyFlag_;
};

// Clears the export mark of every card that reached the destination, and only of those: a card
// that could not be stored stays marked for the next export.
class CExportTransfer : public CLayoutTransfer {
public:
    explicit CExportTransfer(int mode) : CLayoutTransfer(CardLayout::V3, mode == 1 ? 1 : -1) {}

protected:
    void AfterStore(bool stored) override {
        if (!stored) return;
        CkvDBEngine& engine = source_.Engine();
        v3_.Flags = 0;
        // The note, image and thumbnail stay as stored.
        v3_.SecondText.Modified = v3_.CNote.Modified = v3_.CImage.Modified = 0;
        engine.StartTransation(source_.Database());
        if (engine.CardRecUpdate(source_.Dataset(), &v3_)) engine.Commit(source_.Database());
        else engine.Rollback(source_.Database());
    }
};

class CDuplicateTransfer : public CCardFileTransfer {
public:
    CDuplicateTransfer() : CCardFileTransfer(CardLayout::V3, CardLayout::V3) {}

protected:
    bool ReadAndTake() override { return ReadV3(); }
    bool StoreOne() override {
        v3_.CNote.Modified = v3_.CNote.Size > 0 ? 1 : 0;
        // The image column holds the path with its terminator; the thumbnail is a text column.
        const bool copied =
            CopyFileOf(v3_.CImage, imagePath_, 1,
                       [this](const std::string& p, std::string* c) { return copier_.CopyImage(p, c); }) &&
            CopyFileOf(v3_.SecondText, thumbPath_, 0,
                       [this](const std::string& p, std::string* c) { return copier_.CopyThumbnail(p, c); });
        if (copied && InsertV3(v3_)) {
            copier_.KeepCopies();
            return true;
        }
        // No card names the copies: they go, so that nothing of a card that was not stored stays.
        copier_.RemoveCopies();
        return false;
    }

private:
    static std::string BlobPath(const CardRecBlob& blob) {
        if (blob.Size <= 0 || !blob.Data) return std::string();
        return std::string(blob.Data, strnlen(blob.Data, static_cast<size_t>(blob.Size)));
    }

    // Copies the file the descriptor names and makes the descriptor name the copy. False when
    // the copy failed; a file that is missing is not copied and keeps its name.
    template <typename Copy>
    bool CopyFileOf(CardRecBlob& blob, char (&place)[MAX_PATH + 16], int terminator, Copy copy) {
        std::string path = BlobPath(blob), copied;
        if (path.empty()) return true;
        if (!copy(path, &copied)) return false;
        blob.Modified = 1;  // the copy names the file as the original does, or its own copy
        if (copied.empty()) return true;
        if (copied.size() >= sizeof(place)) return false;  // the record could not name it whole
        snprintf(place, sizeof(place), "%s", copied.c_str());
        blob.Data = place;
        blob.Size = static_cast<int32_t>(strlen(place)) + terminator;
        return true;
    }

    CCardImageCopier copier_;
    char imagePath_[MAX_PATH + 16] = "";
    char thumbPath_[MAX_PATH + 16] = "";
};

}  // namespace

bool DuplicateCardFile(const char* source, const char* destination) {
    return CDuplicateTransfer().Run(source, destination);
}

bool ExportCardFile(const char* source, const char* destination, int mode) {
    return CExportTransfer(mode).Run(source, destination);
}

bool ImportCardFile(const char* cardFile, const char* source) {
    return CLayoutTransfer(CardLayout::V4, 3).Run(source, cardFile);
}

bool ConvertCardFileV3ToV4(const char* source, const char* destination) {
    return CLayoutTransfer(CardLayout::V3).Run(source, destination);
}

bool ConvertCardFileV4ToV3(const char* source, const char* destination) {
    return CLayoutTransfer(CardLayout::V4).Run(source, destination);
}

}  // namespace ferrow
