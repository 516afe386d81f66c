#pragma once

#include "designfile.h"
#include "fieldsheet.h"
#include "titleblock.h"

class CalculatorWindow;
struct CalculatorEntry;

// Between a saved design and the calculator windows: field ids in the file,
// control names in the windows.

// What `window` holds; a calculator whose window does not exist yet holds
// its design-time texts and an empty title block.
CalculatorDesign calculatorDesignOf(
    const CalculatorEntry& calculator, const CalculatorWindow* window);

// The design's inputs and title block into `window`, the results back to
// their design-time texts. The design has been checked whole already.
void applyCalculatorDesign(CalculatorWindow& window, const CalculatorDesign& design);

// Inputs by field id as the window's texts by control name, and back.
FieldTexts inputsByControl(const CalculatorEntry& calculator, const QMap<QString, QString>& inputs);
QMap<QString, QString> inputsById(const CalculatorEntry& calculator, const FieldTexts& texts);

TitleBlock titleBlockOf(const QMap<QString, QString>& texts);
QMap<QString, QString> titleBlockTexts(const TitleBlock& block);

// The trial a complete calculation of `window` makes: its inputs and key
// results, and for a calculator with checks how many it met ("5/6").
DesignTrial trialOf(const CalculatorWindow& window);
