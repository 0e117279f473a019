// Giving a duplicated card its own copies of its image and thumbnail files.
#pragma once
#include <string>

namespace ferrow {

class CCardImageCopier {
public:
    CCardImageCopier();

    // A free name in the folder of `path`: the first four letters of its name, four hexadecimal
    // digits and its extension. Empty when every such name is taken.
    std::string FreeNameBeside(const std::string& path);

    // Copies the image file to a free name, with its "ifo\<name>.ifo" and "bin\<name>.tif"
    // companions when they exist; returns the new path (empty when no name was free).
    std::string CopyImage(const std::string& path);
    // Copies the thumbnail file to a free name; returns the new path (empty when none was free).
    std::string CopyThumbnail(const std::string& path);
};

// "<folder>\<sub>\<name>.<extension>" for "<folder>\<name>.<anything>".
std::string CompanionPath(const std::string& path, const char* subFolder, const char* extension);

}  // namespace ferrow
