// The drawings as a build without Qt Svg shows them (Windows): PNGs rendered
// from the SVGs at build time must paint what the SVG paints, at the device
// pixel ratio of the run (QT_SCALE_FACTOR 1 and 2), both at a drawing's own
// size, where a PNG is used as it is, and in the boxes of the calculator
// windows, where it is scaled down; and the program's .ico must hold the icon
// at every size Windows asks for.

#include "calculators.h"
#include "calculatorwindow.h"
#include "coretext.h"
#include "svgpicture.h"
#include "uitest.h"

#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Difference {
    int largest = 0; // the largest difference of one channel, 0 to 255
    double mean = 0; // the mean difference over every channel of every pixel
    double share = 0; // the share of pixels that differ by more than a quarter
};

Difference compare(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    Difference d;
    qint64 sum = 0, far = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const int dr = qAbs(qRed(p[col]) - qRed(q[col]));
            const int dg = qAbs(qGreen(p[col]) - qGreen(q[col]));
            const int db = qAbs(qBlue(p[col]) - qBlue(q[col]));
            const int most = qMax(dr, qMax(dg, db));
            d.largest = qMax(d.largest, most);
            sum += dr + dg + db;
            far += most > 64;
        }
    }
    const double pixels = double(x.width()) * x.height();
    d.mean = sum / (3 * pixels);
    d.share = far / pixels;
    return d;
}

// The share of pixels that are not white: a drawing, not an empty box.
double inkShare(const QImage& image)
{
    const QImage x = image.convertToFormat(QImage::Format_RGB32);
    qint64 ink = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            ink += qGray(p[col]) < 200;
    }
    return double(ink) / (double(x.width()) * x.height());
}

QSize boxIn(QWidget* window, const QString& name)
{
    const auto* picture = window->findChild<SvgPicture*>(name);
    return picture ? picture->size() : QSize();
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pngPaintsTheSvg_data();
    void pngPaintsTheSvg();
    void iconHoldsEverySize_data();
    void iconHoldsEverySize();

private:
    qreal m_factor = 1;
};

void TestPictures::initTestCase()
{
    prepareTestApplication();
    m_factor = qEnvironmentVariable("QT_SCALE_FACTOR", u"1"_s).toDouble();
}

void TestPictures::pngPaintsTheSvg_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<bool>("ownSize");

    // Every picture every calculator declares: at the drawing's own size (a
    // box of it plus the one-pixel sunken frame), and in its window's box.
    const QSize frame(2, 2);
    for (const CalculatorEntry& entry : calculators()) {
        const std::unique_ptr<CalculatorWindow> window(newCalculatorWindow(fromCore(entry.id)));
        for (const WindowPicture& picture : entry.pictures) {
            const QString resource = fromCore(picture.resource);
            QTest::addRow("%s at its own size", picture.resource.data())
                << resource << QSvgRenderer(resource).defaultSize() + frame << true;
            QTest::addRow("%s in the %s window", picture.resource.data(), entry.id.data())
                << resource << boxIn(window.get(), fromCore(picture.box)) << false;
        }
    }
}

void TestPictures::pngPaintsTheSvg()
{
    QFETCH(QString, resource);
    QFETCH(QSize, box);
    QFETCH(bool, ownSize);
    QVERIFY(box.isValid());

    SvgPicture svg(resource, nullptr, SvgPicture::Source::Svg);
    SvgPicture png(resource, nullptr, SvgPicture::Source::Png);
    QCOMPARE(png.drawingSize(), svg.drawingSize());
    svg.resize(box);
    png.resize(box);
    const QPixmap fromSvg = svg.grab();
    const QPixmap fromPng = png.grab();
    QCOMPARE(fromPng.devicePixelRatio(), m_factor);
    QCOMPARE(fromPng.size(), fromSvg.size());
    QCOMPARE(png.renderedPixmap().size(), svg.renderedPixmap().size());
    QVERIFY2(inkShare(fromSvg.toImage()) > 0.01, "the SVG drew nothing");

    const Difference d = compare(fromSvg.toImage(), fromPng.toImage());
    const QByteArray what = QByteArray::number(d.largest) + " largest, "
        + QByteArray::number(d.mean, 'f', 3) + " mean, " + QByteArray::number(d.share * 100, 'f', 3)
        + " % of pixels far off";
    if (ownSize) {
        // The PNG of this ratio is the SVG rendered at these device pixels.
        QVERIFY2(d.largest <= 1, what.constData());
    } else {
        // Scaled down smoothly: a one-pixel line falls across two pixels, so
        // both are compared at half their size, where that evens out and
        // what remains is a line moved, missing or thickened.
        const auto half = [](const QPixmap& p) {
            return p.toImage().scaled(
                p.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        const Difference h = compare(half(fromSvg), half(fromPng));
        const QByteArray halved = what + "; at half size " + QByteArray::number(h.mean, 'f', 3)
            + " mean, " + QByteArray::number(h.share * 100, 'f', 3) + " % far off";
        QVERIFY2(h.mean < 2.5 && h.share < 0.005, halved.constData());
    }
}

void TestPictures::iconHoldsEverySize_data()
{
    QTest::addColumn<int>("size");
    for (const int size : { 16, 20, 24, 32, 40, 48, 64, 96, 128, 256 })
        QTest::addRow("%d px", size) << size;
}

void TestPictures::iconHoldsEverySize()
{
    QFETCH(int, size);
    QImageReader reader(QStringLiteral(STELVANA_ICON_FILE), "ico");
    QCOMPARE(reader.imageCount(), 10);
    QImage found;
    for (int i = 0; i < reader.imageCount() && found.isNull(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        if (image.width() == size)
            found = image;
    }
    QVERIFY2(!found.isNull(), "no image of this size");
    QCOMPARE(found.height(), size);

    QImage expected(size, size, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    QPainter painter(&expected);
    QSvgRenderer(u":/pictures/stelvana.svg"_s).render(&painter);
    painter.end();
    // Colours, their order, the rows' order and the transparency, on a
    // background they would show against.
    for (const QColor background : { QColor(Qt::white), QColor(Qt::black) }) {
        QImage a(size, size, QImage::Format_RGB32), b(size, size, QImage::Format_RGB32);
        a.fill(background);
        b.fill(background);
        QPainter(&a).drawImage(0, 0, expected);
        QPainter(&b).drawImage(0, 0, found);
        const Difference d = compare(a, b);
        QVERIFY2(d.largest <= 2, QByteArray::number(d.largest).constData());
    }
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
