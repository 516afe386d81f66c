#include "sectionform.h"

#include "controls.h"
#include "faultreport.h"
#include "fieldbinding.h"
#include "interfacefont.h"
#include "sectioncalculation.h"
#include "svgpicture.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

enum class Role { Input, Output };

struct Place {
    int left, top, width, height;
};

// One row of the data frame: a caption label of the Label2 array and its field
// to its right, in twips inside Frame2. Fields are one line high.
struct Row {
    int label; // index in Label2
    QString caption;
    Place labelPlace;
    QString field;
    int fieldLeft, fieldTop, fieldWidth;
    Role role;
    QString text; // design-time text
    QString unit; // what a screen reader adds to the caption
};

constexpr int fieldHeight = 270;

// The two stress captions (13, 14) wrap onto two lines, which a CJK face needs
// a little more than 495 twips for; the rows below leave room. Label 17 sits
// 15 twips above its field.
const Row rows[] = {
    // Left column: the section's dimensions and properties, in reading order.
    { 0, u"翼缘宽B"_s, { 360, 600, 1455, 495 }, u"Text1"_s, 1560, 600, 1455, Role::Input, u"400"_s,
        u"mm"_s },
    { 1, u"高  度H"_s, { 360, 1080, 1455, 495 }, u"Text2"_s, 1560, 1080, 1455, Role::Input,
        u"300"_s, u"mm"_s },
    { 2, u"腹板厚tw"_s, { 360, 1560, 1455, 495 }, u"Text3"_s, 1560, 1560, 1455, Role::Input, u"6"_s,
        u"mm"_s },
    { 3, u"翼缘厚t"_s, { 360, 2160, 1455, 495 }, u"Text4"_s, 1560, 2160, 1455, Role::Input, u"8"_s,
        u"mm"_s },
    { 4, u"截面面积A"_s, { 360, 2760, 1455, 495 }, u"Text5"_s, 1560, 2760, 2055, Role::Output, {},
        u"mm²"_s },
    { 5, u"转动惯量Ix"_s, { 360, 3360, 1455, 495 }, u"Text6"_s, 1560, 3360, 2055, Role::Output, {},
        u"mm⁴"_s },
    { 6, u"转动惯量Iy"_s, { 360, 3960, 1455, 495 }, u"Text7"_s, 1560, 3960, 2055, Role::Output, {},
        u"mm⁴"_s },
    { 7, u"回转半径ix"_s, { 360, 4560, 1455, 495 }, u"Text8"_s, 1560, 4560, 2055, Role::Output, {},
        u"mm"_s },
    { 8, u"回转半径iy"_s, { 360, 5160, 1455, 495 }, u"Text9"_s, 1560, 5160, 2055, Role::Output, {},
        u"mm"_s },
    { 9, u"截面抵抗矩Wx"_s, { 360, 5760, 1455, 495 }, u"Text10"_s, 1560, 5760, 2055, Role::Output,
        {}, u"mm³"_s },
    { 10, u"截面抵抗矩Wy"_s, { 360, 6360, 1455, 495 }, u"Text11"_s, 1560, 6360, 2055, Role::Output,
        {}, u"mm³"_s },
    // Right column: forces, stresses, length, slenderness and weight.
    { 11, u"轴力N"_s, { 4080, 480, 1455, 495 }, u"Text12"_s, 5400, 480, 1335, Role::Input, u"150"_s,
        u"kN"_s },
    { 12, u"弯矩M"_s, { 4080, 960, 1455, 495 }, u"Text13"_s, 5400, 960, 1335, Role::Input, u"118"_s,
        u"kN·m"_s },
    { 13, u"弹性设计最大应力 σe"_s, { 4080, 1440, 975, 570 }, u"Text14"_s, 5400, 1440, 1815,
        Role::Output, {}, u"N/mm²"_s },
    { 14, u"纯弯梁考虑塑性最大应力 σp"_s, { 4080, 2040, 1335, 570 }, u"Text15"_s, 5400, 2040, 1815,
        Role::Output, {}, u"N/mm²"_s },
    { 15, u"构件长度 L"_s, { 4080, 2880, 1455, 495 }, u"Text16"_s, 5400, 2880, 1335, Role::Input,
        u"10000"_s, u"mm"_s },
    { 16, u"计算长度 L0"_s, { 4080, 3480, 1455, 495 }, u"Text17"_s, 5400, 3480, 1335, Role::Output,
        {}, u"mm"_s },
    { 17, u"X轴长细比"_s, { 4080, 4080, 1455, 495 }, u"Text18"_s, 5400, 4065, 1335, Role::Output,
        {}, {} },
    { 18, u"Y轴长细比"_s, { 4080, 4680, 1455, 495 }, u"Text19"_s, 5400, 4680, 1335, Role::Output,
        {}, {} },
    { 19, u"数量 Num"_s, { 4080, 5280, 1455, 495 }, u"Text20"_s, 5400, 5280, 1335, Role::Input,
        u"1"_s, {} },
    { 20, u"每米重量 G"_s, { 4080, 5880, 1455, 495 }, u"Text21"_s, 5400, 5880, 1815, Role::Output,
        u"Text21"_s, u"kg/m"_s },
    { 21, u"重量 Gsum"_s, { 4080, 6360, 1455, 495 }, u"Text22"_s, 5400, 6360, 1815, Role::Output,
        u"Text22"_s, u"kg/m"_s },
};

QString accessibleNameOf(const QString& caption)
{
    return caption.simplified();
}

} // namespace

SectionForm::SectionForm()
    : CalculatorWindow(u"SectionForm"_s, u"工字型截面性质计算"_s, twipSize(15240, 10485))
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
        twipRect(240, 1320, 7455, 7095));
    QWidget* previous = nullptr;
    for (const Row& row : rows) {
        const Place& at = row.labelPlace;
        QLabel* label = placeLabel(frame, u"Label2(%1)"_s.arg(row.label), row.caption,
            twipRect(at.left, at.top, at.width, at.height));
        const QRect where = twipRect(row.fieldLeft, row.fieldTop, row.fieldWidth, fieldHeight);
        const QString name = accessibleNameOf(row.caption);
        QLineEdit* field = row.role == Role::Input
            ? placeInputField(frame, row.field, row.text, where, name)
            : placeOutputField(frame, row.field, row.text, where, name);
        label->setBuddy(field);
        if (!row.unit.isEmpty())
            field->setAccessibleDescription(unitDescription(row.unit));
        if (previous)
            setTabOrder(previous, field);
        previous = field;
    }
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
        u"说明：输入焊接工字型截面的翼缘宽B、高度H、腹板厚tw、翼缘厚t（mm），轴力N（kN）、"
        "弯矩M（kN·m）、构件长度L（mm）和数量Num，按“确定输入”计算截面面积、惯性矩、回转半径、"
        "截面抵抗矩、弹性与考虑塑性的最大应力（N/mm²）、计算长度L0（取2L）、两轴长细比，"
        "以及每米重量G和总重量Gsum（kg/m，钢材密度7850 kg/m³）。灰底为计算结果，可选择复制。"_s,
        twipRect(240, 8880, 9855, 1815));
    // Read as a whole, not only by its first word.
    note->setAccessibleName(u"工字型截面性质计算说明"_s);
    note->setAccessibleDescription(note->text());

    QPushButton* confirm
        = placeButton(client(), u"Command2"_s, u"确定输入"_s, twipRect(10920, 8880, 1935, 375));
    QPushButton* exit
        = placeButton(client(), u"Command1"_s, u"退出"_s, twipRect(12960, 8880, 1815, 375));
    setTabOrder(findChild<QLineEdit*>(u"Text22"_s), confirm);
    setTabOrder(confirm, exit);
    connect(confirm, &QPushButton::clicked, this, &SectionForm::onCommand2Clicked);
    connect(exit, &QPushButton::clicked, this, &SectionForm::onCommand1Clicked);
}

void SectionForm::onCommand2Clicked()
{
    FieldTexts texts = readFieldTexts(this);
    const std::optional<Fault> fault = calculateSection(texts, userNumberFormat());
    writeFieldTexts(this, texts);
    noteCalculation(!fault);
    if (fault)
        reportFault(this, *fault);
}

void SectionForm::onCommand1Clicked()
{
    hide();
}
