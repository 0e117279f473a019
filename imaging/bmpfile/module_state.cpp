#include "module_state.h"

namespace rastbmp {

ModuleState& State() {
    static ModuleState state;
    return state;
}

}  // namespace rastbmp
