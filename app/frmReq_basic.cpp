// SPDX-License-Identifier: GPL-3.0-or-later
// The basic-information page of the main window, its input switches, and the publication of the project
// values into the shared module.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "app/site_air.h"
#include "platform/vb.h"

namespace {

// Position of the combo box's text among its items; -1 when the text is no item (typed freely).
int positionOfText(const platform::ComboBox& box) {
    const std::string text = box.Text();
    for (int i = 0; i < box.ListCount(); ++i) {
        if (box.List(i) == text) {
            return i;
        }
    }
    return -1;
}

// The box is the user's to type into while the program does not compute its value.
void enableWhileCleared(const platform::CheckBox& check, platform::TextBox& box) {
    box.setEnabled(check.Value() != 1);
}

void enableWhileSet(const platform::CheckBox& check, platform::TextBox& box) {
    box.setEnabled(check.Value() == 1);
}

} // namespace

void frmReq::cmbRoadClass_Change() {
    const app::VehicleConditionCoefficients c = app::road_class_coefficients(positionOfText(cmbRoadClass));
    f_a = c.f_a;
    f_a_vi = c.f_a_vi;
    txtf_a.set(c.f_a_text);
    txtf_a_VI.set(c.f_a_vi_text);
}

void frmReq::cmbvt_Change() {
    const app::DesignSpeedValue d = app::design_speed(cmbvt.Text());
    modPublic::DesignSpeed = d.speed;
    workv_t = d.speed;
    txtworkv_t.set(d.workv_t_text);
}

void frmReq::txtElevation_Change() {
    const double elevation = vb::Val(txtElevation.Text());
    modPublic::Elevation = elevation;
    const app::AltitudeCoefficients c = app::altitude_coefficients(elevation);
    f_h = c.f_h;
    f_h_vi = c.f_h_vi;
    txtf_h.set(c.f_h_text);
    txtf_h_VI.set(c.f_h_vi_text);
    // The site pressure always follows the elevation: a pressure typed by hand lasts until the next change.
    txtP.set(app::site_pressure_text(modPublic::CoefTableOf("daqiya"), elevation));
}

void frmReq::RefreshEmissionAtYear() {
    app::EmissionDeclineInput in;
    in.q_co = txtq_co.Text();
    in.q_vi = txtq_VI.Text();
    in.DescRatio = txtDescRatio.Text();
    in.DescYear = txtDescYear.Text();
    in.Year = txtYear.Text();
    // The calculations read the factors back from these four-decimal texts.
    const app::EmissionAtYear at = app::emission_at_year(in);
    txtq_co_at_Year.set(at.q_co_text);
    txtq_VI_at_Year.set(at.q_vi_text);
}

void frmReq::txtDescRatio_Change() {
    RefreshEmissionAtYear();
}

void frmReq::txtDescYear_Change() {
    txtDescRatio_Change();
}

void frmReq::chkPetrol_Click() {
    enableWhileSet(chkPetrol, txtPetrol);
}

void frmReq::chkTrafficTotal_Click() {
    enableWhileSet(chkTrafficTotal, txtMainDirectionRatio);
}

void frmReq::chkDelta_Click() {
    enableWhileCleared(chkDelta, txtDelta);
}

void frmReq::chkKK_Click() {
    enableWhileCleared(chkKK, txtKK);
}

void frmReq::chkDeltaBi_Click() {
    enableWhileCleared(chkDeltaBi, txtDelta_Bi);
}

void frmReq::chkKKBi_Click() {
    enableWhileCleared(chkKKBi, txtKK_Bi);
}

void frmReq::chkDeltaBlock_Click() {
    enableWhileCleared(chkDeltaBlock, txtDelta_block);
}

void frmReq::chkKKBlock_Click() {
    enableWhileCleared(chkKKBlock, txtKK_block);
}

void frmReq::chkBlock_Click() {
    enableWhileCleared(chkBlock, txtBlockStartPile);
    enableWhileCleared(chkBlock, txtBlockEndPile);
}

void frmReq::RefreshData(bool bIsSave) {
    if (bIsSave) {
        app::PublicationInput in;
        in.DesignSpeed = cmbvt.Text();
        in.Elevation = txtElevation.Text();
        in.DesignTraffic = txtNN.Text();
        in.p = txtP.Text();
        in.StartPile = txtStartPile.Text();
        in.rho = txtRHO.Text();
        in.TT = txtTT.Text();
        in.RightLine = optRightLine.Value();
        in.TunnelLength = GetTunnelLength();
        in.PreviousTunnelLength = modPublic::TunnelLength;
        const app::PublishedValues v = app::publish_project_values(in);
        modPublic::DesignSpeed = v.DesignSpeed;
        modPublic::Elevation = v.Elevation;
        modPublic::DesignTraffic = v.DesignTraffic;
        modPublic::p = v.p;
        modPublic::p0 = v.p0;
        modPublic::T0 = v.T0;
        modPublic::TunnelLength = v.TunnelLength;
        modPublic::StartPile = v.StartPile;
        modPublic::EndPile = v.EndPile;
        modPublic::rho = v.rho;
        modPublic::PileDirection = v.PileDirection;
        modPublic::TT = v.TT;

        app::ResultTexts boxes;
        boxes.delta = txtDelta.Text();
        boxes.KK = txtKK.Text();
        boxes.QQ_CO = txtQQ_CO.Text();
        boxes.q_CO = txtq_co.Text();
        boxes.f_a = txtf_a.Text();
        boxes.f_d = txtf_d.Text();
        boxes.QQ_req_CO = txtQQ_req_CO.Text();
        boxes.f_h = txtf_h.Text();
        boxes.f_iv = txtf_iv.Text();
        boxes.q_vi = txtq_VI.Text();
        boxes.f_a_vi = txtf_a_VI.Text();
        boxes.f_h_vi = txtf_h_VI.Text();
        boxes.f_iv_VI = txtf_iv_VI.Text();
        boxes.QQ_VI = txtQQ_VI.Text();
        boxes.QQ_req_VI = txtQQ_req_VI.Text();
        const app::ResultMembers m = app::read_result_members(boxes);
        delta = m.delta;
        KK = m.KK;
        QQ_CO = m.QQ_CO;
        q_CO = m.q_CO;
        f_a = m.f_a;
        f_d = m.f_d;
        QQ_req_CO = m.QQ_req_CO;
        f_h = m.f_h;
        f_iv = m.f_iv;
        q_vi = m.q_vi;
        f_a_vi = m.f_a_vi;
        f_h_vi = m.f_h_vi;
        f_iv_VI = m.f_iv_VI;
        QQ_VI = m.QQ_VI;
        QQ_req_VI = m.QQ_req_VI;
        lightmode = static_cast<vb::Integer>(lstLightModel.ListIndex());
        return;
    }

    app::ResultMembers m;
    m.delta = delta;
    m.KK = KK;
    m.QQ_CO = QQ_CO;
    m.q_CO = q_CO;
    m.f_a = f_a;
    m.f_d = f_d;
    m.QQ_req_CO = QQ_req_CO;
    m.f_h = f_h;
    m.f_iv = f_iv;
    m.q_vi = q_vi;
    m.f_a_vi = f_a_vi;
    m.f_h_vi = f_h_vi;
    m.f_iv_VI = f_iv_VI;
    m.QQ_VI = QQ_VI;
    m.QQ_req_VI = QQ_req_VI;
    const app::ResultTexts t = app::format_result_members(m);
    txtDelta.set(t.delta);
    txtKK.set(t.KK);
    txtQQ_CO.set(t.QQ_CO);
    txtq_co.set(t.q_CO);
    txtf_a.set(t.f_a);
    txtf_d.set(t.f_d);
    txtQQ_req_CO.set(t.QQ_req_CO);
    txtf_h.set(t.f_h);
    txtf_iv.set(t.f_iv);
    txtq_VI.set(t.q_vi);
    txtf_a_VI.set(t.f_a_vi);
    txtf_h_VI.set(t.f_h_vi);
    txtf_iv_VI.set(t.f_iv_VI);
    txtQQ_VI.set(t.QQ_VI);
    txtQQ_req_VI.set(t.QQ_req_VI);
}
