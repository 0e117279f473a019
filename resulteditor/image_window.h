// The page image window: base and display images, zoom, scrolling, region and panning, and the
// zoom slider the dialog draws.
#pragma once
#include "editor_state.h"

// The window class of the image window (registered once).
HWND CreateImageWindow(Editor& editor);
// Image select (1) or pan (2) mode, with the window's class cursor for it (cross or arrow).
void SetImageMode(Editor& editor, int mode);
// Rebuilds the images from the page (withNewImage) or only resets the view, then applies zoom.
void ReloadImage(Editor& editor, bool withNewImage);
// Frees both images.
void FreeImages(Editor& editor);
// Sets the zoom level (clipped to 0..15) and shows the image at it.
void SetZoomLevel(Editor& editor, int level);
// The zoom factor of a level: 8 - level up to 6, 1 at 7, 1 / (level - 6) above.
double ZoomFactor(int level);
// Draws the slider track and thumb.
void PaintSlider(Editor& editor, HDC dc);
// Slider mouse handling in dialog coordinates; true when the message was the slider's.
bool SliderMouse(Editor& editor, UINT message, POINT at);
// Makes `region` (image coordinates; empty: none) the image window's region and scrolls its
// top-left corner into view when it lies outside the visible part.
void ShowRegion(Editor& editor, const RECT& region);
