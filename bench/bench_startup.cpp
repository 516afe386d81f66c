// Start-up, memory and one click, in one run:
//   start to first paint of the frame showing the I-section window, against a
//   bare QMainWindow built the same way, and that bare window with the menu's
//   Chinese captions (each the median of fresh processes);
//   the peak resident memory of both at that paint;
//   one "确定输入" click on each calculator, including the repaint.
// Runs headless on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "form1.h"
#include "frmshow.h"
#include "mdiform1.h"
#include "sectionform.h"
#include "startup.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double monotonicSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Reports the moment of the window's first paint and the peak memory so far
// through a pipe, then ends the process.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(int pipe)
        : m_pipe(pipe)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, [this] {
                rusage usage {};
                getrusage(RUSAGE_SELF, &usage);
                const double figures[2] = { monotonicSeconds(), double(usage.ru_maxrss) / 1024.0 };
                (void)!write(m_pipe, figures, sizeof figures);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    int m_pipe;
    bool m_done = false;
};

int probe(const char* what, int pipe, int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstPaint firstPaint(pipe);
    if (std::strcmp(what, "frame") == 0) {
        applyProgramLook();
        auto* frame = new MDIForm1;
        frame->installEventFilter(&firstPaint);
        showStartWindows(*frame);
    } else {
        // "menu": the same bare window with the program's look and the menu's
        // captions, which is where font loading begins.
        auto* bare = new QMainWindow;
        if (std::strcmp(what, "menu") == 0) {
            applyProgramLook();
            for (const char* caption : { "工字型截面性质", "钢牛腿受力计算", "计算书", "退出" })
                bare->menuBar()->addAction(QString::fromUtf8(caption));
        }
        bare->installEventFilter(&firstPaint);
        bare->showMaximized();
    }
    return QApplication::exec();
}

struct StartFigures {
    double seconds;
    double peakMiB;
};

StartFigures startOnce(const char* self, const char* what)
{
    int fds[2];
    if (pipe(fds) != 0)
        std::abort();
    const double started = monotonicSeconds();
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execl(self, self, "--probe", what, fd.c_str(), static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    close(fds[1]);
    double figures[2] = { 0, 0 };
    (void)!read(fds[0], figures, sizeof figures);
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return { figures[0] - started, figures[1] };
}

StartFigures medianStart(const char* self, const char* what, int runs)
{
    std::vector<double> seconds, memory;
    for (int i = 0; i < runs; ++i) {
        const StartFigures f = startOnce(self, what);
        seconds.push_back(f.seconds);
        memory.push_back(f.peakMiB);
    }
    std::sort(seconds.begin(), seconds.end());
    std::sort(memory.begin(), memory.end());
    return { seconds[seconds.size() / 2], memory[memory.size() / 2] };
}

void reportStartUp(const char* self)
{
    constexpr int runs = 15;
    const StartFigures bare = medianStart(self, "bare", runs);
    const StartFigures menu = medianStart(self, "menu", runs);
    const StartFigures frame = medianStart(self, "frame", runs);
    std::printf("start to first paint, median of %d processes:\n", runs);
    std::printf("  bare QMainWindow      %7.1f ms   peak RSS %6.1f MiB\n", bare.seconds * 1e3,
        bare.peakMiB);
    std::printf("  bare with menu text   %7.1f ms   peak RSS %6.1f MiB\n", menu.seconds * 1e3,
        menu.peakMiB);
    std::printf("  frame + SectionForm   %7.1f ms   peak RSS %6.1f MiB\n", frame.seconds * 1e3,
        frame.peakMiB);
    std::printf(
        "  against the bare window: ratio %.2f (goal <= 1.3), extra memory %.1f MiB (goal <= 10)\n",
        frame.seconds / bare.seconds, frame.peakMiB - bare.peakMiB);
    std::printf("  against the bare window with menu text: ratio %.2f, extra memory %.1f MiB\n\n",
        frame.seconds / menu.seconds, frame.peakMiB - menu.peakMiB);
}

MDIForm1* theFrame = nullptr;

void sectionClick(benchmark::State& state)
{
    SectionForm* form = theFrame->calculatorWindow<SectionForm>("section");
    theFrame->findChild<QAction*>(QStringLiteral("menuG"))->trigger();
    auto* confirm = form->findChild<QPushButton*>(QStringLiteral("Command2"));
    for (auto _ : state) {
        confirm->click();
        form->repaint();
    }
}
BENCHMARK(sectionClick)->Unit(benchmark::kMicrosecond);

void bracketClick(benchmark::State& state)
{
    Form1* form = theFrame->calculatorWindow<Form1>("bracket");
    theFrame->findChild<QAction*>(QStringLiteral("menuGN"))->trigger();
    auto* confirm = form->findChild<QPushButton*>(QStringLiteral("Command1"));
    for (auto _ : state) {
        confirm->click();
        form->repaint();
        FrmShow::existing()->repaint();
    }
}
BENCHMARK(bracketClick)->Unit(benchmark::kMicrosecond);

// The offscreen platform answers every raise() and the like with a warning,
// and a headless session has no runtime folder; such chatter would bury the
// table. Other messages pass.
void dropPlatformChatter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool platform = message.startsWith(QLatin1String("This plugin does not support"))
        || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))
        || QByteArray(context.category ? context.category : "").startsWith("qt.qpa");
    if (platform && type != QtFatalMsg && type != QtCriticalMsg)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropPlatformChatter);
    if (argc == 4 && std::strcmp(argv[1], "--probe") == 0)
        return probe(argv[2], std::atoi(argv[3]), 1, argv);

    reportStartUp(argv[0]);

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    applyProgramLook();
    MDIForm1 frame;
    showStartWindows(frame);
    theFrame = &frame;
    QApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
