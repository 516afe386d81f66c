#include "mdiform1.h"

#include "calculatorwindow.h"
#include "calculatorwindows.h"
#include "reportwindow.h"
#include "twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>

using namespace Qt::StringLiterals;

MDIForm1::MDIForm1()
    : m_area(new QMdiArea)
    , m_windows(calculatorWindows().size())
{
    setObjectName(u"MDIForm1"_s);
    setWindowTitle(u"Stelvana"_s);
    m_area->setObjectName(u"MDIClient"_s);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    createMenu();
    // The restored client area; the frame opens maximized.
    const QSize client = twipSize(4680, 5040);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void MDIForm1::createMenu()
{
    // Commands straight on the menu bar, none with a sub-menu: one for each
    // calculator, then the sheet and the exit.
    const auto add = [this](const QString& name, const QString& caption) {
        QAction* action = menuBar()->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    const std::span<const CalculatorWindowEntry> calculators = calculatorWindows();
    for (std::size_t index = 0; index < calculators.size(); ++index) {
        const CalculatorEntry& calculator = *calculators[index].calculator;
        connect(add(sheetString(calculator.menuName), sheetString(calculator.menuCaption)),
            &QAction::triggered, this, [this, index] { onCalculatorChosen(index); });
    }
    connect(add(u"menuReport"_s, u"计算书"_s), &QAction::triggered, this,
        &MDIForm1::onMenuReportClicked);
    menuBar()->findChild<QAction*>(u"menuReport"_s)->setShortcut(QKeySequence::Print);
    connect(add(u"menuExit"_s, u"退出"_s), &QAction::triggered, this, &MDIForm1::onMenuExitClicked);
}

CalculatorWindow* MDIForm1::windowAt(std::size_t index)
{
    QPointer<CalculatorWindow>& slot = m_windows[index];
    if (!slot) {
        slot = calculatorWindows()[index].create();
        m_area->addSubWindow(slot);
        slot->hide();
    }
    return slot;
}

CalculatorWindow* MDIForm1::calculatorWindow(std::string_view id)
{
    const std::span<const CalculatorWindowEntry> calculators = calculatorWindows();
    for (std::size_t index = 0; index < calculators.size(); ++index)
        if (calculators[index].calculator->id == id)
            return windowAt(index);
    return nullptr;
}

void MDIForm1::onCalculatorChosen(std::size_t chosen)
{
    m_lastShown = chosen;
    CalculatorWindow* shown = windowAt(chosen);
    shown->showMaximized();
    m_area->setActiveSubWindow(shown);
    for (std::size_t index = 0; index < m_windows.size(); ++index)
        if (index != chosen)
            windowAt(index)->hide();
}

void MDIForm1::onMenuReportClicked()
{
    // The sheet of the calculator shown; with all hidden, of the one shown
    // last, if it still exists. With neither, the sheet window says how to
    // get one.
    std::size_t chosen = m_lastShown;
    for (std::size_t index = 0; index < m_windows.size(); ++index)
        if (m_windows[index] && m_windows[index]->isVisible())
            chosen = index;
    if (chosen < m_windows.size() && m_windows[chosen]) {
        openCalculationSheet(this, m_windows[chosen], calculatorWindows()[chosen].sheet);
        return;
    }
    openCalculationSheet(this, nullptr, nullptr);
}

void MDIForm1::onMenuExitClicked()
{
    // Ends at once: no window is asked whether it may close.
    QCoreApplication::exit(0);
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    // The verdict window is a top-level window of its own; it goes with the frame.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
    event->accept();
}
