#include "tests/support/temp_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace kestrun::testing {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "kestrun-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern + "/";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempFolder::WriteFile(const std::string& relativePath,
                                  const std::string& content) const {
    const fs::path full = fs::path(path_) / relativePath;
    fs::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full.string();
}

std::string TempFolder::MakeFolder(const std::string& relativePath) const {
    const fs::path full = fs::path(path_) / relativePath;
    fs::create_directories(full);
    return full.string();
}

namespace {

std::string Saved(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void Restore(const char* name, const std::string& value) {
    if (value.empty()) {
        ::unsetenv(name);
    } else {
        ::setenv(name, value.c_str(), 1);
    }
}

}  // namespace

TempHome::TempHome()
    : savedHome_(Saved("HOME")),
      savedConfig_(Saved("XDG_CONFIG_HOME")),
      savedData_(Saved("XDG_DATA_HOME")),
      savedCache_(Saved("XDG_CACHE_HOME")) {
    ::setenv("HOME", folder_.MakeFolder("home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", folder_.MakeFolder("home/.config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", folder_.MakeFolder("home/.local/share").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", folder_.MakeFolder("home/.cache").c_str(), 1);
}

TempHome::~TempHome() {
    Restore("HOME", savedHome_);
    Restore("XDG_CONFIG_HOME", savedConfig_);
    Restore("XDG_DATA_HOME", savedData_);
    Restore("XDG_CACHE_HOME", savedCache_);
}

NoMameOnPath::NoMameOnPath() : savedPath_(Saved("PATH")) {
    std::string kept;
    std::string_view folders = savedPath_;
    while (!folders.empty()) {
        const auto end = folders.find(':');
        const std::string folder(folders.substr(0, end));
        folders.remove_prefix(end == std::string_view::npos ? folders.size() : end + 1);
        if (::access((folder + "/mame").c_str(), X_OK) != 0) {
            kept += (kept.empty() ? "" : ":") + folder;
        }
    }
    ::setenv("PATH", kept.c_str(), 1);
}

NoMameOnPath::~NoMameOnPath() {
    Restore("PATH", savedPath_);
}

}  // namespace kestrun::testing
