// Prints what a Start run writes into the two report boxes, for comparing another build of the
// program with this one: reporttexts START DEGENERATE prints the table, a line "----", the list,
// and the message for a start text that is no start on the standard error.
// reporttexts --formula reads the text of the formula's input box and prints what "=" leaves in
// it, a line "----", and the result.
#include "calc/formula.h"
#include "calc/run.h"
#include "tests/support/stringwindow.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--formula") == 0) {
        StringWindow window;
        window.input.assign(std::istreambuf_iterator<char>(std::cin), {});
        CountByFormula(window);
        std::printf("%s\n----\n%s\n", window.input.c_str(), window.result.c_str());
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s START DEGENERATE(0|1) | %s --formula <TEXT\n", argv[0], argv[0]);
        return 2;
    }
    StringWindow window;
    window.start = argv[1];
    window.degenerate = std::atoi(argv[2]);
    RunState state;
    RunPerimeters(state, window);
    std::printf("%s\n----\n%s\n", window.table.c_str(), window.list.c_str());
    for (const std::string& warning : window.warnings) {
        std::fprintf(stderr, "%s\n", warning.c_str());
    }
    return window.warnings.empty() ? 0 : 1;
}
