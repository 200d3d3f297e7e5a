#pragma once

#include <cstdio>
#include <string>

namespace kestrun::testing {

// A temporary file standing in for the launcher's standard error.
class OutputStreamFile {
  public:
    OutputStreamFile() : file_(std::tmpfile()) {}
    ~OutputStreamFile() {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    OutputStreamFile(const OutputStreamFile&) = delete;
    OutputStreamFile& operator=(const OutputStreamFile&) = delete;

    std::FILE* Get() const { return file_; }

    // Everything written to it so far.
    std::string Content() const {
        std::fflush(file_);
        std::rewind(file_);
        std::string content;
        char chunk[4096];
        while (const std::size_t count = std::fread(chunk, 1, sizeof chunk, file_)) {
            content.append(chunk, count);
        }
        return content;
    }

  private:
    std::FILE* file_;
};

}  // namespace kestrun::testing
