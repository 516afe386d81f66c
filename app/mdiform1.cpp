#include "mdiform1.h"

#include "calculatorwindow.h"
#include "calculatorwindows.h"
#include "designwindows.h"
#include "optimizer.h"
#include "reportwindow.h"
#include "triallist.h"
#include "twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QJsonObject>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

const QString fileFilter = u"Stelvana 设计文件 (*.stelvana)"_s;
const QString recentKey = u"recentFiles"_s;
const QString placeKey = u"frame/geometry"_s;
constexpr qsizetype recentCount = 4;

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Alt pressed and let go alone reaches the menu bar, as on every desktop;
// the platform's own style may leave that to the desktop.
class MenuBarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
        QStyleHintReturn* returned) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

MDIForm1::MDIForm1()
    : m_area(new QMdiArea)
    , m_windows(calculatorWindows().size())
    , m_trials(calculatorWindows().size())
{
    setObjectName(u"MDIForm1"_s);
    setWindowTitle(u"Stelvana"_s);
    m_area->setObjectName(u"MDIClient"_s);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    createMenu();
    updateTitle();
    // The restored client area; the frame opens maximized.
    const QSize client = twipSize(4680, 5040);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void MDIForm1::createMenu()
{
    // 文件 first, a menu of its own; then commands straight on the menu bar:
    // one for each calculator, then the sheet and the exit.
    auto* style = new MenuBarStyle(QApplication::style()->name());
    style->setParent(menuBar());
    menuBar()->setStyle(style);
    // F10 opens the first menu; the arrow keys go on from there.
    auto* f10 = new QAction(this);
    f10->setObjectName(u"menuBarKey"_s);
    f10->setShortcut(Qt::Key_F10);
    addAction(f10);
    QMenu* file = menuBar()->addMenu(u"文件(&F)"_s);
    connect(f10, &QAction::triggered, this, [this, file] {
        activateWindow();
        menuBar()->setActiveAction(file->menuAction());
    });
    file->setObjectName(u"menuFile"_s);
    file->menuAction()->setObjectName(u"menuFileAction"_s);
    const auto addFile = [file](const QString& name, const QString& caption,
                             QKeySequence::StandardKey key, QKeySequence otherwise) {
        QAction* action = file->addAction(caption);
        action->setObjectName(name);
        // The platform's own keys; where it has none, the common ones.
        const QList<QKeySequence> platform = QKeySequence::keyBindings(key);
        action->setShortcuts(platform.isEmpty() ? QList { otherwise } : platform);
        return action;
    };
    connect(addFile(u"menuNew"_s, u"新建(&N)"_s, QKeySequence::New, Qt::CTRL | Qt::Key_N),
        &QAction::triggered, this, &MDIForm1::onMenuNewClicked);
    connect(addFile(u"menuOpen"_s, u"打开(&O)…"_s, QKeySequence::Open, Qt::CTRL | Qt::Key_O),
        &QAction::triggered, this, &MDIForm1::onMenuOpenClicked);
    connect(addFile(u"menuSave"_s, u"保存(&S)"_s, QKeySequence::Save, Qt::CTRL | Qt::Key_S),
        &QAction::triggered, this, &MDIForm1::onMenuSaveClicked);
    connect(addFile(u"menuSaveAs"_s, u"另存为(&A)…"_s, QKeySequence::SaveAs,
                Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        &QAction::triggered, this, &MDIForm1::onMenuSaveAsClicked);
    file->addSeparator();
    for (qsizetype index = 0; index < recentCount; ++index) {
        QAction* recent = file->addAction(QString());
        recent->setObjectName(u"menuRecent%1"_s.arg(index + 1));
        connect(recent, &QAction::triggered, this, [this, recent] {
            if (maySetAsideDesign())
                openDesign(recent->data().toString());
        });
        m_recent.push_back(recent);
    }
    updateRecentMenu();
    file->addSeparator();
    QAction* trials = file->addAction(u"计算记录(&T)…"_s);
    trials->setObjectName(u"menuTrials"_s);
    trials->setShortcut(Qt::CTRL | Qt::Key_T);
    connect(trials, &QAction::triggered, this, &MDIForm1::onMenuTrialsClicked);
    QAction* optimize = file->addAction(u"截面优选…"_s);
    optimize->setObjectName(u"menuOptimize"_s);
    optimize->setShortcut(Qt::CTRL | Qt::Key_F);
    connect(optimize, &QAction::triggered, this, &MDIForm1::onMenuOptimizeClicked);

    const auto add = [this](const QString& name, const QString& caption) {
        QAction* action = menuBar()->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    const std::span<const CalculatorWindowEntry> calculators = calculatorWindows();
    for (std::size_t index = 0; index < calculators.size(); ++index) {
        const CalculatorEntry& calculator = *calculators[index].calculator;
        QAction* action = add(fromCore(calculator.menuName), fromCore(calculator.menuCaption));
        // The captions stay as drawn, without a mnemonic; Ctrl+1, Ctrl+2 instead.
        const QKeySequence key(QKeyCombination(Qt::ControlModifier, Qt::Key(Qt::Key_1 + index)));
        action->setShortcut(key);
        action->setToolTip(
            action->text() + u" ("_s + key.toString(QKeySequence::NativeText) + u')');
        connect(action, &QAction::triggered, this, [this, index] { onCalculatorChosen(index); });
    }
    connect(add(u"menuReport"_s, u"计算书"_s), &QAction::triggered, this,
        &MDIForm1::onMenuReportClicked);
    menuBar()->findChild<QAction*>(u"menuReport"_s)->setShortcut(QKeySequence::Print);
    connect(add(u"menuExit"_s, u"退出"_s), &QAction::triggered, this, &MDIForm1::onMenuExitClicked);
}

CalculatorWindow* MDIForm1::windowAt(std::size_t index)
{
    QPointer<CalculatorWindow>& slot = m_windows[index];
    if (!slot) {
        slot = calculatorWindows()[index].create();
        m_area->addSubWindow(slot);
        slot->hide();
        // Every typed or chosen input is a change of the design.
        for (QLineEdit* field : slot->findChildren<QLineEdit*>())
            if (!field->isReadOnly())
                connect(field, &QLineEdit::textChanged, this, &MDIForm1::noteChange);
        for (QComboBox* combo : slot->findChildren<QComboBox*>())
            connect(combo, &QComboBox::currentTextChanged, this, &MDIForm1::noteChange);
        connect(slot, &CalculatorWindow::titleBlockChanged, this, &MDIForm1::noteChange);
        connect(
            slot, &CalculatorWindow::calculated, this, [this, index] { noteCalculated(index); });
    }
    return slot;
}

CalculatorWindow* MDIForm1::calculatorWindow(std::string_view id)
{
    const std::span<const CalculatorWindowEntry> calculators = calculatorWindows();
    for (std::size_t index = 0; index < calculators.size(); ++index)
        if (calculators[index].calculator->id == id)
            return windowAt(index);
    return nullptr;
}

void MDIForm1::onCalculatorChosen(std::size_t chosen)
{
    m_lastShown = chosen;
    CalculatorWindow* shown = windowAt(chosen);
    shown->showMaximized();
    m_area->setActiveSubWindow(shown);
    for (std::size_t index = 0; index < m_windows.size(); ++index)
        if (index != chosen)
            windowAt(index)->hide();
}

void MDIForm1::onMenuReportClicked()
{
    // The sheet of the calculator shown; with all hidden, of the one shown
    // last, if it still exists. With neither, the sheet window says how to
    // get one.
    std::size_t chosen = m_lastShown;
    for (std::size_t index = 0; index < m_windows.size(); ++index)
        if (m_windows[index] && m_windows[index]->isVisible())
            chosen = index;
    if (chosen < m_windows.size() && m_windows[chosen]) {
        openCalculationSheet(this, m_windows[chosen], calculatorWindows()[chosen].sheet);
        return;
    }
    openCalculationSheet(this, nullptr, nullptr);
}

void MDIForm1::onMenuExitClicked()
{
    // Ends at once once the design may go: no window is asked whether it may close.
    if (maySetAsideDesign()) {
        rememberPlace();
        QCoreApplication::exit(0);
    }
}

QList<DesignTrial> MDIForm1::trials(std::string_view id) const
{
    const std::span<const CalculatorWindowEntry> calculators = calculatorWindows();
    for (std::size_t index = 0; index < calculators.size(); ++index)
        if (calculators[index].calculator->id == id)
            return m_trials[index];
    return {};
}

Design MDIForm1::currentDesign() const
{
    Design design = designTimeDesign(calculators());
    const std::span<const CalculatorWindowEntry> calculators = calculatorWindows();
    for (std::size_t index = 0; index < calculators.size(); ++index) {
        const CalculatorEntry& calculator = *calculators[index].calculator;
        CalculatorDesign& saved = design.calculators[fromCore(calculator.id)];
        const QJsonObject besides = saved.newer; // a later calculator's caption
        saved = calculatorDesignOf(calculator, m_windows[index]);
        saved.newer = besides;
        saved.trials = m_trials[index];
    }
    keepNewer(design, m_opened);
    return design;
}

void MDIForm1::applyDesign(const Design& design, const QString& path)
{
    m_applying = true;
    const std::span<const CalculatorWindowEntry> calculators = calculatorWindows();
    for (std::size_t index = 0; index < calculators.size(); ++index) {
        const std::string_view id = calculators[index].calculator->id;
        const CalculatorDesign& saved = design.calculators[fromCore(id)];
        applyCalculatorDesign(*windowAt(index), saved);
        m_trials[index] = saved.trials;
        showTrials(index);
    }
    m_applying = false;
    m_opened = design;
    m_path = path;
    m_typedOrFiled = !path.isEmpty();
    setUnsaved(false);
    updateTitle();
}

bool MDIForm1::openDesign(const QString& path)
{
    const DesignReading read = readDesignFile(path, calculators());
    if (!read.design) {
        QMessageBox::warning(this, u"打开设计"_s,
            u"无法打开设计文件“%1”：%2。"_s.arg(shownPath(path), read.problem));
        return false;
    }
    applyDesign(*read.design, QFileInfo(path).absoluteFilePath());
    // A calculator the file was saved without now holds its design-time
    // texts: saving would write what the file does not hold, as this
    // program's writing.
    if (!read.filledIn.isEmpty()) {
        setUnsaved(true);
        m_opened.programVersion = designTimeDesign(calculators()).programVersion;
    }
    rememberRecent(m_path);
    // What a newer version wrote is kept for the next save; said once.
    if (const QString kept = keptSentence(read); !kept.isEmpty())
        QMessageBox::information(this, u"打开设计"_s, kept);
    return true;
}

bool MDIForm1::saveDesign(const QString& path)
{
    Design design = currentDesign();
    const QString reason = writeDesignFile(path, design);
    if (!reason.isEmpty()) {
        QMessageBox::warning(this, u"保存设计"_s,
            u"设计未能保存到：\n%1\n\n原因：%2"_s.arg(shownPath(path), reason));
        return false;
    }
    m_path = QFileInfo(path).absoluteFilePath();
    m_typedOrFiled = true;
    setUnsaved(false);
    updateTitle();
    rememberRecent(m_path);
    return true;
}

void MDIForm1::onMenuNewClicked()
{
    if (maySetAsideDesign())
        applyDesign(designTimeDesign(calculators()), QString());
}

void MDIForm1::onMenuOpenClicked()
{
    if (!maySetAsideDesign())
        return;
    const QString path = QFileDialog::getOpenFileName(this, u"打开设计"_s,
        m_path.isEmpty() ? QString() : QFileInfo(m_path).absolutePath(), fileFilter);
    if (!path.isEmpty())
        openDesign(path);
}

bool MDIForm1::onMenuSaveClicked()
{
    return m_path.isEmpty() ? onMenuSaveAsClicked() : saveDesign(m_path);
}

bool MDIForm1::onMenuSaveAsClicked()
{
    QString path = QFileDialog::getSaveFileName(
        this, u"另存为"_s, m_path.isEmpty() ? u"设计.stelvana"_s : m_path, fileFilter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u".stelvana"_s;
    return saveDesign(path);
}

bool MDIForm1::maySetAsideDesign()
{
    if (!m_unsaved)
        return true;
    QMessageBox box(QMessageBox::Warning, u"Stelvana"_s,
        u"设计“%1”有未保存的更改。是否保存？"_s.arg(
            m_path.isEmpty() ? u"未命名"_s : QFileInfo(m_path).fileName()),
        QMessageBox::NoButton, this);
    box.setObjectName(u"unsavedChanges"_s);
    QPushButton* save = box.addButton(u"保存"_s, QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(u"不保存"_s, QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(u"取消"_s, QMessageBox::RejectRole);
    save->setObjectName(u"save"_s);
    discard->setObjectName(u"discard"_s);
    cancel->setObjectName(u"cancel"_s);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return onMenuSaveClicked();
    return box.clickedButton() == discard;
}

void MDIForm1::noteChange()
{
    if (m_applying)
        return;
    m_typedOrFiled = true;
    setUnsaved(true);
}

void MDIForm1::setUnsaved(bool unsaved)
{
    m_unsaved = unsaved;
    setWindowModified(unsaved);
}

void MDIForm1::changeEvent(QEvent* event)
{
    // Whoever set the mark, it shows the design's state.
    if (event->type() == QEvent::ModifiedChange && isWindowModified() != m_unsaved)
        setWindowModified(m_unsaved);
    QMainWindow::changeEvent(event);
}

void MDIForm1::noteCalculated(std::size_t index)
{
    // A trial repeats nothing: the same inputs as the last row add no row.
    const DesignTrial trial = trialOf(*m_windows[index]);
    QList<DesignTrial>& trials = m_trials[index];
    if (!trials.isEmpty() && trials.back().inputs == trial.inputs)
        return;
    trials.append(trial);
    while (trials.size() > maxTrials)
        trials.removeFirst();
    showTrials(index);
    // A trial of the design-time defaults alone is nothing to lose: the
    // program still ends at once when nothing was typed, opened or saved.
    if (m_typedOrFiled)
        noteChange();
}

Optimizer* MDIForm1::optimizer() const
{
    return m_optimizer;
}

void MDIForm1::onMenuOptimizeClicked()
{
    // The lightest sections for the calculator in front, shown beside it;
    // the bracket's where the one in front searches no sizes.
    const std::span<const CalculatorWindowEntry> calculators = calculatorWindows();
    std::optional<std::size_t> chosen;
    for (std::size_t index = 0; index < calculators.size(); ++index) {
        if (!calculators[index].calculator->optimizes)
            continue;
        if (!chosen && calculators[index].calculator->id == "bracket")
            chosen = index;
        if (m_windows[index] && m_windows[index]->isVisible()) {
            chosen = index;
            break;
        }
    }
    if (!chosen)
        return;
    const std::size_t index = *chosen;
    const std::string_view id = calculators[index].calculator->id;
    onCalculatorChosen(index);
    // A dialog for another calculator gives way: its fields are not these.
    if (m_optimizer && m_optimizer->calculatorId() != id)
        m_optimizer->close();
    if (!m_optimizer || m_optimizer->calculatorId() != id) {
        m_optimizer = new Optimizer(this, id);
        connect(m_optimizer, &Optimizer::calculatorWindowWanted, this,
            [this, index] { onCalculatorChosen(index); });
    }
    m_optimizer->setCalculatorWindow(windowAt(index));
    m_optimizer->show();
    m_optimizer->raise();
    m_optimizer->activateWindow();
}

void MDIForm1::onMenuTrialsClicked()
{
    if (!m_trialList) {
        m_trialList = new TrialList(this);
        for (std::size_t index = 0; index < m_trials.size(); ++index)
            m_trialList->showTrials(index, m_trials[index]);
        connect(m_trialList, &TrialList::trialChosen, this, &MDIForm1::restoreTrial);
        connect(m_trialList, &TrialList::trialsDeleted, this,
            [this](std::size_t index, const QList<int>& rows) {
                for (int row : rows) // descending
                    if (row >= 0 && row < m_trials[index].size())
                        m_trials[index].removeAt(row);
                showTrials(index);
                noteChange();
            });
    }
    // The calculator shown comes first.
    for (std::size_t index = 0; index < m_windows.size(); ++index)
        if (m_windows[index] && m_windows[index]->isVisible())
            m_trialList->showCalculator(index);
    m_trialList->show();
    m_trialList->raise();
    m_trialList->activateWindow();
}

TrialList* MDIForm1::trialList() const
{
    return m_trialList;
}

void MDIForm1::showTrials(std::size_t index)
{
    if (m_trialList)
        m_trialList->showTrials(index, m_trials[index]);
}

void MDIForm1::restoreTrial(std::size_t index, int row)
{
    if (row < 0 || row >= m_trials[index].size())
        return;
    const DesignTrial trial = m_trials[index][row];
    CalculatorWindow* window = windowAt(index);
    // The inputs as typed then; the results wait for the next "确定输入".
    window->restoreInputs(inputsByControl(window->calculator(), trial.inputs));
    onCalculatorChosen(index);
}

void MDIForm1::updateTitle()
{
    setWindowTitle(
        m_path.isEmpty() ? u"Stelvana[*]"_s : QFileInfo(m_path).fileName() + u"[*] - Stelvana"_s);
}

void MDIForm1::rememberRecent(const QString& path)
{
    QSettings settings;
    QStringList recent = settings.value(recentKey).toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    settings.setValue(recentKey, recent.mid(0, recentCount));
    updateRecentMenu();
}

void MDIForm1::updateRecentMenu()
{
    const QStringList recent = QSettings().value(recentKey).toStringList();
    for (std::size_t index = 0; index < m_recent.size(); ++index) {
        QAction* action = m_recent[index];
        const bool shown = qsizetype(index) < recent.size();
        action->setVisible(shown);
        if (shown) {
            const QString& path = recent[qsizetype(index)];
            action->setText(u"&%1 %2"_s.arg(index + 1).arg(QFileInfo(path).fileName()));
            action->setData(path);
            action->setToolTip(shownPath(path));
        }
    }
}

void MDIForm1::showInItsPlace()
{
    // The size, place and maximised state it was closed with; on the first
    // run as drawn: maximised, restoring to the drawn size.
    const QByteArray place = QSettings().value(placeKey).toByteArray();
    if (!place.isEmpty() && restoreGeometry(place))
        show();
    else
        showMaximized();
}

void MDIForm1::rememberPlace() const
{
    QSettings().setValue(placeKey, saveGeometry());
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    if (!maySetAsideDesign()) {
        event->ignore();
        return;
    }
    rememberPlace();
    // The verdict window is a top-level window of its own; it goes with the frame.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
    event->accept();
}
