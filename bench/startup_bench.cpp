// Start-up to the first shown window: the program's window against a bare Qt window with one
// label in the program's font (the floor for a window that shows text), and against one that
// shows one empty widget. Each start is a fresh process (this executable again, told which
// window to open), timed from the spawn to the moment the child reports its window shown.
#include "bench/ratio.h"
#include "tests/ui/uitest.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QTest>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr const char* kChildFlag = "--show-window=";

// In the child: open the window, wait until it is exposed, say so on the pipe, and leave
// without tearing anything down (that is no part of starting up).
[[noreturn]] void ShowAndReport(int argc, char** argv, const std::string& which, int fd)
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (which == "tripart") {
        SetUpApplication();
        window = std::make_unique<frmtripart>();
    } else {
        window = std::make_unique<QWidget>();
        window->resize(517, 557);
        if (which == "label") {
            // In the program's own fonts: the same substitutes, the caption font of its label.
            InstallFontSubstitutes();
            auto* label = new QLabel(QStringLiteral("Startzahl n angeben:"), window.get());
            QFont font(QStringLiteral("MS Sans Serif"));
            font.setPixelSize(18);
            label->setFont(font);
            label->resize(181, 33);
        } else {
            (new QWidget(window.get()))->resize(100, 100);
        }
    }
    window->show();
    const bool shown = QTest::qWaitForWindowExposed(window.get());
    if (shown) {
        (void)!write(fd, "1", 1);
    }
    std::_Exit(shown ? 0 : 1);
}

// Spawns the child and returns once it reports its window shown; the exit is waited for
// with the timer paused.
void StartOnce(benchmark::State& bench, const char* which)
{
    int fds[2];
    if (pipe(fds) != 0) {
        bench.SkipWithError("pipe");
        return;
    }
    const std::string flag = std::string(kChildFlag) + which + "," + std::to_string(fds[1]);
    char self[] = "/proc/self/exe";
    char* args[] = {self, const_cast<char*>(flag.c_str()), nullptr};
    pid_t child = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    const int spawned = posix_spawn(&child, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char byte = 0;
    const bool reported = spawned == 0 && read(fds[0], &byte, 1) == 1;
    bench.PauseTiming();
    close(fds[0]);
    int status = 0;
    if (spawned == 0) {
        waitpid(child, &status, 0);
    }
    bench.ResumeTiming();
    if (!reported) {
        bench.SkipWithError("the child did not show its window");
    }
}

void BM_StartTripart(benchmark::State& bench)
{
    for (auto _ : bench) {
        StartOnce(bench, "tripart");
    }
}

void BM_StartBareWindow(benchmark::State& bench)
{
    for (auto _ : bench) {
        StartOnce(bench, "bare");
    }
}

// Any window with text pays for reading the font configuration and loading a font: the floor
// for the program's start-up is this window, with one label in the program's own font.
void BM_StartBareLabel(benchmark::State& bench)
{
    for (auto _ : bench) {
        StartOnce(bench, "label");
    }
}

BENCHMARK(BM_StartTripart)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_StartBareWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_StartBareLabel)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);

} // namespace

int main(int argc, char** argv)
{
    PrepareTestApplication();
    if (argc == 2 && std::strncmp(argv[1], kChildFlag, std::strlen(kChildFlag)) == 0) {
        const std::string value = argv[1] + std::strlen(kChildFlag);
        const std::size_t comma = value.find(',');
        int childArgc = 1;
        ShowAndReport(childArgc, argv, value.substr(0, comma), std::atoi(value.c_str() + comma + 1));
    }
    return RunAndCompare(argc, argv,
                         {{"BM_StartTripart", "BM_StartBareLabel", 1.2}, {"BM_StartTripart", "BM_StartBareWindow"},
                          {"BM_StartBareLabel", "BM_StartBareWindow"}});
}
