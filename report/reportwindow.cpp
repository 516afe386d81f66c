#include "reportwindow.h"

#include "calculatorwindow.h"
#include "sheetpages.h"
#include "sheettext.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

namespace {

QPointer<ReportWindow> theReportWindow;

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

ReportWindow::ReportWindow(QWidget* owner)
    : QWidget(owner, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(u"ReportWindow"_s);
    setWindowTitle(u"计算书"_s);

    m_browser->setObjectName(u"Browser"_s);
    m_browser->setOpenLinks(false);
    m_browser->setAccessibleName(u"计算书内容"_s);
    // Paper: black on white whatever the desktop's colours.
    QPalette paper = m_browser->palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    m_browser->setPalette(paper);

    QPushButton* print = button(this, u"PrintButton"_s, u"打印…"_s);
    QPushButton* pdf = button(this, u"ExportButton"_s, u"导出PDF…"_s);
    QPushButton* copy = button(this, u"CopyButton"_s, u"复制"_s);
    QPushButton* close = button(this, u"CloseButton"_s, u"关闭"_s);
    connect(print, &QPushButton::clicked, this, &ReportWindow::onPrintClicked);
    connect(pdf, &QPushButton::clicked, this, &ReportWindow::onExportClicked);
    connect(copy, &QPushButton::clicked, this, &ReportWindow::copyToClipboard);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : { print, pdf, copy, close })
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);

    // About an A4 page wide at screen size, within the screen.
    QSize size(820, 960);
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

ReportWindow* ReportWindow::instance(QWidget* owner)
{
    if (!theReportWindow)
        theReportWindow = new ReportWindow(owner);
    return theReportWindow;
}

ReportWindow* ReportWindow::existing()
{
    return theReportWindow;
}

void ReportWindow::showSheet(const SheetSnapshot& snapshot, SheetBuilder build)
{
    m_sheet = build(snapshot);
    m_calculatedAt = snapshot.calculatedAt;
    // The browser deletes only documents of its own; the sheet's are ours.
    QTextDocument* previous = m_document;
    m_document = sheetDocument(m_sheet).release();
    m_document->setParent(this);
    m_document->setDocumentMargin(24);
    m_browser->setDocument(m_document);
    delete previous;
}

bool ReportWindow::exportPdf(const QString& path)
{
    const QString reason = exportSheetPdf(m_sheet, path);
    if (reason.isEmpty())
        return true;
    QMessageBox::warning(this, u"导出PDF"_s,
        u"计算书未能导出到：\n%1\n\n原因：%2"_s.arg(QDir::toNativeSeparators(path), reason));
    return false;
}

void ReportWindow::copyToClipboard() const
{
    auto* data = new QMimeData;
    data->setHtml(sheetHtml(m_sheet));
    data->setText(sheetPlainText(m_sheet));
    QGuiApplication::clipboard()->setMimeData(data);
}

QString ReportWindow::suggestedPdfPath() const
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(
        m_sheet.title + u'-' + m_calculatedAt.toString(u"yyyyMMdd-HHmm"_s) + u".pdf"_s);
}

void ReportWindow::onPrintClicked()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(sheetPageLayout());
    printer.setDocName(m_sheet.title);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(u"打印计算书"_s);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (paintSheet(m_sheet, printer) == 0)
        QMessageBox::warning(this, u"打印"_s, u"计算书未能打印：打印机没有接受打印任务。"_s);
}

void ReportWindow::onExportClicked()
{
    QFileDialog dialog(this, u"导出PDF"_s, {}, u"PDF 文件 (*.pdf)"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(u"pdf"_s);
    const QFileInfo suggested(suggestedPdfPath());
    dialog.setDirectory(suggested.absolutePath());
    dialog.selectFile(suggested.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    exportPdf(dialog.selectedFiles().constFirst());
}

void openCalculationSheet(QWidget* owner, const CalculatorWindow* calculator, SheetBuilder build)
{
    const CalculationState state
        = calculator ? calculator->calculationState() : CalculationState::None;
    if (state == CalculationState::None) {
        QMessageBox::information(owner, u"计算书"_s, u"请先在计算窗口中点击“确定输入”完成计算。"_s);
        return;
    }
    if (state != CalculationState::Complete) {
        // The sheet would not match the inputs on screen.
        QMessageBox::information(
            owner, u"计算书"_s, u"输入已修改或上次计算未完成，请先点击“确定输入”。"_s);
        return;
    }
    ReportWindow* window = ReportWindow::instance(owner);
    window->showSheet({ calculator->calculationTexts(), calculator->calculationTime(),
                          calculator->calculationSeparator() },
        build);
    window->show();
    window->raise();
    window->activateWindow();
}
