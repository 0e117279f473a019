// Resource ids of the link library.
#pragma once
#define IDS_OUTLOOK_REQUIRED 1011
