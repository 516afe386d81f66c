#include "reportwindow.h"

#include "calculatorwindow.h"
#include "sheetdocument.h"
#include "sheetodt.h"
#include "sheetpages.h"
#include "sheettext.h"

#include <QAbstractScrollArea>
#include <QBoxLayout>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTextDocument>

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

// The title block's fields: name, caption, the member of TitleBlock.
struct TitleField {
    const char16_t* name;
    const char16_t* caption;
    QString TitleBlock::*member;
};

const TitleField titleFields[] {
    { u"ProjectName", u"工程名称", &TitleBlock::projectName },
    { u"ProjectNumber", u"工程编号", &TitleBlock::projectNumber },
    { u"Member", u"构件名称/编号", &TitleBlock::member },
    { u"DesignOrganisation", u"设计单位", &TitleBlock::designOrganisation },
    { u"CalculatedBy", u"计算", &TitleBlock::calculatedBy },
    { u"CalculatedOn", u"日期", &TitleBlock::calculatedOn },
    { u"CheckedBy", u"校对", &TitleBlock::checkedBy },
    { u"CheckedOn", u"日期", &TitleBlock::checkedOn },
    { u"ApprovedBy", u"审核", &TitleBlock::approvedBy },
    { u"ApprovedOn", u"日期", &TitleBlock::approvedOn },
};

SheetSnapshot snapshotOf(const CalculatorWindow& calculator)
{
    return { calculator.calculationTexts(), calculator.calculationTime(),
        calculator.calculationSeparator(), calculator.titleBlock() };
}

} // namespace

ReportWindow::ReportWindow(QWidget* owner)
    : QWidget(owner, Qt::Window)
    , m_previewPrinter(new QPrinter(QPrinter::HighResolution))
{
    setObjectName(u"ReportWindow"_s);
    setWindowTitle(u"计算书"_s);

    // The preview paints the pages as the PDF does: the same page layout
    // and resolution, so the same breaks.
    m_previewPrinter->setOutputFormat(QPrinter::PdfFormat);
    m_previewPrinter->setResolution(sheetResolution);
    m_previewPrinter->setPageLayout(sheetPageLayout());
    m_preview = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    m_preview->setObjectName(u"Preview"_s);
    m_preview->setAccessibleName(u"计算书内容"_s);
    m_preview->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_preview->setZoomMode(QPrintPreviewWidget::FitToWidth); // readable as on paper
    // The pages' view inside takes the focus, for scrolling: it is the sheet.
    for (QWidget* view : m_preview->findChildren<QAbstractScrollArea*>())
        view->setAccessibleName(u"计算书页面"_s);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
        [this](QPrinter* printer) { paintSheet(m_sheet, *printer); });

    auto* titleBox = new QGroupBox(u"图签"_s, this);
    auto* titleGrid = new QGridLayout(titleBox);
    for (int i = 0; i < int(std::size(titleFields)); ++i) {
        auto* field = new QLineEdit(titleBox);
        field->setObjectName(QString::fromUtf16(titleFields[i].name));
        const QString caption = QString::fromUtf16(titleFields[i].caption);
        field->setAccessibleName(i >= 4 && i % 2 == 1
                ? QString::fromUtf16(titleFields[i - 1].caption) + caption
                : caption);
        auto* label = new QLabel(caption, titleBox);
        label->setBuddy(field);
        titleGrid->addWidget(label, i / 2, (i % 2) * 2);
        titleGrid->addWidget(field, i / 2, (i % 2) * 2 + 1);
        connect(field, &QLineEdit::textEdited, this, &ReportWindow::onTitleBlockEdited);
        m_titleFields << field;
    }
    titleGrid->setColumnStretch(1, 3);
    titleGrid->setColumnStretch(3, 2);

    m_outdatedLine
        = new QLabel(u"输入已修改，计算书已过期。请在计算窗口中重新点击“确定输入”。"_s, this);
    m_outdatedLine->setObjectName(u"OutdatedLine"_s);
    m_outdatedLine->setStyleSheet(u"color:#c00000; font-weight:bold"_s);
    m_outdatedLine->hide();
    m_statusLine = new QLabel(this);
    m_statusLine->setObjectName(u"StatusLine"_s);
    m_statusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);

    QPushButton* print = button(this, u"PrintButton"_s, u"打印…"_s);
    QPushButton* pdf = button(this, u"ExportButton"_s, u"导出…"_s);
    QPushButton* copy = button(this, u"CopyButton"_s, u"复制"_s);
    QPushButton* close = button(this, u"CloseButton"_s, u"关闭"_s);
    connect(print, &QPushButton::clicked, this, &ReportWindow::onPrintClicked);
    connect(pdf, &QPushButton::clicked, this, &ReportWindow::onExportClicked);
    connect(copy, &QPushButton::clicked, this, &ReportWindow::copyToClipboard);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    m_actions = { print, pdf, copy };

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_statusLine, 1);
    for (QPushButton* b : { print, pdf, copy, close })
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleBox);
    layout->addWidget(m_outdatedLine);
    layout->addWidget(m_preview, 1);
    layout->addLayout(buttons);

    // About an A4 page wide at screen size, within the screen.
    QSize size(820, 960);
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

ReportWindow::~ReportWindow() = default;

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

void ReportWindow::showCalculation(CalculatorWindow* calculator, SheetBuilder build)
{
    if (m_calculator != calculator) {
        if (m_calculator)
            disconnect(m_calculator, nullptr, this, nullptr);
        m_calculator = calculator;
        connect(calculator, &CalculatorWindow::calculated, this, &ReportWindow::onCalculated);
        connect(
            calculator, &CalculatorWindow::calculationOutdated, this, &ReportWindow::onOutdated);
        connect(calculator, &CalculatorWindow::titleBlockChanged, this, [this] {
            m_snapshot.titleBlock = m_calculator->titleBlock();
            showTitleBlock(m_snapshot.titleBlock);
            rebuild();
        });
    }
    m_build = build;
    m_snapshot = snapshotOf(*calculator);
    showTitleBlock(m_snapshot.titleBlock);
    setOutdated(calculator->calculationState() != CalculationState::Complete);
    rebuild();
}

void ReportWindow::showSheet(const SheetSnapshot& snapshot, SheetBuilder build)
{
    if (m_calculator)
        disconnect(m_calculator, nullptr, this, nullptr);
    m_calculator = nullptr;
    m_build = build;
    m_snapshot = snapshot;
    showTitleBlock(snapshot.titleBlock);
    setOutdated(false);
    rebuild();
}

void ReportWindow::rebuild()
{
    m_sheet = m_build(m_snapshot);
    m_statusLine->clear();
    m_preview->updatePreview();
}

void ReportWindow::onCalculated()
{
    m_snapshot = snapshotOf(*m_calculator);
    setOutdated(false);
    rebuild();
}

void ReportWindow::onOutdated()
{
    setOutdated(true);
}

void ReportWindow::setOutdated(bool outdated)
{
    m_outdated = outdated;
    m_outdatedLine->setVisible(outdated);
    for (QPushButton* action : m_actions)
        action->setEnabled(!outdated);
}

void ReportWindow::showTitleBlock(const TitleBlock& block)
{
    for (qsizetype i = 0; i < m_titleFields.size(); ++i) {
        const QString& text = block.*titleFields[i].member;
        if (m_titleFields[i]->text() != text)
            m_titleFields[i]->setText(text);
    }
}

void ReportWindow::onTitleBlockEdited()
{
    TitleBlock block;
    for (qsizetype i = 0; i < m_titleFields.size(); ++i)
        block.*titleFields[i].member = m_titleFields[i]->text();
    if (m_calculator) {
        m_calculator->setTitleBlock(block); // comes back as titleBlockChanged
        return;
    }
    m_snapshot.titleBlock = block;
    rebuild();
}

QString ReportWindow::shownText() const
{
    // A drawing stands in the text as U+FFFC; it is no glyph of the font.
    return sheetDocument(m_sheet)->toPlainText().remove(QChar::ObjectReplacementCharacter);
}

int ReportWindow::previewPageCount() const
{
    return m_preview->pageCount();
}

void ReportWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool ReportWindow::exportSheet(const QString& path)
{
    if (m_outdated)
        return false;
    const bool odt = QFileInfo(path).suffix().compare(u"odt"_s, Qt::CaseInsensitive) == 0;
    const QString reason = odt ? exportSheetOdt(m_sheet, path) : exportSheetPdf(m_sheet, path);
    if (reason.isEmpty()) {
        m_statusLine->setText(u"已导出到：%1"_s.arg(QDir::toNativeSeparators(path)));
        return true;
    }
    m_statusLine->clear();
    QMessageBox::warning(this, odt ? u"导出ODT"_s : u"导出PDF"_s,
        u"计算书未能导出到：\n%1\n\n原因：%2"_s.arg(QDir::toNativeSeparators(path), reason));
    return false;
}

void ReportWindow::copyToClipboard() const
{
    if (m_outdated)
        return;
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
        m_sheet.title + u'-' + m_snapshot.calculatedAt.toString(u"yyyyMMdd-HHmm"_s) + u".pdf"_s);
}

void ReportWindow::onPrintClicked()
{
    if (m_outdated)
        return;
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
    const QString pdf = u"PDF 文件 (*.pdf)"_s;
    const QString odt = u"OpenDocument 文本，Word、WPS 可打开 (*.odt)"_s;
    QFileDialog dialog(this, u"导出计算书"_s);
    dialog.setNameFilters({ pdf, odt });
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(u"pdf"_s);
    // A name typed without a suffix takes the chosen kind's.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        dialog.setDefaultSuffix(filter == odt ? u"odt"_s : u"pdf"_s);
    });
    const QFileInfo suggested(suggestedPdfPath());
    dialog.setDirectory(suggested.absolutePath());
    dialog.selectFile(suggested.fileName());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // A name the dialog could not use still gets an answer, never silence.
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.constFirst().isEmpty()) {
        QMessageBox::warning(this, u"导出计算书"_s, u"计算书未能导出：没有得到可用的文件名。"_s);
        return;
    }
    exportSheet(chosen.constFirst());
}

void openCalculationSheet(QWidget* owner, CalculatorWindow* calculator, SheetBuilder build)
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
    window->showCalculation(calculator, build);
    window->show();
    window->raise();
    window->activateWindow();
}
