#include "startup.h"

#include "calculatorwindow.h"
#include "interfacefont.h"
#include "mdiform1.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

void applyProgramLook()
{
    QApplication::setApplicationName(u"Stelvana"_s);
    // Wayland and the desktop match windows to stelvana.desktop by this name.
    QGuiApplication::setDesktopFileName(u"stelvana"_s);
    QApplication::setFont(interfaceFont());
    QApplication::setWindowIcon(QIcon(u":/pictures/stelvana.svg"_s));
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

void showStartWindows(MDIForm1& frame)
{
    frame.showMaximized();
    // The first calculator opens with the frame.
    frame.calculatorWindow(calculators().front().id)->showMaximized();
}
