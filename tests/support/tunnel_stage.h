// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "list_rows.h"
#include "platform/Forms.h"
#include "platform/controls.h"
#include "platform/vb.h"
#include "ventparam/frmVentParam.h"

#include <optional>
#include <string>
#include <vector>

namespace test_support {

/// A level tunnel of one cross-section as the scheme windows read it from the main window and the shared
/// module: stations `start`–`end`, the section's area, perimeter and height, density 1.2, friction
/// `lambda`, natural wind `vn`, no vehicle resistance. The entrance loss and the line's direction are set
/// only where a test names them.
struct FlatTunnel {
    double start = 1000;
    double end = 2000;
    std::string area = "90";
    std::string perimeter = "36";
    std::string height = "10";
    double lambda = 0.02;
    double vn = 2.5;
    std::optional<double> zetaE;
    std::optional<int> pileDirection;
};

/// Puts `t` into the main window (silently: start station, density, one slope row of 0 %, one section
/// row) and into the shared module, and selects step 2's first case silently.
inline void setFlatTunnel(const FlatTunnel& t) {
    frmReq& req = platform::Forms::instance<frmReq>();
    const std::string end = vb::CStr(t.end);
    req.txtStartPile.setSilently(vb::CStr(t.start));
    // The main window publishes its density again while it works out the demand and the traffic force.
    req.txtRHO.setSilently("1.2");
    setRows(req.lstSlope, {{end, "0"}});
    setRows(req.lstSection, {{end, t.area, t.perimeter, t.height}});
    modPublic::StartPile = t.start;
    modPublic::EndPile = t.end;
    if (t.pileDirection) {
        modPublic::PileDirection = static_cast<vb::Integer>(*t.pileDirection);
    }
    modPublic::rho = 1.2;
    modPublic::lambda_r = t.lambda;
    modPublic::v_n = t.vn;
    if (t.zetaE) {
        modPublic::zeta_e = *t.zetaE;
    }
    modPublic::AA_m = 0;
    modPublic::AA_m_Bidirection = 0;
    platform::Forms::instance<frmVentParam>().lstCase.setListIndexSilently(0);
}

} // namespace test_support
