// The waiting callback protocol around one operation that moves pixel data.
#pragma once
#include <rastimg.h>

namespace rastbmp {

class CWaitingProgress {
public:
    // Takes the callback set for this operation and reports the start (current 0).
    explicit CWaitingProgress(int total);
    // Reports the end (current = total), whatever the outcome; the callback is forgotten.
    ~CWaitingProgress();
    CWaitingProgress(const CWaitingProgress&) = delete;
    CWaitingProgress& operator=(const CWaitingProgress&) = delete;

    // Reports a step; true when the callback asks to cancel.
    bool Step(int current);

private:
    RastWaitingCallback callback_;
    int total_;
};

}  // namespace rastbmp
