#include "interfacefont.h"

#include <QApplication>

namespace {

// Windows measures text in whole pixels by default (GDI-compatible metrics),
// a few pixels wider a line than the fractional advances Linux lays out
// with, enough to cut the longest formula captions off in labels drawn to
// the twip. Vertical-only hinting measures in fractions there too.
QFont measuredAsOnLinux(QFont font)
{
#ifdef Q_OS_WIN
    font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    return font;
}

} // namespace

QFont interfaceFont()
{
    QFont font = QApplication::font();
    font.setFamilies({ QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei"),
        QStringLiteral("SimSun"), QStringLiteral("Droid Sans Fallback") });
    font.setPointSize(9);
    return measuredAsOnLinux(font);
}

QFont titleFont(int points)
{
    QFont font;
    font.setFamilies({ QStringLiteral("华文行楷"), QStringLiteral("STXingkai"),
        QStringLiteral("KaiTi"), QStringLiteral("AR PL UKai CN") });
    font.setPointSize(points);
    font.setWeight(QFont::Normal);
    return measuredAsOnLinux(font);
}
