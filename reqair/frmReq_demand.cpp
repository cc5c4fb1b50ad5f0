// SPDX-License-Identifier: GPL-3.0-or-later
// Required air of the one-way and two-way pages of the main window, the pickers that recompute the open
// page, and the calculation segments the later steps cut from the page-2 lists.
#include "app/frmReq.h"

#include "app/guarded.h"
#include "app/modPublic.h"
#include "platform/vb.h"
#include "reqair/design_concentration.h"
#include "reqair/frmReq_inputs.h"
#include "reqair/oneway_demand.h"
#include "reqair/segment_demand.h"
#include "reqair/segments.h"
#include "reqair/twoway_demand.h"

#include <array>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using app::guarded;
using reqair::window::emissionTables;
using reqair::window::siteFactors;

namespace {

bool ticked(const platform::CheckBox& box) {
    return box.Value() == 1;
}

// Rows of the page-2 segment table; a cell without a number counts 0.
std::vector<reqair::CalSegment> segmentRows(platform::ListView& table) {
    std::vector<reqair::CalSegment> rows;
    const int count = table.ListItems.Count();
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) {
        platform::ListItem& row = table.ListItems(i);
        std::array<std::string, 6> cells;
        for (int c = 1; c <= 6; ++c) {
            cells[static_cast<std::size_t>(c - 1)] = row.SubItems(c);
        }
        rows.push_back(reqair::SegmentFromCells(cells));
    }
    return rows;
}

// The picked segment's row for the calculations; -1 when nothing is picked.
vb::Integer pickedSegment(const platform::ListView& picker) {
    const int index = picker.SelectedIndex();
    if (index < 1 || index > std::numeric_limits<vb::Integer>::max()) {
        return -1;
    }
    return static_cast<vb::Integer>(index);
}

std::string joinNumbers(const std::vector<std::string>& numbers) {
    std::string text;
    for (const std::string& n : numbers) {
        text += (text.empty() ? "" : "、") + n;
    }
    return text;
}

// Tells the engineer which segments counted 0 for a gas because its demand could not be computed.
std::string failureWarning(platform::ListView& table, const std::vector<reqair::SegmentDemand>& demands,
                           const std::vector<int>& failedRows) {
    std::vector<std::string> co;
    std::vector<std::string> vi;
    for (int row : failedRows) {
        const std::string number = table.ListItems(row).Text();
        const reqair::SegmentDemand& d = demands.at(static_cast<std::size_t>(row - 1));
        if (d.COFailed) {
            co.push_back(number);
        }
        if (d.VIFailed) {
            vi.push_back(number);
        }
    }
    std::string text;
    if (!co.empty()) {
        text = "区段" + joinNumbers(co) + ": δ、气压、气温或新风CO浓度不可用, CO需风量按0计";
    }
    if (!vi.empty()) {
        text +=
            (text.empty() ? "" : "; ") + std::string("区段") + joinNumbers(vi) + ": K不可用, 烟雾需风量按0计";
    }
    return text.empty() ? text : text + ".";
}

void showWarning(platform::Label& label, const std::string& text) {
    label.setCaption(text);
    // The page may leave the label only one line; the whole text is always at hand under the mouse.
    label.setToolTipText(text);
    label.setVisible(!text.empty());
}

} // namespace

reqair::SiteFactors reqair::window::siteFactors(frmReq& w) {
    reqair::SiteFactors s;
    s.fa = vb::Val(w.txtf_a.Text());
    s.fa_VI = vb::Val(w.txtf_a_VI.Text());
    s.fh = vb::Val(w.txtf_h.Text());
    s.fh_VI = vb::Val(w.txtf_h_VI.Text());
    s.p = modPublic::p;
    s.p0 = modPublic::p0;
    s.T0 = modPublic::T0;
    s.TT = modPublic::TT;
    return s;
}

reqair::EmissionTables reqair::window::emissionTables() {
    return {modPublic::CoefTableOf("f_d"), modPublic::CoefTableOf("f_iv"), modPublic::CoefTableOf("f_iv_VI")};
}

reqair::TunnelLayout& frmReq::segmentLists() {
    if (listHolds_ == 0 || !heldLayout_) {
        auto layout = std::make_unique<reqair::TunnelLayout>();
        for (int i = 1; i <= lstSlope.ListItems.Count(); ++i) {
            platform::ListItem& row = lstSlope.ListItems(i);
            layout->Slopes.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1))});
        }
        for (int i = 1; i <= lstSection.ListItems.Count(); ++i) {
            platform::ListItem& row = lstSection.ListItems(i);
            layout->Sections.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1)),
                                        vb::Val(row.SubItems(2)), vb::Val(row.SubItems(3))});
        }
        for (int i = 1; i <= lstBlock.ListItems.Count(); ++i) {
            platform::ListItem& row = lstBlock.ListItems(i);
            layout->Blocks.push_back({vb::Val(row.Text()), vb::Val(row.SubItems(1))});
        }
        heldLayout_ = std::move(layout);
    }
    return *heldLayout_;
}

void frmReq::BuildSegments(const std::vector<double>& extraPiles, vb::Integer iCaseID, double& dsp,
                           double& dep, double dQ, bool) {
    // The later steps work with the values just published, not with those of the last publication.
    RefreshData(true);
    guarded([&] {
        reqair::TunnelLayout& layout = segmentLists();
        layout.StartPile = vb::Val(txtStartPile.Text());
        layout.TunnelLength = GetTunnelLength();
        layout.LeftLine = optLeftLine.Value();
        layout.OneWaySpeed = vb::Val(txtworkv_t.Text());
        layout.TwoWaySpeed = vb::Val(cmbWorkVt_Bidirection.Text());

        reqair::SegmentCut cut = reqair::BuildSegments(layout, extraPiles, iCaseID, dsp, dep, dQ);
        dsp = cut.dsp;
        dep = cut.dep;
        CalSegments.items = std::move(cut.Segments);
        BreakPiles.items = std::move(cut.BreakPiles);
        if (iCaseID == reqair::kCaseCongestion) {
            std::vector<double> blocks{layout.StartPile};
            for (const reqair::BlockRow& block : layout.Blocks) {
                blocks.push_back(blocks.back() + block.Length);
            }
            BlockPiles.items = std::move(blocks);
        }
    });
}

void frmReq::RefreshQQ() {
    const HoldLists hold(*this);
    const HoldRecompute quiet(*this);
    guarded([this] {
        const platform::ListItem* year = lstYear.SelectedItem();
        if (year == nullptr) {
            return;
        }
        const std::string picked = year->Text();
        // Every row of that year is made current, not only the first.
        for (int i = 1; i <= lstTraffic.ListItems.Count(); ++i) {
            platform::ListItem& row = lstTraffic.ListItems(i);
            if (row.Text() == picked) {
                guarded([&] { lstTraffic_ItemClick(row); });
            }
        }
    });
    guarded([this] { txtDescRatio_Change(); });
    guarded([this] { txtBiDirection_Change(); });
    guarded([this] {
        // With no segment picked the totals are still computed, only no segment's details are shown.
        switch (pgMain.SelectedIndex()) {
        case 4:
            cmdCalculateQQ_CO_Click(pickedSegment(lstCalSegment), static_cast<double>(sclVt.Value()));
            break;
        case 5:
            cmdCalculateQQ_bidrection_Click(pickedSegment(lstCalSegment));
            break;
        case 6:
            cmdCalculateQQ_block_Click();
            break;
        default:
            break;
        }
    });
}

bool frmReq::recomputeOpenPage(int page) {
    // Without calculation segments the page is not computed when it is shown either.
    if (recomputeHolds_ > 0 || pgMain.SelectedIndex() != page || lstSegment.ListItems.Count() == 0) {
        return false;
    }
    RefreshQQ();
    return true;
}

std::function<void()> frmReq::recomputing(int page, void (frmReq::*handler)()) {
    return [this, page, handler] {
        if (handler != nullptr) {
            const HoldRecompute quiet(*this);
            (this->*handler)();
        }
        recomputeOpenPage(page);
    };
}

void frmReq::lstYear_ItemClick(platform::ListItem&) {
    const platform::ListItem* year = lstYear.SelectedItem();
    lblYear.setCaption("选择特征年:" + (year != nullptr ? year->Text() : std::string()));
    RefreshQQ();
}

void frmReq::lstCalSegment_ItemClick(platform::ListItem&) {
    const platform::ListItem* segment = lstCalSegment.SelectedItem();
    lblSegment.setCaption("选择计算区段:" + (segment != nullptr ? segment->Text() : std::string()));
    RefreshQQ();
}

void frmReq::sclVt_Change() {
    const int speed = sclVt.Value();
    workv_t = speed;
    lblvt.setCaption("选择工况车速vt(km/h):" + vb::CStr(speed));
    RefreshQQ();
}

reqair::OneWayInput frmReq::oneWayInput(vb::Integer iSegmentIndex, double dvt) {
    reqair::OneWayInput in;
    in.Segments = segmentRows(lstSegment);
    in.dvt = dvt;
    in.qco = vb::Val(txtq_co_at_Year.Text());
    in.qvi = vb::Val(txtq_VI_at_Year.Text());
    in.nn_co = nn_co;
    in.nn_vi = nn_vi;
    in.COAir = vb::Val(txtCO_in_Air.Text());
    in.Site = siteFactors(*this);
    in.Concentrations = concentrationInput();
    in.iSegmentIndex = iSegmentIndex;
    return in;
}

double frmReq::OneWayDemandAt(double dvt) {
    const reqair::OneWayResult r =
        reqair::CalculateOneWay(oneWayInput(-1, dvt), emissionTables(), modPublic::CoefTableOf("K"));
    return modPublic::MaxOf(vb::Val(r.QQ_req_CO), vb::Val(r.QQ_req_VI));
}

void frmReq::cmdCalculateQQ_CO_Click(vb::Integer iSegmentIndex, double dvt) {
    // The computed δ and K it writes, and the scheme windows' runs at speeds of their own, are no input
    // changed by the engineer.
    const HoldRecompute quiet(*this);
    keepTotalsStamp(dvt);
    // Pressure and temperature may have been edited since the last publication.
    guarded([this] { RefreshData(true); });
    guarded([&] {
        txtQQ_CO.set("");
        txtQQ_VI.set("");
        // Without a working speed of its own the run uses each segment's speed and leaves the page's
        // working speed as it was.
        if (dvt != reqair::kOwnSpeed) {
            workv_t = dvt;
            txtworkv_t.set(vb::CStr(dvt));
        }
        // The computed concentrations are shown in their boxes once a segment is computed with them.
        if (lstSegment.ListItems.Count() > 0 && ticked(chkDelta)) {
            guarded([this] { lstCOModel_Click(); });
        }
        if (lstSegment.ListItems.Count() > 0 && ticked(chkKK)) {
            guarded([this] { lstLightModel_Click(); });
        }
        const reqair::OneWayInput in = oneWayInput(iSegmentIndex, dvt);
        const reqair::OneWayResult r =
            reqair::CalculateOneWay(in, emissionTables(), modPublic::CoefTableOf("K"));

        if (!r.Segments.empty()) {
            f_iv = r.Last.fiv;
            f_iv_VI = r.Last.fiv_VI;
            QQ_CO = r.Last.QQ_CO;
            QQ_req_CO = r.Last.QQ_req_CO;
            QQ_VI = r.Last.QQ_VI;
            QQ_req_VI = r.Last.QQ_req_VI;
        }
        txtQQ_CO.set(r.QQ_CO);
        txtQQ_VI.set(r.QQ_VI);
        showOneWaySegmentDetail(r.Detail);
        txtQQ_req_CO.set(r.QQ_req_CO);
        txtQQ_req_VI.set(r.QQ_req_VI);
        showWarning(lblWarning4, failureWarning(lstSegment, r.Segments, r.FailedRows));
    });
    ShowSectionQreq(reqair::kCaseOneWay);
}

reqair::TwoWayInput frmReq::twoWayInput(vb::Integer iSegmentIndex, double speed) {
    reqair::TwoWayInput in;
    in.Segments = segmentRows(lstSegment);
    in.Method = optBiDirectionMethod1.Value() ? reqair::TwoWayMethod::ControlTraffic
                                              : reqair::TwoWayMethod::AllowedClasses;
    in.BiDirectionFactor = vb::Val(txtBiDirection.Text());
    for (int j = 0; j < reqair::kVehicleClasses; ++j) {
        const auto k = static_cast<std::size_t>(j);
        in.AllowedClasses[k] = j < lstAllowVechileType.ListCount() && lstAllowVechileType.Selected(j);
        if (j + 1 <= lstTrafficAnalysis.ListItems.Count()) {
            platform::ListItem& row = lstTrafficAnalysis.ListItems(j + 1);
            in.Classes[k].Vehicles = vb::Val(row.SubItems(3));
            in.Classes[k].EquivCO = vb::Val(row.SubItems(7));
            in.Classes[k].EquivVI = vb::Val(row.SubItems(8));
        }
    }
    in.MainDirectionRatio = vb::Val(txtMainDirectionRatio.Text());
    in.nn_co = nn_co;
    in.nn_vi = nn_vi;
    in.Speed = speed;
    in.qco = vb::Val(txtq_co_at_Year.Text());
    in.qvi = vb::Val(txtq_VI_at_Year.Text());
    in.COAir = vb::Val(txtCO_in_Air.Text());
    in.Site = siteFactors(*this);
    in.Concentrations = concentrationInput();
    in.iSegmentIndex = iSegmentIndex;
    return in;
}

double frmReq::TwoWayDemandAt(double speed) {
    const reqair::TwoWayResult r =
        reqair::CalculateTwoWay(twoWayInput(-1, speed), emissionTables(), modPublic::CoefTableOf("K"));
    return modPublic::MaxOf(vb::Val(r.QQ_req_CO), vb::Val(r.QQ_req_VI));
}

void frmReq::cmdCalculateQQ_bidrection_Click(vb::Integer iSegmentIndex) {
    keepTotalsStamp();
    guarded([this] { RefreshData(true); });
    guarded([&] {
        const reqair::TwoWayInput in = twoWayInput(iSegmentIndex, vb::Val(cmbWorkVt_Bidirection.Text()));
        const reqair::TwoWayResult r =
            reqair::CalculateTwoWay(in, emissionTables(), modPublic::CoefTableOf("K"));

        if (!r.Segments.empty()) {
            QQ_req_CO = r.Last.QQ_req_CO;
            QQ_req_VI = r.Last.QQ_req_VI;
        }
        if (r.SegmentQQ_req_CO) {
            txtQQ_req_CO_Bidirection_SEGMENT.set(*r.SegmentQQ_req_CO);
        }
        if (r.SegmentQQ_req_VI) {
            txtQQ_req_VI_Bidirection_SEGMENT.set(*r.SegmentQQ_req_VI);
        }
        txtQQ_req_CO_Bidirection.set(r.QQ_req_CO);
        txtQQ_req_VI_Bidirection.set(r.QQ_req_VI);
        // The control-traffic method keeps the design traffic its factor handler wrote.
        if (r.NN_bidirection) {
            txtNN_bidirection.set(*r.NN_bidirection);
        }
        std::string warning = failureWarning(lstSegment, r.Segments, r.FailedRows);
        if (r.BadDirectionRatio) {
            warning =
                "方向不均匀系数不大于0, 允许通行车型的交通量按0计." + (warning.empty() ? "" : " " + warning);
        }
        showWarning(lblWarning5, warning);
    });
    ShowSectionQreq(reqair::kCaseTwoWay);
}

void frmReq::showOneWaySegmentDetail(const std::optional<reqair::OneWaySegmentTexts>& detail) {
    if (!detail) {
        return;
    }
    txtf_d.set(detail->f_d);
    txtf_iv.set(detail->f_iv);
    txtf_iv_VI.set(detail->f_iv_VI);
    txtQQ_CO_SEGMENT.set(detail->QQ_CO);
    txtQQ_VI_SEGMENT.set(detail->QQ_VI);
    txtQQ_req_CO_SEGMENT.set(detail->QQ_req_CO);
    txtQQ_req_VI_SEGMENT.set(detail->QQ_req_VI);
}
