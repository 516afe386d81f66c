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

using namespace Qt::StringLiterals;

namespace {

// Set while the one verdict window lives; its close box deletes it.
QPointer<FrmShow> theVerdictWindow;

// The rows and, under them, the note on strengths that do not hold.
constexpr int rowCount = 6, firstRowTop = 240, rowPitch = 360;
constexpr int noteTop = firstRowTop + rowCount * rowPitch, noteWidth = 4440;

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
    setFixedSize(twipSize(4680, 2640));
    move(twipsToPixels(6555), twipsToPixels(4170));
    const std::vector<DesignCheck>& checks = bracketDesignChecks();
    for (int row = 0; row < rowCount; ++row) {
        const int top = firstRowTop + rowPitch * row;
        auto* caption = new QLabel(fromCore(checks[std::size_t(row)].caption), this);
        caption->setObjectName(u"Label%1"_s.arg(row + 1));
        caption->setGeometry(twipRect(120, top, 2760, 255));
        m_captions.append(caption);
        auto* verdict = new QLabel(u"Label%1"_s.arg(row + 7), this);
        verdict->setObjectName(u"Label%1"_s.arg(row + 7));
        verdict->setGeometry(twipRect(3000, top, 1575, 255));
        m_verdicts.append(verdict);
    }
    // Hidden while the strengths hold; otherwise the window grows to take it.
    m_note = new QLabel(this);
    m_note->setObjectName(u"StrengthNote"_s);
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
    const BracketVerdicts verdicts = judgeBracket(bracketTexts, userNumberFormat());
    for (qsizetype row = 0; row < qsizetype(verdicts.met.size()); ++row) {
        QLabel* label = m_verdicts[row];
        const bool met = verdicts.met[std::size_t(row)];
        label->setText(met ? u"满足要求"_s : u"不满足要求"_s);
        QPalette palette = this->palette();
        if (!met)
            palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        label->setPalette(palette);
    }

    // Read as sentences, one for each judged row; a row not judged yet shows
    // only its label's name and is left out.
    QStringList sentences;
    for (qsizetype row = 0; row < m_verdicts.size(); ++row)
        if (m_verdicts[row]->text() != m_verdicts[row]->objectName())
            sentences << m_captions[row]->text() + u'：' + m_verdicts[row]->text();
    if (!verdicts.fault)
        showStrengthNote(bracketTexts);
    if (!m_note->isHidden())
        sentences << m_note->text();
    setAccessibleDescription(sentences.join(u"；"_s));
    return verdicts.fault;
}

void FrmShow::showStrengthNote(const FieldTexts& bracketTexts)
{
    QStringList caveats;
    for (const std::string& caveat : strengthCaveats(bracketTexts, userNumberFormat()))
        caveats << toQString(caveat);
    const QSize drawn = twipSize(4680, 2640);
    m_note->setText(caveats.join(u'\n'));
    m_note->setVisible(!caveats.isEmpty());
    if (caveats.isEmpty()) {
        setFixedSize(drawn);
        return;
    }
    const int width = twipsToPixels(noteWidth);
    const int top = twipsToPixels(noteTop);
    const int height = m_note->heightForWidth(width);
    m_note->setGeometry(twipsToPixels(120), top, width, height);
    setFixedSize(drawn.width(), std::max(drawn.height(), top + height + twipsToPixels(120)));
}

void FrmShow::bringForward()
{
    const bool shownAlready = isVisible();
    show();
    raise();
    setFocus(Qt::ActiveWindowFocusReason); // it has no child that takes the focus
    activateWindow();
    if (shownAlready)
        announce(); // new verdicts in a window already on screen
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
