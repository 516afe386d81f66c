#pragma once

#include "bracketsearch.h"

#include <QDialog>
#include <QPointer>

#include <atomic>
#include <thread>

class CalculatorWindow;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

// 截面优选: the lightest sections of a search space that pass every check of
// the bracket window's load, eccentricity and grade. The search runs on
// every core while the dialog stays responsive; 采用 (or a double-click)
// writes a candidate into the window and clicks "确定输入". A window of its
// own beside the frame, not modal, so the verdicts it brings up can be read.
// Closing it stops its search and destroys it: the next 截面优选 starts clean.
class Optimizer : public QDialog {
    Q_OBJECT
public:
    explicit Optimizer(QWidget* owner);
    ~Optimizer() override;

    // The window searched for and written to; its hw becomes the range's.
    void setBracketWindow(CalculatorWindow* window);

    QTableWidget* candidateTable() const { return m_table; }
    bool searching() const { return m_worker.joinable(); }
    const BracketSearch& lastSearch() const { return m_found; }

    void start(); // 开始优选
    void cancel(); // 取消
    void applyCandidate(int row); // 采用

    void done(int result) override; // every way of closing

signals:
    // 采用 is about to write into the bracket window: whoever shows the
    // calculators brings it to the front, or 采用 writes nothing.
    void bracketWindowWanted();

private:
    struct Range {
        QLineEdit *from, *to, *step;
    };
    Range addRange(const QString& caption, const QString& id, const QString& from,
        const QString& to, const QString& step);
    QLineEdit* addList(const QString& caption, const QString& id, const QString& sizes);
    QCheckBox* addOption(const QString& caption, const QString& id, bool on);
    std::optional<BracketSearchSpace> readSpace(QString& problem) const;
    void showSpaceSize();
    void showLoad(const FieldTexts& texts);
    void poll();
    void showFound();
    void setBusy(bool busy);

    QPointer<CalculatorWindow> m_window;
    QLabel* m_load;
    class QGridLayout* m_grid;
    Range m_bf1, m_bf2, m_hw;
    QLineEdit *m_t1, *m_t2, *m_ts, *m_hf;
    QCheckBox *m_flangesAtLeastWeb, *m_tensionOutstand, *m_symmetric;
    QLabel* m_spaceSize;
    QPushButton *m_start, *m_cancel, *m_apply;
    QProgressBar* m_progress;
    QLabel* m_status;
    QTableWidget* m_table;
    QTimer* m_poll;

    // The search running, and the window's texts it searches with.
    std::thread m_worker;
    std::atomic<bool> m_cancelled = false;
    std::atomic<bool> m_done = false;
    std::atomic<double> m_fraction = 0;
    FieldTexts m_searched;
    NumberFormat m_format;
    BracketSearch m_found;
};
