// The two debug logs, appended to only when their folder exists.
#pragma once
#include "cardinfo.h"

void FID_log_input();
void FID_log_output(const CardInfo* cardInfo);
