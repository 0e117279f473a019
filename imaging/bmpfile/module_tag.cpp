// The BMP module's place among the image file modules: its format tag.
#include "rast_common.h"

const char* rastcommon::ModuleTag() { return "BMP"; }
