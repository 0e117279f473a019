// The Page Setup dialog's preview: the selected page style drawn into the window, with cards
// or with cell frames only as the dialog's Preview box says; and the registration of the
// printing code's two window classes, the preview's and the template editor canvas's.
#include "print.h"
#include "shell.h"
#include <string.h>

static void PaintPreview(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    const int32_t* geometry = App.Print.PageGeometry;
    RenderLayoutPage(GetParent(window), dc, &client, geometry, geometry + 4, geometry + 8, App.CardCount,
                     App.Print.PreviewMode, 1, NULL);
    EndPaint(window, &paint);
}

LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintPreview(window); return 0;
    case WM_LBUTTONDOWN: HideHintWindow(); return 0;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE: return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterPrintWindowClasses(void) {
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.style = CS_DBLCLKS;
    wc.hInstance = App.Instance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(LTGRAY_BRUSH);
    wc.lpfnWndProc = PreviewWndProc;
    wc.lpszClassName = "IMC_Preview20";
    RegisterClassA(&wc);
    wc.lpfnWndProc = LayoutCanvasWndProc;
    wc.lpszClassName = "IMC_EditLayout20";
    RegisterClassA(&wc);
}
