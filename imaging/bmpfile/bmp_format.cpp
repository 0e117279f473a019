#include "bmp_format.h"

namespace rastbmp {

short ColourTypeForBits(int bits) {
    switch (bits) {
    case 1: return 0;
    case 24: return 1;
    case 4: return 2;
    case 8: return 3;
    default: return static_cast<short>(bits);
    }
}

int WrittenColourCount(int bits) {
    switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

}  // namespace rastbmp
