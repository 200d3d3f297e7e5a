#pragma once

#include <cstdio>
#include <string>

namespace kestrun::testing {

// A temporary file standing in for the launcher's standard error.
class OutputStreamFile {
  public:
    ~OutputStreamFile() { std::fclose(file_); }
    std::FILE* Get() const { return file_; }
    // Everything written to it so far.
    std::string Content() const {
        std::fflush(file_);
        std::rewind(file_);
        std::string content;
        for (int c; (c = std::fgetc(file_)) != EOF;) {
            content += static_cast<char>(c);
        }
        return content;
    }

  private:
    std::FILE* file_ = std::tmpfile();
};

}  // namespace kestrun::testing
