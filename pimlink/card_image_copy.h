// Giving a duplicated card its own copies of its image and thumbnail files.
#pragma once
#include <string>
#include <vector>

namespace ferrow {

class CCardImageCopier {
public:
    CCardImageCopier();

    // Copies the image file to a free name, with its "ifo\<name>.ifo" and "bin\<name>.tif"
    // companions when they exist. True when every file that exists was copied: `copy` is then
    // the new path, or empty when the image file itself is missing (nothing to copy). False when
    // a copy failed or no name was free; the files copied so far are removed again.
    bool CopyImage(const std::string& path, std::string* copy);
    // The same for a thumbnail file, which has no companions.
    bool CopyThumbnail(const std::string& path, std::string* copy);

    // Deletes every file the copies since the last call made, and only those: for a card that
    // is not stored after all.
    void RemoveCopies();
    // Forgets the files made so far: they belong to a stored card now.
    void KeepCopies() { made_.clear(); }

private:
    bool CopyWithCompanions(const std::string& path, bool withCompanions, std::string* copy);
    std::string FreeNameBeside(const std::string& path, bool withCompanions);

    std::vector<std::string> made_;
};

}  // namespace ferrow
