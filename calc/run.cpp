#include "calc/run.h"

#include "calc/numbertext.h"
#include "calc/starttext.h"

#include <stdexcept>

namespace {

void Increment(std::int32_t& counter)
{
    if (__builtin_add_overflow(counter, 1, &counter)) {
        throw std::overflow_error("Zähler übergelaufen");
    }
}

void AppendSides(const RunState& state, std::string& out)
{
    AppendFieldText(out, 3, state.ges);
    out += '.';
    AppendFieldText(out, 3, state.a);
    AppendFieldText(out, 3, state.b);
    AppendFieldText(out, 3, state.c);
}

// Hides the busy label and frees the run again however the run ends.
class RunningScope {
public:
    RunningScope(RunState& state, RunWindow& window) : state_(state), window_(window)
    {
        state_.running = true;
    }
    ~RunningScope()
    {
        state_.running = false;
        if (busy_) {
            window_.SetBusy(false);
        }
    }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

    void ShowBusy()
    {
        busy_ = true;
        window_.SetBusy(true);
    }

private:
    RunState& state_;
    RunWindow& window_;
    bool busy_ = false;
};

} // namespace

void ListTrianglesInto(RunState& state, const RunWindow& window, std::string& out)
{
    const std::int32_t n = state.n;
    for (state.a = 1; state.a <= n / 3; ++state.a) {
        for (state.b = state.a; 2 * state.b <= n - state.a; ++state.b) {
            state.c = n - state.a - state.b;
            const std::int32_t a = state.a;
            const std::int32_t b = state.b;
            const std::int32_t c = state.c;

            if (window.DegenerateState() == 0 && a + b > c && a + c > b && b + c > a) {
                Increment(state.ges);
                AppendSides(state, out);
                if (a == b && c != a) {
                    Increment(state.aab);
                    out += "  aab";
                }
                if (b == c && c != a) {
                    Increment(state.aab);
                    out += "  aab";
                }
                if (a == b && a == c) {
                    Increment(state.aaa);
                    out += "  aaa";
                }
                out += kLineBreak;
            }

            if (window.DegenerateState() == 1 && a + b >= c && a + c >= b && b + c >= a) {
                Increment(state.ges);
                AppendSides(state, out);
                if (n % 2 == 0 && c == n / 2) {
                    out += "  ent";
                    Increment(state.ent);
                }
                if (a == b && c != a) {
                    Increment(state.aab);
                    out += "  aab";
                }
                if (a == b && a == c) {
                    Increment(state.aaa);
                    out += "  aaa";
                }
                if (b == c && c != a) {
                    Increment(state.aab);
                    out += "  aab";
                }
                out += kLineBreak;
            }
        }
    }
}

void ListTriangles(RunState& state, RunWindow& window)
{
    std::string lines;
    ListTrianglesInto(state, window, lines);
    if (!lines.empty()) {
        window.AppendListText(lines);
    }
}

void RunPerimeters(RunState& state, RunWindow& window)
{
    if (state.running) {
        return;
    }
    RunningScope scope(state, window);
    window.Yield();

    // Checked before anything is written, so that a mistyped start loses nothing.
    const StartValue start = ParseStartText(window.StartText());
    if (!start.ok) {
        window.ShowWarning(start.message);
        return;
    }

    scope.ShowBusy();
    window.SetListText(kListHeader);
    window.SetTableText(kTableHeader);
    state.start = start.value;
    if (start.clamped) {
        window.SetStartText(std::to_string(kHighestStart));
    }
    state.stop = state.start + 9;

    // Between two yields the window cannot look, so each perimeter reaches it in one piece.
    std::string list;
    std::string row;
    for (state.n = state.start; state.n <= state.stop; ++state.n) {
        window.Yield();
        state.ges = 0;
        state.aaa = 0;
        state.aab = 0;
        state.ent = 0;

        list.assign(kLineBreak).append("Umfang").append(NumberText(state.n)).append(kLineBreak);
        row.assign(kLineBreak).append(FieldText(3, state.n)).append(":");
        ListTrianglesInto(state, window, list);
        row.append(FieldText(4, state.ges)).append(FieldText(4, state.aab)).append(FieldText(4, state.aaa));
        if (state.ent > 0) {
            row.append("  ").append(NumberText(state.ent));
        }
        window.AppendListText(list);
        window.AppendTableText(row);
    }
}
