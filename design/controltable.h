// The design of the window: every control with its kind, container, rectangle, tab index,
// text, font, colours and settings, written down the way the layout is drawn up, in twips
// (15 to a pixel at 96 dots per inch). Each edition turns it into its controls in one place.
#pragma once

#include <array>
#include <cstdint>
#include <span>

enum class ControlKind { Label, TextBox, Button, CheckBox, VScrollBar, PictureBox };

enum class TextAlign { Left, Center, Right };

// Settings beyond kind, text, font and colours.
enum ControlFlag : std::uint32_t {
    kNone = 0,
    kMultiLine = 1u << 0,
    kReadOnly = 1u << 1,
    kVScrollAlways = 1u << 2, // a vertical scroll bar even while the text fits
    kSunkenBorder = 1u << 3,  // picture box with the standard 2-pixel sunken border
    kLongNumbers = 1u << 4,   // one-line box for numbers of any length, 200,000 digits and more
};

struct FontChoice {
    const char* family = nullptr; // nullptr: the window's default font
    double points = 0;
    bool bold = false;
};

// A colour written #RRGGBB, or nullptr for the platform's system colour.
using Colour = const char*;

struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* container; // nullptr: the window's client area
    int left, top, width, height; // twips, relative to the container's inner area
    int tabIndex;
    const char* text;
    FontChoice font;
    Colour background;
    Colour foreground;
    TextAlign align;
    std::uint32_t flags;
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr double kDesignDpi = 96.0;

inline constexpr const char* kWindowTitle = "Dreiecke mit dem Umfang n und ganzzahligen Seitenlängen";
inline constexpr int kClientWidthTwips = 7755;
inline constexpr int kClientHeightTwips = 8085;
inline constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25, false};
inline constexpr const char* kMenuCommandName = "cmdinfo";
inline constexpr const char* kMenuCommandText = "Information";

struct LineRow {
    const char* name;
    int x1, y1, x2, y2; // twips on the client area
};
inline constexpr LineRow kLine1{"Line1", 180, 6480, 7560, 6480};

// The picture box's sunken border, on each side.
inline constexpr int kSunkenBorderTwips = 30;

std::span<const ControlRow> ControlTable();

// What a screen reader says for each control that takes the focus, in German like its captions;
// a label standing beside a box names it and is tied to it as its buddy.
struct AccessibleRow {
    const char* control;
    const char* name;
    const char* label;       // nullptr: no label beside it
    const char* describedBy; // a label whose text explains it, or nullptr
};
std::span<const AccessibleRow> AccessibleNames();

// A font as every edition draws it: the window's default where a row names none, the size in
// pixels at 96 dots per inch, and whether the family is the fixed-pitch one the report columns
// line up in.
struct ResolvedFont {
    const char* family;
    int pixels;
    bool bold;
    bool fixedPitch;
};
ResolvedFont ResolveFont(const FontChoice& choice);

// Families of the same metrics, in the order tried, for a design family the machine lacks;
// generic fallbacks (DejaVu Sans among them) are too wide for the captions.
struct FontSubstitute {
    const char* family;
    std::span<const char* const> candidates;
};
std::span<const FontSubstitute> FontSubstitutes();

// Front to back, per container; labels always lie behind the controls that are windows.
std::span<const char* const> StackingOnWindow();
std::span<const char* const> StackingInPicture2();

inline constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
inline constexpr int PointsToPixels(double points) { return static_cast<int>(points * kDesignDpi / 72.0 + 0.5); }
