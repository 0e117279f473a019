// Stand-in for the outside per-user folder library.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Fills folder (room for MAX_PATH characters) with the current user's data folder of the
// program, ending with a backslash, and creates that folder when it is missing.
// The folder is the value of the environment variable PATHKEEP_FOLDER when set, else the
// user's local application data folder + "\Orvane\Nimbra\".
// Returns 1 on success; 0 (folder emptied) when no folder can be named or created.
int __cdecl GetAppDataPath(char* folder);

typedef int(__cdecl* GetAppDataPathFn)(char* folder);

#ifdef __cplusplus
}
#endif
