#include "calculatorwindow.h"

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
