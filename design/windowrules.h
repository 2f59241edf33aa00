// What the window's handlers decide and say, beyond the control table, kept free of any
// toolkit so that the desktop window and the web page decide and word it the same way.
#pragma once

#include "calc/runstate.h"
#include "calc/runwindow.h"

#include <optional>
#include <span>
#include <string>

// The information box of the menu command.
inline constexpr const char* kInfoTitle = "Programmiert von";
inline constexpr const char* kInfoCredit = "Die Entwickler von tripart, im Projekt tripart";
// The box that says why a start text is no start.
inline constexpr const char* kWarningTitle = "Startzahl";
// The box for a run or a count that broke off.
inline constexpr const char* kFailureTitle = "Fehler";

// The scroll bar: 10 at its top end, 0 at its bottom end, one step per click.
inline constexpr int kScrollMinimum = 0;
inline constexpr int kScrollMaximum = 10;
inline constexpr int kScrollInitial = 1;
// What a click on the upper arrow or in the track above the thumb adds to the value; the
// lower arrow and the track below take as much away. Positive: moving up raises the start.
inline constexpr int kScrollStepUp = 1;

// What the load handler hides before the window is first shown: the busy label, which a run
// shows while it works.
std::span<const char* const> HiddenAtLoad();

// The start box's text after the scroll bar moved to `value`; nothing when the product does
// not fit the 16 bits it is computed in (the scroll bar's range keeps it from happening).
std::optional<std::string> ScrollStartText(int value);

// "Start" and "=" as the handlers of every edition run them: a run or a count that breaks off
// ends in the failure box (ShowFailure), and the window stays usable. Nothing a user types
// gets there (the inputs are checked before any arithmetic); it is for memory running out or
// a counter overflowing all the same.
void GuardedRun(RunState& state, RunWindow& window);
void GuardedCount(FormulaWindow& window);
