#include "resultfield.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// QLineEdit keeps its text this far inside the contents rectangle; the
// shortened text is drawn on exactly the line the whole text would be.
constexpr int lineEditHorizontalMargin = 2;
constexpr int lineEditVerticalMargin = 1;

// Where the exponent of a numeric text begins ("E+29" in "2.85586886530293E+29"),
// or -1: an 'E' or 'e' after a digit or a decimal separator, an optional
// sign, then digits to the end.
qsizetype exponentStart(const QString& text)
{
    qsizetype at = text.size();
    while (at > 0 && text[at - 1].isDigit())
        --at;
    if (at == text.size())
        return -1;
    if (at > 0 && (text[at - 1] == u'+' || text[at - 1] == u'-'))
        --at;
    if (at < 2 || (text[at - 1] != u'E' && text[at - 1] != u'e'))
        return -1;
    const QChar before = text[at - 2];
    return before.isDigit() || before == u'.' || before == u',' ? at - 1 : -1;
}

bool allDigits(const QString& text)
{
    return !text.isEmpty()
        && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

// A number without an exponent, "-4556728533333340000000000000.00": where
// its integer digits start, how many there are, and where its decimal
// separator is (-1 without one).
struct PlainNumber {
    qsizetype integerStart = 0;
    qsizetype integerDigits = 0;
    qsizetype point = -1;
};

std::optional<PlainNumber> plainNumber(const QString& text)
{
    PlainNumber number;
    number.integerStart = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    qsizetype at = number.integerStart;
    while (at < text.size() && text[at].isDigit())
        ++at;
    number.integerDigits = at - number.integerStart;
    if (number.integerDigits == 0)
        return {};
    if (at < text.size()) {
        const QChar point = text[at];
        if (point.isLetterOrNumber() || point.isSpace() || !allDigits(text.mid(at + 1)))
            return {};
        number.point = at;
    }
    return number;
}

bool hasDigit(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

} // namespace

ResultField::ResultField(const QString& text, QWidget* parent)
    : QLineEdit(parent)
{
    // Read-only before it holds any text, so that whatever asks about it
    // first (a screen reader) finds it read-only.
    setReadOnly(true);
    setText(text);
    connect(this, &QLineEdit::textChanged, this, &ResultField::updateToolTip);
    updateToolTip();
}

QString ResultField::shortened(
    const QString& text, const QFontMetrics& metrics, int width, QChar decimalPoint)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    QString mantissa, exponent;
    if (const qsizetype at = exponentStart(text); at > 0) {
        mantissa = text.left(at);
        exponent = text.mid(at);
    } else if (const std::optional<PlainNumber> number = plainNumber(text)) {
        // While the point shows, so does the magnitude: the decimals give way
        // first, all of them if need be ("1593476.…").
        if (number->point > 0) {
            const QString elided = metrics.elidedText(text, Qt::ElideRight, width);
            if (elided.startsWith(text.left(number->point + 2)))
                return elided;
            const QString whole = text.left(number->point + 1) + u'…';
            if (metrics.horizontalAdvance(whole) <= width)
                return whole;
        }
        // Too many whole digits for that: the leading digits and the power of ten.
        const qsizetype first = number->integerStart;
        if (number->integerDigits > 1 && text[first] != u'0') {
            const bool hasPoint = number->point > 0;
            mantissa = text.left(first + 1) + (hasPoint ? text[number->point] : decimalPoint)
                + text.mid(first + 1, number->integerDigits - 1)
                + (hasPoint ? text.mid(number->point + 1) : QString());
            exponent = u"E+%1"_s.arg(qlonglong(number->integerDigits - 1), 2, 10, QChar(u'0'));
        }
    }
    // The mantissa gives way before the exponent: a figure read without its
    // exponent is wrong by that many orders of magnitude.
    // Kerning across the join can make the two parts a pixel wider together.
    for (int room = width - metrics.horizontalAdvance(exponent); !exponent.isEmpty(); --room) {
        const QString head = metrics.elidedText(mantissa, Qt::ElideRight, room);
        if (!hasDigit(head))
            break;
        if (metrics.horizontalAdvance(head + exponent) <= width)
            return head + exponent;
    }
    return metrics.elidedText(text, Qt::ElideMiddle, width);
}

QString ResultField::displayedText() const
{
    return hasFocus() ? text() : shortened(text(), fontMetrics(), roomForText(), decimalPoint());
}

// Where QLineEdit::paintEvent draws and clips its text.
QRect ResultField::textArea() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .marginsRemoved(textMargins());
}

// The rectangle QLineEdit::paintEvent lays its single line of text in.
QRect ResultField::textLine() const
{
    const QRect area = textArea();
    const QFontMetrics metrics = fontMetrics();
    const int height = qMax(metrics.boundingRect(text()).height(), metrics.height());
    int top = area.y() + (area.height() - height + 1) / 2;
    if (alignment() & Qt::AlignTop)
        top = area.y() + lineEditVerticalMargin;
    else if (alignment() & Qt::AlignBottom)
        top = area.y() + area.height() - height - lineEditVerticalMargin;
    return { area.x() + lineEditHorizontalMargin, top, area.width() - 2 * lineEditHorizontalMargin,
        height };
}

QChar ResultField::decimalPoint() const
{
    const QString point = locale().decimalPoint();
    return point.size() == 1 ? point[0] : u'.';
}

// QLineEdit scrolls a text once it and the cursor after it no longer fit.
int ResultField::roomForText() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const int cursorWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this);
    return textLine().width() - 1 - cursorWidth;
}

bool ResultField::fits() const
{
    return fontMetrics().horizontalAdvance(text()) <= roomForText();
}

void ResultField::paintEvent(QPaintEvent* event)
{
    if (hasFocus() || fits()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setClipRect(textArea());
    painter.setPen(panel.palette.color(QPalette::Text));
    const Qt::Alignment horizontal
        = QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
    painter.drawText(textLine(), int(horizontal | Qt::AlignTop) | Qt::TextSingleLine,
        shortened(text(), fontMetrics(), roomForText(), decimalPoint()));
}

void ResultField::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    updateToolTip();
}

void ResultField::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateToolTip();
}

// What is drawn changes with the focus: the whole text, or shortened.
void ResultField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    update();
}

void ResultField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    update();
}

// The tooltip is the whole text only while the field shortens it; a tooltip
// set from outside is left alone.
void ResultField::updateToolTip()
{
    if (!fits()) {
        setToolTip(text());
        m_toolTipIsWholeText = true;
    } else if (m_toolTipIsWholeText) {
        setToolTip({});
        m_toolTipIsWholeText = false;
    }
}
