#include "startup.h"

#include "interfacefont.h"
#include "mdiform1.h"
#include "sectionform.h"

#include <QApplication>
#include <QIcon>

void applyProgramLook()
{
    QApplication::setApplicationName(QStringLiteral("Stelvana"));
    QApplication::setFont(interfaceFont());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/stelvana.svg")));
}

void showStartWindows(MDIForm1& frame)
{
    frame.showMaximized();
    frame.sectionForm()->showMaximized();
}
