#pragma once

#include <string>

// Files and folders the benchmarks work on, made fresh for each run.
namespace kestrun::bench {

// A fresh folder under the system's temporary folder, removed with its files at the end.
// Path() ends with a separator.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Writes a file, creating it or replacing its contents; throws when it cannot.
void WriteBenchFile(const std::string& path, const std::string& content = {});

// Fills a folder (which must exist) with count empty ROM sets named game<n> in mixed letter
// case, a tenth of them ending in ".ZIP", in scattered order, with one other file for every
// five sets. Among them is game1.
void CreateRomSets(const std::string& folder, int count);

// A 640 x 480 RGB snapshot in PNG form that compresses about as well as a game screen.
std::string MakeSnapshotPng();

}  // namespace kestrun::bench
