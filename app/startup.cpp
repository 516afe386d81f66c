#include "startup.h"

#include "calculators.h"

#include "calculatorwindow.h"
#include "interfacefont.h"
#include "mdiform1.h"
#include "readonlyfield.h"
#include "sectionform.h"
#include "svgpicture.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#ifndef STELVANA_VERSION
#define STELVANA_VERSION "1.0"
#endif

using namespace Qt::StringLiterals;

CommandLine readCommandLine(const QStringList& arguments)
{
    const QStringList given = arguments.mid(1);
    if (given.isEmpty())
        return {};
    if (given.size() == 1 && given.front() == u"--version"_s)
        return { CommandLine::Version, {} };
    if (given.size() == 1 && given.front() == u"--help"_s)
        return { CommandLine::Help, {} };
    if (given.size() == 1 && !given.front().startsWith(u'-'))
        return { CommandLine::Run, given.front() };
    return { CommandLine::Wrong, {} };
}

QString versionLine()
{
    return u"stelvana "_s + QString::fromLatin1(STELVANA_VERSION);
}

QString helpLine()
{
    return u"Usage: stelvana [FILE.stelvana]    open the calculators, with a saved design\n"
           "       stelvana check CALCULATOR FILE.csv [-o OUT.csv]\n"
           "           click 确定输入 for each row of FILE.csv (section or bracket; the first row\n"
           "           names the inputs by their ids, a missing one keeps its design-time text)\n"
           "           and write the inputs, the results, the verdicts and any fault as CSV\n"
           "       stelvana optimize bracket [id=value ...]\n"
           "           the ten lightest brackets that pass every check, as CSV; sizes searched\n"
           "           as ranges or lists: bf1=150:400:10 t1=6,8,10 hw=500 hf=6,8,10\n"
           "       stelvana --version | --help\n"
           "Exit status: 0 done, 1 no bracket passes, 2 a wrong command or file."_s;
}

void applyProgramLook()
{
    QApplication::setApplicationName(u"Stelvana"_s);
    // Where QSettings keeps the frame's place: ~/.config/Stelvana/Stelvana.conf.
    QApplication::setOrganizationName(u"Stelvana"_s);
    // Wayland and the desktop match windows to stelvana.desktop by this name.
    QGuiApplication::setDesktopFileName(u"stelvana"_s);
    QApplication::setFont(interfaceFont());
    installReadOnlyFieldAccessibility();
    QApplication::setWindowIcon(pictureIcon(u":/pictures/stelvana.svg"_s));
    loadQtChineseTexts();
}

bool loadQtChineseTexts()
{
    // The file name is fixed rather than taken from the locale: every caption
    // is Chinese, so an English "OK" beside them would be the odd one out.
    const QString name = u"qtbase_zh_CN"_s;
    auto* app = QCoreApplication::instance();
    if (!app)
        return false;
    if (app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly))
        return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(name);
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

void showStartWindows(MDIForm1& frame, const QString& file)
{
    frame.showInItsPlace();
    // The first calculator opens with the frame.
    frame.calculatorWindow(calculators().front().id)->showMaximized();
    if (!file.isEmpty())
        frame.openDesign(file);
}
