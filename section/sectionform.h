#pragma once

#include "calculatorwindow.h"

class QLabel;

// The I-section window: dimensions of a welded I-section, the forces on it,
// a member length and a piece count in; its properties, stresses,
// slenderness ratios and weights out, on one click of "确定输入".
class SectionForm : public CalculatorWindow {
    Q_OBJECT
public:
    explicit SectionForm();

private:
    std::optional<Fault> checkCalculation(FieldTexts& texts) override;
    void showOutcome(const std::optional<Fault>& fault) override;
    VerdictLayout verdictLayout() const override;

    void onCommand2Clicked(); // 确定输入
    void onCommand1Clicked(); // 退出

    void placeTitle();
    void placeDataFrame();
    void placePictureFrame();
    void placeNoteAndButtons();
    void placeSteelGrade(QWidget* frame);

    QLabel* m_plasticFactor = nullptr; // which γx σp took, beside it
};
