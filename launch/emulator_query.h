#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "launch/emulator_facts.h"

namespace kestrun {

struct QueryLimits {
    std::chrono::milliseconds time{5000};
    // Output beyond this is read and thrown away, so the program never blocks on its pipe.
    std::size_t outputBytes = 256 * 1024;
};

struct QueryResult {
    // False when the program could not start, ran out of time or the query was cancelled.
    bool finished = false;
    int status = -1;  // the exit code; -1 when it did not exit by itself
    std::string output;
};

// Runs "<executable> <option>" directly, never through a shell, in the given folder, with
// /dev/null as input and its standard output and standard error collected. A program that
// outlives the time limit, or that is still running when cancelFd (-1 for none) becomes
// readable, is killed together with everything it started.
QueryResult QueryEmulator(const std::string& executable, std::string_view option,
                          const std::string& folder, const QueryLimits& limits, int cancelFd);
// The same with several arguments after the executable.
QueryResult QueryEmulator(const std::string& executable, const std::vector<std::string>& arguments,
                          const std::string& folder, const QueryLimits& limits, int cancelFd);

struct GatheredFacts {
    EmulatorFacts facts;
    // Every query that was needed finished: the facts may be kept for next time.
    bool complete = false;
};

// Asks -version, and only a program that answers it with a version number also -showusage
// and -showconfig.
GatheredFacts GatherEmulatorFacts(const std::string& executable, const std::string& folder,
                                  const QueryLimits& limits, int cancelFd);

}  // namespace kestrun
