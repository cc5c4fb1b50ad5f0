// SPDX-License-Identifier: GPL-3.0-or-later
// The pressure, air-speed and concentration curves of the shaft-and-jet scheme: drawn by "绘制曲线", and
// kept undrawn as the pressure lookup of the axial fans at the openings.
#include "shaft/frmShaftAndJet.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "jetfan/curve_inputs.h"
#include "jetfan/jet_curve.h"
#include "platform/Forms.h"
#include "platform/vb.h"
#include "shaft/scheme_curve.h"
#include "shaft/sj_curve.h"
#include "ventparam/frmVentParam.h"

#include <cmath>
#include <optional>
#include <vector>

using app::guarded;
using platform::Forms;

void frmShaftAndJet::cmdDrawPressCurve_Click() {
    BuildPressureCurve(true, true, true);
}

bool frmShaftAndJet::BuildPressureCurve(bool flag1, bool flag2, bool flag3) {
    guarded([this] { UpdateData(true); });

    shaft::SjCurveInputs in;
    if (!jetfan::ReadCurveGroups(lstJet, in.Groups)) {
        return false;
    }

    frmReq& req = Forms::instance<frmReq>();
    frmVentParam& step2 = Forms::instance<frmVentParam>();
    guarded([&] {
        in.TunnelStart = vb::Val(req.txtStartPile.Text());
        in.TunnelLength = req.GetTunnelLength();
    });
    in.RightLine = req.optRightLine.Value();
    in.PileDirection = modPublic::PileDirection;
    in.ShaftPile = vb::Val(txtShaftPile.Text());
    in.ds = vb::Val(txtds.Text());
    in.Qr1 = vb::Val(txtQQ_r1.Text());
    in.Qr2 = vb::Val(txtQQ_r2.Text());
    in.Qe = vb::Val(txtQQ_e.Text());
    in.Qb = vb::Val(txtQQ_b.Text());
    in.deltap_e = vb::Val(txtdeltap_e.Text());
    in.deltap_b = vb::Val(txtdeltap_b.Text());
    in.deltap_t1 = vb::Val(txtdeltap_t1.Text());
    in.deltap_t2 = vb::Val(txtdeltap_t2.Text());
    in.CC_2 = vb::Val(txtCC_2.Text());
    in.CC_2s = vb::Val(txtCC_2s.Text());
    in.CC_2b = CC_2b;
    in.CC_3 = vb::Val(txtCC_3.Text());
    in.Zeta_fencha = Zeta_fencha;
    in.Zeta_heliu = Zeta_heliu;
    in.zeta_e = zeta_e;
    in.rho = modPublic::rho;
    in.lambda = modPublic::lambda_r;
    guarded([&] { in.v_n = vb::Val(step2.txtv_n.Text()); });
    in.LocalLosses = jetfan::StepTwoLocalLosses();
    in.SectionStations = jetfan::SectionEndStations();

    shaft::SjCurveLookups look;
    look.FlowAt = [this](double s) { return GetFlowAtPile(s); };
    look.VelocityAt = [this](double s) { return GetVelocityAtPile(s); };
    look.Area = jetfan::TunnelArea();
    look.Friction = jetfan::WalkFriction();
    const std::optional<shaft::SjCurves> curves =
        shaft::GuardedCurves([&] { return shaft::BuildSjCurves(in, look); });
    if (curves) {
        v_r1 = curves->v_r1;
        v_r2 = curves->v_r2;
        Zeta_fencha = curves->Zeta_fencha;
        Zeta_heliu = curves->Zeta_heliu;
    }
    // A curve with a value that is not a number would be drawn and read at the openings as if it were
    // whole; the curve of the last complete build stays.
    if (!curves || !curves->Finite()) {
        jetfan::SayCurveNotComputed();
        return false;
    }

    dStepPoints = curves->StepPoints;
    dWorkPoints.clear();
    for (double s : curves->SpeedStations) {
        dWorkPoints.push_back({s, 0});
    }
    dPressPoints = curves->Pressure;
    dVPoints = curves->Velocity;
    dCPoints = curves->Concentration;
    PressCurve = shaft::ShownPressionCurve(dPressPoints, dVPoints, dCPoints, flag1, flag2, flag3);
    return true;
}

double frmShaftAndJet::GetVelocityAtPile(double S) {
    double v = std::nan("");
    guarded([&] {
        frmReq& req = Forms::instance<frmReq>();
        const double q =
            shaft::SjLossFlow(S, vb::Val(txtShaftPile.Text()), vb::Val(txtds.Text()), req.optLeftLine.Value(),
                              vb::Val(txtQQ_r1.Text()), vb::Val(txtQQ_r2.Text()), vb::Val(txtQQ_e.Text()));
        v = q / req.GetAA_r(S);
    });
    return v;
}
