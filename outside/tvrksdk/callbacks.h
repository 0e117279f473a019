// The host's callbacks, as registered, and the engine's calls of them.
#pragma once
#include "recogpage.h"
#include "tvrksdk.h"

void NotifyProgress(uint16_t done, uint16_t total);
void NotifyStatus(int statusIndex);
void NotifyMark(const RecogBox& box, int32_t kind);
void NotifyError(int32_t messageId);
void AskRecognitionWindow();
