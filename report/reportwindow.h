#pragma once

#include "calculationsheet.h"

#include <QWidget>

class CalculatorWindow;
class QTextBrowser;
class QTextDocument;

// The calculation sheet window (计算书): a top-level, modeless window of its
// own that previews the sheet and prints, exports or copies it. There is one;
// showing another calculation refreshes it.
class ReportWindow : public QWidget {
    Q_OBJECT
public:
    // The one sheet window, created for `owner` on first reference; it goes
    // with its owner.
    static ReportWindow* instance(QWidget* owner);
    static ReportWindow* existing();

    // The sheet `build` writes from the snapshot.
    void showSheet(const SheetSnapshot& snapshot, SheetBuilder build);
    const CalculationSheet& sheet() const { return m_sheet; }
    QTextBrowser* browser() const { return m_browser; }

    // The dialog-free halves of the buttons.
    bool exportPdf(const QString& path); // reports a failure in a box
    void copyToClipboard() const;
    QString suggestedPdfPath() const;

private:
    explicit ReportWindow(QWidget* owner);

    void onPrintClicked(); // 打印…
    void onExportClicked(); // 导出PDF…

    QTextBrowser* m_browser;
    QTextDocument* m_document = nullptr;
    CalculationSheet m_sheet;
    QDateTime m_calculatedAt;
};

// The 计算书 command for the calculator that is visible (none: nullptr): says
// in a box why there is no sheet, or shows the sheet `build` writes of its
// last complete calculation.
void openCalculationSheet(QWidget* owner, const CalculatorWindow* calculator, SheetBuilder build);
