// The state of one Start run. The window owns one record for its whole life; each run
// overwrites the members, and the enumeration works on the sides and the counters.
#pragma once

#include <cstdint>

struct RunState {
    std::int32_t start = 0;
    std::int32_t stop = 0;
    std::int32_t n = 0;
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t c = 0;
    std::int32_t ges = 0; // all accepted triangles of perimeter n
    std::int32_t aab = 0; // isosceles, not equilateral
    std::int32_t aaa = 0; // equilateral
    std::int32_t ent = 0; // degenerate, only counted with the switch on

    // Set while a run is in progress; a click on "Start" during one of its yields is refused.
    bool running = false;
};
