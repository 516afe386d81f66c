#include "sheetfont.h"

using namespace Qt::StringLiterals;

const QStringList& sheetFamilies()
{
    static const QStringList families { u"DejaVu Serif"_s, u"Times New Roman"_s,
        u"AR PL UMing CN"_s, u"SimSun"_s, u"AR PL UKai CN"_s, u"Noto Serif CJK SC"_s };
    return families;
}

QFont sheetFont()
{
    QFont font;
    font.setFamilies(sheetFamilies());
    font.setPointSizeF(10.5);
    return font;
}
