#pragma once

#include "sheetfigure.h"

// The I-section on its sheet, to scale: two equal flanges B × t and the web
// tw between them, the depth H beside it.
class SectionFigure : public SheetFigure {
public:
    SectionFigure(SheetDimension B, SheetDimension H, SheetDimension tw, SheetDimension t);

    QList<SheetDimension> sizes() const override;
    QString caption() const override;
    void paint(FigurePainter& painter, bool toScale) const override;

private:
    SheetDimension m_B, m_H, m_tw, m_t;
};
