#pragma once

#include "sheetfigure.h"

// The bracket on its sheet: the root section to scale, each plate labelled,
// the centroidal axis at y under the upper flange's centre; beside it the
// elevation from the column face with the load F at e.
class BracketFigure : public SheetFigure {
public:
    struct Sizes {
        SheetDimension bf1, t1, ts, hw, bf2, t2;
        SheetDimension y; // the centroidal axis under the upper flange's centre
        SheetDimension e; // the load's distance from the column face, mm
        QString load; // "F = 400 kN"
    };
    explicit BracketFigure(Sizes sizes);

    QList<SheetDimension> sizes() const override;
    QString caption() const override;
    void paint(FigurePainter& painter, bool toScale) const override;

private:
    Sizes m_sizes;
};
