// SPDX-License-Identifier: GPL-3.0-or-later
// The pressure, air-speed and concentration curves of the jet-fan scheme, drawn by a new plotter.
#include "jetfan/frmJet.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "jetfan/curve_inputs.h"
#include "jetfan/jet_curve.h"
#include "jetfan/jet_helpers.h"
#include "jetfan/modPublic_jet.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"
#include "ventparam/frmVentParam.h"

#include <vector>

using app::guarded;
using platform::Forms;

void frmJet::cmdDrawPressCurve_Click() {
    guarded([this] {
        frmReq& req = Forms::instance<frmReq>();
        frmVentParam& step2 = Forms::instance<frmVentParam>();

        jetfan::JetCurveInputs in;
        if (!jetfan::ReadCurveGroups(lstJet, in.Groups)) {
            return;
        }

        in.RightLine = req.optRightLine.Value();
        in.StartPile = modPublic::StartPile;
        in.EndPile = modPublic::EndPile;
        in.PileDirection = modPublic::PileDirection;
        in.Rho = modPublic::rho;
        in.Lambda = modPublic::lambda_r;
        in.ZetaE = modPublic::zeta_e;
        in.NaturalWind = modPublic::v_n;
        in.TrafficForce = vb::Val(txtdeltap_t.Text());
        in.DesignFlow = vb::Val(step2.txtQQ_req.Text());
        in.LocalLosses = jetfan::StepTwoLocalLosses();
        in.SpeedStations.push_back(vb::Val(req.txtStartPile.Text()));
        for (double station : jetfan::SectionEndStations()) {
            in.SpeedStations.push_back(station);
        }

        jetfan::JetCurveLookups look;
        look.Velocity = [](double station) {
            return modPublic::GetStationVelocity(station, jetfan::kDesignDemandMarker);
        };
        look.Area = jetfan::TunnelArea();
        look.Friction = jetfan::WalkFriction();
        const jetfan::JetCurves curves = jetfan::BuildJetCurves(in, look);

        // A curve with a gap where no cross-section is known would be drawn as if it were whole.
        if (curves.NoSectionAt) {
            platform::MsgBox("桩号" + vb::CStr(*curves.NoSectionAt) +
                                 "处没有断面，无法绘制曲线，请检查断面数据！",
                             platform::vbOKOnly, "出错！");
            return;
        }
        if (!curves.Finite()) {
            platform::MsgBox("压力曲线无法计算，请检查断面数据与通风参数！", platform::vbOKOnly, "出错！");
            return;
        }

        CPressionCurve curve;
        curve.SetPressPointArray(curves.Pressure);
        curve.SetVPointArray(curves.Velocity);
        curve.SetCPointArray(curves.Concentration);
        curve.Draw(true, true, true);
    });
}
