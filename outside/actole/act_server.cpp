// The in-process server, registered as "ACTOLE.DATABASE" (outside/inproc does the rest), and
// the stand-in's own export that makes an empty database.
#include "actole.h"
#include "act_objects.h"
#include "act_tables.h"
#include "dispatch_object.h"
#include "inproc_server.h"

namespace {
IUnknown* MakeDatabase() { return actole::NewDatabase(); }
}  // namespace

const inproc::ServerDescription inproc::kServer = {
    {0x3c9e51a2, 0x48d7, 0x4f60, {0xb1, 0x2a, 0x6e, 0x0d, 0x95, 0x3f, 0x71, 0xc4}},
    "{3C9E51A2-48D7-4F60-B12A-6E0D953F71C4}",
    "ACTOLE.DATABASE",
    "Apartment",
    "ZEM_ACT_FAIL_CREATE",
    MakeDatabase,
    inproc::LiveObjects};

extern "C" int WINAPI ActCreateDatabase(const char* path) { return path && actole::CreateTables(path) ? 1 : 0; }
