// The Card Editor's right side: a caption pane with the zoom control (minus, scale, plus)
// framing the image pane, which shows the current card image reduced by the zoom and lets
// the user drag an image larger than the pane.
#include "views.h"
#include "shell.h"
#include "capture.h"

#define PANE_INSET       16
#define PANE_TOP_EXTRA   22
#define BMP_CAPTION_TILE 431
#define BMP_ZOOM_BAR     934
#define BMP_ZOOM_PRESSED 938
#define BMP_ZOOM_KNOB    942
#define ZOOM_MINUS       -1
#define ZOOM_PLUS        -2
#define ZOOM_KNOB        -3
#define ZOOM_STEPS       10

static int Reduction(void) {
    int n = App.ImageZoom / 100;
    return n < 1 ? 1 : n > ZOOM_STEPS ? ZOOM_STEPS : n;
}

static RECT MinusRect(void) {
    RECT r = {App.Views.ZoomLeft + 16, 4, App.Views.ZoomLeft + 44, 32};
    return r;
}
static RECT PlusRect(void) {
    RECT r = {App.Views.ZoomLeft + 114, 4, App.Views.ZoomLeft + 142, 32};
    return r;
}
static RECT ScaleRect(void) {
    RECT r = {App.Views.ZoomLeft + 48, 11, App.Views.ZoomLeft + 109, 23};
    return r;
}
static RECT KnobRect(void) {
    int k = ScaleRect().left + (Reduction() - 1) * 5;
    RECT r = {k, 12, k + 17, 22};
    return r;
}

static void ComputeZoomGeometry(HWND caption) {
    RECT client;
    GetClientRect(caption, &client);
    App.Views.ZoomLeft = (client.right - 150) / 32 * 32;
}

static void ImagePaneRect(HWND caption, RECT* r) {
    GetClientRect(caption, r);
    InflateRect(r, -PANE_INSET, -PANE_INSET);
    r->top += PANE_TOP_EXTRA;
}

HWND CreateEditorImagePanes(HWND parent) {
    RECT client;
    GetClientRect(parent, &client);
    App.Views.ImageCaption =
        CreateWindowA("IMC_WorkImageCap20", NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 448, 0, client.right - 448,
                      client.bottom, parent, (HMENU)ID_IMAGE_CAPTION, App.Instance, NULL);
    return App.Views.ImageCaption;
}

void DestroyEditorImagePanes(void) {
    ReleaseCurrentImageBlock(&App.CurrentImage.Pixels);
    if (App.ImagePane && IsWindow(App.ImagePane)) DestroyWindow(App.ImagePane);
    if (App.Views.ImageCaption && IsWindow(App.Views.ImageCaption)) DestroyWindow(App.Views.ImageCaption);
    App.ImagePane = NULL;
    App.Views.ImageCaption = NULL;
}

void RepaintEditorImage(void) {
    if (!App.ImagePane || !IsWindow(App.ImagePane)) return;
    InvalidateRect(App.ImagePane, NULL, FALSE);
    UpdateWindow(App.ImagePane);
}

void RepaintEditorImageCaption(void) {
    if (!App.Views.ImageCaption || !IsWindow(App.Views.ImageCaption)) return;
    RECT scale = ScaleRect();
    InflateRect(&scale, 0, 2);
    InvalidateRect(App.Views.ImageCaption, &scale, FALSE);
    UpdateWindow(App.Views.ImageCaption);
}

static void PaintCaption(HWND caption) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(caption, &ps);
    RECT client;
    GetClientRect(caption, &client);
    TileBitmapResource(dc, BMP_CAPTION_TILE, &client);
    RECT bar = {App.Views.ZoomLeft, 0, App.Views.ZoomLeft + 144, 37};
    DrawBitmapResourceCentered(dc, BMP_ZOOM_BAR, &bar);
    RECT knob = KnobRect();
    DrawBitmapResourceCentered(dc, BMP_ZOOM_KNOB, &knob);
    RECT pane;
    ImagePaneRect(caption, &pane);
    DrawSunkenFrame(dc, pane.left - 1, pane.top - 1, pane.right + 1, pane.bottom + 1, 0);
    EndPaint(caption, &ps);
}

static void DrawPressedZoomButton(HWND caption, int which) {
    RECT r = which == ZOOM_MINUS ? MinusRect() : PlusRect();
    RECT source = {r.left - App.Views.ZoomLeft, r.top, r.right - App.Views.ZoomLeft, r.bottom};
    POINT at = {r.left, r.top};
    HDC dc = GetDC(caption);
    DrawBitmapResourcePart(dc, BMP_ZOOM_PRESSED, at, &source);
    ReleaseDC(caption, dc);
}

static int ZoomControlAt(POINT p) {
    RECT minus = MinusRect(), plus = PlusRect(), scale = ScaleRect();
    if (PtInRect(&minus, p)) return ZOOM_MINUS;
    if (PtInRect(&plus, p)) return ZOOM_PLUS;
    if (PtInRect(&scale, p)) return ZOOM_KNOB;
    return 0;
}

// The scale step under x (1 to 10), or 0.
static int ScaleStep(int x) {
    RECT scale = ScaleRect();
    if (x < scale.left) return 0;
    int step = (x - scale.left) / 5 + 1;
    return step >= 1 && step <= ZOOM_STEPS ? step : 0;
}

static void SetZoom(int zoom) {
    App.ImageZoom = zoom;
    App.ImageScrollX = App.ImageScrollY = 0;
}

static void RepaintCaptionAndButton(HWND caption) {
    InvalidateRect(caption, NULL, FALSE);
    UpdateWindow(caption);
}

static void OnCaptionButtonDown(HWND caption, POINT p) {
    HideHintWindow();
    int control = ZoomControlAt(p);
    if (!control) return;
    RECT knob = KnobRect();
    if (control == ZOOM_KNOB && !PtInRect(&knob, p)) {
        int step = ScaleStep(p.x);
        if (!step) return;
        SetZoom(step * 100);
        RepaintEditorImageCaption();
        RepaintEditorImage();
        return;
    }
    if (control != ZOOM_KNOB) DrawPressedZoomButton(caption, control);
    App.Views.ZoomPressed = control;
    App.Views.ZoomAtPress = App.ImageZoom;
    App.Views.ZoomTracking = 1;
    SetCapture(caption);
}

static void EndZoomTracking(void) {
    App.Views.ZoomTracking = 0;
    App.Views.ZoomPressed = 0;
    ReleaseCapture();
}

static void OnCaptionMouseMove(HWND caption, POINT p) {
    if (!App.Views.ZoomTracking) return;
    if (!ZoomControlAt(p)) {
        RepaintCaptionAndButton(caption);
        if (App.ImageZoom != App.Views.ZoomAtPress) RepaintEditorImage();
        EndZoomTracking();
        return;
    }
    if (App.Views.ZoomPressed == ZOOM_KNOB) {
        int step = ScaleStep(p.x);
        if (step && step * 100 != App.ImageZoom) {
            SetZoom(step * 100);
            RepaintEditorImageCaption();
        }
    }
    if (App.ImageZoom != App.Views.ZoomAtPress) RepaintEditorImage();
}

static void OnCaptionButtonUp(HWND caption, POINT p) {
    if (!App.Views.ZoomTracking) return;
    int before = App.ImageZoom;
    switch (App.Views.ZoomPressed) {
    case ZOOM_KNOB:
        if (ScaleStep(p.x)) SetZoom(ScaleStep(p.x) * 100);
        break;
    case ZOOM_MINUS:
        if (App.ImageZoom > 100) SetZoom(App.ImageZoom - 100);
        break;
    case ZOOM_PLUS:
        if (Reduction() < ZOOM_STEPS) SetZoom(App.ImageZoom + 100);
        break;
    }
    App.ImageScrollX = App.ImageScrollY = 0;
    RepaintCaptionAndButton(caption);
    if (App.ImageZoom != before || App.ImageZoom != App.Views.ZoomAtPress) RepaintEditorImage();
    EndZoomTracking();
}

static void OnCaptionCreate(HWND caption) {
    App.Views.ImageCaption = caption;
    RECT pane;
    ImagePaneRect(caption, &pane);
    App.ImagePane = CreateWindowA("IMC_WorkEdImage20", NULL, WS_CHILD, pane.left, pane.top, pane.right - pane.left,
                                  pane.bottom - pane.top, caption, (HMENU)ID_IMAGE_PANE, App.Instance, NULL);
    if (App.CurrentCardNumber > 0) SetCurrentCardImage(CardImagePath(&App.CurrentCard));
    ShowWindow(App.ImagePane, SW_SHOW);
    ComputeZoomGeometry(caption);
}

static POINT PointOf(LPARAM lParam) {
    POINT p = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    return p;
}

static int Scanning(void) { return IsTwainManagerOpen() && IsTwainSourceOpen(); }

LRESULT CALLBACK ImageCaptionWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCaptionCreate(window); return 0;
    case WM_SIZE: {
        RECT pane;
        ImagePaneRect(window, &pane);
        if (wParam == SIZE_MINIMIZED) MoveWindow(App.ImagePane, 0, 0, 0, 0, TRUE);
        else MoveWindow(App.ImagePane, pane.left, pane.top, pane.right - pane.left, pane.bottom - pane.top, TRUE);
        ComputeZoomGeometry(window);
        InvalidateRect(window, NULL, TRUE);
        return 0;
    }
    case WM_PAINT: PaintCaption(window); return 0;
    case WM_LBUTTONDOWN:
        if (!Scanning()) OnCaptionButtonDown(window, PointOf(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (!Scanning()) OnCaptionMouseMove(window, PointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (!Scanning()) OnCaptionButtonUp(window, PointOf(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Where the reduced image starts along one axis of the pane: an image that fits is centred and its
// offset reset, a larger one starts at the edge with its offset kept to what lies beyond the pane.
// Returns 1 when the image can be dragged along this axis, else 0.
static int PlaceAlongAxis(int extent, int room, int n, LONG* start, int* scroll) {
    if (extent <= room) {
        *start = (room - extent) / 2;
        *scroll = 0;
        return 0;
    }
    *start = 0;
    if (*scroll > (extent - room) * n) *scroll = (extent - room) * n;
    return 1;
}

// Where the reduced image lies in the pane, and along which axes it can be dragged.
static void ComputeImageRect(HWND pane) {
    RECT client;
    GetClientRect(pane, &client);
    int n = Reduction();
    int w = App.CurrentImage.Info.Width / n, h = App.CurrentImage.Info.Height / n;
    RECT* r = &App.Views.ImageRect;
    int across = PlaceAlongAxis(w, client.right, n, &r->left, &App.ImageScrollX);
    int down = PlaceAlongAxis(h, client.bottom, n, &r->top, &App.ImageScrollY);
    App.Views.DragKind = across | down << 1;
    r->right = r->left + w;
    r->bottom = r->top + h;
    OffsetRect(r, -App.ImageScrollX / n, -App.ImageScrollY / n);
}

static void PaintEditorImage(HWND pane) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(pane, &ps);
    RECT client;
    GetClientRect(pane, &client);
    if (!App.CurrentImage.Pixels) {
        FillRect(dc, &client, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
        EndPaint(pane, &ps);
        return;
    }
    int n = Reduction();
    App.ImageScrollX -= App.ImageScrollX % n;
    App.ImageScrollY -= App.ImageScrollY % n;
    int w = App.CurrentImage.Info.Width / n, h = App.CurrentImage.Info.Height / n;
    HBRUSH grey = (HBRUSH)GetStockObject(LTGRAY_BRUSH);
    int marginX = 0, marginY = 0;
    if (w < client.right) {
        marginX = (client.right + 1 - w) / 2;
        RECT left = {0, 0, marginX, client.bottom}, right = {marginX + w, 0, client.right, client.bottom};
        FillRect(dc, &left, grey);
        FillRect(dc, &right, grey);
    }
    if (h < client.bottom) {
        marginY = (client.bottom + 1 - h) / 2;
        RECT top = {0, 0, client.right, marginY}, bottom = {0, marginY + h, client.right, client.bottom};
        FillRect(dc, &top, grey);
        FillRect(dc, &bottom, grey);
    }
    // The drawing takes the visible part in view coordinates from the record's scroll position
    // and places it at the margins.
    App.CurrentImage.ScrollX = App.ImageScrollX;
    App.CurrentImage.ScrollY = App.ImageScrollY;
    if (App.CurrentImage.Info.BitsPerPixel == 1) App.CurrentImage.ScrollX -= App.CurrentImage.ScrollX % 8;
    RECT area = {0, 0, client.right - marginX, client.bottom - marginY};
    DrawCurrentImageScaled(dc, &area, n, marginX, marginY);
    EndPaint(pane, &ps);
}

static void OnImageButtonDown(HWND pane, POINT p) {
    if (!App.CurrentImage.Pixels) return;
    ComputeImageRect(pane);
    if (!App.Views.DragKind || !PtInRect(&App.Views.ImageRect, p)) return;
    HideHintWindow();
    App.Views.Dragging = 1;
    App.Views.DragPoint = p;
    SetCursor(App.MoveCursor);
    SetCapture(pane);
}

// One axis of a drag: the image follows the pointer but never leaves a gap at either edge.
static void DragAlongAxis(int moved, int room, int n, LONG* start, LONG* end, int* scroll) {
    int extent = *end - *start;
    int placed = *start + moved;
    if (placed > 0) placed = 0;
    if (placed + extent < room) placed = room - extent;
    *start = placed;
    *end = placed + extent;
    *scroll = -placed * n;
}

// The image dragged by the pointer along the axes it is larger than the pane on.
static void MoveImageRect(HWND pane, POINT p) {
    RECT client;
    GetClientRect(pane, &client);
    RECT* r = &App.Views.ImageRect;
    int n = Reduction();
    if (App.Views.DragKind & 1)
        DragAlongAxis(p.x - App.Views.DragPoint.x, client.right, n, &r->left, &r->right, &App.ImageScrollX);
    if (App.Views.DragKind & 2)
        DragAlongAxis(p.y - App.Views.DragPoint.y, client.bottom, n, &r->top, &r->bottom, &App.ImageScrollY);
    App.Views.DragPoint = p;
    InvalidateRect(pane, NULL, FALSE);
}

static void OnImageMouseMove(HWND pane, POINT p, WPARAM keys) {
    if (!App.Views.Dragging) {
        if (!App.CurrentImage.Pixels) return;
        ComputeImageRect(pane);
        SetCursor(App.Views.DragKind && PtInRect(&App.Views.ImageRect, p) ? App.MoveCursor : App.ArrowCursor);
        return;
    }
    if (!(keys & MK_LBUTTON)) {
        App.Views.Dragging = 0;
        ReleaseCapture();
        SetCursor(App.ArrowCursor);
        return;
    }
    MoveImageRect(pane, p);
}

static void OnImageButtonUp(HWND pane, POINT p) {
    if (!App.Views.Dragging) return;
    MoveImageRect(pane, p);
    UpdateWindow(pane);
    ReleaseCapture();
    App.Views.Dragging = 0;
}

LRESULT CALLBACK EditorImageWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintEditorImage(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) return TRUE;
        break;
    case WM_LBUTTONDOWN:
        if (!Scanning()) OnImageButtonDown(window, PointOf(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (!Scanning()) OnImageMouseMove(window, PointOf(lParam), wParam);
        return 0;
    case WM_LBUTTONUP:
        if (!Scanning()) OnImageButtonUp(window, PointOf(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
