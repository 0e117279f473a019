#include "module_state.h"

namespace rastmodule {

ModuleState& State() {
    static ModuleState state;
    return state;
}

WaitingProgress::WaitingProgress(int total) : callback_(rastcommon::Common().callback), total_(total) {
    if (callback_) callback_(0, total_, 0);
}

WaitingProgress::~WaitingProgress() {
    if (callback_) callback_(0, total_, total_);
    rastcommon::Common().callback = nullptr;
}

void WaitingProgress::Step(int current) {
    if (callback_) callback_(0, total_, current);
}

std::vector<RGBQUAD> DefaultPalette(int bits) {
    static const BYTE kSixteen[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                         {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
                                         {240, 240, 240}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                         {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    std::vector<RGBQUAD> palette;
    if (bits == 1) palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    if (bits == 4)
        for (const auto& c : kSixteen) palette.push_back({c[2], c[1], c[0], 0});
    if (bits == 8)
        for (int i = 0; i < 256; ++i) palette.push_back({(BYTE)i, (BYTE)i, (BYTE)i, 0});
    return palette;
}

}  // namespace rastmodule
