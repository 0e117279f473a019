// The application object and what hangs below it: the namespace, the contacts folder (10), its
// items and each item.
#pragma once
#include "dispatch_object.h"

namespace outlook {

using inproc::CDispatchObject;
using inproc::Member;

// A new application object with one reference, over the contacts of ZEM_OUTLOOK_FILE.
IDispatch* NewApplication();

}  // namespace outlook
