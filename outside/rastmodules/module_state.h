// Process-wide state of an image file module stand-in (one caller at a time, no locks): the
// file whose header was read last and the header a save is working on.
#pragma once
#include <rastimg.h>
#include "raster_image.h"
#include "rast_common.h"

namespace rastmodule {

struct ModuleState {
    // The file bytes from the header read on, and what they hold.
    std::vector<uint8_t> file;
    RasterDescription read;
    bool readValid = false;
    // The header and palette of the save in progress.
    RasterDescription save;
    int saveOption = 0;
    bool saveValid = false;
};

ModuleState& State();

// The callback protocol around one operation: start (0), steps, end (total); then forgotten.
class WaitingProgress : public Progress {
public:
    explicit WaitingProgress(int total);
    ~WaitingProgress() override;
    void Step(int current) override;

private:
    RastWaitingCallback callback_;
    int total_;
};

}  // namespace rastmodule
