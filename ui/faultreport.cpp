#include "faultreport.h"

#include "fieldbinding.h"

#include <QLineEdit>
#include <QMessageBox>
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

} // namespace

QString faultMessage(const Fault& fault, const QString& fieldCaption)
{
    const QString field = u'“' + fieldCaption + u'”';
    const QString faultText = toQString(fault.text);
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
    const QString name = toQString(fault.field);
    auto* field = window->findChild<QLineEdit*>(name);
    const QString caption
        = field && !field->accessibleName().isEmpty() ? field->accessibleName() : name;
    QMessageBox::warning(window, QStringLiteral("计算错误"), faultMessage(fault, caption));
    if (field && !field->isReadOnly()) {
        field->activateWindow();
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}
