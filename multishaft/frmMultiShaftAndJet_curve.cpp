// SPDX-License-Identifier: GPL-3.0-or-later
// The pressure, air-speed and concentration curves of the several-shafts scheme: drawn by "绘制曲线", and
// kept undrawn as the pressure lookup of the axial fans at the openings.
#include "multishaft/frmMultiShaftAndJet.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "jetfan/curve_inputs.h"
#include "jetfan/jet_curve.h"
#include "jetfan/modPublic_jet.h"
#include "multishaft/ms_curve.h"
#include "multishaft/multishaft.h"
#include "platform/Forms.h"
#include "platform/vb.h"
#include "shaft/scheme_curve.h"
#include "ventparam/frmVentParam.h"

#include <cmath>
#include <optional>
#include <vector>

using app::guarded;
using platform::Forms;
using platform::ListItem;

namespace {

/// The section rows as the curve reads them; a row that cannot be read ends the list there.
std::vector<multishaft::CurveSection> sectionRows(platform::ListView& list) {
    std::vector<multishaft::CurveSection> rows;
    guarded([&] {
        for (int i = 1; i <= list.ListItems.Count(); ++i) {
            const ListItem& row = list.ListItems(i);
            rows.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1)), vb::Val(row.SubItems(3)),
                            vb::Val(row.SubItems(6)), vb::Val(row.SubItems(7)), vb::Val(row.SubItems(12))});
        }
    });
    return rows;
}

} // namespace

void frmMultiShaftAndJet::cmdDrawPressCurve_Click() {
    BuildPressureCurve(true, true, true);
}

double frmMultiShaftAndJet::GetFlowAtPile(double dPile) {
    return multishaft::FlowAtPile(sectionRows(lstShaftSection), dPile);
}

double frmMultiShaftAndJet::GetVelocityAtPile(double dPile) {
    const double q = GetFlowAtPile(dPile);
    double v = std::nan("");
    guarded([&] { v = q / Forms::instance<frmReq>().GetAA_r(dPile); });
    return v;
}

void frmMultiShaftAndJet::BuildPressureCurve(bool bDrawPressCurve, bool bDrawVCurve, bool bDrawCCurve) {
    multishaft::MsCurveInputs in;
    if (!jetfan::ReadCurveGroups(lstJet, in.Groups)) {
        return;
    }

    frmReq& req = Forms::instance<frmReq>();
    frmVentParam& step2 = Forms::instance<frmVentParam>();
    guarded([&] { in.RightLine = req.optRightLine.Value(); });
    guarded([&] { in.TunnelStart = vb::Val(req.txtStartPile.Text()); });
    guarded([&] { in.TunnelLength = req.GetTunnelLength(); });
    in.Rho = modPublic::rho;
    in.Lambda = modPublic::lambda_r;
    in.ZetaE = zeta_rukou;
    guarded([&] { in.NaturalWind = vb::Val(step2.txtv_n.Text()); });
    guarded([&] {
        for (int i = 1; i <= lstShaft.ListItems.Count(); ++i) {
            const ListItem& row = lstShaft.ListItems(i);
            multishaft::CurveShaft shaft;
            shaft.Station = vb::Val(row.Text());
            shaft.Qe = vb::Val(row.SubItems(1));
            shaft.DeltaPe = vb::Val(row.SubItems(5));
            shaft.ZetaBranch = vb::Val(row.SubItems(16));
            shaft.Qb = vb::Val(row.SubItems(17));
            shaft.DeltaPb = vb::Val(row.SubItems(22));
            shaft.ZetaMerge = vb::Val(row.SubItems(33));
            shaft.ds = vb::Val(row.SubItems(multishaft::kColumnDs));
            in.Shafts.push_back(shaft);
        }
    });
    in.Sections = sectionRows(lstShaftSection);
    in.LocalLosses = jetfan::StepTwoLocalLosses();
    in.CrossSectionStations = jetfan::SectionEndStations();

    multishaft::MsCurveLookups look;
    look.Area = jetfan::TunnelArea();
    look.LossVelocity = [](double s, double q) { return modPublic::GetStationVelocity(s, q); };
    look.Friction = jetfan::WalkFriction();
    const std::optional<multishaft::MsCurves> curves =
        shaft::GuardedCurves([&] { return multishaft::BuildMsCurves(in, look); });
    // A curve with a value that is not a number would be drawn, and read at the openings by the fan design,
    // as if it were whole; the curve of the last complete build stays.
    if (!curves || !curves->Finite()) {
        jetfan::SayCurveNotComputed();
        return;
    }
    if (!in.Shafts.empty()) {
        zeta_fencha = curves->ZetaBranch;
        zeta_heliu = curves->ZetaMerge;
    }
    EventPoints = curves->Events;
    PressPoints = curves->Pressure;
    VPoints = curves->Velocity;
    CPoints = curves->Concentration;
    PressionCurve =
        shaft::ShownPressionCurve(PressPoints, VPoints, CPoints, bDrawPressCurve, bDrawVCurve, bDrawCCurve);
}
