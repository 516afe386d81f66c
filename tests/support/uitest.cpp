#include "uitest.h"

#include "interfacefont.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPaintEngine>
#include <QTest>
#include <QTextLayout>

void prepareTestApplication()
{
    QLocale::setDefault(QLocale::c());
    QApplication::setFont(interfaceFont());
}

QMdiArea* showInMdiArea(QMdiSubWindow* window)
{
    auto* area = new QMdiArea;
    area->resize(1200, 900);
    area->addSubWindow(window);
    area->show();
    window->showMaximized();
    if (QTest::qWaitForWindowExposed(area)) {
        area->activateWindow();
        (void)QTest::qWaitForWindowActive(area);
    }
    return area;
}

QString missingGlyphs(const QString& text, const QFont& font)
{
    QString missing;
    for (const QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            continue;
        QTextLayout layout(QString(c), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        bool found = false;
        for (const QGlyphRun& run : layout.glyphRuns())
            for (quint32 glyph : run.glyphIndexes())
                found = found || glyph != 0; // glyph 0 is the font's "missing" box
        if (!found && !missing.contains(c))
            missing += c;
    }
    return missing;
}

QStringList captionsWithMissingGlyphs(const QWidget* root)
{
    QStringList faults;
    const auto check = [&](const QWidget* w, const QString& text) {
        const QString missing = missingGlyphs(text, w->font());
        if (!missing.isEmpty())
            faults << w->objectName() + QStringLiteral(": ") + missing;
    };
    check(root, root->windowTitle());
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<const QLabel*>(w))
            check(w, label->text());
        else if (auto* group = qobject_cast<const QGroupBox*>(w))
            check(w, group->title());
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            check(w, button->text());
        else if (auto* field = qobject_cast<const QLineEdit*>(w))
            check(w, field->text());
    }
    return faults;
}

namespace {

// A paint device that keeps only the texts drawn on it.
class TextRecorder : public QPaintDevice, public QPaintEngine {
public:
    TextRecorder(QSize size, qreal ratio)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , m_size(size)
        , m_ratio(ratio)
    {
    }

    QStringList texts;

    QPaintEngine* paintEngine() const override { return const_cast<TextRecorder*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override { }
    // Shapes are drawn nowhere; without these the defaults call one another.
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override { }
    void drawPath(const QPainterPath&) override { }
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    Type type() const override { return QPaintEngine::User; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return int(m_ratio);
        case PdmDevicePixelRatioScaled:
            return int(m_ratio * devicePixelRatioFScale());
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    QSize m_size;
    qreal m_ratio;
};

} // namespace

QStringList paintedTexts(QWidget* widget, qreal ratio)
{
    TextRecorder recorder(widget->size(), ratio);
    widget->render(&recorder, {}, {}, QWidget::DrawChildren);
    return recorder.texts;
}

// Watches every widget being shown; a modal box is recorded and dismissed
// from inside its own event loop as soon as that loop runs.
struct ModalBoxCatcher::State : QObject {
    QStringList texts;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget->isModal()) {
                if (auto* box = qobject_cast<QMessageBox*>(widget))
                    texts << box->windowTitle() + u'|' + box->text();
                else
                    texts << widget->windowTitle() + QStringLiteral("|(not a message box)");
                QMetaObject::invokeMethod(widget, &QWidget::close, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

ModalBoxCatcher::ModalBoxCatcher()
    : m_state(new State)
{
    QCoreApplication::instance()->installEventFilter(m_state);
}

ModalBoxCatcher::~ModalBoxCatcher()
{
    delete m_state;
}

QStringList ModalBoxCatcher::texts() const
{
    return m_state->texts;
}
