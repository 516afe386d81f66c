#pragma once

#include "bracketsearch.h"
#include "sectionsearch.h"

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
// a calculator window's inputs: the bracket's load, eccentricity and grade,
// or the I-section's forces, length, grade and basis. The search runs on
// every core while the dialog stays responsive; 采用 (or a double-click)
// writes a candidate into the window and clicks its confirm button. A window
// of its own beside the frame, not modal, so the verdicts it brings up can be
// read. Closing it stops its search and destroys it: the next 截面优选 starts
// clean, for whichever calculator is then in front.
class Optimizer : public QDialog {
    Q_OBJECT
public:
    // For the calculator of this id: "bracket" or "section".
    explicit Optimizer(QWidget* owner, std::string_view calculator = "bracket");
    ~Optimizer() override;

    std::string_view calculatorId() const { return m_section ? "section" : "bracket"; }

    // The window searched for and written to; a bracket's hw becomes the range's.
    void setCalculatorWindow(CalculatorWindow* window);

    QTableWidget* candidateTable() const { return m_table; }
    bool searching() const { return m_worker.joinable(); }
    const BracketSearch& lastSearch() const { return m_found; }
    const SectionSearch& lastSectionSearch() const { return m_sectionFound; }

    void start(); // 开始优选
    void cancel(); // 取消
    void applyCandidate(int row); // 采用

    void done(int result) override; // every way of closing

signals:
    // 采用 is about to write into the calculator's window: whoever shows the
    // calculators brings it to the front, or 采用 writes nothing.
    void calculatorWindowWanted();

private:
    struct Range {
        QLineEdit *from, *to, *step;
    };
    Range addRange(const QString& caption, const QString& id, const QString& from,
        const QString& to, const QString& step);
    QLineEdit* addList(const QString& caption, const QString& id, const QString& sizes);
    QCheckBox* addOption(const QString& caption, const QString& id, bool on);
    std::optional<BracketSearchSpace> readSpace(QString& problem) const;
    std::optional<SectionSearchSpace> readSectionSpace(QString& problem) const;
    QString windowClosed() const;
    void showSpaceSize();
    void showLoad(const FieldTexts& texts);
    void poll();
    void showFound();
    void setBusy(bool busy);

    bool m_section;
    QPointer<CalculatorWindow> m_window;
    QLabel* m_load;
    class QGridLayout* m_grid;
    Range m_bf1 {}, m_bf2 {}, m_hw {};
    QLineEdit *m_t1 = nullptr, *m_t2 = nullptr, *m_ts = nullptr, *m_hf = nullptr;
    QCheckBox *m_flangesAtLeastWeb = nullptr, *m_tensionOutstand = nullptr,
              *m_symmetric = nullptr;
    Range m_B {}, m_H {}; // the I-section's
    QLineEdit *m_tw = nullptr, *m_t = nullptr;
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
    SectionSearch m_sectionFound;
};
