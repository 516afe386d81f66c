#pragma once

#include "calculatorwindow.h"

// The I-section window: dimensions of a welded I-section, the forces on it,
// a member length and a piece count in; its properties, stresses,
// slenderness ratios and weights out, on one click of "确定输入".
class SectionForm : public CalculatorWindow {
    Q_OBJECT
public:
    explicit SectionForm();

private:
    void onCommand2Clicked(); // 确定输入
    void onCommand1Clicked(); // 退出

    void placeTitle();
    void placeDataFrame();
    void placePictureFrame();
    void placeNoteAndButtons();
};
