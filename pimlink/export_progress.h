// The modeless progress dialog of the Outlook Express and ACT! exports: a bar, a status line
// and a percent line. It is not pumped: it repaints as the system allows between steps.
#pragma once
#include <windows.h>

namespace ferrow {

class CExportProgress {
public:
    // Shows the dialog with the bar's range 0-100 stepped 100 / count at a time (with no
    // cards the step is left as it is).
    CExportProgress(int count, const char* status);
    ~CExportProgress();
    CExportProgress(const CExportProgress&) = delete;
    CExportProgress& operator=(const CExportProgress&) = delete;

    void SetStatus(const char* text);
    // Steps the bar.
    void Step();
    // Shows done x 100 / count as "%d %".
    void ShowPercent(int done);

private:
    HWND dialog_ = nullptr;
    int count_;
};

}  // namespace ferrow
