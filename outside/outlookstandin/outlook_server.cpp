// The in-process server, registered as "Outlook.Application" (outside/inproc does the rest).
#include "inproc_server.h"
#include "outlook_objects.h"

namespace {
IUnknown* MakeApplication() { return outlook::NewApplication(); }
}  // namespace

const inproc::ServerDescription inproc::kServer = {
    {0x6f1b2c3d, 0x7a44, 0x4e0b, {0x9c, 0x1e, 0x5d, 0x2f, 0x8a, 0x7b, 0x3c, 0x40}},
    "{6F1B2C3D-7A44-4E0B-9C1E-5D2F8A7B3C40}",
    "Outlook.Application",
    "Apartment",
    "ZEM_OUTLOOK_FAIL_CREATE",
    MakeApplication,
    inproc::LiveObjects};
