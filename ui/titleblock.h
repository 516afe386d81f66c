#pragma once

#include <QString>

// The title block of a calculation sheet, as a plan reviewer reads it: the
// project, the member, who designed it, and who calculated, checked and
// approved it, each with a date. Kept per calculator while the program runs
// and saved with the design; an empty field prints as a line to sign on.
struct TitleBlock {
    QString projectName; // 工程名称
    QString projectNumber; // 工程编号
    QString member; // 构件名称/编号
    QString designOrganisation; // 设计单位
    QString calculatedBy, calculatedOn; // 计算, 日期
    QString checkedBy, checkedOn; // 校对, 日期
    QString approvedBy, approvedOn; // 审核, 日期

    bool operator==(const TitleBlock&) const = default;
};
