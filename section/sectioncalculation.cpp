#include "sectioncalculation.h"

using namespace Qt::StringLiterals;

std::optional<Fault> calculateSection(FieldTexts& fields, NumberFormat format)
{
    FieldSheet sheet(fields, format);
    return runSteps([&] {
        // The four plate dimensions, read once as Singles, in this order.
        const Single B = sheet.readSingle(u"Text1"_s);
        const Single H = sheet.readSingle(u"Text2"_s);
        const Single tw = sheet.readSingle(u"Text3"_s);
        const Single t = sheet.readSingle(u"Text4"_s);

        // 1. Area of two flanges and the web, mm², in Single.
        sheet.writeGeneral(u"Text5"_s, [&] { return ((B * t) * 2) + ((H - (t * 2)) * tw); });
        const Double A = sheet.readDouble(u"Text5"_s);

        // 2. Ix, mm⁴: the full B × H rectangle less the two voids beside the web.
        sheet.writeTwoDecimals(u"Text6"_s,
            [&] { return ((widen(B) * cube(H)) - (widen(B - tw) * cube(H - (t * 2)))) / 12; });
        const Double Ix = sheet.readDouble(u"Text6"_s);

        // 3. Iy, mm⁴: two flanges t × B³ / 12 and the web (H − 2t) × tw³ / 12.
        sheet.writeTwoDecimals(u"Text7"_s,
            [&] { return (((widen(t) * cube(B)) * 2) + (widen(H - (2 * t)) * cube(tw))) / 12; });
        const Double Iy = sheet.readDouble(u"Text7"_s);

        // 4., 5. Radii of gyration, mm, from the displayed Ix, Iy and A.
        sheet.writeTwoDecimals(u"Text8"_s, [&] { return squareRoot(Ix / A); });
        const Double ix = sheet.readDouble(u"Text8"_s);
        sheet.writeTwoDecimals(u"Text9"_s, [&] { return squareRoot(Iy / A); });
        const Double iy = sheet.readDouble(u"Text9"_s);

        // 6., 7. Section moduli, mm³: I over half the depth (width).
        sheet.writeTwoDecimals(u"Text10"_s, [&] { return (Ix / widen(H)) * 2; });
        const Double Wx = sheet.readDouble(u"Text10"_s);
        sheet.writeTwoDecimals(u"Text11"_s, [&] { return (Iy / widen(B)) * 2; });

        // 8. Elastic design stress, N/mm²: N·1000 / A + M·10⁶ / Wx.
        sheet.writeTwoDecimals(u"Text14"_s, [&] {
            const Double bending = (sheet.readDouble(u"Text13"_s) * 1000000) / Wx;
            const Double axial = (sheet.readDouble(u"Text12"_s) * 1000) / A;
            return axial + bending;
        });

        // 9. The same with the bending term relieved by the plastic development
        // factor 1.05.
        sheet.writeTwoDecimals(u"Text15"_s, [&] {
            const Double bending = ((sheet.readDouble(u"Text13"_s) * 1000000) / Wx) / 1.05;
            const Double axial = (sheet.readDouble(u"Text12"_s) * 1000) / A;
            return axial + bending;
        });

        // 10. Effective length, mm: twice the member length.
        sheet.writeTwoDecimals(u"Text17"_s, [&] {
            const Double L = sheet.readDouble(u"Text16"_s);
            return L + L;
        });
        const Double L0 = sheet.readDouble(u"Text17"_s);

        // 11., 12. Slenderness ratios from the displayed L0 and radii.
        sheet.writeTwoDecimals(u"Text18"_s, [&] { return L0 / ix; });
        sheet.writeTwoDecimals(u"Text19"_s, [&] { return L0 / iy; });

        // 13. Weight per metre of one piece, kg/m: A mm² × 7850 kg/m³ × 10⁻⁶ m²/mm².
        sheet.writeGeneral(u"Text21"_s, [&] { return (A * 7850) * 0.000001; });
        const Double G = sheet.readDouble(u"Text21"_s);

        // 14. Weight of all pieces per metre.
        sheet.writeGeneral(u"Text22"_s, [&] { return sheet.readDouble(u"Text20"_s) * G; });
    });
}
