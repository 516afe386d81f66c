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

} // namespace

SvgPicture::SvgPicture(const QString& resource, QWidget* parent)
    : QFrame(parent)
    , m_renderer(resource)
{
    // Without it a picture is a plain frame, a border.
    QAccessible::installFactory(pictureInterface);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

QRect SvgPicture::drawingRect() const
{
    const QRect inside = contentsRect();
    const QSize size = m_renderer.defaultSize().scaled(inside.size(), Qt::KeepAspectRatio);
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(inside.center());
    return rect;
}

void SvgPicture::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QRect target = drawingRect();
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels = (QSizeF(target.size()) * ratio).toSize();
    if (m_cache.size() != devicePixels) {
        m_cache = QPixmap(devicePixels);
        m_cache.fill(Qt::white);
        QPainter painter(&m_cache);
        m_renderer.render(&painter);
        m_cache.setDevicePixelRatio(ratio);
    }
    QPainter(this).drawPixmap(target.topLeft(), m_cache);
}
