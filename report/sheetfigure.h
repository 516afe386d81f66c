#pragma once

#include "calculationsheet.h"

#include <QList>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

// What a calculator draws its figure of the sheet with: the box in mm, the
// sheet's pens and font, dimension lines, a section of three plates, and
// texts that never land on one another. The figures themselves live in their
// calculators' folders.

// A section of three plates, mm: an upper flange, a web and a lower flange,
// each centred on the web.
struct PlateSection {
    double upperWidth, upperThickness, webThickness, webHeight, lowerWidth, lowerThickness;

    double width() const { return std::max(upperWidth, lowerWidth); }
    double depth() const { return upperThickness + webHeight + lowerThickness; }
};

// Where a section was drawn: paper coordinates of its sizes in mm, across
// from the web's centre line and down from the top of the upper flange.
struct PlacedSection {
    qreal scale; // paper units to a mm of the section
    qreal centre;
    qreal top;

    qreal x(double fromCentre) const { return centre + fromCentre * scale; }
    qreal y(double down) const { return top + down * scale; }
};

class FigurePainter {
public:
    // Saves `painter`'s state and sets up the sheet's drawing in `box`; the
    // destructor restores it.
    FigurePainter(QPainter& painter, const QRectF& box);
    ~FigurePainter();
    FigurePainter(const FigurePainter&) = delete;
    FigurePainter& operator=(const FigurePainter&) = delete;

    QPainter& painter() { return m_painter; }
    const QRectF& box() const { return m_box; }
    qreal mm() const { return m_mm; }
    qreal tick() const { return 2 * m_mm; } // of a dimension line
    qreal gap() const { return 4 * m_mm; } // from what a dimension measures

    // The pens: outlines, and dimension and leader lines.
    void outlinePen();
    void thinPen();

    // A dimension line from a to b with ticks at both ends and its label
    // beside its middle, on the side `away` points to.
    void dimension(QPointF a, QPointF b, const QString& label, QPointF away);

    // `text` in `rect` as QPainter::drawText lays it out; where it would
    // cover a text placed before, it moves on in the direction `away` until
    // it is clear. Returns where its ink went.
    QRectF text(QRectF rect, int flags, const QString& text, QPointF away = { 0, 1 });

    // The section filled and outlined, as large as `room` takes it.
    PlacedSection plates(const PlateSection& section, const QRectF& room);

    // A plate's thickness marked at `y` by an arrow at each face from
    // outside, its label to the left.
    void thicknessAcross(const PlacedSection& at, double halfWidth, qreal y, const QString& label);

private:
    QPainter& m_painter;
    QRectF m_box;
    qreal m_mm;
    QList<QRectF> m_texts; // the ink of every text placed so far
};

// A figure of a calculation sheet, painted by its calculator.
class SheetFigure {
public:
    virtual ~SheetFigure() = default;

    // The sizes it is drawn to scale from, as read, in the order they are
    // checked; each also labels the figure.
    virtual QList<SheetDimension> sizes() const = 0;
    // Under the figure when it is drawn to scale.
    virtual QString caption() const = 0;
    // Paints it into the painter's box: to scale, or a fixed shape of the
    // calculator's with the sizes as read written on it.
    virtual void paint(FigurePainter& painter, bool toScale) const = 0;
};
