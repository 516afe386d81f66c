#include "mdiform1.h"

#include "form1.h"
#include "reportwindow.h"
#include "sectionform.h"
#include "twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>

using namespace Qt::StringLiterals;

MDIForm1::MDIForm1()
    : m_area(new QMdiArea)
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
    // Commands straight on the menu bar, none with a sub-menu.
    const auto add = [this](const QString& name, const QString& caption, void (MDIForm1::*slot)()) {
        QAction* action = menuBar()->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(u"menuG"_s, u"工字型截面性质"_s, &MDIForm1::onMenuGClicked);
    add(u"menuGN"_s, u"钢牛腿受力计算"_s, &MDIForm1::onMenuGNClicked);
    add(u"menuReport"_s, u"计算书"_s, &MDIForm1::onMenuReportClicked)
        ->setShortcut(QKeySequence::Print);
    add(u"menuExit"_s, u"退出"_s, &MDIForm1::onMenuExitClicked);
}

template <typename Window> Window* MDIForm1::instance(QPointer<Window>& slot)
{
    if (!slot) {
        slot = new Window;
        m_area->addSubWindow(slot);
        slot->hide();
    }
    return slot;
}

SectionForm* MDIForm1::sectionForm()
{
    return instance(m_sectionForm);
}

Form1* MDIForm1::form1()
{
    return instance(m_form1);
}

void MDIForm1::showMaximizedChild(QMdiSubWindow* child)
{
    child->showMaximized();
    m_area->setActiveSubWindow(child);
}

void MDIForm1::onMenuGClicked()
{
    showMaximizedChild(sectionForm());
    form1()->hide();
}

void MDIForm1::onMenuGNClicked()
{
    showMaximizedChild(form1());
    sectionForm()->hide();
}

void MDIForm1::onMenuReportClicked()
{
    if (m_sectionForm && m_sectionForm->isVisible())
        openCalculationSheet(this, m_sectionForm, SheetKind::Section);
    else if (m_form1 && m_form1->isVisible())
        openCalculationSheet(this, m_form1, SheetKind::Bracket);
    else
        openCalculationSheet(this, nullptr, SheetKind::Section);
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
