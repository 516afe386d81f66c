#include "fieldbinding.h"

#include <QLineEdit>

FieldTexts readFieldTexts(const QWidget* window)
{
    FieldTexts texts;
    for (const QLineEdit* field : window->findChildren<QLineEdit*>())
        if (!field->objectName().isEmpty())
            texts.insert(field->objectName(), field->text());
    return texts;
}

void writeFieldTexts(QWidget* window, const FieldTexts& texts)
{
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        const auto text = texts.constFind(field->objectName());
        if (text != texts.cend() && field->text() != *text) {
            field->setText(*text);
            field->setCursorPosition(0); // show a long figure from its first digit
        }
    }
}
