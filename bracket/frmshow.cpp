#include "frmshow.h"

#include "bracketverdicts.h"
#include "fieldbinding.h"
#include "fieldrow.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace {

// Set while the one verdict window lives; its close box deletes it.
QPointer<FrmShow> theVerdictWindow;

// The six strength rows as first drawn, then the heading of local stability
// and detailing and its five rows on the same pitch, and under them the
// notes on what the verdicts leave open.
constexpr int firstRowTop = 240, rowPitch = 360;
constexpr int clientWidth = 4680, noteWidth = 4440;

int rowTop(std::size_t row)
{
    // The heading takes the place of one row.
    const int place = int(row) + (row < bracketStrengthCheckCount ? 0 : 1);
    return firstRowTop + rowPitch * place;
}

const int headingTop = rowTop(bracketStrengthCheckCount) - rowPitch;
const int noteTop = rowTop(bracketDesignChecks().size());

// Met, not met, or (in the window's own colour) nothing to judge.
QString verdictText(const DesignCheck& check, Verdict verdict)
{
    switch (verdict) {
    case Verdict::Met:
        return u"满足要求"_s;
    case Verdict::NotMet:
        return fromCore(check.notMet);
    case Verdict::NotJudged:
        break;
    }
    return u"未判断"_s;
}

QAccessibleInterface* verdictInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String(FrmShow::staticMetaObject.className()) && object)
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    return nullptr;
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

} // namespace

FrmShow::FrmShow()
{
    QAccessible::installFactory(verdictInterface);
    setObjectName(u"FrmShow"_s);
    setWindowTitle(u"判断情况如下："_s);
    setAttribute(Qt::WA_DeleteOnClose);
    // Takes the keyboard when it comes forward, so that a key press reaches it.
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(twipSize(clientWidth, noteTop));
    move(twipsToPixels(6555), twipsToPixels(4170));
    const std::vector<DesignCheck>& checks = bracketDesignChecks();
    for (std::size_t row = 0; row < checks.size(); ++row) {
        const int top = rowTop(row);
        // Label1 … Label6 beside Label7 … Label12, then Label13Caption beside
        // Label13 and on to Label17.
        const bool strength = row < bracketStrengthCheckCount;
        if (row == bracketStrengthCheckCount) {
            // Made here, so that a screen reader meets it in reading order.
            m_detailingHeading = new QLabel(fromCore(bracketDetailingHeading), this);
            m_detailingHeading->setObjectName(u"DetailingHeading"_s);
            QFont bold = m_detailingHeading->font();
            bold.setBold(true);
            m_detailingHeading->setFont(bold);
            m_detailingHeading->setGeometry(twipRect(120, headingTop, 4455, 255));
        }
        const QString verdictName = u"Label%1"_s.arg(row + 7);
        auto* caption = new QLabel(fromCore(checks[row].caption), this);
        caption->setObjectName(strength ? u"Label%1"_s.arg(row + 1) : verdictName + u"Caption"_s);
        caption->setGeometry(twipRect(120, top, 2760, 255));
        m_captions.append(caption);
        auto* verdict = new QLabel(verdictName, this);
        verdict->setObjectName(verdictName);
        verdict->setGeometry(twipRect(3000, top, 1575, 255));
        m_verdicts.append(verdict);
    }
    // Hidden until there is something to say; the window grows to take it.
    m_note = new QLabel(this);
    m_note->setObjectName(u"VerdictNotes"_s);
    m_note->setWordWrap(true);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_note->hide();
}

FrmShow* FrmShow::instance()
{
    if (!theVerdictWindow)
        theVerdictWindow = new FrmShow;
    return theVerdictWindow;
}

FrmShow* FrmShow::existing()
{
    return theVerdictWindow;
}

std::optional<Fault> FrmShow::evaluate(const FieldTexts& bracketTexts)
{
    const Verdicts verdicts = judgeBracket(bracketTexts, userNumberFormat());
    const std::vector<DesignCheck>& checks = bracketDesignChecks();
    for (std::size_t row = 0; row < verdicts.checks.size(); ++row) {
        QLabel* label = m_verdicts[qsizetype(row)];
        const Verdict verdict = verdicts.checks[row].verdict;
        label->setText(verdictText(checks[row], verdict));
        QPalette palette = this->palette();
        if (verdict == Verdict::NotMet)
            palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        label->setPalette(palette);
    }

    // Read as sentences, one for each judged row, the heading before its
    // rows; a row not judged yet shows only its label's name and is left out.
    QStringList sentences;
    for (qsizetype row = 0; row < m_verdicts.size(); ++row) {
        if (m_verdicts[row]->text() == m_verdicts[row]->objectName())
            continue;
        if (row == qsizetype(bracketStrengthCheckCount))
            sentences << m_detailingHeading->text();
        sentences << m_captions[row]->text() + u'：' + m_verdicts[row]->text();
    }
    if (!verdicts.fault)
        showNotes(verdicts.notes);
    if (!m_note->isHidden())
        sentences << m_note->text();
    setAccessibleDescription(sentences.join(u"；"_s));
    return verdicts.fault;
}

void FrmShow::showNotes(const std::vector<std::string>& notes)
{
    QStringList sentences;
    for (const std::string& note : notes)
        sentences << fromCore(note);
    const QSize drawn = twipSize(clientWidth, noteTop);
    m_note->setText(sentences.join(u'\n'));
    m_note->setVisible(!sentences.isEmpty());
    if (sentences.isEmpty()) {
        setFixedSize(drawn);
        return;
    }
    const int width = twipsToPixels(noteWidth);
    const int top = twipsToPixels(noteTop);
    const int height = m_note->heightForWidth(width);
    m_note->setGeometry(twipsToPixels(120), top, width, height);
    setFixedSize(drawn.width(), top + height + twipsToPixels(120));
}

void FrmShow::bringForward()
{
    const bool shownAlready = isVisible();
    keepOnScreen();
    show();
    raise();
    setFocus(Qt::ActiveWindowFocusReason); // it has no child that takes the focus
    activateWindow();
    if (shownAlready)
        announce(); // new verdicts in a window already on screen
}

void FrmShow::keepOnScreen()
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

void FrmShow::announce()
{
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    emit announced();
}

void FrmShow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    announce();
}

void FrmShow::keyPressEvent(QKeyEvent* event)
{
    if (leavesTheVerdictsOpen(event->key()))
        QWidget::keyPressEvent(event);
    else
        hide();
}

void FrmShow::mousePressEvent(QMouseEvent*)
{
    hide();
}
