// Functions of the card capture code, by the file that holds them.
#pragma once
#include "app_state.h"
#include "bank_transfer.h"
#include "image_record.h"

// image_files.cpp: card image files through the image file modules, chosen by extension.
int GetImageFileType(const char* fileName);
int ReadImageFileHeader(const char* fileName, ImageInfo* info);
// The same read without a message on failure (dropped files are skipped silently).
int ReadImageFileHeaderQuietly(const char* fileName, ImageInfo* info);
HGLOBAL LoadImageFile(HWND owner, const char* fileName, ImageInfo* info, int showProgress, int keepBottomUp);
// The same, with its messages naming shownName: the file the user chose, not a copy of it.
HGLOBAL LoadImageFileShownAs(HWND owner, const char* fileName, const char* shownName, ImageInfo* info, int showProgress,
                             int keepBottomUp);
int DrawImageFile(HDC dc, const char* fileName, int x, int y);
int SaveImageFile(const char* fileName, int type, int option, const ImageRecord* record);
int WINAPI ImageModuleWaitingCallback(int first, int last, int current);

// image_documents.cpp: the current image record and the array of image documents.
void CreateImageDocuments(void);
int AppendImageDocument(const ImageRecord* record);
void CloseAllImageDocuments(void);
void ResetImageRecord(ImageRecord* record);
void ResetCurrentImage(void);
void ReleaseCurrentImageBlock(HGLOBAL* block);
void ReleaseCurrentPalette(void);
ImageRecord* LockImageDocuments(void);
void UnlockImageDocuments(void);
int ImageDocStub(void);

// palette_rows.cpp: palette tests and rows turned into thumbnail palette indexes.
int IsGreyPalette(const PALETTEENTRY* entries, int n);
int IsInvertedGreyPalette(const PALETTEENTRY* entries, int n);
void ConvertPaletteRow4ToThumb(uint8_t* out, const uint8_t* in, int width, int y, const PALETTEENTRY* entries);
void ConvertGreyRow4ToThumb(uint8_t* out, const uint8_t* in, int width);
void ConvertRgbRow24ToThumb(uint8_t* out, const uint8_t* in, int width, int y);
uint8_t DitherToThumbPalette(int red, int green, int blue, int x, int y);

// thumbnails.cpp
HGLOBAL MakeThumbnail(const ImageInfo* info, HGLOBAL pixels);
int WriteThumbnailFile(const ImageInfo* info, HGLOBAL pixels, char* name);
void LoadThumbnailPalette(void* buffer);
int IsGreyImageRecord(const ImageRecord* record);
int RebuildThumbnail(ImageRecord* record);

// card_images.cpp: image files copied into the image folder and made the current card image.
int CopyImageToImageFolder(char* path);
int AddImagePage(char* path);
// AddImagePage whose messages name shownName, the file as the user knows it.
int AddImagePageShownAs(char* path, const char* shownName);
int SetCurrentCardImage(const char* path);
// The image folder setting with its closing backslash; its length, or -1 when it cannot be
// used (the message naming it was shown).
int ReadImageFolder(char* folder, int size);
const char* CardImagePath(const CardRec* card);
// A name in the folder that no file has yet; 0 when none was found (the folder is full) or the
// path would not fit (then `name` is empty).
int MakeFreeImageName(char* name, int size, const char* folder, const char* prefix, const char* extension);

// rotation.cpp: quarter and half turns of an image record at 1, 4, 8 and 24 bits.
int RotateImage1(ImageRecord* record);
int RotateImage2(ImageRecord* record);
int RotateImage3(ImageRecord* record);

// image_drawing.cpp: the current card image drawn into a device context at a zoom.
void DrawRgbImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset);
void DrawPaletteImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset);
void Draw16ColorImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset);
void DrawMonoImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset);
void DrawCurrentImageScaled(HDC dc, const RECT* area, int zoom, int xOffset, int yOffset);
void ReduceImageRow(uint8_t* out, const uint8_t* in, int outBytes, int factor, int bitsPerPixel);
void MonoRowToGrayLevels(uint8_t* out, const uint8_t* in, int factor, const uint8_t* pattern, int firstByte,
                         int outBytes, int inRowBytes);
void LoadGrayPattern(uint8_t* out, int which);
