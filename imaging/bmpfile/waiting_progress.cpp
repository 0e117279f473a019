#include "waiting_progress.h"
#include "module_state.h"

namespace rastbmp {

CWaitingProgress::CWaitingProgress(int total) : callback_(rastcommon::Common().callback), total_(total) {
    rastcommon::Common().callback = nullptr;
    if (callback_) callback_(0, total_, 0);
}

CWaitingProgress::~CWaitingProgress() {
    if (callback_) callback_(0, total_, total_);
}

bool CWaitingProgress::Step(int current) { return callback_ && callback_(0, total_, current) != 0; }

}  // namespace rastbmp
