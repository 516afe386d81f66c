#pragma once

#include "designfile.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <string_view>
#include <vector>

class CalculatorWindow;
class QAction;
class QMdiArea;
class QMenu;
class QMdiSubWindow;
class Optimizer;
class TrialList;

// The frame: a multiple-document window whose menu has a command for each
// calculator, which shows that calculator and hides the others. Each
// calculator window exists once, is created (hidden) on its first reference
// and is kept while hidden; its close box destroys it, and the next reference
// creates it afresh with the design-time defaults.
// The frame also holds the design: both calculators' inputs, title blocks
// and trials, saved to and opened from one file through the 文件 menu.
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

    // Shows the frame where it was last closed (QSettings), else maximised.
    void showInItsPlace();

    // The design file shown in the title; empty for a design never saved.
    QString designPath() const { return m_path; }
    bool hasUnsavedChanges() const { return m_unsaved; }
    TrialList* trialList() const; // none until 计算记录 is first chosen
    Optimizer* optimizer() const; // none until 截面优选 is first chosen
    // The trials kept for a calculator, oldest first.
    QList<DesignTrial> trials(std::string_view id) const;

    // Opens `path` after reading and checking all of it; a bad file is
    // refused in a box naming it and what is wrong, and nothing changes.
    bool openDesign(const QString& path);
    // Saves to `path`; a failure is reported in a box naming the path and
    // the reason, and the earlier file stays as it was.
    bool saveDesign(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void onCalculatorChosen(std::size_t index); // 工字型截面性质, 钢牛腿受力计算
    void onMenuReportClicked(); // 计算书
    void onMenuExitClicked(); // 退出
    void onMenuNewClicked(); // 新建
    void onMenuOpenClicked(); // 打开…
    bool onMenuSaveClicked(); // 保存
    bool onMenuSaveAsClicked(); // 另存为…
    void onMenuTrialsClicked(); // 计算记录…
    void onMenuOptimizeClicked(); // 截面优选…
    void showTrials(std::size_t index); // into the trial list, if it is open
    void restoreTrial(std::size_t index, int row);

    // With unsaved changes, asks 保存 / 不保存 / 取消; true when the design
    // may be set aside (saved, discarded, or nothing to lose).
    bool maySetAsideDesign();
    void applyDesign(const Design& design, const QString& path);
    Design currentDesign() const;
    void noteChange();
    void setUnsaved(bool unsaved);
    void noteCalculated(std::size_t index);
    void updateTitle();
    void rememberRecent(const QString& path);
    void updateRecentMenu();

    void rememberPlace() const;
    void createMenu();
    CalculatorWindow* windowAt(std::size_t index);

    QMdiArea* m_area;
    std::vector<QPointer<CalculatorWindow>> m_windows; // as calculatorWindows()
    std::vector<QList<DesignTrial>> m_trials; // as calculatorWindows()
    QString m_path;
    Design m_opened; // as last opened or new: what a newer version wrote goes back on save
    bool m_applying = false; // a design being put into the windows is no change
    // Whether the design differs from its file. The title's mark only shows
    // it: a maximized sub-window sets the frame's mark to its own whenever it
    // becomes active.
    bool m_unsaved = false;
    bool m_typedOrFiled = false; // anything typed, or the design opened or saved
    std::vector<QAction*> m_recent;
    QPointer<TrialList> m_trialList;
    QPointer<Optimizer> m_optimizer;
    std::size_t m_lastShown = SIZE_MAX; // the calculator chosen last, for 计算书
};
