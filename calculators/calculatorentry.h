#pragma once

#include "designchecks.h"
#include "fieldfacts.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// A calculator as the program knows it: what every part that serves all
// calculators needs of it, each declared once in the calculator's own folder.
// Standard C++: the windows, the sheet and the design file see this type
// without linking any calculation; only the list in calculators.h does.

// A picture a window shows: the box's control name and the drawing in the
// program's resources.
struct WindowPicture {
    std::string_view box; // "Picture1"
    std::string_view resource; // ":/pictures/isection.svg"
};

struct CalculatorEntry {
    std::string_view id; // in step files and saved designs: "section", "bracket"
    std::string_view menuCaption; // the frame's command: "工字型截面性质"
    std::string_view menuName; // that command's object name: "menuG"
    FieldTable (*fields)();
    // One click of "确定输入" on the window's texts: the fault that stopped
    // it, if any.
    std::optional<Fault> (*calculate)(FieldTexts& fields, NumberFormat format);
    // The design checks judged after a complete calculation, and how; none
    // for a calculator without checks.
    CheckTable (*checks)() = nullptr;
    Verdicts (*judge)(const FieldTexts& fields, NumberFormat format) = nullptr;
    std::string_view confirmButton = {}; // the control name of "确定输入"
    std::string_view exitButton = {}; // and of "退出"
    // The results a trial keeps, by field id: what an engineer compares
    // between trials.
    std::span<const std::string_view> trialResults = {};
    std::span<const WindowPicture> pictures = {};
    // A field as the window names it to a screen reader and in a fault
    // report: "上置翼缘宽bf1", "净截面的上抵抗矩Wn1".
    std::string (*spokenName)(const FieldFacts& facts) = nullptr;

    // What the prose says of it: --help, the manual page, the AppStream
    // listing and the desktop entry are made from these, so that no text
    // outside its folder names it. The English gloss of the menu caption
    // stands beside the caption where a reader may have no Chinese.
    std::string_view gloss = {}; // "I-section properties"
    // One line on what it does, in each language; the Chinese follows the
    // menu caption and a "：".
    std::string_view summaryZh = {};
    std::string_view summaryEn = {};
    // Words a desktop search finds the program by.
    std::span<const std::string_view> keywordsEn = {};
    std::span<const std::string_view> keywordsZh = {};
    // Whether `stelvana optimize ID` searches its sizes: what --help and the
    // manual page offer.
    bool optimizes = false;
};

// The program's calculators, or some of them, in the frame's menu order.
using CalculatorList = std::span<const CalculatorEntry>;
