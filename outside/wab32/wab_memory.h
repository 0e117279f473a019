// MAPI memory as the WAB object hands it out: a buffer and the blocks allocated "more" on it
// are freed together by one FreeBuffer of the buffer.
#pragma once
#include "wab_interfaces.h"

namespace wab {

SCODE AllocateBuffer(ULONG size, void** buffer);
SCODE AllocateMore(ULONG size, void* owner, void** buffer);
SCODE FreeBuffer(void* buffer);

}  // namespace wab
