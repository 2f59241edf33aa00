// Prints the window's design in pixels, for checking another edition's window against it, one
// tab-separated line per control and per accessible name:
//   control NAME CONTAINER LEFT TOP WIDTH HEIGHT TAB-INDEX FOCUS(0|1)
//   accessible CONTROL NAME
#include "design/controltable.h"

#include <cstdio>

int main()
{
    for (const ControlRow& row : ControlTable()) {
        // Labels hold a place in the tab order but never take the focus.
        std::printf("control\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%d\n", row.name, row.container ? row.container : "window",
                    TwipsToPixels(row.left), TwipsToPixels(row.top), TwipsToPixels(row.width),
                    TwipsToPixels(row.height), row.tabIndex, row.kind == ControlKind::Label ? 0 : 1);
    }
    for (const AccessibleRow& row : AccessibleNames()) {
        std::printf("accessible\t%s\t%s\n", row.control, row.name);
    }
    return 0;
}
