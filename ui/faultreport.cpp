#include "faultreport.h"

#include "fieldbinding.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QTextBoundaryFinder>

namespace {

// A pasted page of text would make the box unreadable; its first 40
// characters are enough. They are counted as a reader sees them (graphemes),
// so an emoji or a combined character is never cut in two.
QString shortened(const QString& text)
{
    constexpr int shown = 40;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    for (int count = 0; count < shown; ++count)
        if (graphemes.toNextBoundary() < 0)
            return text;
    const qsizetype cut = graphemes.position();
    return cut >= text.size() ? text : text.left(cut) + u'…';
}

// Scrolls every scroll area that holds `field` so that the field is in view,
// with its caption (the label whose buddy it is) where the viewport has room
// for both, and a margin around them where it has room for that.
void scrollIntoView(QWidget* field)
{
    constexpr int margin = 50;
    for (QWidget* w = field->parentWidget(); w; w = w->parentWidget()) {
        auto* scroller = qobject_cast<QScrollArea*>(w);
        if (!scroller || !scroller->widget() || !scroller->widget()->isAncestorOf(field))
            continue;
        const auto placed = [&](const QWidget* control) {
            return QRect(control->mapTo(scroller->widget(), QPoint()), control->size());
        };
        const QSize room = scroller->viewport()->size();
        QRect where = placed(field);
        for (const QLabel* label : scroller->widget()->findChildren<QLabel*>())
            if (label->buddy() == field) {
                const QRect withCaption = where.united(placed(label));
                if (withCaption.width() <= room.width() && withCaption.height() <= room.height())
                    where = withCaption;
            }
        // A margin the viewport cannot hold would push the field out again.
        const int xMargin = qBound(0, (room.width() - where.width()) / 2, margin);
        const int yMargin = qBound(0, (room.height() - where.height()) / 2, margin);
        scroller->ensureVisible(where.center().x(), where.center().y(), where.width() / 2 + xMargin,
            where.height() / 2 + yMargin);
    }
}

} // namespace

QString faultMessage(const Fault& fault, const QString& fieldCaption)
{
    const QString field = u'“' + fieldCaption + u'”';
    const QString faultText = fromCore(fault.text);
    const QString text = u'“' + shortened(faultText) + u'”';
    QString what;
    switch (fault.kind) {
    case FaultKind::NotANumber:
        what = faultText.trimmed().isEmpty()
            ? field + QStringLiteral("中没有数字。")
            : field + QStringLiteral("中的") + text + QStringLiteral("不是有效的数字。");
        break;
    case FaultKind::OutOfRange:
        what = faultText.isEmpty()
            ? QStringLiteral("计算") + field + QStringLiteral("时结果超出了数值范围。")
            : field + QStringLiteral("中的") + text + QStringLiteral("超出了数值范围。");
        break;
    case FaultKind::DivisionByZero:
        what = QStringLiteral("计算") + field + QStringLiteral("时出现了除数为零。");
        break;
    case FaultKind::InvalidOperation:
        what = QStringLiteral("计算") + field
            + QStringLiteral("时出现了无效运算（如负数开平方或零除以零）。");
        break;
    }
    return what + u'\n' + QStringLiteral("计算已在此处停止，其后的结果未更新。");
}

void reportFault(QWidget* window, const Fault& fault)
{
    const QString name = fromCore(fault.field);
    auto* field = window->findChild<QLineEdit*>(name);
    const QString caption
        = field && !field->accessibleName().isEmpty() ? field->accessibleName() : name;
    QMessageBox::warning(window, QStringLiteral("计算错误"), faultMessage(fault, caption));
    if (field && !field->isReadOnly()) {
        // What the user types next goes into this field: it must be in sight.
        scrollIntoView(field);
        field->activateWindow();
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}
