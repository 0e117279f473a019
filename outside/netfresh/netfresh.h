// Stand-in for the outside online update component; the main program reaches its one
// call by ordinal only.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Ordinal 10: (product code, 0, when) with when 0 at start-up, 1 at shut-down or for an
// explicit check for upgrades. The stand-in appends one line "<product> <a> <when>" to the
// file named by the environment variable NETFRESH_LOG when it is set, and returns 1.
int __stdcall NetfreshCheck(const char* productCode, int reserved, int when);

typedef int(__stdcall* NetfreshCheckFn)(const char* productCode, int reserved, int when);
#define NETFRESH_CHECK_ORDINAL 10

// Ordinal 14: (product code, buffer, size) writes the component's version text, lines ended
// by a line feed, and returns 0; 1 when the buffer is null or too small (nothing usable).
// The stand-in writes "Version:\n4.1.0 (<product>), no update information".
int __stdcall NetfreshVersionText(const char* productCode, char* buffer, int size);

typedef int(__stdcall* NetfreshVersionTextFn)(const char* productCode, char* buffer, int size);
#define NETFRESH_VERSION_TEXT_ORDINAL 14

#ifdef __cplusplus
}
#endif
