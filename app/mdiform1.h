#pragma once

#include <QMainWindow>
#include <QPointer>

class Form1;
class QMdiArea;
class QMdiSubWindow;
class SectionForm;

// The frame: a multiple-document window whose menu shows one calculator and
// hides the other. Each calculator exists once, is created (hidden) on its
// first reference and is kept while hidden; its close box destroys it, and the
// next reference creates it afresh with the design-time defaults.
class MDIForm1 : public QMainWindow {
    Q_OBJECT
public:
    MDIForm1();

    SectionForm* sectionForm();
    Form1* form1();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void onMenuGClicked(); // 工字型截面性质
    void onMenuGNClicked(); // 钢牛腿受力计算
    void onMenuReportClicked(); // 计算书
    void onMenuExitClicked(); // 退出

    void createMenu();
    template <typename Window> Window* instance(QPointer<Window>& slot);
    void showMaximizedChild(QMdiSubWindow* child);

    QMdiArea* m_area;
    QPointer<SectionForm> m_sectionForm;
    QPointer<Form1> m_form1;
};
