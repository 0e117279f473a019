// The document the engine works for: where its temporary files go.
#pragma once
#include <string>

// The temporary folder of the newest document (empty when there is none or it names none).
std::string EngineTempFolder();

// Where the engine writes its temporary files: the newest document's temporary folder, else the
// system's (ends with a backslash).
std::string EngineWorkFolder();
