#include "optimizer.h"

#include "bracketfields.h"
#include "bracketverdicts.h"
#include "calculatorwindow.h"
#include "coretext.h"
#include "faultreport.h"
#include "fieldbinding.h"
#include "searchspace.h"
#include "sectionchecks.h"
#include "sectionfields.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

namespace field = BracketField;

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// A list of sizes as the dialog shows it: comma-separated, unless the comma
// is the user's decimal separator.
QString listText(const std::vector<std::string>& sizes)
{
    QStringList texts;
    for (const std::string& size : sizes)
        texts << fromCore(size);
    return texts.join(userNumberFormat().decimalSeparator == U',' ? u"; "_s : u", "_s);
}

QString textOf(const FieldTexts& texts, FieldName control)
{
    const auto found = texts.find(control);
    return found == texts.end() ? QString() : fromCore(found->second);
}

// The inputs a search does not size: a click on a candidate gives what the
// dialog showed only while these stand as they were searched with.
template <typename Sizes> FieldTexts unsearched(FieldTexts texts, const Sizes& sizes)
{
    for (const FieldName size : sizes)
        texts.erase(std::string(size));
    return texts;
}

const QStringList columns { u"bf1"_s, u"bf2"_s, u"t1"_s, u"t2"_s, u"ts"_s, u"hw"_s, u"hf"_s,
    u"An (mm²)"_s, u"每米重 (kg/m)"_s, u"控制项"_s, u"应力比"_s };
const QStringList sectionColumns { u"B"_s, u"H"_s, u"tw"_s, u"t"_s, u"A (mm²)"_s,
    u"每米重 (kg/m)"_s, u"控制项"_s, u"应力比"_s };


// The sizes of a search space as the dialog's fields give them; the first
// field that gives none names the problem.
class SpaceReader {
public:
    explicit SpaceReader(QString& problem)
        : m_problem(problem)
        , m_format(userNumberFormat())
    {
    }

    void range(std::vector<std::string>& sizes, const QString& caption, const QLineEdit* from,
        const QLineEdit* to, const QLineEdit* step)
    {
        take(sizes, caption,
            sizesInRange(toCore(from->text()), toCore(to->text()), toCore(step->text()), m_format));
    }
    void list(std::vector<std::string>& sizes, const QString& caption, const QLineEdit* edit)
    {
        take(sizes, caption, sizesInList(toCore(edit->text()), m_format));
    }

private:
    void take(std::vector<std::string>& sizes, const QString& caption, const SizesRead& read)
    {
        if (read.sizes.empty() && m_problem.isEmpty())
            m_problem = caption + u"："_s + fromCore(read.problem);
        sizes = read.sizes;
    }

    QString& m_problem;
    NumberFormat m_format;
};

} // namespace

Optimizer::Optimizer(QWidget* owner, std::string_view calculator)
    : QDialog(owner)
    , m_section(calculator == "section")
    , m_load(new QLabel(this))
    , m_grid(new QGridLayout)
    , m_spaceSize(new QLabel(this))
    , m_start(button(this, u"startButton"_s, u"开始优选"_s))
    , m_cancel(button(this, u"cancelButton"_s, u"取消"_s))
    , m_apply(button(this, u"applyButton"_s, u"采用"_s))
    , m_progress(new QProgressBar(this))
    , m_status(new QLabel(this))
    , m_table(new QTableWidget(0, int((m_section ? sectionColumns : columns).size()), this))
    , m_poll(new QTimer(this))
{
    setObjectName(u"Optimizer"_s);
    setWindowTitle(u"截面优选"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    m_load->setObjectName(u"loadLabel"_s);
    m_load->setWordWrap(true);

    // The search space: ranges of widths and depths, lists of plates.
    auto* space = new QGroupBox(u"搜索范围"_s, this);
    space->setLayout(m_grid);
    for (const auto& [column, caption] :
        { std::pair(1, u"从"_s), std::pair(2, u"到"_s), std::pair(3, u"步长"_s) })
        m_grid->addWidget(new QLabel(caption, space), 0, column, Qt::AlignCenter);
    if (m_section) {
        const SectionSearchSpace defaults = defaultSectionSearchSpace();
        m_B = addRange(u"翼缘宽 B"_s, u"B"_s, u"150"_s, u"600"_s, u"10"_s);
        m_H = addRange(u"截面高 H"_s, u"H"_s, u"200"_s, u"1200"_s, u"10"_s);
        m_tw = addList(u"腹板厚 tw"_s, u"tw"_s, listText(defaults.tw));
        m_t = addList(u"翼缘厚 t"_s, u"t"_s, listText(defaults.t));
    } else {
        m_bf1 = addRange(u"上翼缘宽 bf1"_s, u"bf1"_s, u"150"_s, u"400"_s, u"10"_s);
        m_bf2 = addRange(u"下翼缘宽 bf2"_s, u"bf2"_s, u"150"_s, u"400"_s, u"10"_s);
        const BracketSearchSpace defaults = defaultBracketSearchSpace({});
        m_t1 = addList(u"上翼缘厚 t1"_s, u"t1"_s, listText(defaults.t1));
        m_t2 = addList(u"下翼缘厚 t2"_s, u"t2"_s, listText(defaults.t2));
        m_ts = addList(u"腹板厚 ts"_s, u"ts"_s, listText(defaults.ts));
        m_hw = addRange(u"腹板高 hw"_s, u"hw"_s, u"500"_s, u"500"_s, u"10"_s);
        m_hf = addList(u"焊脚尺寸 hf"_s, u"hf"_s, listText(defaults.hf));
        m_flangesAtLeastWeb
            = addOption(u"翼缘不薄于腹板"_s, u"flangesAtLeastWeb"_s, defaults.flangesAtLeastWeb);
        m_tensionOutstand = addOption(
            u"受拉翼缘宽厚比同受压翼缘"_s, u"tensionOutstand"_s, defaults.tensionOutstand);
        m_symmetric = addOption(u"对称截面"_s, u"symmetric"_s, defaults.symmetric);
    }
    m_spaceSize->setObjectName(u"spaceSize"_s);
    m_grid->addWidget(m_spaceSize, m_grid->rowCount(), 0, 1, 5);

    m_progress->setObjectName(u"searchProgress"_s);
    m_progress->setAccessibleName(u"优选进度"_s);
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_status->setObjectName(u"searchStatus"_s);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_table->setObjectName(u"candidateTable"_s);
    m_table->setAccessibleName(u"满足全部验算的最轻截面"_s);
    m_table->setHorizontalHeaderLabels(m_section ? sectionColumns : columns);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &Optimizer::applyCandidate);
    connect(m_table, &QTableWidget::itemSelectionChanged, this,
        [this] { m_apply->setEnabled(!searching() && !m_table->selectedItems().isEmpty()); });

    QPushButton* close = button(this, u"closeButton"_s, u"关闭"_s);
    connect(m_start, &QPushButton::clicked, this, &Optimizer::start);
    connect(m_cancel, &QPushButton::clicked, this, &Optimizer::cancel);
    connect(
        m_apply, &QPushButton::clicked, this, [this] { applyCandidate(m_table->currentRow()); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_poll, &QTimer::timeout, this, &Optimizer::poll);
    m_poll->setInterval(50);

    auto* running = new QHBoxLayout;
    running->addWidget(m_start);
    running->addWidget(m_cancel);
    running->addWidget(m_progress, 1);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(m_apply);
    closing->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_load);
    layout->addWidget(space);
    layout->addLayout(running);
    layout->addWidget(m_status);
    layout->addWidget(m_table, 1);
    layout->addLayout(closing);

    // Enter starts a search from anywhere in the dialog; no button takes
    // the default from 开始优选 by having the focus.
    m_start->setDefault(true);
    setBusy(false);
    m_apply->setEnabled(false);
    showSpaceSize();
    // Tall enough for the ten rows without scrolling, where the screen allows.
    const QScreen* shown = owner ? owner->screen() : QGuiApplication::primaryScreen();
    resize(760, shown ? std::min(780, shown->availableGeometry().height() - 40) : 780);
}

Optimizer::~Optimizer()
{
    m_cancelled = true;
    if (m_worker.joinable())
        m_worker.join();
}

void Optimizer::done(int result)
{
    cancel();
    QDialog::done(result);
}

Optimizer::Range Optimizer::addRange(const QString& caption, const QString& id, const QString& from,
    const QString& to, const QString& step)
{
    const int row = m_grid->rowCount();
    auto* label = new QLabel(caption, this);
    m_grid->addWidget(label, row, 0);
    Range range {};
    int column = 1;
    for (const auto& [edit, text, part] : { std::tuple(&range.from, from, u"从"_s),
             std::tuple(&range.to, to, u"到"_s), std::tuple(&range.step, step, u"步长"_s) }) {
        *edit = new QLineEdit(text, this);
        (*edit)->setObjectName(id + u'_' + QString::number(column));
        (*edit)->setAccessibleName(caption + u" "_s + part);
        connect(*edit, &QLineEdit::textChanged, this, &Optimizer::showSpaceSize);
        m_grid->addWidget(*edit, row, column++);
    }
    label->setBuddy(range.from);
    m_grid->addWidget(new QLabel(u"mm"_s, this), row, 4);
    return range;
}

QLineEdit* Optimizer::addList(const QString& caption, const QString& id, const QString& sizes)
{
    const int row = m_grid->rowCount();
    auto* label = new QLabel(caption, this);
    auto* edit = new QLineEdit(sizes, this);
    edit->setObjectName(id);
    edit->setAccessibleName(caption);
    label->setBuddy(edit);
    connect(edit, &QLineEdit::textChanged, this, &Optimizer::showSpaceSize);
    m_grid->addWidget(label, row, 0);
    m_grid->addWidget(edit, row, 1, 1, 3);
    m_grid->addWidget(new QLabel(u"mm"_s, this), row, 4);
    return edit;
}

// An option of the space, under the sizes, in the tab order where it stands.
QCheckBox* Optimizer::addOption(const QString& caption, const QString& id, bool on)
{
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(id);
    box->setChecked(on);
    connect(box, &QCheckBox::toggled, this, &Optimizer::showSpaceSize);
    m_grid->addWidget(box, m_grid->rowCount(), 1, 1, 4);
    return box;
}

QString Optimizer::windowClosed() const
{
    return m_section ? u"工字型截面窗口已关闭：请先打开工字型截面性质。"_s
                     : u"钢牛腿窗口已关闭：请先打开钢牛腿受力计算。"_s;
}

void Optimizer::setCalculatorWindow(CalculatorWindow* window)
{
    m_window = window;
    if (!window || searching())
        return;
    if (m_section) {
        showLoad(window->inputTexts());
        showSpaceSize();
        return;
    }
    const QString hw = textOf(window->inputTexts(), field::hw);
    m_hw.from->setText(hw);
    m_hw.to->setText(hw);
    showLoad(window->inputTexts());
    showSpaceSize(); // the outstand the options allow follows the window's grade
}

void Optimizer::showLoad(const FieldTexts& texts)
{
    if (m_section) {
        namespace section = SectionField;
        m_load->setText(
            u"荷载、长度与钢材取自工字型截面窗口：N = %1 kN，M = %2 kN·m，L = %3 mm，%4。"_s.arg(
                textOf(texts, section::N), textOf(texts, section::M), textOf(texts, section::L),
                textOf(texts, section::steelGrade)));
        return;
    }
    m_load->setText(u"荷载与钢材取自钢牛腿窗口：F = %1 kN，e = %2 m，%3。"_s.arg(
        textOf(texts, field::F), textOf(texts, field::e), textOf(texts, field::steelGrade)));
}

std::optional<BracketSearchSpace> Optimizer::readSpace(QString& problem) const
{
    BracketSearchSpace space;
    SpaceReader read(problem);
    read.range(space.bf1, u"上翼缘宽 bf1"_s, m_bf1.from, m_bf1.to, m_bf1.step);
    read.range(space.bf2, u"下翼缘宽 bf2"_s, m_bf2.from, m_bf2.to, m_bf2.step);
    read.list(space.t1, u"上翼缘厚 t1"_s, m_t1);
    read.list(space.t2, u"下翼缘厚 t2"_s, m_t2);
    read.list(space.ts, u"腹板厚 ts"_s, m_ts);
    read.range(space.hw, u"腹板高 hw"_s, m_hw.from, m_hw.to, m_hw.step);
    read.list(space.hf, u"焊脚尺寸 hf"_s, m_hf);
    space.flangesAtLeastWeb = m_flangesAtLeastWeb->isChecked();
    space.tensionOutstand = m_tensionOutstand->isChecked();
    space.symmetric = m_symmetric->isChecked();
    if (!problem.isEmpty())
        return std::nullopt;
    if (const std::optional<std::string> tooLarge = searchSpaceProblem(space)) {
        problem = fromCore(*tooLarge);
        return std::nullopt;
    }
    return space;
}

std::optional<SectionSearchSpace> Optimizer::readSectionSpace(QString& problem) const
{
    SectionSearchSpace space;
    SpaceReader read(problem);
    read.range(space.B, u"翼缘宽 B"_s, m_B.from, m_B.to, m_B.step);
    read.range(space.H, u"截面高 H"_s, m_H.from, m_H.to, m_H.step);
    read.list(space.tw, u"腹板厚 tw"_s, m_tw);
    read.list(space.t, u"翼缘厚 t"_s, m_t);
    if (!problem.isEmpty())
        return std::nullopt;
    if (const std::optional<std::string> tooLarge = sectionSearchSpaceProblem(space)) {
        problem = fromCore(*tooLarge);
        return std::nullopt;
    }
    return space;
}

void Optimizer::showSpaceSize()
{
    QString problem;
    if (m_section) {
        const std::optional<SectionSearchSpace> space = readSectionSpace(problem);
        m_spaceSize->setText(space ? u"共 %1 个截面。"_s.arg(space->size()) : problem);
        m_start->setEnabled(space && !searching());
        return;
    }
    const std::optional<BracketSearchSpace> space = readSpace(problem);
    // Counted as the search will try them: the options with the window's grade.
    const std::size_t sections = space
        ? searchedSections(*space, m_window ? m_window->inputTexts() : FieldTexts {},
              userNumberFormat())
        : 0;
    if (space && sections == 0)
        problem = u"共 0 个截面：构造选项排除了搜索范围内的全部截面。"_s;
    m_spaceSize->setText(space && sections > 0 ? u"共 %1 个截面。"_s.arg(sections) : problem);
    m_start->setEnabled(sections > 0 && !searching());
}

void Optimizer::setBusy(bool busy)
{
    m_start->setEnabled(!busy);
    m_cancel->setEnabled(busy);
    m_apply->setEnabled(!busy && !m_table->selectedItems().isEmpty());
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->setReadOnly(busy);
    for (QCheckBox* box : findChildren<QCheckBox*>())
        box->setEnabled(!busy);
}

void Optimizer::start()
{
    if (searching())
        return;
    // Enter starts a search wherever the focus is; a button left with it
    // would take the next Space (关闭 would close the dialog), so the
    // focus goes to where the sections are listed, searched or not.
    if (qobject_cast<QPushButton*>(focusWidget()))
        m_table->setFocus(Qt::OtherFocusReason);
    if (!m_window) {
        m_status->setText(windowClosed());
        return;
    }
    const FieldTexts window = m_window->inputTexts();
    showLoad(window);
    showSpaceSize(); // the grade, and so 15εk, may have changed since
    QString problem;
    if (m_section) {
        const std::optional<SectionSearchSpace> space = readSectionSpace(problem);
        if (!space) {
            m_status->setText(problem);
            return;
        }
        m_searched = window;
        m_format = userNumberFormat();
        m_table->setRowCount(0);
        m_status->setText(u"正在优选 %1 个截面…"_s.arg(space->size()));
        m_progress->setValue(0);
        m_cancelled = false;
        m_done = false;
        m_fraction = 0;
        setBusy(true);
        m_worker = std::thread([this, space = *space, texts = m_searched, format = m_format] {
            m_sectionFound = searchLightestSection(
                texts, space, format, { .cancel = &m_cancelled, .progress = &m_fraction });
            m_done = true;
        });
        m_poll->start();
        return;
    }
    const std::optional<BracketSearchSpace> space = readSpace(problem);
    if (!space) {
        m_status->setText(problem);
        return;
    }
    if (const std::optional<std::string> refused = unsearchableGrade(window)) {
        m_table->setRowCount(0);
        m_progress->setValue(0);
        m_status->setText(u"钢牛腿窗口："_s + fromCore(*refused));
        return;
    }
    m_searched = window;
    m_format = userNumberFormat();
    m_table->setRowCount(0);
    m_status->setText(u"正在优选 %1 个截面…"_s.arg(searchedSections(*space, window, m_format)));
    m_progress->setValue(0);
    m_cancelled = false;
    m_done = false;
    m_fraction = 0;
    setBusy(true);
    m_worker = std::thread([this, space = *space, texts = m_searched, format = m_format] {
        m_found = searchLightestBracket(
            texts, space, format, { .cancel = &m_cancelled, .progress = &m_fraction });
        m_done = true;
    });
    m_poll->start();
}

void Optimizer::cancel()
{
    if (!searching())
        return;
    // The search looks at the flag every few thousand sections; joining
    // here keeps the dialog's state simple and costs a few milliseconds.
    m_cancelled = true;
    m_worker.join();
    m_poll->stop();
    setBusy(false);
    m_progress->setValue(0);
    m_status->setText(u"已取消。"_s);
}

void Optimizer::poll()
{
    m_progress->setValue(int(m_fraction.load() * 1000));
    if (!m_done)
        return;
    m_worker.join();
    m_poll->stop();
    setBusy(false);
    showFound();
}

void Optimizer::showFound()
{
    if (m_section) {
        const SectionSearch& found = m_sectionFound;
        const CheckTable checks = sectionChecks();
        m_progress->setValue(1000);
        if (found.refused) {
            m_status->setText(u"工字型截面窗口："_s + fromCore(*found.refused));
            return;
        }
        if (found.fault) {
            const FieldFacts* facts = findField(sectionFields(), found.fault->field);
            const QString caption
                = facts ? fromCore(facts->caption).simplified() : fromCore(found.fault->field);
            m_status->setText(
                u"工字型截面窗口的输入不能计算："_s + faultMessage(*found.fault, caption));
            return;
        }
        if (found.best.empty()) {
            m_status->setText(found.mostFailed
                    ? u"搜索范围内没有满足全部验算的截面。最常不满足的是“%1”。"_s.arg(
                        fromCore(checks[*found.mostFailed].caption))
                    : u"搜索范围内没有满足全部验算的截面。"_s);
            return;
        }
        m_status->setText(
            u"在 %1 个截面中，以下 %2 个满足全部验算，按截面面积 A 由小到大排列"
            u"（A 相同者按应力比、截面高）。双击一行或点击“采用”，将其写入工字型截面窗口。"_s
                .arg(found.candidates)
                .arg(found.best.size()));
        m_table->setRowCount(int(found.best.size()));
        for (int row = 0; row < m_table->rowCount(); ++row) {
            const SectionCandidate& candidate = found.best[std::size_t(row)];
            QStringList texts;
            for (const std::string& size : candidate.sizes)
                texts << fromCore(size);
            texts << fromCore(candidate.areaText) << fromCore(candidate.weightText)
                  << fromCore(checks[candidate.governing].caption)
                  << fromCore(candidate.ratioText);
            for (int column = 0; column < texts.size(); ++column) {
                auto* item = new QTableWidgetItem(texts[column]);
                if (column != 6)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_table->setItem(row, column, item);
            }
        }
        m_table->selectRow(0);
        return;
    }
    const CheckTable checks = bracketDesignChecks();
    m_progress->setValue(1000);
    if (m_found.refused) {
        m_status->setText(u"钢牛腿窗口："_s + fromCore(*m_found.refused));
        return;
    }
    if (m_found.fault) {
        const FieldFacts* facts = findField(bracketFields(), m_found.fault->field);
        const QString caption
            = facts ? fromCore(facts->caption).simplified() : fromCore(m_found.fault->field);
        m_status->setText(u"钢牛腿窗口的输入不能计算："_s + faultMessage(*m_found.fault, caption));
        return;
    }
    if (m_found.best.empty()) {
        m_status->setText(m_found.mostFailed
                ? u"搜索范围内没有满足全部验算的截面。最常不满足的是“%1”。"_s.arg(
                    fromCore(checks[*m_found.mostFailed].caption))
                : u"搜索范围内没有满足全部验算的截面。"_s);
        return;
    }
    m_status->setText(u"在 %1 个截面中，以下 %2 个满足全部验算，按净截面面积 An 由小到大排列"
                      u"（An 相同者按应力比、腹板高）。双击一行或点击“采用”，将其写入钢牛腿窗口。"_s
                          .arg(m_found.candidates)
                          .arg(m_found.best.size()));
    m_table->setRowCount(int(m_found.best.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const BracketCandidate& candidate = m_found.best[std::size_t(row)];
        QStringList texts;
        for (const std::string& size : candidate.sizes)
            texts << fromCore(size);
        texts << fromCore(candidate.areaText) << fromCore(candidate.weightText)
              << fromCore(checks[candidate.governing].caption) << fromCore(candidate.ratioText);
        for (int column = 0; column < texts.size(); ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column < 9 || column == 10)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }
    m_table->selectRow(0);
}

void Optimizer::applyCandidate(int row)
{
    const std::size_t found = m_section ? m_sectionFound.best.size() : m_found.best.size();
    if (searching() || row < 0 || std::size_t(row) >= found || m_table->rowCount() == 0)
        return;
    if (!m_window) {
        m_status->setText(windowClosed());
        return;
    }
    // Never into a window hidden behind another calculator.
    emit calculatorWindowWanted();
    if (!m_window || !m_window->isVisible()) {
        m_status->setText(m_section
                ? u"工字型截面窗口没有显示：请先切换到工字型截面性质。"_s
                : u"钢牛腿窗口没有显示：请先切换到钢牛腿受力计算。"_s);
        return;
    }
    const bool changed = m_section
        ? unsearched(m_window->inputTexts(), sectionSearchedSizes)
            != unsearched(m_searched, sectionSearchedSizes)
        : unsearched(m_window->inputTexts(), searchedSizes)
            != unsearched(m_searched, searchedSizes);
    if (changed) {
        m_status->setText(m_section
                ? u"工字型截面窗口的荷载、长度、钢材或计算依据已不是优选时的取值：请重新优选。"_s
                : u"钢牛腿窗口的荷载、偏心距或钢材已不是优选时的取值：请重新优选。"_s);
        return;
    }
    const auto write = [&](const auto& fields, const auto& sizes) {
        for (std::size_t n = 0; n < fields.size(); ++n)
            if (auto* edit = m_window->findChild<QLineEdit*>(fromCore(fields[n])))
                edit->setText(fromCore(sizes[n]));
    };
    if (m_section)
        write(sectionSearchedSizes, m_sectionFound.best[std::size_t(row)].sizes);
    else
        write(searchedSizes, m_found.best[std::size_t(row)].sizes);
    if (auto* confirm
        = m_window->findChild<QPushButton*>(fromCore(m_window->calculator().confirmButton)))
        confirm->click();
}
