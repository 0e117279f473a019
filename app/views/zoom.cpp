// The reduction that fits the current card image into the Card Editor's image pane.
#include "views.h"

#define ZOOM_FULL_SIZE 100
#define ZOOM_SMALLEST  1000

static int FitPercent(int imageExtent, int paneExtent) {
    if (paneExtent < 1) return ZOOM_FULL_SIZE;
    int percent = (imageExtent + paneExtent - 1) / paneExtent * 100;
    if (percent > ZOOM_SMALLEST) return ZOOM_SMALLEST;
    return percent < ZOOM_FULL_SIZE ? ZOOM_FULL_SIZE : percent;
}

int GetFitZoomPercent(int mode) {
    if (mode == 2 || !App.ImagePane || !IsWindow(App.ImagePane)) return ZOOM_FULL_SIZE;
    RECT client;
    GetClientRect(App.ImagePane, &client);
    int horizontal = FitPercent(App.CurrentImage.Info.Width, client.right - client.left + 1);
    if (mode == 1) return horizontal;
    int vertical = FitPercent(App.CurrentImage.Info.Height, client.bottom - client.top + 1);
    return horizontal > vertical ? horizontal : vertical;
}
