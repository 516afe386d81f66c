#include "svgpicture.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {

QAccessibleInterface* pictureInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String(SvgPicture::staticMetaObject.className()) && object)
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

// ":/pictures/isection.svg" → ":/pictures/isection"
QString withoutSuffix(const QString& resource)
{
    return resource.endsWith(QLatin1String(".svg")) ? resource.chopped(4) : resource;
}

} // namespace

QList<QImage> pictureBitmaps(const QString& svgResource)
{
    const QString base = withoutSuffix(svgResource);
    QList<QImage> bitmaps;
    for (const char* suffix : { ".png", "@1.5x.png", "@2x.png", "@3x.png" }) {
        QImage image(base + QLatin1String(suffix));
        if (image.isNull())
            continue;
        // Qt reads "@2x" in a file name as a device pixel ratio of 2 and
        // would draw the image at half its pixels; here every image is plain
        // device pixels, and the box decides the ratio.
        image.setDevicePixelRatio(1);
        bitmaps.append(image);
    }
    return bitmaps;
}

QIcon pictureIcon(const QString& svgResource)
{
#ifdef STELVANA_SVG_PICTURES
    return QIcon(svgResource);
#else
    QIcon icon;
    for (const QImage& image : pictureBitmaps(svgResource))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
#endif
}

SvgPicture::SvgPicture(const QString& resource, QWidget* parent, Source source)
    : QFrame(parent)
    , m_source(source)
{
#ifdef STELVANA_SVG_PICTURES
    if (source == Source::Svg)
        m_renderer.load(resource);
#else
    m_source = Source::Png;
#endif
    if (m_source == Source::Png)
        m_bitmaps = pictureBitmaps(resource);
    // Without it a picture is a plain frame, a border.
    QAccessible::installFactory(pictureInterface);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

QSize SvgPicture::drawingSize() const
{
#ifdef STELVANA_SVG_PICTURES
    if (m_source == Source::Svg)
        return m_renderer.defaultSize();
#endif
    return m_bitmaps.isEmpty() ? QSize() : m_bitmaps.constFirst().size();
}

QRect SvgPicture::drawingRect() const
{
    const QRect inside = contentsRect();
    const QSize size = drawingSize().scaled(inside.size(), Qt::KeepAspectRatio);
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(inside.center());
    return rect;
}

void SvgPicture::renderInto(QPixmap& pixmap)
{
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
#ifdef STELVANA_SVG_PICTURES
    if (m_source == Source::Svg) {
        m_renderer.render(&painter);
        return;
    }
#endif
    if (m_bitmaps.isEmpty())
        return;
    // The smallest bitmap with enough device pixels, else the largest.
    const QImage* chosen = &m_bitmaps.constLast();
    for (const QImage& image : m_bitmaps) {
        if (image.width() >= pixmap.width() && image.height() >= pixmap.height()) {
            chosen = &image;
            break;
        }
    }
    if (chosen->size() == pixmap.size())
        painter.drawImage(0, 0, *chosen);
    else
        painter.drawImage(QPoint(0, 0),
            chosen->scaled(pixmap.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void SvgPicture::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QRect target = drawingRect();
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels = (QSizeF(target.size()) * ratio).toSize();
    if (m_cache.size() != devicePixels) {
        m_cache = QPixmap(devicePixels);
        renderInto(m_cache);
        m_cache.setDevicePixelRatio(ratio);
    }
    QPainter(this).drawPixmap(target.topLeft(), m_cache);
}
