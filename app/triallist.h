#pragma once

#include "designfile.h"

#include <QList>
#include <QWidget>

#include <vector>

class QLabel;
class QTabWidget;
class QTableWidget;

// 计算记录: each calculator's trials, one table a calculator, to compare them.
// Columns whose text is not the same in every row are marked with "*" and
// the texts that changed from the row above are shaded. Double-clicking a
// row (or 恢复输入) puts its inputs back into the calculator; rows can be
// deleted and the table copied as tab-separated text. A top-level window
// of its own, owned by the frame; Esc closes it.
class TrialList : public QWidget {
    Q_OBJECT
public:
    explicit TrialList(QWidget* owner);

    // The rows of a calculator, in the order of calculatorWindows().
    void showTrials(std::size_t calculator, const QList<DesignTrial>& trials);
    void showCalculator(std::size_t calculator);

    QTableWidget* table(std::size_t calculator) const { return m_tables[calculator]; }
    // The table of a calculator as a spreadsheet takes it.
    QString tabSeparated(std::size_t calculator) const;

signals:
    void trialChosen(std::size_t calculator, int row);
    void trialsDeleted(std::size_t calculator, const QList<int>& rows); // descending

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::size_t currentCalculator() const;
    void copyCurrent() const; // 复制
    void deleteSelected(); // 删除
    void chooseCurrent(); // 恢复输入

    QTabWidget* m_tabs;
    std::vector<QTableWidget*> m_tables; // as calculatorWindows()
    std::vector<QList<DesignTrial>> m_trials;
};
