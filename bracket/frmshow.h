#pragma once

#include "verdictwindow.h"

// The bracket's verdict window (判断情况如下：): its six strength checks, then
// under 局部稳定与构造 the five of local stability and detailing. One
// window, created hidden on first reference; its close box destroys it.
class FrmShow : public VerdictWindow {
    Q_OBJECT
public:
    static FrmShow* instance();
    // The verdict window if it exists, without creating it.
    static FrmShow* existing();

private:
    FrmShow();
};
