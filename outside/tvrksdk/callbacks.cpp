// Callback registration and the engine's calls of the host's callbacks.
#include "callbacks.h"
#include "recogpage.h"
#include "trace.h"

#include <string>

namespace {
TvrkPercentCallback g_percent;
TvrkMarkCallback g_mark;
TvrkRcgWinCallback g_recognitionWindow;
TvrkErrMsgCallback g_error;
TvrkSaveImgCallback g_saveImage;
}  // namespace

void NotifyProgress(uint16_t done, uint16_t total) {
    if (g_percent) g_percent(done, total, 0);
}

void NotifyStatus(int statusIndex) {
    if (g_percent) g_percent(0, 0, 0x10000 | (statusIndex & 15));
}

void NotifyMark(const RecogBox& box, int32_t kind) {
    if (g_mark) g_mark(box.left, box.top, box.right, box.bottom, kind);
}

void NotifyError(int32_t messageId) {
    if (g_error) g_error(messageId);
}

// Every registration is traced and replaces the callback before it; a null one unregisters.
template <class Callback>
static int32_t Register(const char* function, Callback& slot, Callback callback) {
    std::string line = std::string(function) + (callback ? " set" : " null");
    TraceEngineCall(line.c_str());
    slot = callback;
    return 1;
}

extern "C" int32_t RegisterTvrkPercentCallbackFunc(TvrkPercentCallback callback) {
    return Register("RegisterTvrkPercentCallbackFunc", g_percent, callback);
}

extern "C" int32_t RegisterTvrkMarkCallbackFunc(TvrkMarkCallback callback) {
    return Register("RegisterTvrkMarkCallbackFunc", g_mark, callback);
}

extern "C" int32_t RegisterTvrkRcgWinCallbackFunc(TvrkRcgWinCallback callback) {
    return Register("RegisterTvrkRcgWinCallbackFunc", g_recognitionWindow, callback);
}

extern "C" int32_t RegisterTvrkErrMsgCallbackFunc(TvrkErrMsgCallback callback) {
    return Register("RegisterTvrkErrMsgCallbackFunc", g_error, callback);
}

extern "C" int32_t RegisterTvrkSaveImgCallbackFunc(TvrkSaveImgCallback callback) {
    return Register("RegisterTvrkSaveImgCallbackFunc", g_saveImage, callback);
}

// The recognition window callback is asked once per page, as the engine would before
// showing its own window; the answer is not used.
void AskRecognitionWindow() {
    int32_t value = 0;
    if (g_recognitionWindow) g_recognitionWindow(0, 0, &value);
}
