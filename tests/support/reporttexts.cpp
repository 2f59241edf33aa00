// Prints what a Start run writes into the two report boxes, for comparing another build of the
// program with this one: reporttexts START DEGENERATE prints the table, a line "----", the list.
#include "calc/run.h"
#include "tests/support/stringwindow.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s START DEGENERATE(0|1)\n", argv[0]);
        return 2;
    }
    StringWindow window;
    window.start = argv[1];
    window.degenerate = std::atoi(argv[2]);
    RunState state;
    RunPerimeters(state, window);
    std::printf("%s\n----\n%s\n", window.table.c_str(), window.list.c_str());
    return window.warnings.empty() ? 0 : 1;
}
