// The current image record and the image documents: the pages appended as cards are read.
// An entry is a copy of the current record, handles included; a block the current record still
// holds is the current record's to free, so no block is ever freed twice.
#include "capture.h"
#include "shell.h"
#include <string.h>

#define WM_DOCUMENTS_CHANGED 4025

void CreateImageDocuments(void) {
    ImageDocuments* docs = &App.ImageDocs;
    if (docs->Records) GlobalFree(docs->Records);
    docs->Capacity = IMAGE_DOCUMENT_GROWTH;
    docs->Current = IMAGE_DOCUMENT_NONE;
    docs->Count = 0;
    docs->Records = GlobalAlloc(GHND, (docs->Capacity + 1) * sizeof(ImageRecord));
}

ImageRecord* LockImageDocuments(void) {
    return App.ImageDocs.Records ? (ImageRecord*)GlobalLock(App.ImageDocs.Records) : NULL;
}

void UnlockImageDocuments(void) {
    if (App.ImageDocs.Records) GlobalUnlock(App.ImageDocs.Records);
}

static void NotifyDeck(void) {
    if (App.CardDeck && IsWindow(App.CardDeck)) SendMessageA(App.CardDeck, WM_DOCUMENTS_CHANGED, 0, 0);
}

// Room for one more entry: the first append makes the block, a full block grows by 20.
static int MakeRoomForDocument(void) {
    ImageDocuments* docs = &App.ImageDocs;
    if (!docs->Records) {
        docs->Capacity = IMAGE_DOCUMENT_GROWTH;
        docs->Count = 0;
        docs->Records = GlobalAlloc(GHND, docs->Capacity * sizeof(ImageRecord));
        return docs->Records != NULL;
    }
    if (docs->Count + 1 <= docs->Capacity) return 1;
    if (docs->Capacity + IMAGE_DOCUMENT_GROWTH >= IMAGE_DOCUMENT_NONE) return 0;
    HGLOBAL grown = GlobalReAlloc(docs->Records, (docs->Capacity + IMAGE_DOCUMENT_GROWTH) * sizeof(ImageRecord),
                                  GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown) return 0;
    docs->Records = grown;
    docs->Capacity += IMAGE_DOCUMENT_GROWTH;
    return 1;
}

int AppendImageDocument(const ImageRecord* record) {
    if (!MakeRoomForDocument()) return -1;
    ImageDocuments* docs = &App.ImageDocs;
    ImageRecord* records = LockImageDocuments();
    if (!records) return -1;
    records[docs->Count] = *record;
    UnlockImageDocuments();
    docs->Count++;
    if (App.Document) {
        Create_Page(App.Document, App.Document->PageCount, App.CurrentImage.FileName, App.CurrentImage.Workspace);
        App.Document->PageCount = docs->Count;
    }
    NotifyDeck();
    return docs->Count - 1;
}

// Whether a block is held by the current record (which frees it itself).
static int HeldByCurrentImage(HGLOBAL block) {
    const ImageRecord* current = &App.CurrentImage;
    return block == current->Pixels || block == current->Thumbnail || block == current->LineImage ||
           block == current->Layouts.Block;
}

// Frees an entry's block once: entries after this one that share it forget it.
static void FreeDocumentBlock(ImageRecord* records, int index, HGLOBAL block) {
    if (!block || HeldByCurrentImage(block)) return;
    for (int later = index + 1; later < App.ImageDocs.Count; ++later) {
        ImageRecord* other = &records[later];
        if (other->Pixels == block) other->Pixels = NULL;
        if (other->Thumbnail == block) other->Thumbnail = NULL;
        if (other->Layouts.Block == block) other->Layouts.Block = NULL;
    }
    GlobalFree(block);
}

void CloseAllImageDocuments(void) {
    ImageDocuments* docs = &App.ImageDocs;
    ImageRecord* records = LockImageDocuments();
    if (records) {
        for (int i = 0; i < docs->Count; ++i) {
            FreeDocumentBlock(records, i, records[i].Pixels);
            FreeDocumentBlock(records, i, records[i].Thumbnail);
            if (records[i].Layouts.Block && !HeldByCurrentImage(records[i].Layouts.Block))
                FreeLayoutStore(&records[i].Layouts);
        }
        UnlockImageDocuments();
    }
    if (docs->Records) GlobalFree(docs->Records);
    docs->Records = NULL;
    docs->Count = 0;
    docs->Current = IMAGE_DOCUMENT_NONE;
    if (App.Document) {
        DiscardPreviousWork(App.Document, App.Workspace);
        Reset_Document(App.Document, 0, App.Workspace);
    }
    NotifyDeck();
}

// Frees a block of the current record; document entries that copied the handle forget it.
void ReleaseCurrentImageBlock(HGLOBAL* block) {
    if (!*block) return;
    ImageRecord* records = LockImageDocuments();
    if (records) {
        for (int i = 0; i < App.ImageDocs.Count; ++i) {
            if (records[i].Pixels == *block) records[i].Pixels = NULL;
            if (records[i].Thumbnail == *block) records[i].Thumbnail = NULL;
            if (records[i].LineImage == *block) records[i].LineImage = NULL;
        }
        UnlockImageDocuments();
    }
    GlobalFree(*block);
    *block = NULL;
}

// Whether any document entry holds the block.
static int HeldByDocuments(HGLOBAL block) {
    int held = 0;
    ImageRecord* records = LockImageDocuments();
    if (!records) return 0;
    for (int i = 0; i < App.ImageDocs.Count && !held; ++i)
        held = records[i].Pixels == block || records[i].Thumbnail == block || records[i].LineImage == block ||
               records[i].Layouts.Block == block;
    UnlockImageDocuments();
    return held;
}

// Frees a record's block; for the current record through the documents' bookkeeping.
static void ReleaseRecordBlock(ImageRecord* record, HGLOBAL* block) {
    if (record == &App.CurrentImage) ReleaseCurrentImageBlock(block);
    else if (*block) {
        GlobalFree(*block);
        *block = NULL;
    }
}

void ResetImageRecord(ImageRecord* record) {
    record->DisplayFlags[0] = 1;
    record->DisplayFlags[1] = record->DisplayFlags[2] = 0;
    record->ScrollX = record->ScrollY = 0;
    App.ImageScrollX = App.ImageScrollY = 0;
    record->Zoom = App.ImageZoom;
    ReleaseRecordBlock(record, &record->Thumbnail);
    record->Info.Extra[0] = record->Info.Extra[1] = 0;
    record->EngineScale = 1;
    // Height (offset 10) and bytes per line (offset 12) of the page image description.
    memset(record->PageImage + 10, 0, 4);
    memset(&record->ViewRect, 0, sizeof record->ViewRect);
    ReleaseRecordBlock(record, &record->LineImage);
    InitPageAttributes(record->Attributes);
}

void ResetCurrentImage(void) {
    ImageRecord* current = &App.CurrentImage;
    ReleaseCurrentImageBlock(&current->Pixels);
    current->ViewState = 0;
    if (current->Layouts.Block && !HeldByDocuments(current->Layouts.Block)) GlobalFree(current->Layouts.Block);
    current->Layouts.Block = NULL;
    current->Layouts.Capacity = current->Layouts.Count = 0;
    // The documents own what they copied; a thumbnail nobody else holds would be lost here.
    if (current->Thumbnail && !HeldByDocuments(current->Thumbnail)) GlobalFree(current->Thumbnail);
    current->Thumbnail = NULL;
    current->LineImage = NULL;
}

// The palette goes with the image it came with, unless a document still shows that image.
void ReleaseCurrentPalette(void) {
    HPALETTE palette = App.CurrentImage.Info.Palette;
    App.CurrentImage.Info.Palette = NULL;
    if (!palette) return;
    ImageRecord* records = LockImageDocuments();
    int held = 0;
    for (int i = 0; records && i < App.ImageDocs.Count && !held; ++i) held = records[i].Info.Palette == palette;
    UnlockImageDocuments();
    if (!held) DeleteObject(palette);
}

int ImageDocStub(void) { return 0; }
