// Functions of the card views, by the file that holds them.
#pragma once
#include "app_state.h"

// zoom.cpp: the zoom of the Card Editor's image pane.
int GetFitZoomPercent(int mode);
