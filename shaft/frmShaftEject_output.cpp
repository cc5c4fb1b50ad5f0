// SPDX-License-Identifier: GPL-3.0-or-later
// The shaft-exhaust scheme's duct loss from the duct-loss dialog, its curves along the tunnel and its report,
// printed from what the window shows.
#include "shaft/frmShaftEject.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "jetfan/curve_inputs.h"
#include "jetfan/scheme_output.h"
#include "platform/Forms.h"
#include "platform/vb.h"
#include "shaft/eject_curve.h"
#include "shaft/eject_report.h"
#include "shaft/shaft_eject.h"
#include "ventparam/frmCalculatePd.h"

#include <optional>
#include <string>

using app::guarded;
using platform::Forms;

void frmShaftEject::cmdCalPd_Click() {
    guarded([this] { frmCalculatePd::ShowFor(txtQQ_r3.Text(), txtdeltap_d, this); });
}

void frmShaftEject::cmdDrawCurve_Click() {
    guarded([this] { UpdateData(true); });
    ShaftPile = vb::Val(txtShaftPile.Text());
    frmReq& req = Forms::instance<frmReq>();

    shaft::EjectCurveInputs in;
    in.Merge = IsMergeModel();
    in.Entrance = EntrancePile;
    in.Exit = ExitPile;
    in.Shaft = ShaftPile;
    in.Dir = req.optRightLine.Value() ? 1 : -1;
    in.v1 = vb::Val(txtv_1.Text());
    in.v3 = vb::Val(txtv_3.Text());
    in.zeta_13 = zeta_13;
    in.zeta_23 = zeta_23;
    in.zeta_12 = zeta_12;
    in.deltap_g1 = deltap_g1;
    in.deltap_g2 = deltap_g2;
    // Both traffic forces as the window shows them: the fields are 0 until a pressure calculation ran since
    // the window opened, while the boxes show what the last calculation (or the scheme file) holds.
    in.deltap_t1 = vb::Val(txtdeltap_t1.Text());
    in.deltap_t2 = vb::Val(txtdeltap_t2.Text());
    in.Qreq1 = vb::Val(txtQQ_req1.Text());
    in.Qr1 = vb::Val(txtQQ_r1.Text());
    in.rho = modPublic::rho;
    in.LocalLosses = jetfan::StepTwoLocalLosses();
    in.StartPile = vb::Val(req.txtStartPile.Text());
    in.SectionStations = jetfan::SectionEndStations();
    in.FlowAt = [this](double x) { return GetFlowAtPile(x); };
    in.AreaAt = jetfan::TunnelArea();
    const double lambda = modPublic::lambda_r, rho = modPublic::rho;
    in.Friction = [friction = jetfan::WalkFriction(), lambda, rho](double a, double b, double q) {
        return friction(a, b, lambda, rho, q);
    };
    shaft::EjectCurves c;
    guarded([&] { c = shaft::BuildEjectCurves(in); });
    dPressPoints = c.Press;
    dVPoints = c.V;
    dCPoints = c.C;

    PressCurve = jetfan::NewPressionCurve(dPressPoints, dVPoints, dCPoints);
    guarded([this] { PressCurve->Draw(true, true, true); });
}

void frmShaftEject::cmdReport_Click() {
    const std::optional<std::string> path = jetfan::ProjectOutputPath(shaft::kEjectReportName, ".rpt");
    if (!path) {
        return;
    }
    shaft::EjectReportBoxes b;
    b.ProjectName = frmReq::ReportProjectName();
    b.Merge = optPresModel1.Value();
    b.ShaftPile = txtShaftPile.Text();
    b.deltap_g1 = txtdeltap_g1.Text();
    b.zeta_13 = txtzeta_13.Text();
    b.zeta_12 = txtzeta_12.Text();
    b.QQ_r1 = txtQQ_r1.Text();
    b.v_1 = txtv_1.Text();
    b.deltap_t1 = txtdeltap_t1.Text();
    b.p_tot1 = txtp_tot1.Text();
    b.deltap_g2 = txtdeltap_g2.Text();
    b.zeta_23 = txtzeta_23.Text();
    b.QQ_r2 = txtQQ_r2.Text();
    b.v_2 = txtv_2.Text();
    b.deltap_t2 = txtdeltap_t2.Text();
    b.p_tot21 = txtp_tot21.Text();
    b.p_tot22 = txtp_tot22.Text();
    b.ShaftAA_r = txtShaftAA_r.Text();
    b.ShaftPP_r = txtShaftPP_r.Text();
    b.ShaftDD_r = txtShaftDD_r.Text();
    b.QQ_r3 = txtQQ_r3.Text();
    b.v_3 = txtv_3.Text();
    b.deltap_d = txtdeltap_d.Text();
    b.p_tot3 = txtp_tot3.Text();
    b.p_tot3a = txtp_tot3a.Text();
    b.p_tot = txtp_tot.Text();
    b.AA_tot = txtAA_tot.Text();
    b.eta = txteta.Text();
    b.SS_tot = txtSS_tot.Text();
    jetfan::PublishSchemeText(*path, shaft::EjectReportLines(b), true, "计算报告",
                              std::string(shaft::kEjectReportTitle));
}
