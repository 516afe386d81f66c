#include "calculatorwindow.h"

#include "faultreport.h"
#include "fieldbinding.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QScrollArea>
#include <QWindowStateChangeEvent>

namespace {

// QScrollArea asks for at most 36 × 24 lines of text, which made a restored
// calculator a fraction of its drawn size, with scroll bars; this one asks
// for its whole client.
class ClientScroller : public QScrollArea {
public:
    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget() ? widget()->size() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
};

} // namespace

CalculatorWindow::CalculatorWindow(
    const CalculatorEntry& calculator, const QString& name, const QString& title, QSize clientSize)
    : m_calculator(calculator)
    , m_client(new QWidget)
{
    setObjectName(name);
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);

    if (calculator.checks)
        m_verdicts = std::make_unique<VerdictWindowSlot>([this] { return makeVerdictWindow(); });

    m_client->setObjectName(name + QStringLiteral("Client"));
    m_client->setFixedSize(clientSize);

    auto* scroller = new ClientScroller;
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(m_client);
    scroller->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The controls take the focus, never the unnamed area that holds them;
    // it scrolls to whichever has it.
    scroller->setFocusPolicy(Qt::NoFocus);
    setWidget(scroller);
}

void CalculatorWindow::runCalculation()
{
    // The fields typed into and the choices from a list, which a calculation
    // may read too (the I-section's grade ranks its plates).
    FieldTexts texts = readFieldTexts(this);
    for (const QComboBox* combo : findChildren<QComboBox*>())
        if (!combo->objectName().isEmpty())
            texts.insert_or_assign(toCore(combo->objectName()), toCore(combo->currentText()));
    std::optional<Fault> fault = m_calculator.calculate(texts, userNumberFormat());
    writeFieldTexts(this, texts);
    if (!fault)
        fault = checkCalculation(texts);
    noteCalculation(!fault);
    showOutcome(fault);
    if (fault)
        emit calculationOutdated();
    else
        emit calculated();
}

FieldTexts CalculatorWindow::inputTexts() const
{
    FieldTexts texts;
    for (const FieldFacts& facts : m_calculator.fields()) {
        const QString name = fromCore(facts.control);
        if (const auto* combo = findChild<QComboBox*>(name))
            texts.insert_or_assign(std::string(facts.control), toCore(combo->currentText()));
        else if (const auto* field = findChild<QLineEdit*>(name); field && !field->isReadOnly())
            texts.insert_or_assign(std::string(facts.control), toCore(field->text()));
    }
    return texts;
}

void CalculatorWindow::restoreInputs(const FieldTexts& inputs)
{
    FieldTexts texts;
    for (const FieldFacts& facts : m_calculator.fields())
        if (facts.role == FieldRole::Result)
            texts.insert_or_assign(std::string(facts.control), std::string(facts.designText));
    for (const auto& [control, text] : inputs) {
        const QString name = fromCore(control);
        if (auto* combo = findChild<QComboBox*>(name))
            combo->setCurrentText(fromCore(text));
        else
            texts.insert_or_assign(control, text);
    }
    writeFieldTexts(this, texts);
    m_state = CalculationState::None;
    m_texts.clear();
    m_time = {};
    emit calculationOutdated();
}

void CalculatorWindow::setTitleBlock(const TitleBlock& block)
{
    if (block == m_titleBlock)
        return;
    m_titleBlock = block;
    emit titleBlockChanged();
}

CalculatorWindow::~CalculatorWindow() = default;

VerdictWindow* CalculatorWindow::verdictWindow() const
{
    return m_verdicts ? m_verdicts->existing() : nullptr;
}

VerdictLayout CalculatorWindow::verdictLayout() const
{
    return {};
}

VerdictWindow* CalculatorWindow::makeVerdictWindow()
{
    VerdictLayout layout = verdictLayout();
    if (layout.name.isEmpty()) {
        layout.name = fromCore(m_calculator.id) + QStringLiteral("Checks");
        layout.name[0] = layout.name[0].toUpper();
    }
    return new VerdictWindow(m_calculator, std::move(layout));
}

std::optional<Fault> CalculatorWindow::checkCalculation(FieldTexts& texts)
{
    if (!m_verdicts)
        return std::nullopt;
    return m_verdicts->window()->evaluate(texts);
}

void CalculatorWindow::showOutcome(const std::optional<Fault>& fault)
{
    if (fault) {
        // Verdicts of an earlier calculation no longer belong to these inputs.
        if (VerdictWindow* verdicts = verdictWindow())
            verdicts->hide();
        reportFault(this, *fault);
        return;
    }
    if (m_verdicts)
        m_verdicts->window()->bringForward(fieldsOnScreen());
}

QRect CalculatorWindow::fieldsOnScreen() const
{
    // The part of the client shown: all of it, unless the frame is smaller
    // and it scrolls.
    const QWidget* viewport = m_client->parentWidget();
    const QRect shown = viewport
        ? QRect(m_client->mapTo(viewport, QPoint(0, 0)), m_client->size()) & viewport->rect()
        : m_client->rect();
    const QWidget* on = viewport ? viewport : m_client;
    return QRect(on->mapToGlobal(shown.topLeft()), shown.size());
}

void CalculatorWindow::noteCalculation(bool complete)
{
    m_texts.clear();
    m_time = {};
    m_state = complete ? CalculationState::Complete : CalculationState::Faulted;
    if (complete) {
        for (const QLineEdit* field : findChildren<QLineEdit*>())
            if (!field->objectName().isEmpty())
                m_texts.insert(field->objectName(), field->text());
        for (const QComboBox* combo : findChildren<QComboBox*>())
            if (!combo->objectName().isEmpty())
                m_texts.insert(combo->objectName(), combo->currentText());
        m_time = QDateTime::currentDateTime();
        m_separator = QChar(char16_t(userNumberFormat().decimalSeparator));
    }
    // Any change of an input from now on, typed or set, outdates the results.
    // Results are read-only, so writing them does not count.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        if (!field->isReadOnly())
            connect(field, &QLineEdit::textChanged, this, &CalculatorWindow::noteInputEdited,
                Qt::UniqueConnection);
    for (QComboBox* combo : findChildren<QComboBox*>())
        connect(combo, &QComboBox::currentTextChanged, this, &CalculatorWindow::noteInputEdited,
            Qt::UniqueConnection);
}

void CalculatorWindow::noteInputEdited()
{
    emit inputsChanged();
    if (m_state != CalculationState::Complete)
        return;
    m_state = CalculationState::InputEdited;
    m_texts.clear();
    m_time = {};
    emit calculationOutdated();
}

void CalculatorWindow::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
    // The area also changes the state of hidden windows; only a restore the
    // user sees counts.
    if (event->type() != QEvent::WindowStateChange || !mdiArea() || !isVisible())
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if (!(change->oldState() & Qt::WindowMaximized)
        || windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
        return;
    // The first restore gives the size the calculator was drawn at; later
    // ones keep what Qt restores, which the user may have chosen. Either way
    // the window stays inside the frame, which may have changed meanwhile.
    const QRect room = mdiArea()->viewport()->rect();
    const QSize restored = (m_restoredBefore ? size() : sizeHint()).boundedTo(room.size());
    m_restoredBefore = true;
    const QPoint at(qBound(room.left(), x(), room.right() + 1 - restored.width()),
        qBound(room.top(), y(), room.bottom() + 1 - restored.height()));
    if (QRect(at, restored) != geometry())
        setGeometry(QRect(at, restored));
}
