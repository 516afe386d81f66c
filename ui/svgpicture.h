#pragma once

#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#ifdef STELVANA_SVG_PICTURES
#include <QSvgRenderer>
#endif

// A picture box showing a drawing authored as SVG. The drawing is rendered
// at the screen's device pixel ratio, never scaled up from a small bitmap,
// and fitted into the box with its proportions kept. Assistive technology
// sees an image: its accessible name and description say what it shows.
//
// A build without Qt Svg (Windows) gets the drawing as PNGs rendered from the
// same SVG at 1x, 1.5x, 2x and 3x (resources/render, name@2x.png and so on):
// the box takes the smallest that has the device pixels it needs, as it is
// when the sizes match, scaled down otherwise.
class SvgPicture : public QFrame {
    Q_OBJECT
public:
    enum class Source { Svg, Png };
#ifdef STELVANA_SVG_PICTURES
    static constexpr Source builtSource = Source::Svg;
#else
    static constexpr Source builtSource = Source::Png;
#endif

    // `resource` names the SVG (":/pictures/isection.svg"); with Source::Png
    // the PNGs beside it of the same name are read instead.
    SvgPicture(const QString& resource, QWidget* parent, Source source = builtSource);

    // The pixmap last painted, in device pixels; empty before the first paint.
    QPixmap renderedPixmap() const
    {
        return m_cache;
    }

    // The drawing's own size in device-independent pixels; empty when the
    // drawing could not be read.
    QSize drawingSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect drawingRect() const;
    void renderInto(QPixmap& pixmap);

    Source m_source;
#ifdef STELVANA_SVG_PICTURES
    QSvgRenderer m_renderer;
#endif
    QList<QImage> m_bitmaps; // 1x first, then larger
    QPixmap m_cache;
};

// The rendered PNGs of a drawing, 1x first then 1.5x, 2x and 3x, read from
// the resource folder of `svgResource`; those missing are left out.
QList<QImage> pictureBitmaps(const QString& svgResource);

// An icon of `svgResource`: the SVG where Qt Svg is built in, else its PNGs.
QIcon pictureIcon(const QString& svgResource);
