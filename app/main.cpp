#include "mdiform1.h"
#include "startup.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef STELVANA_XCB_PROBE
#include <xcb/xcb.h>
#endif

namespace {

#ifdef STELVANA_XCB_PROBE
// An environment value as it may be printed on one line of a terminal.
std::string printable(const QByteArray& value)
{
    std::string shown;
    for (const char c : value)
        shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
    return shown;
}
#endif

// Qt aborts with a core dump and a page of plugin advice when it cannot reach
// a display; say why in one line instead. Returns that reason, or an empty
// string when the platform plugin should get its chance.
std::string displayMissing(int argc, char* argv[])
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A platform named on the command line is Qt's to handle; a display
    // named there is the one Qt's xcb plugin will open.
    QByteArray display = qgetenv("DISPLAY");
    bool displayNamed = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i][0] == '-' && argv[i][1] == '-' ? argv[i] + 1 : argv[i];
        if (std::strcmp(arg, "-platform") == 0)
            return {};
        if (std::strcmp(arg, "-display") == 0 && i + 1 < argc) {
            display = argv[i + 1];
            displayNamed = true;
        }
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool xcb = platform.startsWith("xcb");
    if (!platform.isEmpty() && !xcb && !platform.startsWith("wayland"))
        return {};
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (display.isEmpty() && !wayland)
        return "DISPLAY and WAYLAND_DISPLAY are not set";
    // Qt takes X when told to, or when there is no Wayland compositor to ask.
    if (!xcb && (wayland || !platform.isEmpty()))
        return {};
    if (display.isEmpty())
        return "DISPLAY is not set";
#ifdef STELVANA_XCB_PROBE
    // The same connection Qt's xcb plugin makes, so the verdict is the same.
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return (displayNamed ? "cannot connect to -display " : "cannot connect to DISPLAY=")
            + printable(display);
#endif
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
#endif
    return {};
}

} // namespace

int main(int argc, char* argv[])
{
    // One line of version or help needs no display.
    if (argc == 2
        && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        const QString line = std::strcmp(argv[1], "--version") == 0 ? versionLine() : helpLine();
        std::printf("%s\n", line.toLocal8Bit().constData());
        return EXIT_SUCCESS;
    }
    if (const std::string reason = displayMissing(argc, argv); !reason.empty()) {
        std::fprintf(stderr,
            "stelvana: no graphical display (%s); start it from a desktop session.\n",
            reason.c_str());
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    const CommandLine command = readCommandLine(QCoreApplication::arguments());
    if (command.kind != CommandLine::Run) {
        std::fprintf(command.kind == CommandLine::Wrong ? stderr : stdout, "%s\n",
            (command.kind == CommandLine::Version ? versionLine() : helpLine())
                .toLocal8Bit()
                .constData());
        return command.kind == CommandLine::Wrong ? 2 : EXIT_SUCCESS;
    }
    applyProgramLook();
    MDIForm1 frame;
    showStartWindows(frame, command.file);
    return QApplication::exec();
}
