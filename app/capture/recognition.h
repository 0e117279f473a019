// The recognition driver, its progress window and the mapping of results into a stored card.
#pragma once
#include "app_state.h"
#include "image_record.h"

#define RECOGNITION_WINDOW_CLASS "IMC_OcrWnd20"
#define RECOGNIZE_AND_STORE      234

// recognition_window.cpp: the progress window and the engine's callbacks.
ATOM RegisterRecognitionWindowClass(void);
void RegisterRecognitionCallbacks(void);
void UnregisterRecognitionCallbacks(void);
HWND CreateRecognitionWindow(HWND owner);
void FitImageToRecognitionWindow(void);
LRESULT CALLBACK RecognitionWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// recognition_driver.cpp
int RecognizeCurrentCard(ImageRecord* record, int mode);
int RecognizeImagePage(ImageRecord* record, int mode);
int OpenPageImageForEngine(ImageRecord* record);
void ApplyRecognitionOptions(RecogWorkspace* workspace);
int DuplicateImageRecord(const ImageRecord* source, ImageRecord* target);
int DetectImageOrientation(ImageRecord* record, int* angle);
void RunRecognitionAction(HWND window, int action);

// card_store.cpp
CardRec* TerminateCardRecordFields(CardRec* card);
int InsertRecognizedCard(CardRec* candidate);

// image_names.cpp: names of working and scanned image files in the image folder.
#define IMAGE_NAME_SCAN 0
#define IMAGE_NAME_OPEN 1
void MakeImageFileName(int kind, int format, char* name);
