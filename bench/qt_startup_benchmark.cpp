// Start-up benchmark of the Qt program (not a test): the time from starting a
// process to the first paint of the main dialog, for kivo6's own front end and,
// beside it, a bare QDialog, several runs each. Run by tools/bench-startup.sh.
// Usage: kivo6_startup_benchmark [RUNS [HISTORY-FOLDER]]
#include "frontends/qt/qt_front_end.h"

#include <QtCore/QEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QPushButton>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPaintTimeFd = 3; // where a started copy writes the time of its first paint

std::int64_t Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Ends the process at the first paint of a window with the given title (any
// window when empty), reporting the time to the starting process.
class FirstPaint final : public QObject {
  public:
    explicit FirstPaint(QString title) : title_(std::move(title)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            const QWidget* window = static_cast<QWidget*>(watched)->window();
            if (title_.isEmpty() || window->windowTitle() == title_) {
                const std::int64_t painted = Now();
                const ssize_t written = write(kPaintTimeFd, &painted, sizeof painted);
                _exit(written == static_cast<ssize_t>(sizeof painted) ? 0 : 1);
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QString title_;
};

int RunProgram(int argc, char* argv[]) {
    QApplication application(argc, argv);
    FirstPaint firstPaint(QStringLiteral("KIVO6"));
    application.installEventFilter(&firstPaint);
    QtFrontEnd frontEnd;
    SetFrontEnd(&frontEnd);
    char commandLine[] = "";
    return WinMain(ProgramModule(), nullptr, commandLine, 1);
}

int RunBareDialog(int argc, char* argv[]) {
    QApplication application(argc, argv);
    FirstPaint firstPaint{QString()};
    application.installEventFilter(&firstPaint);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("KIVO6"));
    QPushButton button(QStringLiteral("OK"), &dialog);
    dialog.show();
    return application.exec();
}

// Milliseconds from fork to the first paint of one started copy, or a negative
// number when it did not paint.
double TimeOne(const char* variant, const char* folder) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1;
    }
    const std::int64_t started = Now();
    const pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return -1;
    }
    if (child == 0) {
        close(pipeEnds[0]);
        dup2(pipeEnds[1], kPaintTimeFd);
        // Qt's notes about the platform would drown the figures.
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, STDERR_FILENO);
        }
        if (chdir(folder) != 0) {
            _exit(2);
        }
        char self[] = "/proc/self/exe";
        char childFlag[] = "--child";
        char* const arguments[] = {self, childFlag, const_cast<char*>(variant), nullptr};
        execv(self, arguments);
        _exit(127);
    }
    close(pipeEnds[1]);
    std::int64_t painted = 0;
    const ssize_t got = read(pipeEnds[0], &painted, sizeof painted);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (got != static_cast<ssize_t>(sizeof painted)) {
        return -1;
    }
    return static_cast<double>(painted - started) / 1e6;
}

void Report(const char* name, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    const double median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("%-14s median %7.1f ms   min %7.1f ms   (%zu runs)\n", name, median, times.front(),
                n);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
        char* qtArguments[] = {argv[0], nullptr};
        int qtArgumentCount = 1;
        return std::strcmp(argv[2], "bare") == 0 ? RunBareDialog(qtArgumentCount, qtArguments)
                                                 : RunProgram(qtArgumentCount, qtArguments);
    }
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 11;
    const char* folder = argc >= 3 ? argv[2] : KIVO6_EXAMPLES_DIR;

    // One untimed run of each fills the page cache.
    if (TimeOne("kivo6", folder) < 0 || TimeOne("bare", folder) < 0) {
        std::fprintf(
            stderr,
            "a started copy did not paint (is there a display, or QT_QPA_PLATFORM=offscreen?)\n");
        return 1;
    }
    std::vector<double> program;
    std::vector<double> bare;
    for (int run = 0; run < runs; ++run) {
        program.push_back(TimeOne("kivo6", folder));
        bare.push_back(TimeOne("bare", folder));
    }
    if (std::min(*std::min_element(program.begin(), program.end()),
                 *std::min_element(bare.begin(), bare.end())) < 0) {
        std::fprintf(stderr, "a started copy did not paint\n");
        return 1;
    }
    std::printf("start to first paint of the main window (QT_QPA_PLATFORM=%s)\n",
                qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
                    ? "default"
                    : qgetenv("QT_QPA_PLATFORM").constData());
    Report("kivo6", program);
    Report("bare QDialog", bare);
    return 0;
}
