#include "sectioncalculation.h"

#include "sectionclass.h"
#include "sectionfields.h"

#include "parse.h"

namespace {

double designFactor(FieldName control)
{
    const FieldFacts& facts = *findField(sectionFields(), control);
    return parseDouble(facts.designText, NumberFormat { U'.' }).value;
}

// μy·L as L0 shows μx·L: to two decimals.
Double outOfPlaneLength(Double length, NumberFormat format)
{
    return Double { parseDouble(fixedTwoDecimals(length.value, format), format).value };
}

} // namespace

std::optional<Fault> calculateSection(FieldTexts& fields, NumberFormat format)
{
    namespace field = SectionField;
    FieldSheet sheet(fields, format);
    // The grade chosen ranks the plates; a window's texts always hold it.
    const std::string grade = fields.contains(field::steelGrade)
        ? sheet.text(field::steelGrade)
        : std::string(findField(sectionFields(), field::steelGrade)->designText);
    // A factor of the member's basis as typed; a window without the field
    // takes its design-time text.
    const auto basisFactor = [&](FieldName control) {
        return fields.contains(control) ? sheet.readDouble(control)
                                        : Double { designFactor(control) };
    };
    return runSteps([&] {
        // The four plate dimensions, read once as Singles, in this order.
        const Single B = sheet.readSingle(field::B);
        const Single H = sheet.readSingle(field::H);
        const Single tw = sheet.readSingle(field::tw);
        const Single t = sheet.readSingle(field::t);

        // 1. Area of two flanges and the web, mm², in Single.
        const Double A
            = sheet.writeGeneral(field::area, [&] { return ((B * t) * 2) + ((H - (t * 2)) * tw); })
                  .readDouble();

        // 2. Ix, mm⁴: the full B × H rectangle less the two voids beside the web.
        const Double Ix
            = sheet
                  .writeTwoDecimals(field::Ix,
                      [&] {
                          return ((widen(B) * cube(H)) - (widen(B - tw) * cube(H - (t * 2)))) / 12;
                      })
                  .readDouble();

        // 3. Iy, mm⁴: two flanges t × B³ / 12 and the web (H − 2t) × tw³ / 12.
        const Double Iy
            = sheet
                  .writeTwoDecimals(field::Iy,
                      [&] {
                          return (((widen(t) * cube(B)) * 2) + (widen(H - (2 * t)) * cube(tw)))
                              / 12;
                      })
                  .readDouble();

        // 4., 5. Radii of gyration, mm, from the displayed Ix, Iy and A.
        const Double ix
            = sheet.writeTwoDecimals(field::ix, [&] { return squareRoot(Ix / A); }).readDouble();
        const Double iy
            = sheet.writeTwoDecimals(field::iy, [&] { return squareRoot(Iy / A); }).readDouble();

        // 6., 7. Section moduli, mm³: I over half the depth (width).
        const Double Wx
            = sheet.writeTwoDecimals(field::Wx, [&] { return (Ix / widen(H)) * 2; }).readDouble();
        sheet.writeTwoDecimals(field::Wy, [&] { return (Iy / widen(B)) * 2; });

        // 8. Elastic design stress, N/mm²: N·1000 / A + M·10⁶ / Wx.
        sheet.writeTwoDecimals(field::elasticStress, [&] {
            const Double bending = (sheet.readDouble(field::M) * 1000000) / Wx;
            const Double axial = (sheet.readDouble(field::N) * 1000) / A;
            return axial + bending;
        });

        // 9. The same with the bending term relieved by the plastic factor γx:
        // 1.05 for a section whose plates are S3 or better, 1.0 otherwise.
        sheet.writeTwoDecimals(field::plasticStress, [&] {
            const Double M = sheet.readDouble(field::M);
            const Double N = sheet.readDouble(field::N);
            const std::optional<SectionClass> section
                = sectionClass({ B, H, tw, t }, A.value, Wx.value, N.value, M.value, grade);
            const double gammaX = section ? section->gammaX() : 1.0;
            const Double bending = ((M * 1000000) / Wx) / gammaX;
            const Double axial = (N * 1000) / A;
            return axial + bending;
        });

        // 10. Effective length in the plane of the moment, mm: μx·L.
        const Double L0 = sheet
                              .writeTwoDecimals(field::L0,
                                  [&] {
                                      const Double L = sheet.readDouble(field::L);
                                      return basisFactor(field::muX) * L;
                                  })
                              .readDouble();

        // 11., 12. Slenderness ratios from the displayed L0 and radii; out of
        // the plane μy·L, to two decimals as L0 is shown, so that with μy = μx
        // both axes take the same length.
        sheet.writeTwoDecimals(field::slendernessX, [&] { return L0 / ix; });
        sheet.writeTwoDecimals(field::slendernessY, [&] {
            const Double L = sheet.readDouble(field::L);
            return outOfPlaneLength(basisFactor(field::muY) * L, format) / iy;
        });

        // 13. Weight per metre of one piece, kg/m: A mm² × 7850 kg/m³ × 10⁻⁶ m²/mm².
        sheet.writeGeneral(field::G, [&] { return (A * 7850) * 0.000001; });

        // 14. Weight of all pieces, kg: Num pieces of G kg/m over L mm.
        sheet.writeGeneral(field::Gsum, [&] {
            const Double Num = sheet.readDouble(field::Num);
            const Double shownG = sheet.readDouble(field::G);
            const Double L = sheet.readDouble(field::L);
            return ((Num * shownG) * L) / 1000;
        });

        // The moment and section factors the checks take: a text that is not
        // a number stops the calculation here, charged to its field.
        for (const FieldName factor : { field::betaMx, field::betaTx, field::eta })
            basisFactor(factor);
    });
}
