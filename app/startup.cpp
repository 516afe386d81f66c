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
    return u"用法：stelvana [设计.stelvana]    打开计算程序，可带一个保存的设计\n"
           "      stelvana check 计算器 表格.csv [-o 输出.csv]\n"
           "          对表格的每一行按一次“确定输入”（计算器为 section 或 bracket；第一行以 id\n"
           "          列出输入，没有列出的输入取窗口打开时的值；表格为 - 时读标准输入），\n"
           "          以 CSV 写出输入、结果、各项验算结论、出错原因（fault）与说明（notes）\n"
           "      stelvana optimize bracket [id=值 ...]\n"
           "          满足全部验算的最轻的十个牛腿，以 CSV 写出；搜索的尺寸写作范围或列表：\n"
           "          bf1=150:400:10 t1=6,8,10 hw=500 hf=6,8,10\n"
           "      stelvana --version | --help\n"
           "退出状态：0 完成，1 没有满足要求的牛腿，2 命令或文件有误。"_s;
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
