// The few window operations the computations need. The window implements them on its
// controls; the tests and benchmarks implement them on plain strings. Texts are UTF-8 and
// the report texts break lines with CR LF.
#pragma once

#include <string>
#include <string_view>

class RunWindow {
public:
    virtual ~RunWindow() = default;

    // Let the window handle every pending event (paint, input, clicks), then return.
    virtual void Yield() = 0;
    virtual void SetBusy(bool visible) = 0;

    virtual std::string StartText() const = 0;
    virtual void SetStartText(const std::string& text) = 0;
    virtual std::string ListText() const = 0;
    virtual void SetListText(const std::string& text) = 0;
    virtual std::string TableText() const = 0;
    virtual void SetTableText(const std::string& text) = 0;

    // 0 unchecked, 1 checked.
    virtual int DegenerateState() const = 0;

    // A start text that is no start: the window tells the user and the run stops.
    virtual void ShowWarning(const std::string& message) = 0;
    // A run that broke off (memory running out, a counter overflowing): the window says why
    // and stays usable.
    virtual void ShowFailure(const std::string& message) = 0;

    // Extend the text the box holds right now. A window whose boxes can append in place
    // overrides these; the result must be the same as reading, extending and writing back.
    virtual void AppendListText(std::string_view piece) { SetListText(ListText().append(piece)); }
    virtual void AppendTableText(std::string_view piece) { SetTableText(TableText().append(piece)); }
};

// The operations of the closed-form count: the input box and the result box.
class FormulaWindow {
public:
    virtual ~FormulaWindow() = default;

    virtual std::string InputText() const = 0;
    virtual void SetInputText(const std::string& text) = 0;
    virtual void SetResultText(const std::string& text) = 0;
    // A count that broke off: as for the run.
    virtual void ShowFailure(const std::string& message) = 0;
};
