#include "terminalcommands.h"

#include "calculators.h"
#include "checkcommand.h"
#include "checkedwrite.h"
#include "coretext.h"
#include "faultreport.h"
#include "optimizecommand.h"
#include "startup.h"

#include <QFile>

#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

int failed(const QString& why)
{
    std::fprintf(stderr, "stelvana: %s\n", why.toUtf8().constData());
    return 2;
}

// The program is a windowed one on Windows: it writes to the console it was
// started from, unless its output goes to a file or a pipe already. The CSV
// goes out as bytes, its CR LF as written.
void prepareStandardStreams()
{
#ifdef Q_OS_WIN
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_UNKNOWN
        && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
        SetConsoleOutputCP(CP_UTF8);
    }
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

int finish(const CommandOutput& output, const QString& target, const QString& prefix)
{
    if (!output.error.empty())
        std::fprintf(stderr, "stelvana: %s%s\n", prefix.toUtf8().constData(), output.error.c_str());
    if (output.status == 2)
        return 2;
    const QByteArray bytes = QByteArray::fromStdString(output.out);
    if (!target.isEmpty()) {
        if (const QString why = writeWholeFile(target, bytes); !why.isEmpty())
            return failed(target + u": "_s + why);
    } else if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout)
            != std::size_t(bytes.size())
        || std::fflush(stdout) != 0) {
        return failed(u"cannot write to standard output"_s);
    }
    return output.status;
}

int check(const QStringList& given)
{
    // CALCULATOR FILE.csv [-o OUT.csv]
    QStringList plain;
    QString target;
    for (qsizetype n = 0; n < given.size(); ++n) {
        if (given[n] == u"-o"_s && n + 1 < given.size())
            target = given[++n];
        else
            plain << given[n];
    }
    if (plain.size() != 2)
        return failed(u"usage: stelvana check CALCULATOR FILE.csv [-o OUT.csv]"_s);
    const CalculatorEntry* calculator = findCalculator(toCore(plain[0]));
    if (!calculator) {
        QStringList known;
        for (const CalculatorEntry& entry : calculators())
            known << fromCore(entry.id);
        return failed(u"no calculator \"%1\" (there are %2)"_s.arg(plain[0], known.join(u", "_s)));
    }
    QFile file(plain[1]);
    const bool opened = plain[1] == u"-"_s ? file.open(stdin, QIODevice::ReadOnly)
                                           : file.open(QIODevice::ReadOnly);
    if (!opened)
        return failed(u"%1: %2"_s.arg(plain[1], file.errorString()));
    const QByteArray csv = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failed(u"%1: %2"_s.arg(plain[1], file.errorString()));
    return finish(
        checkTable(*calculator, csv.toStdString(), terminalFaultWords), target, plain[1] + u": "_s);
}

int optimize(const QStringList& given)
{
    if (given.isEmpty() || given.front() != u"bracket"_s)
        return failed(
            u"usage: stelvana optimize bracket [id=value …] (only the bracket is sized)"_s);
    std::vector<std::string> arguments;
    for (qsizetype n = 1; n < given.size(); ++n)
        arguments.push_back(toCore(given[n]));
    return finish(optimizeBracket(arguments, terminalFaultWords), {}, {});
}

} // namespace

std::string terminalFaultWords(const Fault& fault, const std::string& caption)
{
    // The field and the reason; the box's second line speaks of the window.
    return toCore(faultMessage(fault, fromCore(caption)).section(u'\n', 0, 0));
}

bool asksForTerminalCommand(int argc, char* argv[])
{
    return argc >= 2
        && (std::strcmp(argv[1], "check") == 0 || std::strcmp(argv[1], "optimize") == 0);
}

int runTerminalCommand(const QStringList& arguments)
{
    prepareStandardStreams();
    const QString command = arguments.value(1);
    const QStringList given = arguments.mid(2);
    return command == u"check"_s ? check(given) : optimize(given);
}
