#include "startup.h"

#include "calculators.h"
#include "coretext.h"
#include "terminalcommands.h"

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

#include <algorithm>

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
    // The calculators and what each does, from their entries; the commands
    // name the ids the terminal takes.
    QString optimizing, listed;
    qsizetype idWidth = 0;
    for (const CalculatorEntry& entry : calculators())
        idWidth = std::max(idWidth, fromCore(entry.id).size());
    for (const CalculatorEntry& entry : calculators()) {
        const QString id = fromCore(entry.id);
        listed += u"      %1  %2：%3\n"_s.arg(
            id.leftJustified(idWidth), fromCore(entry.menuCaption), fromCore(entry.summaryZh));
        if (entry.optimizes)
            optimizing
                += u"      stelvana optimize %1 [id=值 ...]\n"
                   "          满足全部验算的最轻的十组尺寸（%2），以 CSV 写出；搜索的尺寸写作范围\n"
                   "          id=始值:终值:步长 或列表 id=值,值,值\n"_s.arg(
                       id, fromCore(entry.menuCaption));
    }
    return u"用法：stelvana [设计.stelvana]    打开计算程序，可带一个保存的设计\n"
           "      stelvana check 计算器 表格.csv [-o 输出.csv]\n"
           "          对表格的每一行按一次“确定输入”（计算器为 %1；第一行以 id\n"
           "          列出输入，没有列出的输入取窗口打开时的值；表格为 - 时读标准输入），\n"
           "          以 CSV 写出输入、结果、各项验算结论、出错原因（fault）与说明（notes）\n"
           "%2"
           "      stelvana --version | --help\n"
           "计算器：\n"
           "%3"
           "退出状态：0 完成，1 优选没有找到满足要求的尺寸，2 命令或文件有误。"_s.arg(
               calculatorIds(), optimizing, listed);
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
