#include "bracketstages.h"

#include "bracketfields.h"

namespace field = BracketField;

RootSection computeRootSection(FieldSheet& sheet, const BracketInputs& in)
{
    // Plain copies rather than structured bindings: lambdas capture these on
    // every compiler.
    const Single bf1 = in.bf1, bf2 = in.bf2, t1 = in.t1, t2 = in.t2, ts = in.ts, hw = in.hw;
    const Single F = in.F, e = in.e; // hf belongs to the welds

    // 2., 3. Moment and shear at the root: M = F·e (kN·m), V = F (kN).
    sheet.writeGeneral(field::M, [&] { return F * e; });
    sheet.writeGeneral(field::V, [&] { return F; });

    // 4. Net area, mm²: both flanges and the web.
    const Single An
        = sheet.writeGeneral(field::An, [&] { return ((bf1 * t1) + (bf2 * t2)) + (ts * hw); })
              .readSingle();

    // 5. Upper flange centre to the centroidal axis, mm: first moments of the
    // web and the lower flange about the upper flange's centre line, over An.
    // The lower flange's centre lies hw + t1/2 + t2/2 below that line.
    const Single y = sheet
                         .writeGeneral(field::y,
                             [&] {
                                 const Double web = (widen(ts * hw) * 0.5) * widen(hw + t1);
                                 const Double lowerFlange = widen(bf2 * t2)
                                     * ((widen(hw) + (0.5 * widen(t1))) + (0.5 * widen(t2)));
                                 return (web + lowerFlange) / widen(An);
                             })
                         .readSingle();

    // 6. First moment of the area above the axis, mm³: the web part above it
    // and the upper flange.
    sheet.writeGeneral(field::S, [&] {
        const Double webAbove = widen(y) - (0.5 * widen(t1));
        const Double P = ((webAbove * widen(ts)) * 0.5);
        return (P * (widen(y) - (0.5 * widen(t1)))) + widen((t1 * bf1) * y);
    });

    // 7. The moment as displayed, for the stress stage.
    const Single M = sheet.readSingle(field::M);

    // 8. Offset of the web's centre from the axis, mm, signed.
    const Single a = sheet
                         .writeGeneral(field::a,
                             [&] { return ((0.5 * widen(hw)) + (0.5 * widen(t1))) - widen(y); })
                         .readSingle();

    // 9. Net moment of inertia, mm⁴, in Single: each flange at its own arm
    // from the axis (the upper one at y, the lower one at c2), the web about
    // its own centre and its parallel-axis term. The flanges' own b·t³/12 is
    // left out, which only lowers In and so errs on the safe side.
    const Single In
        = sheet
              .writeGeneral(field::In,
                  [&] {
                      // Axis to the lower flange's centre, worked out in
                      // Double and kept as a Single; not a field.
                      const Single c2 = roundToSingle(
                          ((widen(hw) + (0.5 * widen(t1))) + (0.5 * widen(t2))) - widen(y));
                      const Single T1 = ((t1 * bf1) * y) * y;
                      const Single T2 = ((t2 * bf2) * c2) * c2;
                      const Single T3 = (((ts * hw) * hw) * hw) / 12;
                      const Single T4 = ((ts * hw) * a) * a;
                      return ((T1 + T2) + T3) + T4;
                  })
              .readSingle();

    // 10., 11. Upper and lower net section moduli, mm³, to the outer edges:
    // y + t1/2 above the axis, hw + t1/2 + t2 − y below it.
    sheet.writeGeneral(field::Wn1, [&] { return widen(In) / (widen(y) + (0.5 * widen(t1))); });
    sheet.writeGeneral(field::Wn2,
        [&] { return widen(In) / (((widen(hw) + (0.5 * widen(t1))) + widen(t2)) - widen(y)); });

    return RootSection { M, y, In };
}
