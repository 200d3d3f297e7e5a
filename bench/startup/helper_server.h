#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kestrun::bench {

// A server program of our own (a virtual X server, a session bus) that writes its address on
// a pipe once it accepts clients; stopped on destruction.
class HelperServer {
  public:
    // Starts argv, in which the word "{fd}", alone or at the end of a word, becomes the number
    // of the pipe's write end. Throws when the program does not start or names no address
    // within ten seconds.
    explicit HelperServer(std::vector<std::string> argv);
    ~HelperServer();
    HelperServer(const HelperServer&) = delete;
    HelperServer& operator=(const HelperServer&) = delete;

    // The first line the server wrote.
    const std::string& Address() const { return address_; }

  private:
    pid_t pid_ = -1;
    std::string address_;
};

}  // namespace kestrun::bench
