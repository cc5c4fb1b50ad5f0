// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/curve_inputs.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "jetfan/CPressionCurve.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/controls.h"
#include "platform/vb.h"
#include "ventparam/frmVentParam.h"

using app::guarded;
using platform::Forms;

namespace jetfan {

namespace {

constexpr const char* kErrorTitle = "出错！";

/// Each row of `list` as `read` makes it, in list order; a row that cannot be read ends the list there.
template <class T, class Read> std::vector<T> rowsOf(platform::ListView& list, Read read) {
    std::vector<T> rows;
    guarded([&] {
        for (int i = 1; i <= list.ListItems.Count(); ++i) {
            rows.push_back(read(list.ListItems(i)));
        }
    });
    return rows;
}

} // namespace

bool ReadCurveGroups(platform::ListView& lstJet, std::vector<PressureStep>& groups) {
    std::vector<double> stations;
    guarded([&] {
        for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
            const platform::ListItem& row = lstJet.ListItems(i);
            const double station = vb::Val(row.Text());
            stations.push_back(station);
            groups.push_back({station, vb::Val(row.SubItems(2))});
        }
    });
    switch (CheckJetGroups(stations, modPublic::StartPile, modPublic::EndPile)) {
    case JetCurveCheck::NoGroups:
        platform::MsgBox("绘制曲线或提取压力值前，请设置风机信息！", platform::vbOKOnly, kErrorTitle);
        return false;
    case JetCurveCheck::GroupOutsideTunnel:
        platform::MsgBox("射流风机桩号超出隧道桩号范围，请检查！", platform::vbOKOnly, kErrorTitle);
        return false;
    case JetCurveCheck::Ok:
        break;
    }
    return true;
}

std::vector<LocalLossAt> StepTwoLocalLosses() {
    return rowsOf<LocalLossAt>(Forms::instance<frmVentParam>().lstzeta, [](const platform::ListItem& row) {
        return LocalLossAt{vb::Val(row.Text()), vb::Val(row.SubItems(1))};
    });
}

std::vector<double> SectionEndStations() {
    return rowsOf<double>(Forms::instance<frmReq>().lstSection,
                          [](const platform::ListItem& row) { return vb::Val(row.Text()); });
}

StretchFriction WalkFriction() {
    frmReq* req = &Forms::instance<frmReq>();
    return [req](double to, double from, double lambda, double rho, double q) {
        return req->GetYANCHENGDeltap_r_m(to, from, lambda, rho, q, kWalkSectionType, kWalkEntranceLoss,
                                          kWalkBranchLoss, kWalkMergeLoss);
    };
}

std::function<double(double)> TunnelArea() {
    frmReq* req = &Forms::instance<frmReq>();
    return [req](double station) { return req->GetAA_r(station); };
}

void SayCurveNotComputed() {
    platform::MsgBox("压力曲线无法计算(除数为零或断面数据缺失)，请检查断面数据、风量与通风参数！",
                     platform::vbOKOnly, kErrorTitle);
}

std::unique_ptr<CPressionCurve> NewPressionCurve(const CurvePointArray& press, const CurvePointArray& v,
                                                 const CurvePointArray& c) {
    auto curve = std::make_unique<CPressionCurve>();
    curve->SetPressPointArray(press);
    curve->SetCPointArray(c);
    curve->SetVPointArray(v);
    return curve;
}

} // namespace jetfan
