#pragma once

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <string_view>
#include <vector>

class CalculatorWindow;
class QMdiArea;
class QMdiSubWindow;

// The frame: a multiple-document window whose menu has a command for each
// calculator, which shows that calculator and hides the others. Each
// calculator window exists once, is created (hidden) on its first reference
// and is kept while hidden; its close box destroys it, and the next reference
// creates it afresh with the design-time defaults.
class MDIForm1 : public QMainWindow {
    Q_OBJECT
public:
    MDIForm1();

    // The window of the calculator `id` ("section", "bracket"), or nullptr
    // for an id no calculator has.
    CalculatorWindow* calculatorWindow(std::string_view id);
    template <typename Window> Window* calculatorWindow(std::string_view id)
    {
        return qobject_cast<Window*>(calculatorWindow(id));
    }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void onCalculatorChosen(std::size_t index); // 工字型截面性质, 钢牛腿受力计算
    void onMenuReportClicked(); // 计算书
    void onMenuExitClicked(); // 退出

    void createMenu();
    CalculatorWindow* windowAt(std::size_t index);

    QMdiArea* m_area;
    std::vector<QPointer<CalculatorWindow>> m_windows; // as calculatorWindows()
    std::size_t m_lastShown = SIZE_MAX; // the calculator chosen last, for 计算书
};
