// The independent readers of export files (export_reader.py: Python's csv module, xlrd and
// Gnumeric's ssconvert), started from a test under Wine.
#pragma once
#include <string>
#include <vector>

// Empty when the readers agree that the file holds exactly these rows of cells (code page
// 1252 texts), else what they found. kind "text" with delimiter "comma", "tab" or "blank", or
// "sheet" (the worksheet with grid lines: its bytes, xlrd and ssconvert).
std::string CheckExportWithReaders(const std::string& file, const std::string& kind,
                                   const std::vector<std::vector<std::string>>& rows,
                                   const std::string& delimiter = "");
