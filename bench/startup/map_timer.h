#pragma once

#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace kestrun::bench {

struct StartUpMeasure {
    // From starting the program to the map of its first top-level window.
    double millisecondsToMap = 0;
    // The same, less the time its main thread spent ready to run but waiting for a processor:
    // what a machine busy with other work adds.
    double millisecondsToMapUnqueued = 0;
    // Its resident memory once it has gone quiet after the map.
    long residentKiB = 0;
};

// An X client that watches the root window of a display for maps of top-level windows, and
// times programs from their start to their first window on the screen.
class MapTimer {
  public:
    // Throws when the display cannot be opened.
    explicit MapTimer(const std::string& display);
    ~MapTimer();
    MapTimer(const MapTimer&) = delete;
    MapTimer& operator=(const MapTimer&) = delete;

    // Starts argv with exactly the given environment, measures it and ends it. Throws when the
    // program ends or shows nothing within thirty seconds.
    StartUpMeasure Measure(const std::vector<std::string>& argv,
                           const std::vector<std::string>& environment);

  private:
    bool IsWindowOf(unsigned long window, int pid);

    Display* display_;
    unsigned long root_;
    unsigned long pidAtom_;
};

}  // namespace kestrun::bench
