// The store's in-process server, registered as "PocketOutlook.Application" (outside/inproc
// does the rest). The companion works in the multithreaded apartment, as on the device, where
// the store is called directly: the server says so ("Both"), so that no marshalling is needed.
#include "inproc_server.h"
#include "poom_objects.h"

namespace {
IUnknown* MakeApplication() { return poom::NewApplication(); }
}  // namespace

const inproc::ServerDescription inproc::kServer = {
    {0x2b8f61d4, 0x95c3, 0x4a7e, {0x8d, 0x52, 0x1f, 0x6a, 0x3c, 0x9e, 0x70, 0xb1}},
    "{2B8F61D4-95C3-4A7E-8D52-1F6A3C9E70B1}",
    "PocketOutlook.Application",
    "Both",
    "ZEM_POOM_FAIL_CREATE",
    MakeApplication,
    poom::LiveObjects};
