// Scratch folders of the tests: each test gets a fresh, empty folder of its own under the
// temporary folder, and leaves nothing behind.
#pragma once
#include <string>

// "<temporary folder>\<name>".
std::string TempFolderPath(const std::string& name);

// Removes the folder with everything below it, read-only files included. `folder` ends with a
// backslash.
void RemoveFolderTree(const std::string& folder);

// A new empty folder "<temp>\<prefix>_<process>_<n>" for one test. Wine reuses process ids
// from run to run, so whatever an earlier, interrupted run left under that name goes first.
// The result has no closing backslash.
std::string MakeFreshTestFolder(const std::string& prefix);

// A fresh folder for the life of the object, removed with its files afterwards.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix = "scratch");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }  // without a closing backslash
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};
