// A window made of plain strings, for driving the run without any toolkit. A test can hook
// into each Yield to do what a user could do at that moment.
#pragma once

#include "calc/runwindow.h"

#include <functional>
#include <string>
#include <vector>

class StringWindow : public RunWindow, public FormulaWindow {
public:
    std::string start = "3";
    std::string list = "Dreiecke\r\n";
    std::string table = "  n  ges aab aaa* ent\r\n";
    std::string input = "333";
    std::string result;
    int degenerate = 0;
    bool busy = false;

    int yields = 0;
    std::vector<bool> busyAtYield;
    std::vector<std::string> warnings;
    std::vector<std::string> failures;
    std::function<void(StringWindow&, int)> onYield; // called with the yield's number, from 1

    void Yield() override
    {
        ++yields;
        busyAtYield.push_back(busy);
        if (onYield) {
            onYield(*this, yields);
        }
    }
    void SetBusy(bool visible) override { busy = visible; }
    std::string StartText() const override { return start; }
    void SetStartText(const std::string& text) override { start = text; }
    std::string ListText() const override { return list; }
    void SetListText(const std::string& text) override { list = text; }
    std::string TableText() const override { return table; }
    void SetTableText(const std::string& text) override { table = text; }
    int DegenerateState() const override { return degenerate; }
    void ShowWarning(const std::string& message) override { warnings.push_back(message); }
    void ShowFailure(const std::string& message) override { failures.push_back(message); }

    std::string InputText() const override { return input; }
    void SetInputText(const std::string& text) override { input = text; }
    void SetResultText(const std::string& text) override { result = text; }
};
