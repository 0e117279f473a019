// The stand-in's automation objects, answering by dispatch id only: the database, its contact
// list and its note list.
#pragma once
#include <windows.h>
#include <oaidl.h>

namespace actole {

// A new database object with one reference; its switches are read from the environment now.
IDispatch* NewDatabase();

}  // namespace actole
