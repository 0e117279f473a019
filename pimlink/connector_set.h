// The connectors this library carries, registered with the dispatcher by Ferrow.dll itself
// (a static library's self-registering objects would be dropped by the linker).
#pragma once

namespace ferrow {

// Registers every built connector; calling it again changes nothing.
void RegisterConnectors();

}  // namespace ferrow
