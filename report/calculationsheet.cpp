#include "calculationsheet.h"

#include <algorithm>

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

SheetCell plainCell(const QString& text)
{
    return { text, false, false };
}

SheetCell fieldCell(const SheetSnapshot& snapshot, FieldName field)
{
    return { snapshot.texts.value(sheetString(field)), false, true };
}

namespace {

// A symbol or unit the field has none of.
QString orDash(std::string_view text)
{
    return text.empty() ? u"—"_s : sheetString(text);
}

} // namespace

CalculationSheet sheetHeader(const QString& title, const SheetSnapshot& snapshot)
{
    CalculationSheet sheet;
    sheet.title = title;
    sheet.program = u"Stelvana "_s + QString::fromLatin1(STELVANA_VERSION);
    sheet.calculatedAt = snapshot.calculatedAt.toString(u"yyyy-MM-dd HH:mm:ss"_s);
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
            part.table.rows << SheetRow { sheetString(facts.control),
                { plainCell(sheetString(facts.term())), plainCell(orDash(facts.sheetSymbol)),
                    fieldCell(snapshot, facts.control), plainCell(orDash(facts.unit)) } };
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
        part.table.rows << SheetRow { sheetString(facts.control),
            { plainCell(sheetString(facts.term())),
                plainCell(formula == formulas.end() ? u"—"_s : formula->formula),
                fieldCell(snapshot, facts.control), plainCell(orDash(facts.unit)) } };
    }
    return part;
}
