// The Start run: for the ten perimeters from the start number on, list every triangle with
// whole sides and append one row of counts per perimeter to the summary table. It reaches the
// window only through RunWindow and yields to it before the run and before each perimeter.
#pragma once

#include "calc/runstate.h"
#include "calc/runwindow.h"

#include <string>

inline constexpr const char* kLineBreak = "\r\n";
inline constexpr const char* kListHeader = "Dreiecke\r\n";
inline constexpr const char* kTableHeader = "  n  ges aab aaa* ent\r\n";

// What the "Start" button does. Does nothing while another run is in progress.
void RunPerimeters(RunState& state, RunWindow& window);

// Appends one line per triangle of perimeter state.n to the list text and counts them;
// the caller resets the counters.
void ListTriangles(RunState& state, RunWindow& window);

// The same, written into `out` instead of the window, so that a run can hand a whole
// perimeter to the window at once.
void ListTrianglesInto(RunState& state, const RunWindow& window, std::string& out);
