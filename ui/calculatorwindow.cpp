#include "calculatorwindow.h"

#include "fieldbinding.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QScrollArea>

CalculatorWindow::CalculatorWindow(const QString& name, const QString& title, QSize clientSize)
    : m_client(new QWidget)
{
    setObjectName(name);
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);

    m_client->setObjectName(name + QStringLiteral("Client"));
    m_client->setFixedSize(clientSize);

    auto* scroller = new QScrollArea;
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(m_client);
    scroller->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(scroller);
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
    if (m_state != CalculationState::Complete)
        return;
    m_state = CalculationState::InputEdited;
    m_texts.clear();
    m_time = {};
}
