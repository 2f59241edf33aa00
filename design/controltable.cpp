#include "design/controltable.h"

#include "calc/run.h"

#include <string_view>

namespace {

constexpr const char* kSans = "MS Sans Serif";
constexpr const char* kCourier = "Courier";

constexpr FontChoice kSans135{kSans, 13.5, false};
constexpr FontChoice kSans975{kSans, 9.75, false};
constexpr FontChoice kSans24{kSans, 24, false};
constexpr FontChoice kCourier12{kCourier, 12, false};
constexpr FontChoice kDefault{};

using K = ControlKind;
using A = TextAlign;

// clang-format off
constexpr std::array kControls{
//  name         kind           container   left   top  width height tab  text
    ControlRow{"Label1(0)", K::Label,      nullptr,   180,  180, 2715,  495,  0, "Startzahl n angeben:",
                kSans135, nullptr, "#0000C0", A::Left, kNone},
    ControlRow{"txtN(0)",   K::TextBox,    nullptr,  3120,  180,  915,  435,  1, "3",
                kSans135, "#FFFF00", "#000000", A::Right, kLongNumbers},
    ControlRow{"Command1",  K::Button,     nullptr,   180, 1140, 3855,  435,  2, "Start",
                kSans135, "#FFFF00", nullptr, A::Center, kNone},
    ControlRow{"Text2",     K::TextBox,    nullptr,   180, 1620, 3855, 3675,  3, kListHeader,
                kCourier12, nullptr, nullptr, A::Left, kMultiLine | kVScrollAlways},
    ControlRow{"Text1",     K::TextBox,    nullptr,  4260,  600, 3375, 4095,  4, kTableHeader,
                kCourier12, "#C0FFFF", nullptr, A::Left, kMultiLine},
    ControlRow{"Label2",    K::Label,      nullptr,   180, 5460, 7455,  495,  5, "Geduld, die Rechnung läuft!",
                kSans135, "#FFFF00", "#000080", A::Center, kNone},
    ControlRow{"Command2",  K::Button,     nullptr,  4320, 4800, 3315,  495,  6, "Ende",
                kSans135, "#FFFF00", nullptr, A::Center, kNone},
    ControlRow{"Label3",    K::Label,      nullptr,   180, 5460, 7455,  495,  7, "Dreieckspartitionen von n bis n+9",
                kSans135, "#8080FF", "#000080", A::Center, kNone},
    ControlRow{"Check1",    K::CheckBox,   nullptr,   240,  720, 3795,  315,  8, "entartete Dreiecke mitzählen",
                kSans975, nullptr, nullptr, A::Left, kNone},
    ControlRow{"VScroll1",  K::VScrollBar, nullptr,  2880,  180,  255,  435,  9, "",
                kDefault, nullptr, nullptr, A::Left, kNone},
    ControlRow{"Label4",    K::Label,      nullptr,   180, 6060, 7455,  255, 10,
                "*   ges: Gesamtzahl, davon aab: gleichschenklig, aaa: gleichseitig, ent: entartet",
                kSans975, nullptr, nullptr, A::Left, kNone},
    ControlRow{"Text3",     K::TextBox,    nullptr,  4260,  180, 3375,  375, 11, "    Anzahl der Dreiecke für n",
                FontChoice{kSans, 9.75, true}, "#C0FFFF", nullptr, A::Left, kReadOnly},
    ControlRow{"Picture1",  K::PictureBox, nullptr,  4440,  960, 2955,   15, 12, "",
                kDefault, "#000080", nullptr, A::Left, kNone},
    ControlRow{"Picture2",  K::PictureBox, nullptr,   180, 6600, 7455, 1395, 13, "",
                kDefault, "#0000C0", nullptr, A::Left, kSunkenBorder},
    ControlRow{"Label5",    K::Label,      "Picture2",  0,    0, 7395,  255, 14,
                "Berechnung mit einer Formel; keine Größenbeschränkung für n",
                kDefault, "#0000FF", "#FFFFFF", A::Center, kNone},
    ControlRow{"Label6",    K::Label,      "Picture2", 1200, 480,  735,  675, 15, "A(",
                kSans24, "#0000C0", "#FFFFFF", A::Left, kNone},
    ControlRow{"Text4",     K::TextBox,    "Picture2", 1680, 600,  855,  375, 16, "333",
                kSans135, "#FFFFFF", "#000000", A::Center, kLongNumbers},
    ControlRow{"Label7",    K::Label,      "Picture2", 2580, 480,  255,  675, 17, ") ",
                kSans24, "#0000C0", "#FFFFFF", A::Left, kNone},
    ControlRow{"Command3",  K::Button,     "Picture2", 2880, 660,  795,  300, 18, "=",
                kSans135, nullptr, nullptr, A::Center, kNone},
    ControlRow{"Text5",     K::TextBox,    "Picture2", 3900, 540, 2295,  495, 19, "",
                kSans135, nullptr, nullptr, A::Center, kLongNumbers},
};

constexpr std::array kAccessible{
//  control          name                                   label        described by
    AccessibleRow{"txtN(0)",  "Startzahl n",                          "Label1(0)", nullptr},
    AccessibleRow{"Command1", "Start",                                nullptr,     nullptr},
    AccessibleRow{"Text2",    "Dreiecke",                             nullptr,     nullptr},
    AccessibleRow{"Text1",    "Anzahl der Dreiecke für n",            nullptr,     "Label4"},
    AccessibleRow{"Command2", "Ende",                                 nullptr,     nullptr},
    AccessibleRow{"Check1",   "entartete Dreiecke mitzählen",         nullptr,     nullptr},
    AccessibleRow{"VScroll1", "Startzahl in Zehnerschritten",         nullptr,     nullptr},
    AccessibleRow{"Text3",    "Überschrift der Tabelle",              nullptr,     nullptr},
    AccessibleRow{"Picture1", "Trennlinie",                           nullptr,     nullptr},
    AccessibleRow{"Picture2", "Berechnung mit einer Formel; keine Größenbeschränkung für n", nullptr, nullptr},
    AccessibleRow{"Text4",    "n",                                    "Label6",    nullptr},
    AccessibleRow{"Command3", "Anzahl berechnen",                     nullptr,     nullptr},
    AccessibleRow{"Text5",    "Anzahl",                               nullptr,     nullptr},
};

constexpr std::array kSansSubstitutes{"Liberation Sans", "Arial", "Arimo", "Nimbus Sans"};
constexpr std::array kCourierSubstitutes{"Liberation Mono", "Courier New", "Cousine", "Nimbus Mono PS"};
constexpr std::array kSubstitutes{
    FontSubstitute{kSans, kSansSubstitutes},
    FontSubstitute{kCourier, kCourierSubstitutes},
};

constexpr std::array kWindowStacking{
    "Picture2", "Picture1", "Text3", "VScroll1", "Check1", "Command2", "Text1", "Text2", "Command1", "txtN(0)",
    "Label4", "Label2", "Label1(0)", "Label3",
};
constexpr std::array kPicture2Stacking{"Text5", "Command3", "Text4", "Label7", "Label6", "Label5"};
// clang-format on

} // namespace

std::span<const ControlRow> ControlTable() { return kControls; }

ResolvedFont ResolveFont(const FontChoice& choice)
{
    const FontChoice& f = choice.family ? choice : kDefaultFont;
    return {f.family, PointsToPixels(f.points), choice.bold, std::string_view(f.family) == kCourier};
}
std::span<const AccessibleRow> AccessibleNames() { return kAccessible; }
std::span<const FontSubstitute> FontSubstitutes() { return kSubstitutes; }
std::span<const char* const> StackingOnWindow() { return kWindowStacking; }
std::span<const char* const> StackingInPicture2() { return kPicture2Stacking; }
