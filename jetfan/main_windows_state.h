// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/modPublic.h"

#include <string>
#include <utility>
#include <vector>

class frmReq;
class frmVentParam;
namespace platform {
class ListView;
class TextBox;
} // namespace platform

namespace jetfan {

/// What the engineer had in the main window and step 2 before an operation control table drove them
/// through its combinations: the design year, the traffic case, the working speed, the demands with the
/// figures behind them, and the scheme window's own `boxes` the table rewrites. Restore puts it all back
/// without firing anything.
class MainWindowsState {
public:
    /// Which values step 2 and the main window published to the shared module Restore puts back too.
    enum class SharedValues { Left, Restored };

    MainWindowsState(frmReq& req, frmVentParam& step2, const std::vector<platform::TextBox*>& boxes,
                     SharedValues shared);

    void Restore();

private:
    frmReq& req_;
    frmVentParam& step2_;
    std::vector<std::pair<platform::TextBox*, std::string>> boxes_;
    std::vector<std::pair<platform::ListView*, std::vector<std::vector<std::string>>>> lists_;
    std::vector<double> figures_;
    int caseIndex_ = -1;
    std::string tip_, speedTip_;
    SharedValues shared_;
    modPublic::State globals_;
};

} // namespace jetfan
