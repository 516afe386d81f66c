#include "form1.h"

#include "bracketcalculation.h"
#include "bracketfields.h"
#include "controls.h"
#include "faultreport.h"
#include "fieldbinding.h"
#include "frmshow.h"
#include "svgpicture.h"
#include "twips.h"

#include <QComboBox>
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

// What a screen reader says for a field, and what a fault report quotes:
// its caption on one line, without the trailing "=" or "：".
QString spokenName(const QString& text)
{
    QString name = text.simplified();
    while (name.endsWith(u'=') || name.endsWith(u'：') || name.endsWith(u':'))
        name.chop(1);
    return name;
}

// The unit labels are typed as on a plain keyboard ("mm2", "kN.m"); a screen
// reader gets them as printed.
QString printedUnit(QString unit)
{
    unit.replace(u'.', u'·');
    constexpr char16_t powers[] = u"²³⁴";
    const char16_t last = unit.isEmpty() ? 0 : unit.back().unicode();
    if (last >= u'2' && last <= u'4')
        unit.back() = QChar(powers[last - u'2']);
    return unit;
}

// Frame1: the plate sizes, two columns of three. Captions end with a line
// break; bf2's with two.
struct Dimension {
    int label; // index in Label1
    QString caption;
    QString field;
    QString text;
    int column;
    int top;
};

const Dimension dimensions[] = {
    { 0, u"上翼缘宽bf1\n"_s, u"Text1"_s, u"200"_s, 0, 480 },
    { 1, u"下翼缘宽bf2\n\n"_s, u"Text2"_s, u"200"_s, 0, 840 },
    { 2, u"上翼缘厚t1\n"_s, u"Text3"_s, u"12"_s, 0, 1200 },
    { 3, u"下翼缘厚t2\n"_s, u"Text4"_s, u"12"_s, 1, 480 },
    { 4, u"腹板宽ts\n"_s, u"Text5"_s, u"10"_s, 1, 840 },
    { 5, u"腹板高度hw\n"_s, u"Text6"_s, u"500"_s, 1, 1200 },
};

constexpr int dimensionLabelX[] = { 120, 2640 };
constexpr int dimensionFieldX[] = { 1200, 3720 };
constexpr int dimensionLabelWidth = 1080, dimensionFieldWidth = 1200;

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

// One result row of Frame4. An empty description shares the row above's.
struct StrengthRow {
    QString field;
    int top;
    QString describe;
    QString formula;
    QString unit;
    QString spoken;
    const Columns& columns;
    QString hint = {}; // a symbol of the formula that is not a field
};

const StrengthRow strengthRows[] = {
    { u"Text15"_s, 720, u"牛腿根部的净截面积An"_s, u"An=bf1*t1+bf2*t2+ts*hw="_s, u"mm2"_s,
        u"牛腿根部的净截面积An"_s, wide },
    { u"Text16"_s, 1080, u"上翼缘板中心至截面形心轴处的距离y"_s,
        u"y=(ts*hw*0.5*(hw+t1)+bf2*tf2*(hw+0.5*tf1+0.5*tf2))/An="_s, u"mm"_s,
        u"上翼缘板中心至截面形心轴处的距离y"_s, wide },
    { u"Text17"_s, 1440, u"形心轴以上面积对形心轴的面积矩S"_s,
        u"S=(y-0.5*t1)*ts*0.5*(y-0.5*t1)+t1*bf1*y="_s, u"mm3"_s,
        u"形心轴以上面积对形心轴的面积矩S"_s, wide },
    { u"Text18"_s, 1800, u"腹板中心距与y的距离a="_s, u"a=(0.5*hw+0.5*t1-y)="_s, u"mm"_s,
        u"腹板中心距与y的距离a"_s, wide },
    { u"Text19"_s, 2160, u"净截面的惯性矩In"_s,
        u"In=t1*bf1*y*y+t2*bf2*c2*c2+ts*hw*hw*hw/12+ts*hw*a*a="_s, u"mm4"_s, u"净截面的惯性矩In"_s,
        inertia, u"c2=hw+0.5*t1+0.5*t2-y，下翼缘中心至形心轴的距离"_s },
    // Wn1 and Wn2 share one two-line description, placed separately.
    { u"Text20"_s, 2520, {}, u"Wn1=In/(y+0.5*t1)="_s, u"mm3"_s, u"净截面的上抵抗矩Wn1"_s, narrow },
    { u"Text21"_s, 2880, {}, u"Wn2=In/(hw+0.5*t1+t2-y)="_s, u"mm3"_s, u"净截面的下抵抗矩Wn2"_s,
        narrow },
    { u"Text22"_s, 3240, u"下翼缘外边的正应力σ"_s, u"σ=M/ Wn2="_s, u"N/mm2"_s,
        u"下翼缘外边的正应力σ"_s, narrow },
    { u"Text23"_s, 3600, u"截面形心轴处的剪应力τ"_s, u"τ=VS/(Itw)="_s, u"N/mm2"_s,
        u"截面形心轴处的剪应力τ"_s, narrow },
    { u"Text24"_s, 3960, u"截面腹板下端抵抗矩W’n2 "_s, u"W’n2=In/(hw+0.5*t1-y)="_s, u"mm3"_s,
        u"截面腹板下端抵抗矩W’n2"_s, narrow },
    { u"Text25"_s, 4320, u"下翼缘对形心轴的面积矩S1"_s, u"S1=t2*bf2*(hw+0.5*t1+0.5*t2-y)="_s,
        u"mm3"_s, u"下翼缘对形心轴的面积矩S1"_s, narrow },
    { u"Text26"_s, 4680, u"腹板下端的正应力σ1"_s, u"σ1= M/W’n2="_s, u"N/mm2"_s,
        u"腹板下端的正应力σ1"_s, narrow },
    { u"Text27"_s, 5040, u"腹板下端的剪应力τ1"_s, u"τ=VS1/(Itw)="_s, u"N/mm2"_s,
        u"腹板下端的剪应力τ1"_s, narrow },
    { u"Text28"_s, 5400, u"腹板下端的折算应力"_s, u"√(σ12+3τ12)="_s, u"N/mm2"_s,
        u"腹板下端的折算应力"_s, narrow },
};

// Frame6: each weld result under its caption. The fillet weld's caption
// wraps to two lines and so ends with a line break.
struct WeldRow {
    QString field;
    int top; // of the caption; the field follows right under it
    int captionHeight;
    QString caption;
    QString unit;
    QString spoken;
};

const WeldRow weldRows[] = {
    { u"Text29"_s, 300, lineHeight, u"翼缘采用对接焊缝，其受力为："_s, u"kN"_s,
        u"翼缘对接焊缝受力"_s },
    { u"Text30"_s, 900, lineHeight, u"上翼缘焊缝应力为："_s, u"N/mm2"_s, u"上翼缘焊缝应力"_s },
    { u"Text31"_s, 1500, lineHeight, u"下翼缘焊缝应力为："_s, u"N/mm2"_s, u"下翼缘焊缝应力"_s },
    { u"Text32"_s, 2100, 2 * lineHeight,
        u"腹板采用两条角焊缝，承受剪力V，角焊缝焊角尺寸为hf，角焊缝应力:\n"_s, u"N/mm2"_s,
        u"腹板角焊缝应力"_s },
};

// The order a person reads the window in: Frame1 row by row, left column
// before right (bf1, t2, bf2, ts, t1, hw), the load, the materials, the
// results top to bottom, the welds, then the buttons.
const QString readingOrder[] = {
    u"Text1"_s,
    u"Text4"_s,
    u"Text2"_s,
    u"Text5"_s,
    u"Text3"_s,
    u"Text6"_s,
    u"Text7"_s,
    u"Text8"_s,
    u"Combo1"_s,
    u"Text9"_s,
    u"Text10"_s,
    u"Text11"_s,
    u"Text12"_s,
    u"Text13"_s,
    u"Text14"_s,
    u"Text15"_s,
    u"Text16"_s,
    u"Text17"_s,
    u"Text18"_s,
    u"Text19"_s,
    u"Text20"_s,
    u"Text21"_s,
    u"Text22"_s,
    u"Text23"_s,
    u"Text24"_s,
    u"Text25"_s,
    u"Text26"_s,
    u"Text27"_s,
    u"Text28"_s,
    u"Text29"_s,
    u"Text30"_s,
    u"Text31"_s,
    u"Text32"_s,
    u"Command1"_s,
    u"Command2"_s,
};

} // namespace

// The window is drawn 14130 twips wide, but the truss picture and the credits
// note below it reach to 15255; the client takes them in whole.
Form1::Form1()
    : CalculatorWindow(u"Form1"_s, u"钢牛腿设计"_s, twipSize(15255, 10230))
{
    placeDimensionFrame();
    placeLoadFrame();
    placeMaterialFrame();
    placeNoteFrame();
    placeStrengthFrame();
    placeButtonsAndPictures();
    setReadingOrder();
}

void Form1::placeDimensionFrame()
{
    QGroupBox* frame = placeGroup(
        client(), u"Frame1"_s, u"牛腿信息输入:单位（mm）"_s, twipRect(120, 120, 5055, 1695));
    for (const Dimension& row : dimensions) {
        QLabel* label = caption(frame, u"Label1(%1)"_s.arg(row.label), row.caption,
            twipRect(dimensionLabelX[row.column], row.top, dimensionLabelWidth, lineHeight));
        QLineEdit* field = placeInputField(frame, row.field, row.text,
            twipRect(dimensionFieldX[row.column], row.top, dimensionFieldWidth, fieldHeight),
            spokenName(row.caption));
        label->setBuddy(field);
        field->setAccessibleDescription(unitDescription(u"mm"_s)); // the frame's unit
    }
}

void Form1::placeLoadFrame()
{
    QGroupBox* frame
        = placeGroup(client(), u"Frame2"_s, u"荷载(KN,m)"_s, twipRect(5520, 120, 5055, 1455));
    struct Load {
        QString field, caption, text, unit;
        int top;
    };
    const Load loads[] = {
        { u"Text7"_s, u"竖向压力设计值F="_s, u"400"_s, u"kN"_s, 480 },
        { u"Text8"_s, u"柱边与竖向压力距离e="_s, u".45"_s, u"m"_s, 960 },
    };
    for (const Load& load : loads) {
        QLabel* label = caption(frame, load.field + u"Caption"_s, load.caption,
            twipRect(120, load.top, 1920, lineHeight), rightTop);
        QLineEdit* field = placeInputField(frame, load.field, load.text,
            twipRect(2160, load.top, 1200, fieldHeight), spokenName(load.caption));
        label->setBuddy(field);
        field->setAccessibleDescription(unitDescription(load.unit));
        caption(
            frame, load.field + u"Unit"_s, load.unit, twipRect(3420, load.top, 360, lineHeight));
    }
}

void Form1::placeMaterialFrame()
{
    // The same two columns as Frame1 above it.
    QGroupBox* frame
        = placeGroup(client(), u"Frame3"_s, u"材料"_s, twipRect(120, 1920, 5055, 1935));

    QLabel* steelCaption
        = caption(frame, u"Combo1Caption"_s, u"钢材为"_s, twipRect(120, 480, 1080, lineHeight));
    auto* steel = new QComboBox(frame);
    steel->setObjectName(u"Combo1"_s);
    steel->setEditable(true);
    // The list stays the two grades it was drawn with: a typed grade stays in
    // the edit text only.
    steel->setInsertPolicy(QComboBox::NoInsert);
    steel->addItems({ u"Q235B"_s, u"Q345"_s });
    steel->setCurrentText(u"Q235B"_s);
    // A little taller than a field: the drop-down arrow needs the room.
    steel->setGeometry(twipRect(1200, 465, 1200, 300));
    // On Linux a combo box's accessible name is its current text; the caption
    // reaches the screen reader as the label it is linked to.
    steel->setAccessibleName(u"钢材为"_s);
    steelCaption->setBuddy(steel);

    // Shown for information only: no calculation reads them.
    struct Fixed {
        QString field, caption, text;
        int x, top;
    };
    const Fixed fixed[] = {
        { u"Text9"_s, u"焊条为"_s, u"E43"_s, 2640, 480 },
        { u"Text10"_s, u"焊接形式"_s, u"手工焊"_s, 120, 960 },
        { u"Text11"_s, u"焊缝质量"_s, u"三级"_s, 2640, 960 },
    };
    for (const Fixed& info : fixed) {
        QLabel* label = caption(frame, info.field + u"Caption"_s, info.caption,
            twipRect(info.x, info.top, 1080, lineHeight));
        label->setBuddy(placeFixedField(frame, info.field, info.text,
            twipRect(info.x + 1080, info.top, 1200, fieldHeight), info.caption));
    }

    const QString weldSize = u"角焊缝焊角尺寸hf(mm)="_s;
    QLabel* weldSizeCaption = caption(
        frame, u"Text12Caption"_s, weldSize, twipRect(120, 1440, 3480, lineHeight), rightTop);
    QLineEdit* weldSizeField = placeInputField(
        frame, u"Text12"_s, u"10"_s, twipRect(3720, 1440, 1200, fieldHeight), spokenName(weldSize));
    weldSizeCaption->setBuddy(weldSizeField);
    weldSizeField->setAccessibleDescription(unitDescription(u"mm"_s));
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

    // Row 360 carries both root actions: M in the formula column, V at the
    // field column like every row below it.
    // Row 360 carries both root actions; M is described by the row's caption,
    // V only by its formula.
    const QString rootCaption = u"作用于牛腿根部的弯炬M和剪力V"_s;
    QLabel* rootLabel = caption(frame, u"Text13Describe"_s, rootCaption,
        twipRect(wide.describeX, 360, wide.describeWidth, lineHeight));
    caption(frame, u"Text13Formula"_s, u"M=F*e="_s, twipRect(wide.formulaX, 360, 690, lineHeight),
        rightTop);
    QLineEdit* moment = placeOutputField(
        frame, u"Text13"_s, {}, twipRect(3960, 360, 1500, fieldHeight), u"作用于牛腿根部的弯炬M"_s);
    rootLabel->setBuddy(moment);
    moment->setAccessibleDescription(unitDescription(u"kN·m"_s));
    caption(frame, u"Text13Unit"_s, u"kN.m"_s, twipRect(5520, 360, 600, lineHeight));
    QLabel* shearLabel = caption(
        frame, u"Text14Formula"_s, u"V="_s, twipRect(7500, 360, 465, lineHeight), rightTop);
    QLineEdit* shear = placeOutputField(frame, u"Text14"_s, {},
        twipRect(wide.fieldX, 360, wide.fieldWidth, fieldHeight), u"作用于牛腿根部的剪力V"_s);
    shearLabel->setBuddy(shear);
    shear->setAccessibleDescription(unitDescription(u"kN"_s));
    caption(frame, u"Text14Unit"_s, u"kN"_s, twipRect(wide.unitX, 360, wide.unitWidth, lineHeight));

    // Wn1 and Wn2 share a description over their two rows; this width breaks
    // it after "抵抗矩", the symbols on the second line.
    caption(frame, u"Text20Describe"_s, u"净截面的上、下抵抗矩Wn1、Wn2 \n"_s,
        twipRect(narrow.describeX, 2520, 1950, 2 * lineHeight));

    for (const StrengthRow& row : strengthRows) {
        const Columns& c = row.columns;
        if (!row.describe.isEmpty())
            caption(frame, row.field + u"Describe"_s, row.describe,
                twipRect(c.describeX, row.top, c.describeWidth, lineHeight));
        QLabel* formula = caption(frame, row.field + u"Formula"_s, row.formula,
            twipRect(c.formulaX, row.top, c.formulaWidth, lineHeight), rightTop);
        formula->setToolTip(row.hint);
        formula->setAccessibleDescription(row.hint);
        QLineEdit* field = placeOutputField(frame, row.field, {},
            twipRect(c.fieldX, row.top, c.fieldWidth, fieldHeight), row.spoken);
        caption(frame, row.field + u"Unit"_s, row.unit,
            twipRect(c.unitX, row.top, c.unitWidth, lineHeight));
        // The row's own description, where it has one; Wn1 takes the shared
        // one above, Wn2 its formula.
        auto* describe = frame->findChild<QLabel*>(row.field + u"Describe"_s);
        (describe ? describe : formula)->setBuddy(field);
        field->setAccessibleDescription(unitDescription(printedUnit(row.unit)));
    }

    placeWeldFrame(frame);
}

void Form1::placeWeldFrame(QGroupBox* strengthFrame)
{
    QGroupBox* frame = placeGroup(
        strengthFrame, u"Frame6"_s, u"牛腿与柱连接焊缝计算"_s, twipRect(7080, 2760, 3255, 3015));
    // Unnamed, a group box inside another is announced with the outer one's title.
    frame->setAccessibleName(frame->title());
    for (const WeldRow& row : weldRows) {
        QLabel* label = caption(frame, row.field + u"Caption"_s, row.caption,
            twipRect(120, row.top, 3030, row.captionHeight));
        const int fieldTop = row.top + row.captionHeight;
        QLineEdit* field = placeOutputField(
            frame, row.field, {}, twipRect(120, fieldTop, 1500, fieldHeight), row.spoken);
        label->setBuddy(field);
        field->setAccessibleDescription(unitDescription(printedUnit(row.unit)));
        caption(frame, row.field + u"Unit"_s, row.unit, twipRect(1680, fieldTop, 660, lineHeight));
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
    for (const QString& name : readingOrder) {
        auto* next = client()->findChild<QWidget*>(name);
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

void Form1::onCommand1Clicked()
{
    FieldTexts texts = readFieldTexts(this);
    std::optional<Fault> fault = calculateBracket(texts, userNumberFormat());
    writeFieldTexts(this, texts);
    if (!fault) {
        // The verdicts say when the grade shown is not the one their strengths are for.
        texts.insert_or_assign(std::string(BracketField::steelGrade),
            toUtf8(client()->findChild<QComboBox*>(u"Combo1"_s)->currentText()));
        fault = FrmShow::instance()->evaluate(texts);
    }
    noteCalculation(!fault);
    if (fault) {
        // Verdicts of an earlier calculation no longer belong to these inputs.
        if (FrmShow* verdicts = FrmShow::existing())
            verdicts->hide();
        reportFault(this, *fault);
        return;
    }
    FrmShow::instance()->bringForward();
}

void Form1::onCommand2Clicked()
{
    hide();
}
