#include "form1.h"

#include "bracketentry.h"
#include "bracketfields.h"
#include "controls.h"
#include "fieldbinding.h"
#include "fieldrow.h"
#include "frmshow.h"
#include "svgpicture.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// All rectangles below are twips inside the containing group or window.
constexpr int fieldHeight = 270; // 18 px, as the I-section window
constexpr int lineHeight = 270; // one line of the 9 pt CJK face
constexpr Qt::Alignment leftTop = Qt::AlignLeft | Qt::AlignTop;
// A caption that ends in "=" is set flush right so the sign meets its value.
constexpr Qt::Alignment rightTop = Qt::AlignRight | Qt::AlignTop;

QLabel* caption(QWidget* parent, const QString& name, const QString& text, QRect where,
    Qt::Alignment alignment = leftTop)
{
    QLabel* label = placeLabel(parent, name, text, where);
    label->setAlignment(alignment);
    return label;
}

namespace field = BracketField;

const FieldFacts& factsOf(FieldName control)
{
    return *findField(bracketFields(), control);
}

FieldDrawing::Label labelOf(
    FieldName control, FieldLabel kind, QRect where, Qt::Alignment alignment = leftTop)
{
    return { fieldLabelName(control, kind), where, alignment };
}

// Frame1: the plate sizes, two columns of three, in the Label1 array.
// Captions end with a line break; bf2's with two.
constexpr int dimensionLabelX[] = { 120, 2640 };
constexpr int dimensionFieldX[] = { 1200, 3720 };
constexpr int dimensionLabelWidth = 1080, dimensionFieldWidth = 1200;

FieldDrawing dimension(int label, FieldName control, int column, int top)
{
    return { control,
        { u"Label1(%1)"_s.arg(label),
            QRect(dimensionLabelX[column], top, dimensionLabelWidth, lineHeight) },
        QRect(dimensionFieldX[column], top, dimensionFieldWidth, fieldHeight) };
}

const FieldDrawing dimensions[] = {
    dimension(0, field::bf1, 0, 480),
    dimension(1, field::bf2, 0, 840),
    dimension(2, field::t1, 0, 1200),
    dimension(3, field::t2, 1, 480),
    dimension(4, field::ts, 1, 840),
    dimension(5, field::hw, 1, 1200),
};

// Frame2: the load and its lever arm, each caption flush right before its
// field, the unit after it.
FieldDrawing load(FieldName control, int top)
{
    return { control,
        labelOf(control, FieldLabel::Caption, QRect(120, top, 1920, lineHeight), rightTop),
        QRect(2160, top, 1200, fieldHeight), {},
        labelOf(control, FieldLabel::Unit, QRect(3420, top, 360, lineHeight)) };
}

const FieldDrawing loads[] = { load(field::F, 480), load(field::e, 960) };

// Frame3, the materials: the steel grade, the electrode, the welding method
// and the weld quality, each a choice a little taller than a field, in the
// same two columns as Frame1; then the fillet leg, typed.
FieldDrawing material(FieldName control, int x, int top)
{
    return { control, labelOf(control, FieldLabel::Caption, QRect(x, top, 1080, lineHeight)),
        QRect(x + 1080, top - 15, 1200, 300) };
}

const FieldDrawing materials[] = {
    material(field::steelGrade, 120, 480),
    material(field::electrode, 2640, 480),
    material(field::weldingMethod, 120, 960),
    material(field::weldQuality, 2640, 960),
    { field::hf,
        labelOf(field::hf, FieldLabel::Caption, QRect(120, 1440, 3480, lineHeight), rightTop),
        QRect(3720, 1440, 1200, fieldHeight) },
};

// Frame7, the load and the column, below everything else across the whole
// window: five columns of a caption flush right before its field and the
// unit after it; the two choices of 有 / 无 lead their rows.
constexpr int loadColumnWidth = 2940;

FieldDrawing loadPath(FieldName control, int column, int top)
{
    const int x = 120 + column * loadColumnWidth;
    return { control,
        labelOf(control, FieldLabel::Caption, QRect(x, top, 1830, lineHeight), rightTop),
        QRect(x + 1875, top, 660, fieldHeight), {},
        labelOf(control, FieldLabel::Unit, QRect(x + 2565, top, 360, lineHeight)) };
}

FieldDrawing presence(FieldName control, int top)
{
    return { control,
        labelOf(control, FieldLabel::Caption, QRect(120, top, 1830, lineHeight), rightTop),
        QRect(1995, top - 15, 660, 300) };
}

const FieldDrawing loadPathRows[] = {
    presence(field::stiffener, 360),
    loadPath(field::bs, 1, 360),
    loadPath(field::tst, 2, 360),
    loadPath(field::cut, 3, 360),
    loadPath(field::bearing, 4, 360),
    presence(field::columnStiffener, 780),
    loadPath(field::tc, 1, 780),
    loadPath(field::twc, 2, 780),
    loadPath(field::hc, 3, 780),
    loadPath(field::hf2, 4, 780),
};

// Frame4 columns. The rows above Frame6 run across the whole frame, where the
// long formulas of y, S and In need the room (In's, the longest, starts
// where its short description ends); from row 2520 down everything stays left
// of Frame6 (x 7080), so that block has narrower columns. Their fields take
// a modulus of seven whole digits and two decimals whole, "3183246.19".
struct Columns {
    int describeX, describeWidth;
    int formulaX, formulaWidth;
    int fieldX, fieldWidth;
    int unitX, unitWidth;
};

constexpr Columns wide { 120, 3060, 3240, 4725, 7980, 1500, 9540, 600 };
constexpr Columns inertia { 120, 1560, 1680, 6285, 7980, 1500, 9540, 600 };
constexpr Columns narrow { 120, 2250, 2400, 2760, 5175, 1185, 6390, 660 };

// One result row of Frame4: its description at the left where the table
// gives the field one, its formula flush right before the field, the unit
// after it.
FieldDrawing strength(FieldName control, int top, const Columns& c)
{
    const bool described = !factsOf(control).caption.empty();
    return { control,
        described ? labelOf(
            control, FieldLabel::Describe, QRect(c.describeX, top, c.describeWidth, lineHeight))
                  : FieldDrawing::Label {},
        QRect(c.fieldX, top, c.fieldWidth, fieldHeight),
        labelOf(control, FieldLabel::Formula, QRect(c.formulaX, top, c.formulaWidth, lineHeight),
            rightTop),
        labelOf(control, FieldLabel::Unit, QRect(c.unitX, top, c.unitWidth, lineHeight)) };
}

const FieldDrawing strengthRows[] = {
    // Row 360 carries both root actions: M is described by the row's caption
    // and has a short formula column of its own, V only its formula.
    { field::M,
        labelOf(field::M, FieldLabel::Describe,
            QRect(wide.describeX, 360, wide.describeWidth, lineHeight)),
        QRect(3960, 360, 1500, fieldHeight),
        labelOf(
            field::M, FieldLabel::Formula, QRect(wide.formulaX, 360, 690, lineHeight), rightTop),
        labelOf(field::M, FieldLabel::Unit, QRect(5520, 360, 600, lineHeight)) },
    { field::V, {}, QRect(wide.fieldX, 360, wide.fieldWidth, fieldHeight),
        labelOf(field::V, FieldLabel::Formula, QRect(7500, 360, 465, lineHeight), rightTop),
        labelOf(field::V, FieldLabel::Unit, QRect(wide.unitX, 360, wide.unitWidth, lineHeight)) },
    strength(field::An, 720, wide),
    strength(field::y, 1080, wide),
    strength(field::S, 1440, wide),
    strength(field::a, 1800, wide),
    strength(field::In, 2160, inertia),
    // Wn1 and Wn2 share one two-line description, Wn1's caption; this width
    // breaks it after "抵抗矩", the symbols on the second line.
    { field::Wn1,
        labelOf(
            field::Wn1, FieldLabel::Describe, QRect(narrow.describeX, 2520, 1950, 2 * lineHeight)),
        QRect(narrow.fieldX, 2520, narrow.fieldWidth, fieldHeight),
        labelOf(field::Wn1, FieldLabel::Formula,
            QRect(narrow.formulaX, 2520, narrow.formulaWidth, lineHeight), rightTop),
        labelOf(field::Wn1, FieldLabel::Unit,
            QRect(narrow.unitX, 2520, narrow.unitWidth, lineHeight)) },
    strength(field::Wn2, 2880, narrow),
    strength(field::sigma, 3240, narrow),
    strength(field::tau, 3600, narrow),
    strength(field::webEndModulus, 3960, narrow),
    strength(field::S1, 4320, narrow),
    strength(field::sigma1, 4680, narrow),
    strength(field::tau1, 5040, narrow),
    strength(field::equivalentStress, 5400, narrow),
};

// What the formula of In names that is not a field.
const QString inertiaHint = u"c2=hw+0.5*t1+0.5*t2-y，下翼缘中心至形心轴的距离"_s;

// Frame6: each weld result under its caption. The fillet weld's caption
// wraps to two lines and so ends with a line break.
FieldDrawing weld(FieldName control, int top, int captionHeight)
{
    const int fieldTop = top + captionHeight;
    return { control, labelOf(control, FieldLabel::Caption, QRect(120, top, 3030, captionHeight)),
        QRect(120, fieldTop, 1500, fieldHeight), {},
        labelOf(control, FieldLabel::Unit, QRect(1680, fieldTop, 660, lineHeight)) };
}

const FieldDrawing weldRows[] = {
    weld(field::flangeForce, 300, lineHeight),
    weld(field::upperFlangeWeld, 900, lineHeight),
    weld(field::lowerFlangeWeld, 1500, lineHeight),
    weld(field::filletWeld, 2100, 2 * lineHeight),
};

// The order a person reads the window in: Frame1 row by row, left column
// before right (bf1, t2, bf2, ts, t1, hw), the load, the materials, the
// results top to bottom, the welds, then the buttons.
std::vector<FieldName> readingOrder()
{
    std::vector<FieldName> order { field::bf1, field::t2, field::bf2, field::ts, field::t1,
        field::hw, field::F, field::e, field::steelGrade, field::electrode, field::weldingMethod,
        field::weldQuality, field::hf, field::stiffener, field::bs, field::tst, field::cut,
        field::bearing, field::columnStiffener, field::tc, field::twc, field::hc, field::hf2 };
    order.insert(order.end(), field::results.begin(), field::results.end());
    order.insert(order.end(), { "Command1", "Command2" });
    return order;
}

} // namespace

// The window is drawn 14130 twips wide, but the truss picture and the credits
// note below it reach to 15255; the client takes them in whole, and below
// them the load and the column.
Form1::Form1()
    : CalculatorWindow(bracketCalculator(), u"Form1"_s, u"钢牛腿设计"_s, twipSize(15255, 11940))
{
    placeDimensionFrame();
    placeLoadFrame();
    placeMaterialFrame();
    placeNoteFrame();
    placeStrengthFrame();
    placeLoadPathFrame();
    placeButtonsAndPictures();
    setReadingOrder();
}

void Form1::placeDimensionFrame()
{
    QGroupBox* frame = placeGroup(
        client(), u"Frame1"_s, u"牛腿信息输入:单位（mm）"_s, twipRect(120, 120, 5055, 1695));
    placeInputs(frame, dimensions);
}

void Form1::placeLoadFrame()
{
    QGroupBox* frame
        = placeGroup(client(), u"Frame2"_s, u"荷载(KN,m)"_s, twipRect(5520, 120, 5055, 1455));
    placeInputs(frame, loads);
}

void Form1::placeMaterialFrame()
{
    QGroupBox* frame
        = placeGroup(client(), u"Frame3"_s, u"材料"_s, twipRect(120, 1920, 5055, 1935));

    placeInputs(frame, materials);
}

void Form1::placeLoadPathFrame()
{
    QGroupBox* frame
        = placeGroup(client(), u"Frame7"_s, u"荷载与柱"_s, twipRect(120, 10260, 15015, 1560));
    placeInputs(frame, loadPathRows);
    caption(frame, u"Label52"_s,
        u"注：柱的钢材取牛腿所选钢材；无支承加劲肋时按荷载支承长度a验算腹板局部压应力；"
        u"柱无水平加劲肋时验算柱腹板与柱翼缘（第12.3.4条）。"_s,
        twipRect(120, 1200, 14775, lineHeight));
}

void Form1::placeInputs(QWidget* frame, std::span<const FieldDrawing> rows)
{
    for (const FieldDrawing& row : rows) {
        const FieldFacts& facts = factsOf(row.field);
        placeFieldRow(frame, facts, row, fromCore(bracketSpokenName(facts)));
    }
}

void Form1::placeNoteFrame()
{
    QGroupBox* frame
        = placeGroup(client(), u"Frame5"_s, u"说明："_s, twipRect(5520, 1680, 5055, 2175));
    // Drawn for a 12 px line; at the interface font's 18 px the first note
    // needs the frame's full width to stay at three lines, and the second a
    // second line.
    caption(frame, u"Label38(1)"_s,
        u"    "
        u"由于牛腿翼缘竖向刚度较差，一般不考虑承担剪力。同时为了与牛腿工字形截面的传力方式一致，"
        "可假定弯矩由牛腿翼缘与柱的连接焊缝承担，剪力由牛腿腹板与柱的连接焊缝承担。"_s,
        twipRect(120, 360, 4890, 3 * lineHeight));
    caption(frame, u"Label9(1)"_s,
        u"    牛腿翼缘和柱的连接采用对接焊缝（坡口焊）,连接，腹板和柱的连接采用角焊缝连接。"_s,
        twipRect(120, 1320, 4890, 2 * lineHeight));
}

void Form1::placeStrengthFrame()
{
    QGroupBox* frame
        = placeGroup(client(), u"Frame4"_s, u"牛腿强度计算"_s, twipRect(120, 4080, 10455, 5895));
    placeResults(frame, strengthRows);
    placeWeldFrame(frame);
}

void Form1::placeWeldFrame(QGroupBox* strengthFrame)
{
    QGroupBox* frame = placeGroup(
        strengthFrame, u"Frame6"_s, u"牛腿与柱连接焊缝计算"_s, twipRect(7080, 2760, 3255, 3015));
    // Unnamed, a group box inside another is announced with the outer one's title.
    frame->setAccessibleName(frame->title());
    placeResults(frame, weldRows);
}

void Form1::placeResults(QWidget* frame, std::span<const FieldDrawing> rows)
{
    for (const FieldDrawing& row : rows) {
        const FieldFacts& facts = factsOf(row.field);
        const PlacedRow placed
            = placeFieldRow(frame, facts, row, fromCore(bracketSpokenName(facts)));
        if (row.field == field::In) {
            placed.formula->setToolTip(inertiaHint);
            placed.formula->setAccessibleDescription(inertiaHint);
        }
    }
}

void Form1::placeButtonsAndPictures()
{
    // Command1 is one pixel narrower than drawn (1335 twips) so that it ends
    // where Command2 begins instead of sliding under it.
    QPushButton* confirm
        = placeButton(client(), u"Command1"_s, u"确定输入"_s, twipRect(11040, 3600, 1320, 375));
    QPushButton* exit
        = placeButton(client(), u"Command2"_s, u"退出"_s, twipRect(12360, 3600, 1215, 375));
    connect(confirm, &QPushButton::clicked, this, &Form1::onCommand1Clicked);
    connect(exit, &QPushButton::clicked, this, &Form1::onCommand2Clicked);

    auto* section = new SvgPicture(u":/pictures/bracket-section.svg"_s, client());
    section->setObjectName(u"Picture1"_s);
    section->setGeometry(twipRect(10920, 120, 3015, 3255));
    section->setAccessibleName(u"牛腿根部截面示意图"_s);
    section->setAccessibleDescription(
        u"不等翼缘焊接牛腿的根部截面，标注上翼缘bf1、t1，腹板ts、hw，下翼缘bf2、t2，形心轴x及距离y"_s);

    auto* truss = new SvgPicture(u":/pictures/roof-truss.svg"_s, client());
    truss->setObjectName(u"Picture2"_s);
    truss->setGeometry(twipRect(10800, 4200, 4335, 5055));
    truss->setAccessibleName(u"空间网架屋盖示意图"_s);
    truss->setAccessibleDescription(u"钢柱支承的双层空间网架屋盖，仅作插图"_s);

    caption(client(), u"Label51"_s, u"Stelvana 钢结构计算工具\n钢牛腿强度与连接焊缝验算"_s,
        twipRect(10800, 9600, 4455, 615));
}

void Form1::setReadingOrder()
{
    QWidget* previous = nullptr;
    for (const FieldName name : readingOrder()) {
        auto* next = client()->findChild<QWidget*>(fromCore(name));
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

void Form1::onCommand1Clicked()
{
    runCalculation();
}

VerdictWindow* Form1::makeVerdictWindow()
{
    return FrmShow::instance();
}

void Form1::onCommand2Clicked()
{
    hide();
}
