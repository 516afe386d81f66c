#include "frmshow.h"

#include "bracketverdicts.h"
#include "fieldbinding.h"
#include "twips.h"

#include <QLabel>
#include <QLocale>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

QPointer<FrmShow> theVerdictWindow;

const QString rowCaptions[] = {
    u"下翼缘外边的正应力"_s,
    u"截面形心轴处的剪应力"_s,
    u"腹板下端的折算应力"_s,
    u"上翼缘焊缝应力"_s,
    u"下翼缘焊缝应力"_s,
    u"角焊缝应力"_s,
};

} // namespace

FrmShow::FrmShow()
{
    setObjectName(u"FrmShow"_s);
    setWindowTitle(u"判断情况如下："_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipSize(4680, 2640));
    move(twipsToPixels(6555), twipsToPixels(4170));
    for (int row = 0; row < 6; ++row) {
        const int top = 240 + 360 * row;
        auto* caption = new QLabel(rowCaptions[row], this);
        caption->setObjectName(u"Label%1"_s.arg(row + 1));
        caption->setGeometry(twipRect(120, top, 2760, 255));
        auto* verdict = new QLabel(u"Label%1"_s.arg(row + 7), this);
        verdict->setObjectName(u"Label%1"_s.arg(row + 7));
        verdict->setGeometry(twipRect(3000, top, 1575, 255));
        m_verdicts.append(verdict);
    }
}

FrmShow* FrmShow::instance(const FieldTexts& bracketTexts)
{
    if (!theVerdictWindow) {
        theVerdictWindow = new FrmShow;
        theVerdictWindow->evaluate(bracketTexts); // its load evaluates once
    }
    return theVerdictWindow;
}

FrmShow* FrmShow::existing()
{
    return theVerdictWindow;
}

void FrmShow::evaluate(const FieldTexts& bracketTexts)
{
    const BracketVerdicts verdicts = judgeBracket(bracketTexts, userNumberFormat());
    for (qsizetype row = 0; row < qsizetype(verdicts.met.size()); ++row) {
        QLabel* label = m_verdicts[row];
        const bool met = verdicts.met[std::size_t(row)];
        label->setText(met ? u"满足要求"_s : u"不满足要求"_s);
        QPalette palette = this->palette();
        if (!met)
            palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        label->setPalette(palette);
    }
}

void FrmShow::keyPressEvent(QKeyEvent*)
{
    hide();
}

void FrmShow::mousePressEvent(QMouseEvent*)
{
    hide();
}
