#include "triallist.h"
#include "coretext.h"

#include "calculatorwindows.h"
#include "trialtable.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// The shade of a text that changed from the row above.
const QColor changedShade(0xff, 0xf2, 0xb3);

} // namespace

TrialList::TrialList(QWidget* owner)
    : QWidget(owner, Qt::Window)
    , m_tabs(new QTabWidget(this))
    , m_trials(calculatorWindows().size())
{
    setObjectName(u"TrialList"_s);
    setWindowTitle(u"计算记录"_s);
    m_tabs->setObjectName(u"TrialTabs"_s);
    m_tabs->setAccessibleName(u"计算器"_s);

    const std::span<const CalculatorWindowEntry> calculators = calculatorWindows();
    for (std::size_t index = 0; index < calculators.size(); ++index) {
        const CalculatorEntry& calculator = *calculators[index].calculator;
        auto* table = new QTableWidget(m_tabs);
        table->setObjectName(u"Trials_"_s + fromCore(calculator.id));
        table->setAccessibleName(fromCore(calculator.menuCaption) + u"的计算记录"_s);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::ExtendedSelection);
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
        connect(table, &QTableWidget::cellDoubleClicked, this,
            [this, index](int row) { emit trialChosen(index, row); });
        m_tabs->addTab(table, fromCore(calculator.menuCaption));
        m_tables.push_back(table);
        showTrials(index, {});
    }

    auto* legend = new QLabel(u"带 * 的列各次取值不同，底色标出与上一行不同的值。"
                              u"双击一行，或选中后点击“恢复输入”，可将其输入放回计算窗口。"_s,
        this);
    legend->setObjectName(u"TrialLegend"_s);
    legend->setWordWrap(true);

    QPushButton* restore = button(this, u"RestoreButton"_s, u"恢复输入"_s);
    QPushButton* remove = button(this, u"DeleteButton"_s, u"删除"_s);
    QPushButton* copy = button(this, u"CopyButton"_s, u"复制"_s);
    QPushButton* close = button(this, u"CloseButton"_s, u"关闭"_s);
    connect(restore, &QPushButton::clicked, this, &TrialList::chooseCurrent);
    connect(remove, &QPushButton::clicked, this, &TrialList::deleteSelected);
    connect(copy, &QPushButton::clicked, this, &TrialList::copyCurrent);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : { restore, remove, copy, close })
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(legend);
    layout->addLayout(buttons);
    resize(960, 420);
}

void TrialList::showTrials(std::size_t calculator, const QList<DesignTrial>& trials)
{
    m_trials[calculator] = trials;
    const TrialTable shown = trialTable(*calculatorWindows()[calculator].calculator, trials);
    QTableWidget* table = m_tables[calculator];
    table->clear();
    table->setColumnCount(int(shown.headers.size()));
    table->setRowCount(int(shown.rows.size()));
    for (qsizetype column = 0; column < shown.headers.size(); ++column) {
        auto* header = new QTableWidgetItem(
            shown.differs[column] ? shown.headers[column] + u" *"_s : shown.headers[column]);
        if (shown.differs[column]) {
            QFont bold = header->font();
            bold.setBold(true);
            header->setFont(bold);
            header->setToolTip(u"各次计算中取值不同"_s);
        }
        table->setHorizontalHeaderItem(int(column), header);
    }
    for (qsizetype row = 0; row < shown.rows.size(); ++row)
        for (qsizetype column = 0; column < shown.headers.size(); ++column) {
            const QString& text = shown.rows[row][column];
            auto* item = new QTableWidgetItem(text);
            if (column > 0 && row > 0 && text != shown.rows[row - 1][column])
                item->setBackground(changedShade);
            table->setItem(int(row), int(column), item);
        }
    table->resizeColumnsToContents();
    if (!shown.rows.isEmpty())
        table->scrollToBottom();
}

void TrialList::showCalculator(std::size_t calculator)
{
    m_tabs->setCurrentIndex(int(calculator));
}

QString TrialList::tabSeparated(std::size_t calculator) const
{
    return trialTable(*calculatorWindows()[calculator].calculator, m_trials[calculator])
        .tabSeparated();
}

std::size_t TrialList::currentCalculator() const
{
    return std::size_t(std::max(0, m_tabs->currentIndex()));
}

void TrialList::copyCurrent() const
{
    QGuiApplication::clipboard()->setText(tabSeparated(currentCalculator()));
}

void TrialList::deleteSelected()
{
    const std::size_t calculator = currentCalculator();
    QList<int> rows;
    for (const QModelIndex& index : m_tables[calculator]->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(), std::greater<>());
    emit trialsDeleted(calculator, rows);
}

void TrialList::chooseCurrent()
{
    const std::size_t calculator = currentCalculator();
    const int row = m_tables[calculator]->currentRow();
    if (row >= 0)
        emit trialChosen(calculator, row);
}

void TrialList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier)
        return deleteSelected();
    if (event->matches(QKeySequence::Copy))
        return copyCurrent();
    QWidget::keyPressEvent(event);
}
