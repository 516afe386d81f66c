#include "bracketstages.h"

using namespace Qt::StringLiterals;

BracketInputs readBracketInputs(const FieldSheet& sheet)
{
    // Braced initialisation reads them in this order, before anything is written.
    return BracketInputs {
        sheet.readSingle(u"Text1"_s),
        sheet.readSingle(u"Text2"_s),
        sheet.readSingle(u"Text3"_s),
        sheet.readSingle(u"Text4"_s),
        sheet.readSingle(u"Text5"_s),
        sheet.readSingle(u"Text6"_s),
        sheet.readSingle(u"Text7"_s),
        sheet.readSingle(u"Text8"_s),
        sheet.readSingle(u"Text12"_s),
    };
}

RootSection computeRootSection(FieldSheet& sheet, const BracketInputs& in)
{
    // Plain copies rather than structured bindings: lambdas capture these on
    // every compiler.
    const Single bf1 = in.bf1, bf2 = in.bf2, t1 = in.t1, t2 = in.t2, ts = in.ts, hw = in.hw;
    const Single F = in.F, e = in.e; // hf belongs to the welds

    // 2., 3. Moment and shear at the root: M = F·e (kN·m), V = F (kN).
    sheet.writeGeneral(u"Text13"_s, [&] { return F * e; });
    sheet.writeGeneral(u"Text14"_s, [&] { return F; });

    // 4. Net area, mm²: both flanges and the web.
    sheet.writeGeneral(u"Text15"_s, [&] { return ((bf1 * t1) + (bf2 * t2)) + (ts * hw); });
    const Single An = sheet.readSingle(u"Text15"_s);

    // 5. Upper flange centre to the centroidal axis, mm: first moments of the
    // web and the lower flange about the upper flange's centre line, over An.
    sheet.writeGeneral(u"Text16"_s, [&] {
        const Double web = (widen(ts * hw) * 0.5) * widen(hw + t1);
        const Double lowerFlange = widen(bf2 * t2) * (widen(hw) + (0.5 * widen(t1)));
        return (web + lowerFlange) / widen(An);
    });
    const Single y = sheet.readSingle(u"Text16"_s);

    // 6. First moment of the area above the axis, mm³: the web part above it
    // and the upper flange.
    sheet.writeGeneral(u"Text17"_s, [&] {
        const Double webAbove = widen(y) - (0.5 * widen(t1));
        const Double P = ((webAbove * widen(ts)) * 0.5);
        return (P * (widen(y) - (0.5 * widen(t1)))) + widen((t1 * bf1) * y);
    });

    // 7. The moment as displayed, for the stress stage.
    const Single M = sheet.readSingle(u"Text13"_s);

    // 8. Offset of the web's centre from the axis, mm, signed.
    sheet.writeGeneral(
        u"Text18"_s, [&] { return ((0.5 * widen(hw)) + (0.5 * widen(t1))) - widen(y); });
    const Single a = sheet.readSingle(u"Text18"_s);

    // 9. Net moment of inertia, mm⁴, all in Single: both flanges at the arm y,
    // the web about its own centre and its parallel-axis term.
    sheet.writeGeneral(u"Text19"_s, [&] {
        const Single T1 = ((t1 * bf1) * y) * y;
        const Single T2 = ((t2 * bf2) * y) * y;
        const Single T3 = (((ts * hw) * hw) * hw) / 12;
        const Single T4 = ((ts * hw) * a) * a;
        return ((T1 + T2) + T3) + T4;
    });
    const Single In = sheet.readSingle(u"Text19"_s);

    // 10., 11. Upper and lower net section moduli, mm³.
    sheet.writeGeneral(u"Text20"_s, [&] { return widen(In) / (widen(y) + (0.5 * widen(t1))); });
    sheet.writeGeneral(
        u"Text21"_s, [&] { return widen(In) / ((widen(hw + t1) + (0.5 * widen(t2))) - widen(y)); });

    return RootSection { M, y, In };
}
