#include "mdiform1.h"
#include "startup.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// On X11 or Wayland without a display Qt would abort with a long message;
// say it in one line instead.
bool displayMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool needsDisplay
        = platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    return needsDisplay && qgetenv("DISPLAY").isEmpty() && qgetenv("WAYLAND_DISPLAY").isEmpty();
#else
    return false;
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    if (displayMissing()) {
        std::fputs("stelvana: no graphical display (DISPLAY and WAYLAND_DISPLAY are not set); "
                   "start it from a desktop session.\n",
            stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    applyProgramLook();
    MDIForm1 frame;
    showStartWindows(frame);
    return QApplication::exec();
}
