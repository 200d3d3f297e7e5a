#pragma once

#include <string>

namespace kestrun::testing {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. Path() ends with a separator, like the program folder.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes a file below the folder (creating parent folders) and returns its full path.
    std::string WriteFile(const std::string& relativePath, const std::string& content = {}) const;
    std::string MakeFolder(const std::string& relativePath) const;

  private:
    std::string path_;
};

// Points HOME and the XDG folders into a fresh temporary folder for the object's lifetime.
class TempHome {
  public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const TempFolder& Folder() const { return folder_; }

  private:
    TempFolder folder_;
    std::string savedHome_, savedConfig_, savedData_, savedCache_;
};

// Takes every folder that holds a runnable "mame" off PATH for the object's lifetime, so a
// MAME installed on the machine is not found where a test wants no emulator.
class NoMameOnPath {
  public:
    NoMameOnPath();
    ~NoMameOnPath();
    NoMameOnPath(const NoMameOnPath&) = delete;
    NoMameOnPath& operator=(const NoMameOnPath&) = delete;

  private:
    std::string savedPath_;
};

}  // namespace kestrun::testing
