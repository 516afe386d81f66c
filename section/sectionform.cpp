#include "sectionform.h"

#include "controls.h"
#include "fieldbinding.h"
#include "fieldrow.h"
#include "interfacefont.h"
#include "sectionchecks.h"
#include "sectionentry.h"
#include "sectionfields.h"
#include "svgpicture.h"
#include "twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <span>

using namespace Qt::StringLiterals;

namespace {

namespace field = SectionField;

constexpr int fieldHeight = 270;

// One row of the data frame: a caption label of the Label2 array and its field
// to its right, in twips inside Frame2. Fields are one line high.
FieldDrawing row(int label, QRect caption, FieldName field, int left, int top, int width)
{
    return { field, { u"Label2(%1)"_s.arg(label), caption }, QRect(left, top, width, fieldHeight) };
}

// The two stress captions (13, 14) wrap onto two lines, which a CJK face needs
// a little more than 495 twips for; the rows below leave room. Label 17 sits
// 15 twips above its field.
const FieldDrawing drawing[] = {
    // Left column: the section's dimensions and properties, in reading order.
    row(0, { 360, 600, 1455, 495 }, field::B, 1560, 600, 1455),
    row(1, { 360, 1080, 1455, 495 }, field::H, 1560, 1080, 1455),
    row(2, { 360, 1560, 1455, 495 }, field::tw, 1560, 1560, 1455),
    row(3, { 360, 2160, 1455, 495 }, field::t, 1560, 2160, 1455),
    row(4, { 360, 2760, 1455, 495 }, field::area, 1560, 2760, 2055),
    row(5, { 360, 3360, 1455, 495 }, field::Ix, 1560, 3360, 2055),
    row(6, { 360, 3960, 1455, 495 }, field::Iy, 1560, 3960, 2055),
    row(7, { 360, 4560, 1455, 495 }, field::ix, 1560, 4560, 2055),
    row(8, { 360, 5160, 1455, 495 }, field::iy, 1560, 5160, 2055),
    row(9, { 360, 5760, 1455, 495 }, field::Wx, 1560, 5760, 2055),
    row(10, { 360, 6360, 1455, 495 }, field::Wy, 1560, 6360, 2055),
    // Right column: forces, stresses, length, slenderness and weight.
    row(11, { 4080, 480, 1455, 495 }, field::N, 5400, 480, 1335),
    row(12, { 4080, 960, 1455, 495 }, field::M, 5400, 960, 1335),
    row(13, { 4080, 1440, 975, 570 }, field::elasticStress, 5400, 1440, 1815),
    row(14, { 4080, 2040, 1335, 570 }, field::plasticStress, 5400, 2040, 1815),
    row(15, { 4080, 2880, 1455, 495 }, field::L, 5400, 2880, 1335),
    row(16, { 4080, 3405, 1320, 570 }, field::L0, 5400, 3480, 1335),
    row(17, { 4080, 4080, 1455, 495 }, field::slendernessX, 5400, 4065, 1335),
    row(18, { 4080, 4680, 1455, 495 }, field::slendernessY, 5400, 4680, 1335),
    row(19, { 4080, 5280, 1455, 495 }, field::Num, 5400, 5280, 1335),
    row(20, { 4080, 5880, 1455, 495 }, field::G, 5400, 5880, 1815),
    row(21, { 4080, 6360, 1455, 495 }, field::Gsum, 5400, 6360, 1815),
};

// The member's basis, below the grade at the foot of the same column, where
// the frame grows for it: captions on two lines, then the flanges' edges.
const FieldDrawing basisDrawing[] = {
    row(22, { 4080, 7200, 1320, 570 }, field::muX, 5400, 7230, 1335),
    row(23, { 4080, 7800, 1320, 570 }, field::muY, 5400, 7830, 1335),
    row(24, { 4080, 8400, 1320, 570 }, field::betaMx, 5400, 8430, 1335),
    row(25, { 4080, 9000, 1320, 570 }, field::betaTx, 5400, 9030, 1335),
    row(26, { 4080, 9600, 1320, 570 }, field::eta, 5400, 9630, 1335),
    { field::flangeEdges, { u"Label2(27)"_s, QRect(4080, 10230, 1200, 255) },
        QRect(5400, 10200, 1815, 300) },
};

// What the basis adds to the window's height, in twips; the note and buttons
// below the frames move down by it.
constexpr int basisHeight = 3720;

} // namespace

SectionForm::SectionForm()
    : CalculatorWindow(
        sectionCalculator(), u"SectionForm"_s, u"工字型截面性质计算"_s,
        twipSize(15240, 10485 + basisHeight))
{
    placeTitle();
    placeDataFrame();
    placePictureFrame();
    placeNoteAndButtons();
    // The window has no icon picture of its own; the program's icon stands in.
}

void SectionForm::placeTitle()
{
    // Two captions on one spot, drawn in black and in blue; the blue one is in front.
    for (int index : { 1, 0 }) {
        QLabel* title = placeLabel(client(), u"Label1(%1)"_s.arg(index), u"工字型截面性质计算"_s,
            twipRect(3120, 360, 6615, 855));
        title->setFont(titleFont(36));
        title->setWordWrap(false);
        QPalette palette = title->palette();
        palette.setColor(QPalette::WindowText, index == 0 ? QColor(Qt::blue) : QColor(Qt::black));
        title->setPalette(palette);
    }
}

void SectionForm::placeDataFrame()
{
    QGroupBox* frame = placeGroup(client(), u"Frame2"_s, u"工字型截面信息输入（单位：mm）"_s,
        twipRect(240, 1320, 7455, 7095 + basisHeight));
    placeSteelGrade(frame);
    QWidget* previous = nullptr;
    for (const auto& rows : { std::span<const FieldDrawing>(drawing),
             std::span<const FieldDrawing>(basisDrawing) })
        for (const FieldDrawing& row : rows) {
            const FieldFacts& facts = *findField(sectionFields(), row.field);
            QWidget* field
                = placeFieldRow(frame, facts, row, fromCore(sectionSpokenName(facts))).field;
            if (previous)
                setTabOrder(previous, field);
            previous = field;
        }
    // Which γx σp took, under its field, where the column has room.
    m_plasticFactor = placeLabel(frame, u"Label5"_s, {}, twipRect(5400, 2340, 2010, 255));
    m_plasticFactor->setWordWrap(false);
}

void SectionForm::placeSteelGrade(QWidget* frame)
{
    // At the foot of the forces' column, in the style of the bracket's.
    const FieldFacts& grade = *findField(sectionFields(), field::steelGrade);
    const FieldDrawing drawing { grade.control,
        { fieldLabelName(grade.control, FieldLabel::Caption), QRect(4080, 6720, 1200, 255) },
        QRect(5400, 6690, 1335, 300) };
    placeFieldRow(frame, grade, drawing, fromCore(sectionSpokenName(grade)));
}

std::optional<Fault> SectionForm::checkCalculation(FieldTexts& texts)
{
    const NumberFormat format = userNumberFormat();
    m_plasticFactor->setText(fromCore(plasticFactorCaption(texts, format)));
    m_plasticFactor->setAccessibleDescription(
        fromCore(withoutMarkup(plasticFactorReason(texts, format))));
    return CalculatorWindow::checkCalculation(texts);
}

void SectionForm::showOutcome(const std::optional<Fault>& fault)
{
    if (fault)
        m_plasticFactor->clear(); // it belonged to the calculation before
    CalculatorWindow::showOutcome(fault);
}

// The member check's verdicts: Check1 … Check6 beside their captions.
VerdictLayout SectionForm::verdictLayout() const
{
    VerdictLayout layout;
    layout.title = u"构件验算结果："_s;
    return layout;
}

void SectionForm::placePictureFrame()
{
    QGroupBox* frame = placeGroup(client(), u"Frame1"_s, {}, twipRect(8280, 1320, 6615, 7095));
    auto* picture = new SvgPicture(u":/pictures/isection.svg"_s, frame);
    picture->setObjectName(u"Picture1"_s);
    picture->setGeometry(twipRect(120, 240, 6255, 6615));
    picture->setAccessibleName(u"工字型截面示意图"_s);
    picture->setAccessibleDescription(
        u"焊接双轴对称工字型截面，标注翼缘宽B、高度H、腹板厚tw、翼缘厚t和x、y轴"_s);
}

void SectionForm::placeNoteAndButtons()
{
    QLabel* note = placeLabel(client(), u"Label3"_s,
        u"说明：输入焊接工字型截面的翼缘宽B、高度H、腹板厚tw、翼缘厚t（mm），轴力N（kN，受压为正）、"
        "弯矩M（kN·m）、构件长度L（mm）、数量Num和钢材牌号，以及两轴的计算长度系数μx、μy、"
        "等效弯矩系数βmx、βtx、截面影响系数η（第8.2.1条）和翼缘边缘（定稳定系数的截面类别），"
        "按“确定输入”计算截面面积、惯性矩、"
        "回转半径、截面抵抗矩、弹性与考虑塑性的最大应力（N/mm²）、计算长度L0（取μx·L）、两轴长细比、"
        "每米重量G（kg/m，钢材密度7850 kg/m³）和Num根构件的总重量Gsum（kg），"
        "并按钢材牌号验算构件的强度、板件宽厚比、长细比与平面内外稳定，结果见“构件验算结果”窗口。"
        "灰底为计算结果，可选择复制。"_s,
        twipRect(240, 8880 + basisHeight, 9855, 1815));
    // Read as a whole, not only by its first word.
    note->setAccessibleName(u"工字型截面性质计算说明"_s);
    note->setAccessibleDescription(note->text());

    QPushButton* confirm
        = placeButton(client(), u"Command2"_s, u"确定输入"_s,
            twipRect(10920, 8880 + basisHeight, 1935, 375));
    QPushButton* exit
        = placeButton(client(), u"Command1"_s, u"退出"_s,
            twipRect(12960, 8880 + basisHeight, 1815, 375));
    // The grade after the column's last result, then the member's basis,
    // then the buttons.
    auto* grade = findChild<QComboBox*>(fromCore(field::steelGrade));
    setTabOrder(findChild<QLineEdit*>(fromCore(field::Gsum)), grade);
    setTabOrder(grade, findChild<QLineEdit*>(fromCore(field::muX)));
    setTabOrder(findChild<QComboBox*>(fromCore(field::flangeEdges)), confirm);
    setTabOrder(confirm, exit);
    connect(confirm, &QPushButton::clicked, this, &SectionForm::onCommand2Clicked);
    connect(exit, &QPushButton::clicked, this, &SectionForm::onCommand1Clicked);
}

void SectionForm::onCommand2Clicked()
{
    runCalculation();
}

void SectionForm::onCommand1Clicked()
{
    hide();
}
