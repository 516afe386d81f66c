#include "terminalcommands.h"

#include "calculators.h"
#include "checkcommand.h"
#include "checkedwrite.h"
#include "coretext.h"
#include "faultreport.h"
#include "optimizecommand.h"
#include "terminalfiles.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <thread>

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
    _setmode(_fileno(stdin), _O_BINARY);
#endif
}

// Optimize's table, or its refusal.
int finish(const CommandOutput& output)
{
    if (!output.error.empty())
        std::fprintf(stderr, "stelvana: %s\n", output.error.c_str());
    if (output.status == 2)
        return 2;
    TableOutput out;
    out.open({});
    if (!out.write(output.out))
        return failed(u"无法写入标准输出："_s + out.error());
    return output.status;
}

QString checkUsageText()
{
    return u"用法：stelvana check 计算器 表格.csv [-o 输出.csv]（计算器为 %1；表格为 - 时读标准输入）"_s
        .arg(calculatorIds());
}

int check(const QStringList& given)
{
    // CALCULATOR FILE.csv [-o OUT.csv]
    const QString checkUsage = checkUsageText();
    QStringList plain;
    std::optional<QString> target;
    for (qsizetype n = 0; n < given.size(); ++n) {
        if (given[n] == u"-o"_s) {
            if (target)
                return failed(u"-o 只能给出一次"_s);
            if (n + 1 == given.size() || given[n + 1].trimmed().isEmpty())
                return failed(u"-o 后面没有给出文件名。"_s + checkUsage);
            target = given[++n];
        } else if (given[n].startsWith(u'-') && given[n] != u"-"_s) {
            return failed(
                u"未知的选项“%1”。"_s.arg(fromCore(echoed(toCore(given[n])))) + checkUsage);
        } else {
            plain << given[n];
        }
    }
    if (plain.size() != 2)
        return failed(checkUsage);
    const CalculatorEntry* calculator = findCalculator(toCore(plain[0]));
    if (!calculator) {
        QStringList known;
        for (const CalculatorEntry& entry : calculators())
            known << fromCore(entry.id);
        return failed(u"没有计算器“%1”（可用的有 %2）"_s.arg(
            fromCore(echoed(toCore(plain[0]))), known.join(u", "_s)));
    }
    const QString tableName = plain[1] == u"-"_s ? u"标准输入"_s : plain[1];
    TableInput table;
    if (const QString why = table.open(plain[1]); !why.isEmpty())
        return failed(tableName + u"："_s + why);
    // Nothing is read before the output is known to be safe to write.
    if (target && table.isFile(*target))
        return failed(u"%1：这是输入的表格，-o 不能写到它上面"_s.arg(*target));
    TableOutput output;
    if (const QString why = output.open(target.value_or(QString())); !why.isEmpty())
        return failed(*target + u"："_s + why);

    const CheckRun run = checkTable(
        *calculator, [&](char* into, std::size_t most) { return table.read(into, most); },
        [&](std::string_view bytes) { return output.write(bytes); }, terminalFaultWords,
        std::max(1u, std::thread::hardware_concurrency()));
    const QString outputName = target.value_or(u"标准输出"_s);
    switch (run.outcome) {
    case CheckRun::Done:
        if (!output.finish())
            return failed(outputName + u"："_s + output.error());
        return 0;
    case CheckRun::TableWrong:
        output.cancel();
        return failed(tableName + u"："_s + QString::fromStdString(run.error));
    case CheckRun::ReadFailed:
        output.cancel();
        return failed(tableName + u"："_s + table.error());
    case CheckRun::WriteFailed:
        output.cancel();
        return failed(outputName + u"："_s + output.error());
    }
    return 2;
}

int optimize(const QStringList& given)
{
    if (given.isEmpty() || (given.front() != u"bracket"_s && given.front() != u"section"_s))
        return failed(u"用法：stelvana optimize 计算器 [id=值 …]（可以优选的计算器为 %1）"_s.arg(
            calculatorIds(true)));
    std::vector<std::string> arguments;
    for (qsizetype n = 1; n < given.size(); ++n)
        arguments.push_back(toCore(given[n]));
    return finish(given.front() == u"section"_s ? optimizeSection(arguments, terminalFaultWords)
                                                : optimizeBracket(arguments, terminalFaultWords));
}

} // namespace

QString calculatorIds(bool optimizing)
{
    QStringList ids;
    for (const CalculatorEntry& entry : calculators()) {
        if (entry.optimizes || !optimizing)
            ids << fromCore(entry.id);
    }
    const QString last = ids.isEmpty() ? QString() : ids.takeLast();
    return ids.isEmpty() ? last : ids.join(u"、"_s) + u" 或 "_s + last;
}

std::string terminalFaultWords(const Fault& fault, const std::string& caption)
{
    // The field and the reason on one line; the box's second line speaks of
    // the window. A line break in the text echoed shows as ↵, so the line
    // stays whole.
    Fault oneLine = fault;
    QString text = fromCore(fault.text);
    text.replace(u"\r\n"_s, u"↵"_s).replace(u'\r', u'↵').replace(u'\n', u'↵');
    oneLine.text = toCore(text);
    return toCore(faultMessage(oneLine, fromCore(caption)).section(u'\n', 0, 0));
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
