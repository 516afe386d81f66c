#pragma once

#include "calculationsheet.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class CalculatorWindow;
class QLabel;
class QLineEdit;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

// The calculation sheet window (计算书): a top-level, modeless window of its
// own that previews the sheet page by page as it prints, and prints, exports
// or copies it. There is one; it follows the calculator it shows: a new
// complete calculation refreshes it, an edited input or a faulted click marks
// it out of date and disables printing, export and copying until the next.
// Its title-block fields edit the calculator's title block.
class ReportWindow : public QWidget {
    Q_OBJECT
public:
    // The one sheet window, created for `owner` on first reference; it goes
    // with its owner.
    static ReportWindow* instance(QWidget* owner);
    static ReportWindow* existing();
    ~ReportWindow() override;

    // The sheet `build` writes of the calculator's last complete calculation,
    // followed from now on.
    void showCalculation(CalculatorWindow* calculator, SheetBuilder build);
    // The sheet `build` writes from the snapshot, followed by nothing.
    void showSheet(const SheetSnapshot& snapshot, SheetBuilder build);

    const CalculationSheet& sheet() const { return m_sheet; }
    bool isOutdated() const { return m_outdated; }
    QPrintPreviewWidget* preview() const { return m_preview; }
    // The sheet's text as the pages show it.
    QString shownText() const;
    int previewPageCount() const;

    // The dialog-free halves of the buttons.
    // A PDF, or an OpenDocument text where the name ends in .odt; reports a
    // failure in a box.
    bool exportSheet(const QString& path);
    void copyToClipboard() const;
    QString suggestedPdfPath() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit ReportWindow(QWidget* owner);

    void rebuild();
    void onCalculated();
    void onOutdated();
    void onTitleBlockEdited();
    void showTitleBlock(const TitleBlock& block);
    void setOutdated(bool outdated);

    void onPrintClicked(); // 打印…
    void onExportClicked(); // 导出…

    QPrintPreviewWidget* m_preview;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QLabel* m_outdatedLine;
    QLabel* m_statusLine;
    QList<QLineEdit*> m_titleFields; // in the order of TitleBlock
    QList<QPushButton*> m_actions; // 打印, 导出, 复制

    QPointer<CalculatorWindow> m_calculator;
    SheetBuilder m_build = nullptr;
    SheetSnapshot m_snapshot;
    CalculationSheet m_sheet;
    bool m_outdated = false;
};

// The 计算书 command for a calculator (none: nullptr): says in a box why there
// is no sheet, or shows the sheet `build` writes of its last complete
// calculation, and follows it.
void openCalculationSheet(QWidget* owner, CalculatorWindow* calculator, SheetBuilder build);
