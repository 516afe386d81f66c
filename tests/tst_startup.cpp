// What the program sets up before its first window: the desktop entry it
// belongs to, and Qt's own texts (message box buttons, field context menus)
// in Chinese like every caption around them, whatever the locale.

#include "mdiform1.h"
#include "sectionform.h"
#include "startup.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Records the button texts of the message boxes shown while it lives, and
// closes each box from inside its own event loop.
class BoxButtons : public QObject {
public:
    BoxButtons() { qApp->installEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show) {
            for (const QAbstractButton* button : box->buttons())
                texts << button->text();
            QMetaObject::invokeMethod(box, &QWidget::close, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void belongsToItsDesktopEntry();
    void faultBoxButtonIsChinese();
    void fieldContextMenuIsChinese_data();
    void fieldContextMenuIsChinese();
    void qtTextsAreLoadedOnce();

private:
    std::unique_ptr<MDIForm1> m_frame;
};

void TestStartup::initTestCase()
{
    // CTest starts this suite under an English locale: the texts must not
    // depend on a Chinese one.
    QVERIFY2(
        QLocale::system().language() != QLocale::Chinese, qPrintable(QLocale::system().name()));
    prepareTestApplication();
    m_frame = std::make_unique<MDIForm1>();
    showStartWindows(*m_frame);
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

void TestStartup::belongsToItsDesktopEntry()
{
    QCOMPARE(QGuiApplication::desktopFileName(), u"stelvana"_s);
    QCOMPARE(QApplication::applicationName(), u"Stelvana"_s);
}

void TestStartup::faultBoxButtonIsChinese()
{
    auto* form = m_frame->calculatorWindow("section");
    form->findChild<QLineEdit*>(u"Text12"_s)->setText(u"abc"_s);
    BoxButtons boxes;
    QTest::mouseClick(form->findChild<QPushButton*>(u"Command2"_s), Qt::LeftButton);
    QCOMPARE(boxes.texts, QStringList(u"确定"_s));
}

void TestStartup::fieldContextMenuIsChinese_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("input") << u"Text1"_s << QStringList { u"复制"_s, u"粘贴"_s, u"全选"_s };
    QTest::newRow("result") << u"Text5"_s << QStringList { u"复制"_s, u"全选"_s };
}

void TestStartup::fieldContextMenuIsChinese()
{
    QFETCH(QString, field);
    QFETCH(QStringList, captions);
    auto* edit = m_frame->calculatorWindow("section")->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    edit->setText(u"400"_s);
    const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    QStringList shown;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        // "复制(&C)\tCtrl+C": the caption, then its accelerator and shortcut.
        const QString caption = action->text().section(u'\t', 0, 0).section(u'(', 0, 0);
        QVERIFY2(caption.front().script() == QChar::Script_Han, qPrintable(action->text()));
        shown << caption;
    }
    for (const QString& caption : captions)
        QVERIFY2(shown.contains(caption), qPrintable(shown.join(u' ')));
}

void TestStartup::qtTextsAreLoadedOnce()
{
    // Start-up loaded them; asking again adds no second translator.
    QCOMPARE(qApp->findChildren<QTranslator*>().size(), 1);
    QVERIFY(loadQtChineseTexts());
    QCOMPARE(qApp->findChildren<QTranslator*>().size(), 1);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
