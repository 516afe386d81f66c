#include "frmshow.h"

#include "bracketentry.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

// Set while the one verdict window lives; its close box deletes it.
QPointer<FrmShow> theVerdictWindow;

// Label1 … Label6 beside Label7 … Label12 as first drawn, then the detailing
// checks' Label13Caption beside Label13 and on, under DetailingHeading; the
// load's checks under LoadHeading.
constexpr std::size_t strengthChecks = 6;

VerdictLayout frmShowLayout()
{
    VerdictLayout layout;
    layout.name = u"FrmShow"_s;
    layout.title = u"判断情况如下："_s;
    layout.verdictName = [](std::size_t check) { return u"Label%1"_s.arg(check + 7); };
    layout.captionName = [](std::size_t check) {
        return check < strengthChecks ? u"Label%1"_s.arg(check + 1)
                                      : u"Label%1Caption"_s.arg(check + 7);
    };
    layout.headingName
        = [](std::size_t heading) { return heading == 0 ? u"DetailingHeading"_s : u"LoadHeading"_s; };
    return layout;
}

} // namespace

FrmShow::FrmShow()
    : VerdictWindow(bracketCalculator(), frmShowLayout())
{
}

FrmShow* FrmShow::instance()
{
    if (!theVerdictWindow)
        theVerdictWindow = new FrmShow;
    return theVerdictWindow;
}

FrmShow* FrmShow::existing()
{
    return theVerdictWindow;
}
