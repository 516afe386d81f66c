#include "fieldbinding.h"

#include <QLineEdit>
#include <QLocale>

FieldTexts readFieldTexts(const QWidget* window)
{
    FieldTexts texts;
    for (const QLineEdit* field : window->findChildren<QLineEdit*>())
        if (!field->objectName().isEmpty())
            texts.insert_or_assign(toCore(field->objectName()), toCore(field->text()));
    return texts;
}

void writeFieldTexts(QWidget* window, const FieldTexts& texts)
{
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        const auto found = texts.find(toCore(field->objectName()));
        if (found == texts.end())
            continue;
        const QString text = fromCore(found->second);
        if (field->text() != text) {
            field->setText(text);
            field->setCursorPosition(0); // show a long figure from its first digit
        }
    }
}

NumberFormat numberFormatOf(const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    const QList<uint> characters = point.toUcs4();
    return NumberFormat { characters.size() == 1 ? char32_t(characters.front()) : U'.' };
}

NumberFormat userNumberFormat()
{
    return numberFormatOf(QLocale());
}
