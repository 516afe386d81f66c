#include "calculationsheet.h"

#include "sheetfigure.h"

#include "parse.h"
#include "readtext.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

#ifndef STELVANA_VERSION
#define STELVANA_VERSION "1.0"
#endif

const SheetRow* CalculationSheet::rowOf(const QString& field) const
{
    for (const SheetPart& part : parts)
        for (const SheetRow& row : part.table.rows)
            if (row.field == field)
                return &row;
    return nullptr;
}

bool SheetRow::isHeading() const
{
    return cells.size() > 1 && !cells.front().text.isEmpty()
        && std::all_of(cells.cbegin() + 1, cells.cend(),
            [](const SheetCell& cell) { return cell.text.isEmpty(); });
}

SheetCell plainCell(const QString& text)
{
    return { text, false, false };
}

SheetCell fieldCell(const SheetSnapshot& snapshot, FieldName field)
{
    return { snapshot.texts.value(fromCore(field)), false, true };
}

QString inputAsRead(const SheetSnapshot& snapshot, FieldName field)
{
    const QString typed = snapshot.texts.value(fromCore(field));
    const NumberFormat format { char32_t(snapshot.decimalSeparator.unicode()) };
    return fromCore(textAsRead(toCore(typed), format));
}

SheetDimension drawingDimension(
    const SheetSnapshot& snapshot, FieldName field, const QString& symbol, double toMm)
{
    const QString read = inputAsRead(snapshot, field);
    const NumberFormat format { char32_t(snapshot.decimalSeparator.unicode()) };
    const Parsed<double> value = parseDouble(toCore(read), format);
    return { symbol + u" = "_s + read,
        value ? value.value * toMm : std::numeric_limits<double>::quiet_NaN() };
}

QString SheetDrawing::schematicReason() const
{
    // Beyond 1:200 the thinnest plate is thinner than the drawing's lines.
    constexpr double widestRatio = 200;
    double least = std::numeric_limits<double>::max(), most = 0;
    for (const SheetDimension& size : figure->sizes()) {
        if (!std::isfinite(size.mm))
            return u"尺寸不是数字"_s;
        if (size.mm <= 0)
            return u"有尺寸为零或负值"_s;
        least = std::min(least, size.mm);
        most = std::max(most, size.mm);
    }
    if (most / least > widestRatio)
        return u"尺寸之比超过 1:200"_s;
    return {};
}

QStringList SheetDrawing::labels() const
{
    QStringList labels;
    for (const SheetDimension& size : figure->sizes())
        if (!size.label.isEmpty())
            labels << size.label;
    return labels;
}

namespace {

// A symbol or unit the field has none of.
QString orDash(std::string_view text)
{
    return text.empty() ? u"—"_s : fromCore(text);
}

} // namespace

QString withSeparator(const QString& text, QChar separator)
{
    if (separator == u'.')
        return text;
    static const QRegularExpression constant(u"(\\d)\\.(\\d)"_s);
    QString out = text;
    return out.replace(constant, u"\\1"_s + separator + u"\\2"_s);
}

CalculationSheet sheetHeader(const QString& title, const SheetSnapshot& snapshot)
{
    CalculationSheet sheet;
    sheet.title = title;
    sheet.program = u"Stelvana "_s + QString::fromLatin1(STELVANA_VERSION);
    sheet.calculatedAt = snapshot.calculatedAt.toString(u"yyyy-MM-dd HH:mm:ss"_s);
    sheet.basis = u"设计依据：《钢结构设计标准》GB 50017-2017"_s;
    sheet.titleBlock = snapshot.titleBlock;
    sheet.decimalSeparator = snapshot.decimalSeparator;
    return sheet;
}

// Items are the sheet's terms for the fields, without the symbol, which has
// a column (inputs) or leads the formula (results).
SheetPart inputPart(const SheetSnapshot& snapshot, FieldTable fields)
{
    SheetPart part;
    part.heading = u"一、计算条件"_s;
    part.table.header = { u"项目"_s, u"符号"_s, u"数值"_s, u"单位"_s };
    part.table.widths = { 44, 16, 26, 14 };
    for (const FieldFacts& facts : fields)
        if (facts.role != FieldRole::Result)
            part.table.rows << SheetRow { fromCore(facts.control),
                { plainCell(fromCore(facts.term())), plainCell(orDash(facts.sheetSymbol)),
                    facts.role == FieldRole::Input
                        ? SheetCell { inputAsRead(snapshot, facts.control), false, true }
                        : fieldCell(snapshot, facts.control),
                    plainCell(orDash(facts.unit)) } };
    return part;
}

SheetPart resultPart(
    const SheetSnapshot& snapshot, FieldTable fields, std::span<const SheetFormula> formulas)
{
    SheetPart part;
    part.heading = u"二、计算过程及结果"_s;
    part.table.header = { u"项目"_s, u"计算公式"_s, u"计算结果"_s, u"单位"_s };
    part.table.widths = { 26, 46, 17, 11 };
    for (const FieldFacts& facts : fields) {
        if (facts.role != FieldRole::Result)
            continue;
        const auto formula = std::find_if(formulas.begin(), formulas.end(),
            [&](const SheetFormula& f) { return f.field == facts.control; });
        part.table.rows << SheetRow { fromCore(facts.control),
            { plainCell(fromCore(facts.term())),
                plainCell(formula == formulas.end()
                        ? u"—"_s
                        : withSeparator(formula->formula, snapshot.decimalSeparator)),
                fieldCell(snapshot, facts.control), plainCell(orDash(facts.unit)) } };
    }
    return part;
}
