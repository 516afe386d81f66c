// Renders the program's SVG drawings into PNGs for a build without Qt Svg
// (Windows): each drawing at 1x, 1.5x, 2x and 3x its own size, named as Qt
// looks for them (name.png, name@1.5x.png, name@2x.png, name@3x.png), and the
// program's icon as a Windows .ico. Runs on the build machine with Debian's
// QtSvg, so a PNG holds exactly what SvgPicture paints from the SVG at that
// device pixel ratio.
//
//   render_pictures [--transparent] OUT-DIR DRAWING.svg...
//   render_pictures --ico OUT.ico ICON.svg
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>
#include <vector>

namespace {

// The device pixel ratios a Windows display is set to most (100 %, 150 %,
// 200 %), and 300 % so that anything in between is scaled down, never up.
constexpr double scales[] = { 1.0, 1.5, 2.0, 3.0 };

QString scaledName(const QString& base, double scale)
{
    if (scale == 1.0)
        return base + QStringLiteral(".png");
    return base + QStringLiteral("@") + QString::number(scale) + QStringLiteral("x.png");
}

// Device pixels of the drawing at `scale`, rounded as SvgPicture rounds them.
QSize scaledSize(const QSize& size, double scale)
{
    return (QSizeF(size) * scale).toSize();
}

// Filled as SvgPicture fills its cache before it renders: opaque white, or
// clear for the icon, which sits on whatever the desktop shows.
QImage render(QSvgRenderer& renderer, const QSize& pixels, bool transparent)
{
    QImage image(pixels, transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(transparent ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

bool fail(const QString& what)
{
    std::fprintf(stderr, "render_pictures: %s\n", qPrintable(what));
    return false;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool renderDrawing(const QString& svg, const QString& outDir, bool transparent)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || renderer.defaultSize().isEmpty())
        return fail(QStringLiteral("%1 is not a drawing Qt Svg can read").arg(svg));
    const QString base = QDir(outDir).filePath(QFileInfo(svg).completeBaseName());
    for (const double scale : scales) {
        const QByteArray bytes
            = png(render(renderer, scaledSize(renderer.defaultSize(), scale), transparent));
        if (bytes.isEmpty() || !write(scaledName(base, scale), bytes))
            return fail(QStringLiteral("cannot encode %1").arg(scaledName(base, scale)));
    }
    return true;
}

void put16(QByteArray& out, quint16 value)
{
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&value), 2);
}

void put32(QByteArray& out, quint32 value)
{
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&value), 4);
}

// A 32-bit DIB as an icon holds it: a BITMAPINFOHEADER of twice the height
// (colour rows, then the mask rows), the rows bottom up in BGRA, then a
// 1-bit AND mask, each of its rows padded to 32 bits.
QByteArray dib(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(w));
    put32(out, quint32(2 * h));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            put32(out, row[x]); // ARGB32 in memory is B, G, R, A on x86
    }
    const int maskStride = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray mask(maskStride, '\0');
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = char(mask[x / 8] | (0x80 >> (x % 8)));
        out += mask;
    }
    return out;
}

// Windows picks the nearest size for the taskbar, title bar, Explorer and
// the Start menu at every display scale. The 256 px image is stored as PNG,
// as Windows Vista and later read it; the others as DIBs, which every reader
// (NSIS's installer stub among them) takes.
bool renderIcon(const QString& svg, const QString& ico)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return fail(QStringLiteral("%1 is not a drawing Qt Svg can read").arg(svg));
    const int sizes[] = { 16, 20, 24, 32, 40, 48, 64, 96, 128, 256 };
    std::vector<QByteArray> images;
    for (const int size : sizes) {
        const QImage image = render(renderer, QSize(size, size), true);
        images.push_back(size == 256 ? png(image) : dib(image));
    }
    QByteArray out;
    put16(out, 0);
    put16(out, 1); // an icon, not a cursor
    put16(out, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = sizes[i];
        out.append(char(size == 256 ? 0 : size)); // 0 means 256
        out.append(char(size == 256 ? 0 : size));
        out.append(char(0)); // no palette
        out.append(char(0));
        put16(out, 1); // planes
        put16(out, 32); // bits per pixel
        put32(out, quint32(images[i].size()));
        put32(out, offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray& image : images)
        out += image;
    return write(ico, out);
}

} // namespace

int main(int argc, char** argv)
{
    // No display: the offscreen platform paints into images all the same.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == QStringLiteral("--ico"))
        return renderIcon(args[2], args[1]) ? 0 : 1;
    bool transparent = false;
    if (!args.isEmpty() && args[0] == QStringLiteral("--transparent")) {
        transparent = true;
        args.removeFirst();
    }
    if (args.size() < 2) {
        std::fprintf(stderr,
            "usage: render_pictures [--transparent] OUT-DIR DRAWING.svg...\n"
            "       render_pictures --ico OUT.ico ICON.svg\n");
        return 2;
    }
    const QString outDir = args.takeFirst();
    if (!QDir().mkpath(outDir)) {
        fail(QStringLiteral("cannot make %1").arg(outDir));
        return 1;
    }
    for (const QString& svg : args)
        if (!renderDrawing(svg, outDir, transparent))
            return 1;
    return 0;
}
