// Enlarges a map of 0/1 bytes so that diagonal edges come out straight rather than stepped.
#pragma once
#include <windows.h>
#include <vector>

namespace pixwell {

// `source` is width x height bytes, each 0 or 1; the result is newWidth x newHeight bytes.
// A border two pixels wide of the source is not visited and stays 0.
std::vector<BYTE> EnlargeTwoLevel(const std::vector<BYTE>& source, int width, int height, int newWidth, int newHeight);

}  // namespace pixwell
