// Stand-in for the outside command-line parser of the scanner button panel.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Looks at a command line (without program name) for a scan request of the button panel:
//   /TAPBOARD [data source name] [/NOUI]
// The switch is matched without regard to case; the data source name may be quoted and is
// copied (at most 127 characters) into dataSource; /NOUI writes 0 into *uiMode, its absence 1.
// Returns 1 for such a request. Any other text returns 0, empties dataSource and leaves
// *uiMode untouched. Null arguments are allowed (a null command line is no request).
int __stdcall OvZEMCmdLineParser4Tapboard(const char* commandLine, char* dataSource, int* uiMode);

#ifdef __cplusplus
}
#endif
