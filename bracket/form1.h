#pragma once

#include "calculatorwindow.h"

#include <span>

class QGroupBox;
struct FieldDrawing;

// The bracket window (钢牛腿设计): plate sizes of a welded bracket with
// unequal flanges, its load and its fillet weld size in; the root section's
// properties, stresses and the weld stresses out, on one click of "确定输入",
// which then shows the verdicts.
class Form1 : public CalculatorWindow {
    Q_OBJECT
public:
    Form1();

private:
    void onCommand1Clicked(); // 确定输入
    void onCommand2Clicked(); // 退出
    VerdictWindow* makeVerdictWindow() override; // FrmShow

    void placeDimensionFrame();
    void placeLoadFrame();
    void placeMaterialFrame();
    void placeNoteFrame();
    void placeStrengthFrame();
    void placeLoadPathFrame();
    void placeWeldFrame(QGroupBox* strengthFrame);
    void placeInputs(QWidget* frame, std::span<const FieldDrawing> rows);
    void placeResults(QWidget* frame, std::span<const FieldDrawing> rows);
    void placeButtonsAndPictures();
    void setReadingOrder();
};
