#include "designwindows.h"
#include "coretext.h"

#include "calculators.h"
#include "calculatorwindow.h"
#include "fieldbinding.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

// The title block's members in the order of titleBlockKeys().
constexpr std::array titleBlockMembers { &TitleBlock::projectName, &TitleBlock::projectNumber,
    &TitleBlock::member, &TitleBlock::designOrganisation, &TitleBlock::calculatedBy,
    &TitleBlock::calculatedOn, &TitleBlock::checkedBy, &TitleBlock::checkedOn,
    &TitleBlock::approvedBy, &TitleBlock::approvedOn };

// The trial list's 满足项: met of all that apply, "9/11", and how many the
// inputs left unjudged, "9/11（2项未判断）"; "未判断" where none could be
// judged.
QString checksMetText(const Verdicts& verdicts)
{
    const std::size_t all = verdicts.checks.size() - verdicts.count(Verdict::NotApplicable);
    const std::size_t notJudged = verdicts.count(Verdict::NotJudged);
    if (notJudged == all)
        return u"未判断"_s;
    const QString met = u"%1/%2"_s.arg(verdicts.count(Verdict::Met)).arg(all);
    return notJudged == 0 ? met : met + u"（%1项未判断）"_s.arg(notJudged);
}

} // namespace

FieldTexts inputsByControl(const CalculatorEntry& calculator, const QMap<QString, QString>& inputs)
{
    FieldTexts texts;
    for (const FieldFacts& facts : calculator.fields())
        if (const auto found = inputs.constFind(fromCore(facts.id)); found != inputs.constEnd())
            texts.insert_or_assign(std::string(facts.control), toCore(*found));
    return texts;
}

QMap<QString, QString> inputsById(const CalculatorEntry& calculator, const FieldTexts& texts)
{
    const QStringList stored = storedFieldIds(calculator);
    QMap<QString, QString> inputs;
    for (const FieldFacts& facts : calculator.fields())
        if (const auto found = texts.find(facts.control);
            found != texts.end() && stored.contains(fromCore(facts.id)))
            inputs.insert(fromCore(facts.id), fromCore(found->second));
    return inputs;
}

TitleBlock titleBlockOf(const QMap<QString, QString>& texts)
{
    TitleBlock block;
    const QStringList& keys = titleBlockKeys();
    for (std::size_t index = 0; index < titleBlockMembers.size(); ++index)
        block.*titleBlockMembers[index] = texts.value(keys[qsizetype(index)]);
    return block;
}

QMap<QString, QString> titleBlockTexts(const TitleBlock& block)
{
    QMap<QString, QString> texts;
    const QStringList& keys = titleBlockKeys();
    for (std::size_t index = 0; index < titleBlockMembers.size(); ++index)
        texts.insert(keys[qsizetype(index)], block.*titleBlockMembers[index]);
    return texts;
}

CalculatorDesign calculatorDesignOf(
    const CalculatorEntry& calculator, const CalculatorWindow* window)
{
    if (!window)
        return designTimeDesign(calculators()).calculators.value(fromCore(calculator.id));
    CalculatorDesign design;
    design.inputs = inputsById(calculator, window->inputTexts());
    design.titleBlock = titleBlockTexts(window->titleBlock());
    return design;
}

void applyCalculatorDesign(CalculatorWindow& window, const CalculatorDesign& design)
{
    window.restoreInputs(inputsByControl(window.calculator(), design.inputs));
    window.setTitleBlock(titleBlockOf(design.titleBlock));
}

DesignTrial trialOf(const CalculatorWindow& window)
{
    const CalculatorEntry& calculator = window.calculator();
    DesignTrial trial;
    trial.time = window.calculationTime().toString(Qt::ISODate);
    trial.inputs = inputsById(calculator, window.inputTexts());
    const QHash<QString, QString>& texts = window.calculationTexts();
    const QStringList keys = trialResultIds(calculator);
    for (const FieldFacts& facts : calculator.fields())
        if (keys.contains(fromCore(facts.id)))
            trial.results.insert(fromCore(facts.id), texts.value(fromCore(facts.control)));
    if (keys.contains(QString::fromLatin1(checksMetKey))) {
        QString met;
        if (calculator.judge) {
            const Verdicts verdicts = calculator.judge(coreTexts(texts), userNumberFormat());
            if (!verdicts.fault)
                met = checksMetText(verdicts);
        }
        trial.results.insert(QString::fromLatin1(checksMetKey), met);
    }
    return trial;
}
