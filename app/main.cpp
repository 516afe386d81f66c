#include "mdiform1.h"
#include "startup.h"
#include "terminalcommands.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef STELVANA_XCB_PROBE
#include <xcb/xcb.h>
#endif

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// An environment value as it may be printed on one line of a terminal.
std::string printable(const QByteArray& value)
{
    std::string shown;
    for (const char c : value)
        shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
    return shown;
}
#endif

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// Whether Qt's Wayland platform plugin is where Qt looks for it: Debian keeps
// it apart from Qt, in qt6-wayland.
bool waylandPluginInstalled()
{
    QStringList folders { QLibraryInfo::path(QLibraryInfo::PluginsPath) };
    for (const char* variable : { "QT_PLUGIN_PATH", "QT_QPA_PLATFORM_PLUGIN_PATH" })
        folders += qEnvironmentVariable(variable).split(u':', Qt::SkipEmptyParts);
    for (const QString& folder : folders) {
        for (const QString& sub : { QStringLiteral("/platforms"), QString() }) {
            const QStringList plugins
                = QDir(folder + sub).entryList({ QStringLiteral("libqwayland*") }, QDir::Files);
            if (!plugins.isEmpty())
                return true;
        }
    }
    return false;
}

// Why the Wayland compositor cannot be reached, or an empty string when its
// socket answers; the same socket libwayland-client opens.
std::string waylandUnreachable(const QByteArray& name)
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        return {}; // a connection handed down by the compositor itself
    QByteArray path = name;
    if (!name.startsWith('/')) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return "WAYLAND_DISPLAY is set but XDG_RUNTIME_DIR is not";
        path = runtime + '/' + name;
    }
    const std::string failed = "cannot connect to WAYLAND_DISPLAY=" + printable(name);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (std::size_t(path.size()) >= sizeof address.sun_path)
        return failed;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return failed;
    const bool answered
        = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return answered ? std::string() : failed;
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
    const bool waylandAsked = platform.startsWith("wayland");
    if (!platform.isEmpty() && !xcb && !waylandAsked)
        return {};
    const QByteArray waylandName = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty() && waylandName.isEmpty() && !waylandAsked)
        return "DISPLAY and WAYLAND_DISPLAY are not set";
    // Unless told which, Qt tries Wayland first where WAYLAND_DISPLAY is set,
    // then X; either failing to connect is an abort of Qt's. Without
    // WAYLAND_DISPLAY, libwayland-client tries wayland-0.
    std::string waylandFault;
    if (!xcb && (waylandAsked || !waylandName.isEmpty())) {
        if (!waylandPluginInstalled())
            waylandFault = "Qt's Wayland plugin, package qt6-wayland, is not installed";
        else if (waylandName.isEmpty() && !waylandUnreachable("wayland-0").empty())
            waylandFault = "WAYLAND_DISPLAY is not set and nothing answers on wayland-0";
        else if (!waylandName.isEmpty())
            waylandFault = waylandUnreachable(waylandName);
        if (waylandFault.empty())
            return {};
        if (waylandAsked)
            return waylandFault;
    }
    const std::string also = waylandFault.empty() ? std::string() : waylandFault + ", and ";
    if (display.isEmpty())
        return also + "DISPLAY is not set";
#ifdef STELVANA_XCB_PROBE
    // The same connection Qt's xcb plugin makes, so the verdict is the same.
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return also + (displayNamed ? "cannot connect to -display " : "cannot connect to DISPLAY=")
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
    // A table of inputs checked, or the lightest bracket, in a terminal.
    if (asksForTerminalCommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        return runTerminalCommand(QCoreApplication::arguments());
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
