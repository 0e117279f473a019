// Scanning: the TWAIN acquisition, its capabilities, the scan command with the card-scanner
// drivers, the scan queue and the split of a page of several cards.
#pragma once
#include "app_state.h"
#include "image_record.h"

#define TWAIN_PRODUCT_MAX 128

// twain_session.cpp: the data source manager and one data source.
void SetTwainAppIdentity(const TwIdentity* identity, HWND parent);
int OpenTwainManager(void);
int CloseTwainManager(void);
int OpenTwainSource(void);
void CloseTwainSource(void);
int EnableTwainSource(void);
void DisableTwainSource(void);
int GetDefaultTwainSource(char* manufacturer, char* product);
uint16_t SelectTwainSource(void);
int FindTwainSourceByName(const char* name);
void ClearTwainSourceIdentity(void);
void DetectScannerModel(void);
uint16_t CallTwainSource(uint32_t group, uint16_t dataType, uint16_t message, void* data);
void EndTwainSession(void);

// twain_capabilities.cpp
HGLOBAL BuildOneValueContainer(uint16_t itemType, uint32_t item);
uint16_t SetPixelTypeCap(uint16_t type, uint32_t value);
uint16_t SetTransferMechanismCap(uint16_t type, uint32_t value);
uint16_t SetTransferCountCap(uint16_t type, uint32_t value);
uint16_t SetResolutionCap(void);
uint16_t SetResolution400Cap(void);
uint16_t SetUnitsCap(uint32_t value);
uint16_t SetFeederEnabledCap(uint16_t type, uint32_t value);
uint16_t SetAutoFeedCap(uint16_t type, uint32_t value);
uint16_t SetCustomCap803B(uint16_t type, uint32_t value);
uint16_t SetCustomCap800F(uint16_t type, uint32_t value);
uint16_t SetImageLayout(void);
int GetPixelFlavorCap(void);
uint16_t ApplyScanCapabilities(void);

// twain_transfer.cpp: one acquisition from set-up to its end.
int SetupBatchScan(HWND window);
int ProcessTwainEvent(HWND window, MSG* message);
void TransferTwainImage(HWND window);
// Receives the pending image into App.Twain.Scanned; 1 when rows arrived, 0 when none did,
// -1 when the image cannot be taken (its message shown, the acquisition to be ended).
int ReceiveTwainImage(HWND window);

// scan_queue.cpp: BatchScan.ini and the pages queued in it.
void ProcessScannedPage(void);
void RecognizeBatchScanQueue(void);
// ImageDir + "BatchScan.ini", empty when the folder setting cannot be used.
void BatchScanListPath(char* path, int size);
// Starts the list of a new acquisition; pages an earlier one left unrecognised stay queued.
// 0 when the list cannot be written.
int ResetScanQueue(void);

// card_split.cpp
#define SPLIT_RECT_MAX  512
#define SPLIT_NO_MEMORY (-1)
// Finds the cards of a scanned page (the page is only read): 1 and the cards in rects and
// count, 0 (count 0) when the page holds none, SPLIT_NO_MEMORY (count 0) when memory ran out.
int SplitCardPage(HGLOBAL block, const ImageInfo* info, RECT* rects, int* count, int invert);
int CutCardRect(HGLOBAL block, const ImageInfo* info, int left, int top, int right, int bottom, HGLOBAL* outBlock,
                ImageInfo* outInfo);

// image_preparation.cpp
void PrepareImageForRecognition(ImageRecord* record);
HGLOBAL MakePackedDib(const ImageRecord* record, int colours);
int FindCardRectEpson(const ImageRecord* record, RECT* rect);
int FindCardRectGrey(const ImageRecord* record, RECT* rect);
void CropImageRecord(ImageRecord* record, const RECT* rect);

// scan_command.cpp: the Scan, hand-over scan and Select Scanner commands.
void OnScanCommand(int code);
void OnScanMenuCommand(int id);
// 1 while a scan command runs or the scanned pages are recognised (their messages showing):
// the scanner button and further scan requests wait.
int ScanCommandRunning(void);
