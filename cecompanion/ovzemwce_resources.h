// Resource ids of the companion program.
#pragma once
#define IDS_SOCKETS_FAILED 103
