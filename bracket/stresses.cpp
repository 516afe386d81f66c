#include "bracketstages.h"

#include "bracketfields.h"

namespace field = BracketField;

void computeStresses(FieldSheet& sheet, const BracketInputs& in, const RootSection& root)
{
    // Plain copies rather than structured bindings: lambdas capture these on
    // every compiler.
    const Single bf1 = in.bf1, bf2 = in.bf2, t1 = in.t1, t2 = in.t2, ts = in.ts, hw = in.hw;
    const Single F = in.F, e = in.e, hf = in.hf;
    const Single M = root.M, y = root.y, In = root.In;

    // 1. The lower section modulus and the first moment S as displayed.
    const Single Wn2 = sheet.readSingle(field::Wn2);
    const Single S = sheet.readSingle(field::S);

    // 2. σ at the lower flange's outer edge, N/mm²: F·e from the Single product,
    // kN·m to N·mm.
    sheet.writeGeneral(field::sigma, [&] { return (widen(F * e) * 1000000) / widen(Wn2); });

    // 3. τ at the centroidal axis, N/mm²: V·S / (I·tw), the shear V being F.
    sheet.writeGeneral(field::tau, [&] { return ((F * S) * 1000) / (In * ts); });

    // 4. Section modulus at the web's lower end, mm³.
    const FieldSheet::Written webEndModulus = sheet.writeGeneral(field::webEndModulus,
        [&] { return widen(In) / ((widen(hw) + (0.5 * widen(t1))) - widen(y)); });

    // 5., 6. First moment of the lower flange about the axis, mm³.
    const Single S1
        = sheet
              .writeGeneral(field::S1,
                  [&] {
                      return widen(t2 * bf2)
                          * (((widen(hw) + (0.5 * widen(t1))) + (0.5 * widen(t2))) - widen(y));
                  })
              .readSingle();

    // 7., 8. σ1 at the web's lower end, N/mm², over the displayed W’n2.
    const Single sigma1 = sheet
                              .writeGeneral(field::sigma1,
                                  [&] { return (widen(M) * 1000000) / webEndModulus.readDouble(); })
                              .readSingle();

    // 9., 10. τ1 at the web's lower end, N/mm².
    const Single tau1
        = sheet.writeGeneral(field::tau1, [&] { return ((F * S1) * 1000) / (In * ts); })
              .readSingle();

    // 11. Equivalent stress √(σ1² + 3τ1²): the sum in Single, its root in Double.
    sheet.writeGeneral(field::equivalentStress,
        [&] { return squareRoot(widen((sigma1 * sigma1) + ((3 * tau1) * tau1))); });

    // 12., 13. The moment carried by the flange butt welds as a couple: force
    // in each flange, kN, on the shorter of the depth less 20 mm and the
    // distance between the flange centres.
    const Single flangeForce
        = sheet
              .writeGeneral(field::flangeForce, [&] { return (M * 1000) / flangeLeverArm(in).arm; })
              .readSingle();

    // 14., 15. Butt weld stresses in the upper and lower flange, N/mm².
    sheet.writeGeneral(field::upperFlangeWeld, [&] { return ((flangeForce * 1000) / t1) / bf1; });
    sheet.writeGeneral(field::lowerFlangeWeld, [&] { return ((flangeForce * 1000) / t2) / bf2; });

    // 16. The shear in the two web fillet welds, N/mm²: throat 0.7·hf each,
    // on the shorter of hw less 20 mm and hw less 2·hf.
    sheet.writeGeneral(field::filletWeld,
        [&] { return widen(F * 1000) / ((1.4 * widen(hf)) * widen(filletWeldLength(in).lw)); });
}

void writeTwoDecimalPass(FieldSheet& sheet, const BracketInputs& in)
{
    const NumberFormat format = sheet.format();
    for (const FieldName result : field::results) {
        // V is written afresh from the Single F; its own text is not read.
        sheet.setText(result,
            result == field::V ? fixedTwoDecimals(in.F.value, format)
                               : fixedTwoDecimals(sheet.text(result), format));
    }
}
