#pragma once

#include <QFrame>
#include <QPixmap>
#include <QSvgRenderer>

// A picture box showing a drawing authored as SVG. The drawing is rendered
// at the screen's device pixel ratio, never scaled up from a small bitmap,
// and fitted into the box with its proportions kept. Assistive technology
// sees an image: its accessible name and description say what it shows.
class SvgPicture : public QFrame {
    Q_OBJECT
public:
    SvgPicture(const QString& resource, QWidget* parent);

    // The pixmap last painted, in device pixels; empty before the first paint.
    QPixmap renderedPixmap() const { return m_cache; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect drawingRect() const;

    QSvgRenderer m_renderer;
    QPixmap m_cache;
};
