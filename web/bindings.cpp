// The web page's side of the compiled library: the design of the window for the page to draw,
// the window operations of the computations implemented on the page's controls, and the
// handlers that hand the work to calc/. The page's script draws and forwards; every decision
// is made in design/ or calc/, as on the desktop.
#include "calc/runstate.h"
#include "calc/runwindow.h"
#include "design/controltable.h"
#include "design/windowrules.h"

#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

using emscripten::val;

namespace {

// The page's turn (Module.turn): pending input, clicks and a due repaint are handled first.
EM_ASYNC_JS(void, BrowserTurn, (), { await Module.turn(); });

// The window operations the library calls on the page, by the names the page's script gives
// them, each written here once. The page checks at start-up that it has these and no others
// (Module.pageOperations), so that a missing or misspelt one fails there and not at its first
// call, perhaps in the middle of a run.
constexpr const char* kDegenerateState = "degenerateState";
constexpr const char* kSetBusy = "setBusy";
constexpr const char* kStartText = "startText";
constexpr const char* kSetStartText = "setStartText";
constexpr const char* kListText = "listText";
constexpr const char* kSetListText = "setListText";
constexpr const char* kAppendListText = "appendListText";
constexpr const char* kTableText = "tableText";
constexpr const char* kSetTableText = "setTableText";
constexpr const char* kAppendTableText = "appendTableText";
constexpr const char* kInputText = "inputText";
constexpr const char* kSetInputText = "setInputText";
constexpr const char* kSetResultText = "setResultText";
constexpr const char* kShowMessage = "showMessage";
constexpr std::array kPageOperations{
    kDegenerateState, kSetBusy, kStartText, kSetStartText, kListText, kSetListText, kAppendListText,
    kTableText, kSetTableText, kAppendTableText, kInputText, kSetInputText, kSetResultText, kShowMessage,
};

// The page's controls, reached through the object its script hands over (Module.attach).
class PageWindow : public RunWindow, public FormulaWindow {
public:
    void Attach(val page)
    {
        page_ = std::move(page);
        ReadSwitch();
    }

    // The switch can change only while the browser has its turn; reading it there once keeps
    // the enumeration, which asks for every candidate, off the page.
    void ReadSwitch() { degenerate_ = page_.call<int>(kDegenerateState); }

    void Yield() override
    {
        BrowserTurn();
        ReadSwitch();
    }
    void SetBusy(bool visible) override { page_.call<void>(kSetBusy, visible); }
    std::string StartText() const override { return page_.call<std::string>(kStartText); }
    void SetStartText(const std::string& text) override { page_.call<void>(kSetStartText, text); }
    std::string ListText() const override { return page_.call<std::string>(kListText); }
    void SetListText(const std::string& text) override { page_.call<void>(kSetListText, text); }
    std::string TableText() const override { return page_.call<std::string>(kTableText); }
    void SetTableText(const std::string& text) override { page_.call<void>(kSetTableText, text); }
    int DegenerateState() const override { return degenerate_; }
    void ShowWarning(const std::string& message) override
    {
        page_.call<void>(kShowMessage, std::string("warning"), std::string(kWarningTitle), message);
    }
    void AppendListText(std::string_view piece) override { page_.call<void>(kAppendListText, std::string(piece)); }
    void AppendTableText(std::string_view piece) override
    {
        page_.call<void>(kAppendTableText, std::string(piece));
    }

    std::string InputText() const override { return page_.call<std::string>(kInputText); }
    void SetInputText(const std::string& text) override { page_.call<void>(kSetInputText, text); }
    void SetResultText(const std::string& text) override { page_.call<void>(kSetResultText, text); }

    void ShowFailure(const std::string& message) override
    {
        page_.call<void>(kShowMessage, std::string("critical"), std::string(kFailureTitle), message);
    }

private:
    val page_ = val::undefined();
    int degenerate_ = 0;
};

// The window lives as long as the page, and so does its run state.
PageWindow window;
RunState state;

void Attach(val page) { window.Attach(std::move(page)); }

// UTF-8 all through: std::string crosses to the script as UTF-8.
val Text(const char* text) { return text ? val(std::string(text)) : val::null(); }

val Font(const FontChoice& choice)
{
    const ResolvedFont f = ResolveFont(choice);
    val font = val::object();
    font.set("family", Text(f.family));
    font.set("pixels", f.pixels);
    font.set("bold", f.bold);
    font.set("fixedPitch", f.fixedPitch);
    return font;
}

val Names(std::span<const char* const> names)
{
    val list = val::array();
    for (const char* name : names) {
        list.call<void>("push", Text(name));
    }
    return list;
}

const char* AlignName(TextAlign align)
{
    switch (align) {
    case TextAlign::Center:
        return "center";
    case TextAlign::Right:
        return "right";
    case TextAlign::Left:
        break;
    }
    return "left";
}

const char* KindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::TextBox:
        return "textbox";
    case ControlKind::Button:
        return "button";
    case ControlKind::CheckBox:
        return "checkbox";
    case ControlKind::VScrollBar:
        return "vscrollbar";
    case ControlKind::PictureBox:
        return "picturebox";
    }
    return "";
}

val PageOperations() { return Names(kPageOperations); }

// The window's whole design, in pixels at 96 dots per inch: one CSS pixel each.
val Design()
{
    val design = val::object();
    design.set("title", Text(kWindowTitle));
    design.set("clientWidth", TwipsToPixels(kClientWidthTwips));
    design.set("clientHeight", TwipsToPixels(kClientHeightTwips));
    design.set("font", Font(kDefaultFont));
    design.set("menuName", Text(kMenuCommandName));
    design.set("menuText", Text(kMenuCommandText));
    design.set("sunkenBorder", TwipsToPixels(kSunkenBorderTwips));

    val line = val::object();
    line.set("name", Text(kLine1.name));
    line.set("x1", TwipsToPixels(kLine1.x1));
    line.set("y1", TwipsToPixels(kLine1.y1));
    line.set("x2", TwipsToPixels(kLine1.x2));
    line.set("y2", TwipsToPixels(kLine1.y2));
    design.set("line", line);

    val controls = val::array();
    for (const ControlRow& row : ControlTable()) {
        val c = val::object();
        c.set("name", Text(row.name));
        c.set("kind", Text(KindName(row.kind)));
        c.set("container", Text(row.container));
        c.set("left", TwipsToPixels(row.left));
        c.set("top", TwipsToPixels(row.top));
        c.set("width", TwipsToPixels(row.width));
        c.set("height", TwipsToPixels(row.height));
        c.set("tabIndex", row.tabIndex);
        c.set("text", Text(row.text));
        c.set("font", Font(row.font));
        c.set("background", Text(row.background));
        c.set("foreground", Text(row.foreground));
        c.set("align", Text(AlignName(row.align)));
        c.set("multiLine", (row.flags & kMultiLine) != 0);
        c.set("readOnly", (row.flags & kReadOnly) != 0);
        c.set("vScrollAlways", (row.flags & kVScrollAlways) != 0);
        c.set("sunkenBorder", (row.flags & kSunkenBorder) != 0);
        c.set("longNumbers", (row.flags & kLongNumbers) != 0);
        controls.call<void>("push", c);
    }
    design.set("controls", controls);

    val accessible = val::array();
    for (const AccessibleRow& row : AccessibleNames()) {
        val a = val::object();
        a.set("control", Text(row.control));
        a.set("name", Text(row.name));
        a.set("label", Text(row.label));
        a.set("describedBy", Text(row.describedBy));
        accessible.call<void>("push", a);
    }
    design.set("accessible", accessible);

    val substitutes = val::object();
    for (const FontSubstitute& s : FontSubstitutes()) {
        substitutes.set(s.family, Names(s.candidates));
    }
    design.set("substitutes", substitutes);

    val stacking = val::object();
    stacking.set("window", Names(StackingOnWindow()));
    stacking.set("Picture2", Names(StackingInPicture2()));
    design.set("stacking", stacking);

    val scroll = val::object();
    scroll.set("minimum", kScrollMinimum);
    scroll.set("maximum", kScrollMaximum);
    scroll.set("initial", kScrollInitial);
    scroll.set("stepUp", kScrollStepUp);
    design.set("scroll", scroll);

    design.set("hiddenAtLoad", Names(HiddenAtLoad()));
    design.set("infoTitle", Text(kInfoTitle));
    design.set("infoCredit", Text(kInfoCredit));
    return design;
}

} // namespace

// "Start": called through ccall with async, since the run gives the browser its turns.
extern "C" EMSCRIPTEN_KEEPALIVE void Command1_Click() { GuardedRun(state, window); }

// The other handlers are called by the page directly, not through embind or ccall: while a
// run waits for its turn, those hand back a promise of the run's end instead of the result.
extern "C" EMSCRIPTEN_KEEPALIVE void Command3_Click() { GuardedCount(window); }

// Counts through no window, in steps, while the page is idle after opening. The browser first
// runs WebAssembly as compiled in haste and compiles again, optimised, only what has run a lot;
// counts on numbers of growing length run the arithmetic of a long count, which the first "="
// on a long number would otherwise run in the hasty code. Each step takes some milliseconds;
// the result says whether another follows.
extern "C" EMSCRIPTEN_KEEPALIVE int WarmUp(int step)
{
    static constexpr std::array<std::size_t, 3> kDigits = {2000, 8000, 30000};
    class Scratch : public FormulaWindow {
    public:
        explicit Scratch(std::size_t digits) : digits_(digits) {}
        std::string InputText() const override { return std::string(digits_, '7'); }
        void SetInputText(const std::string&) override {}
        void SetResultText(const std::string&) override {}
        // Out of memory at most; "=" itself reports that, here the warming up stops.
        void ShowFailure(const std::string&) override { failed = true; }

        bool failed = false;

    private:
        std::size_t digits_;
    };
    if (step < 0 || step >= int(kDigits.size())) {
        return 0;
    }
    Scratch scratch(kDigits[std::size_t(step)]);
    GuardedCount(scratch);
    return !scratch.failed && step + 1 < int(kDigits.size());
}

// The start box's new text, valid until the next call; null when the box keeps its text.
extern "C" EMSCRIPTEN_KEEPALIVE const char* VScroll1_Change(int value)
{
    static std::string text;
    const std::optional<std::string> next = ScrollStartText(value);
    if (!next) {
        return nullptr;
    }
    text = *next;
    return text.c_str();
}

EMSCRIPTEN_BINDINGS(tripart)
{
    emscripten::function("attach", &Attach);
    emscripten::function("design", &Design);
    emscripten::function("pageOperations", &PageOperations);
}
