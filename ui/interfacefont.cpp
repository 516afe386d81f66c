#include "interfacefont.h"

#include <QApplication>

QFont interfaceFont()
{
    QFont font = QApplication::font();
    font.setFamilies({ QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei"),
        QStringLiteral("SimSun"), QStringLiteral("Droid Sans Fallback") });
    font.setPointSize(9);
    return font;
}

QFont titleFont(int points)
{
    QFont font;
    font.setFamilies({ QStringLiteral("华文行楷"), QStringLiteral("STXingkai"),
        QStringLiteral("KaiTi"), QStringLiteral("AR PL UKai CN") });
    font.setPointSize(points);
    font.setWeight(QFont::Normal);
    return font;
}
