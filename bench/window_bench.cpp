// The largest Start run in the real window (offscreen), click to the last row shown, against
// setting its two final texts once on the same widgets; and "=" on the longest number the
// formula box accepts, click to the count shown, against the library counting it alone.
#include "bench/ratio.h"
#include "calc/formula.h"
#include "tests/support/stringwindow.h"
#include "tests/ui/uitest.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<frmtripart> LargestRunWindow()
{
    auto window = std::make_unique<frmtripart>();
    window->SetTerminator([] {});
    window->show();
    QTest::qWaitForWindowExposed(window.get());
    window->txtN(0)->setText(QStringLiteral("100"));
    Control<QCheckBox>(*window, "Check1")->setChecked(true);
    QCoreApplication::processEvents();
    return window;
}

// Until everything the texts changed is painted.
void Shown(frmtripart& window)
{
    window.repaint();
    QCoreApplication::processEvents();
}

void BM_LargestRunInWindow(benchmark::State& bench)
{
    for (auto _ : bench) {
        bench.PauseTiming();
        auto window = LargestRunWindow();
        bench.ResumeTiming();
        Control<QPushButton>(*window, "Command1")->click();
        Shown(*window);
        bench.PauseTiming();
        window.reset();
        bench.ResumeTiming();
    }
}

void BM_FinalTextsOnceInWindow(benchmark::State& bench)
{
    std::string list;
    std::string table;
    {
        auto done = LargestRunWindow();
        Control<QPushButton>(*done, "Command1")->click();
        list = done->ListText();
        table = done->TableText();
    }
    for (auto _ : bench) {
        bench.PauseTiming();
        auto window = LargestRunWindow();
        bench.ResumeTiming();
        window->SetListText(list);
        window->SetTableText(table);
        Shown(*window);
        bench.PauseTiming();
        window.reset();
        bench.ResumeTiming();
    }
}

const std::string& LongestInput()
{
    static const std::string digits(kMaxFormulaDigits, '7');
    return digits;
}

void BM_LongestFormulaInWindow(benchmark::State& bench)
{
    auto window = LargestRunWindow();
    auto* input = Control<QLineEdit>(*window, "Text4");
    auto* result = Control<QLineEdit>(*window, "Text5");
    QGuiApplication::clipboard()->setText(QString::fromStdString(LongestInput()));
    for (auto _ : bench) {
        bench.PauseTiming();
        input->selectAll();
        input->paste();
        result->clear();
        Shown(*window);
        bench.ResumeTiming();
        Control<QPushButton>(*window, "Command3")->click();
        Shown(*window);
    }
    if (result->text().size() < 2 * static_cast<int>(kMaxFormulaDigits) - 2) {
        bench.SkipWithError("the count was not shown whole");
    }
}

void BM_LongestFormulaLibrary(benchmark::State& bench)
{
    StringWindow window;
    for (auto _ : bench) {
        window.input = LongestInput();
        CountByFormula(window);
        benchmark::DoNotOptimize(window.result.data());
    }
}

BENCHMARK(BM_LargestRunInWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(10);
BENCHMARK(BM_FinalTextsOnceInWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(10);
BENCHMARK(BM_LongestFormulaInWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_LongestFormulaLibrary)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    PrepareTestApplication();
    QApplication app(argc, argv);
    SetUpApplication();
    return RunAndCompare(argc, argv,
                         {{"BM_LargestRunInWindow", "BM_FinalTextsOnceInWindow", 1.5},
                          {"BM_LongestFormulaInWindow", "BM_LongestFormulaLibrary"}});
}
