#include "verdictwindow.h"

#include "coretext.h"
#include "fieldbinding.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace {

QAccessibleInterface* verdictInterface(const QString&, QObject* object)
{
    if (object && object->inherits("VerdictWindow"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    return nullptr;
}

// Met, not met, or (in the window's own colour) nothing to judge or not the
// member's case.
QString verdictWords(const DesignCheck& check, const JudgedCheck& judged)
{
    return fromCore(verdictText(check, judged));
}

// Keys that move the focus or prepare a shortcut, pressed before the key that
// is meant; a screen reader user presses Tab first to learn where they are.
bool leavesTheVerdictsOpen(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock: // a screen reader's own modifier on laptops
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

// A heading starts each group of checks but the first, which has no name.
bool startsGroup(CheckTable checks, std::size_t row)
{
    return !checks[row].group.empty() && (row == 0 || checks[row - 1].group != checks[row].group);
}

} // namespace

VerdictWindow::VerdictWindow(const CalculatorEntry& calculator, VerdictLayout layout)
    : m_calculator(calculator)
    , m_layout(std::move(layout))
{
    QAccessible::installFactory(verdictInterface);
    setObjectName(m_layout.name);
    setWindowTitle(m_layout.title);
    setAttribute(Qt::WA_DeleteOnClose);
    // Takes the keyboard when it comes forward, so that a key press reaches it.
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(twipSize(m_layout.width, drawnHeight()));
    const CheckTable checks = m_calculator.checks();
    std::size_t headings = 0;
    for (std::size_t row = 0; row < checks.size(); ++row) {
        const int top = rowTop(row);
        // Made in reading order, so that a screen reader meets a heading
        // before its checks.
        QLabel* heading = nullptr;
        if (startsGroup(checks, row)) {
            heading = new QLabel(fromCore(checks[row].group), this);
            heading->setObjectName(m_layout.headingName(headings++));
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            heading->setGeometry(twipRect(m_layout.captionLeft, top - m_layout.rowPitch,
                m_layout.verdictLeft + m_layout.verdictWidth - m_layout.captionLeft,
                m_layout.rowHeight));
        }
        m_headings.append(heading);
        auto* caption = new QLabel(fromCore(checks[row].caption), this);
        caption->setObjectName(m_layout.captionName(row));
        caption->setGeometry(
            twipRect(m_layout.captionLeft, top, m_layout.captionWidth, m_layout.rowHeight));
        m_captions.append(caption);
        // Before its first judgement a verdict label shows its own name.
        const QString verdictName = m_layout.verdictName(row);
        auto* verdict = new QLabel(verdictName, this);
        verdict->setObjectName(verdictName);
        verdict->setGeometry(
            twipRect(m_layout.verdictLeft, top, m_layout.verdictWidth, m_layout.rowHeight));
        m_verdicts.append(verdict);
    }
    // Hidden until there is something to say; the window grows to take it.
    m_note = new QLabel(this);
    m_note->setObjectName(u"VerdictNotes"_s);
    m_note->setWordWrap(true);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_note->hide();
}

int VerdictWindow::rowTop(std::size_t check) const
{
    // Each heading up to this check takes the place of one row.
    const CheckTable checks = m_calculator.checks();
    int place = int(check);
    for (std::size_t row = 0; row < std::min(check + 1, checks.size()); ++row)
        place += startsGroup(checks, row) ? 1 : 0;
    return m_layout.firstRowTop + m_layout.rowPitch * place;
}

int VerdictWindow::drawnHeight() const
{
    return rowTop(m_calculator.checks().size());
}

std::optional<Fault> VerdictWindow::evaluate(const FieldTexts& texts)
{
    const Verdicts verdicts = m_calculator.judge(texts, userNumberFormat());
    const CheckTable checks = m_calculator.checks();
    for (std::size_t row = 0; row < verdicts.checks.size(); ++row) {
        QLabel* label = m_verdicts[qsizetype(row)];
        const Verdict verdict = verdicts.checks[row].verdict;
        label->setText(verdictWords(checks[row], verdicts.checks[row]));
        QPalette palette = this->palette();
        if (verdict == Verdict::NotMet)
            palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        label->setPalette(palette);
    }

    // Read as sentences, one for each judged check, a heading before its
    // checks; a check not judged yet shows only its label's name and is left
    // out.
    QStringList sentences;
    for (qsizetype row = 0; row < m_verdicts.size(); ++row) {
        if (m_verdicts[row]->text() == m_verdicts[row]->objectName())
            continue;
        if (m_headings[row])
            sentences << m_headings[row]->text();
        sentences << m_captions[row]->text() + u'：' + m_verdicts[row]->text();
    }
    if (!verdicts.fault)
        showNotes(verdicts.notes);
    if (!m_note->isHidden())
        sentences << m_note->text();
    setAccessibleDescription(sentences.join(u"；"_s));
    return verdicts.fault;
}

void VerdictWindow::showNotes(const std::vector<std::string>& notes)
{
    QStringList sentences;
    for (const std::string& note : notes)
        sentences << fromCore(note);
    const QSize drawn = twipSize(m_layout.width, drawnHeight());
    m_note->setText(sentences.join(u'\n'));
    m_note->setVisible(!sentences.isEmpty());
    if (sentences.isEmpty()) {
        setFixedSize(drawn);
        return;
    }
    const int width = twipsToPixels(m_layout.noteWidth);
    const int top = twipsToPixels(drawnHeight());
    const int height = m_note->heightForWidth(width);
    m_note->setGeometry(twipsToPixels(m_layout.captionLeft), top, width, height);
    setFixedSize(drawn.width(), top + height + twipsToPixels(m_layout.captionLeft));
}

void VerdictWindow::bringForward(const QRect& beside)
{
    const bool shownAlready = isVisible();
    if (!m_placed && beside.isValid())
        openBeside(beside);
    keepOnScreen();
    show();
    raise();
    setFocus(Qt::ActiveWindowFocusReason); // it has no child that takes the focus
    activateWindow();
    if (shownAlready)
        announce(); // new verdicts in a window already on screen
}

void VerdictWindow::openBeside(const QRect& beside)
{
    m_placed = true;
    const QScreen* shownOn = QGuiApplication::screenAt(beside.center());
    if (!shownOn)
        shownOn = QGuiApplication::primaryScreen();
    if (!shownOn)
        return;
    const QRect room = shownOn->availableGeometry();
    // Before its first showing the window manager's frame is not known yet;
    // none is wider than this at a side.
    constexpr int likelyBorder = 8;
    const int outerWidth = width() + 2 * likelyBorder;
    const int gap = twipsToPixels(120);
    int left = room.right() + 1 - outerWidth; // over the right end, when nothing else fits
    if (beside.right() + gap + outerWidth <= room.right() + 1)
        left = beside.right() + 1 + gap;
    else if (beside.left() - gap - outerWidth >= room.left())
        left = beside.left() - gap - outerWidth;
    move(std::max(left, room.left()), std::max(beside.top(), room.top()));
}

void VerdictWindow::keepOnScreen()
{
    // Where it stands, unless its notes would take it past the screen's
    // foot: then as far up as that needs, never above the top.
    const QScreen* shownOn = screen();
    if (!shownOn)
        return;
    const QRect room = shownOn->availableGeometry();
    // Before its first showing the window manager's title bar is not known
    // yet; none is taller than this.
    constexpr int likelyTitleBar = 32;
    const int frame = std::max(frameGeometry().height() - height(), likelyTitleBar);
    const int top = std::max(room.top(), std::min(y(), room.bottom() + 1 - height() - frame));
    if (top != y())
        move(x(), top);
}

void VerdictWindow::announce()
{
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    emit announced();
}

void VerdictWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    announce();
}

void VerdictWindow::keyPressEvent(QKeyEvent* event)
{
    if (leavesTheVerdictsOpen(event->key()))
        QWidget::keyPressEvent(event);
    else
        hide();
}

void VerdictWindow::mousePressEvent(QMouseEvent*)
{
    hide();
}
