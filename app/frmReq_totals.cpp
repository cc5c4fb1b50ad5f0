// SPDX-License-Identifier: GPL-3.0-or-later
// The totals of pages 4 to 7 as the readers take them (step 2, the saved project, the report): those of the
// inputs as they stand, computed with the pickers as the pages show them; and the pickers of a project
// just opened on one of those pages.
#include "app/frmReq.h"

#include "app/guarded.h"
#include "platform/vb.h"
#include "reqair/frmReq_inputs.h"
#include "reqair/oneway_demand.h"
#include "reqair/segments.h"
#include "reqair/twoway_demand.h"

#include <cstdio>
#include <optional>
#include <string>

using app::guarded;

namespace {

bool resultPage(int page) {
    return page >= 4 && page <= 6;
}

void add(std::string& s, const std::string& text) {
    s += text;
    s += '\x1f';
}

void add(std::string& s, double value) {
    char bits[40];
    std::snprintf(bits, sizeof bits, "%a", value);
    add(s, std::string(bits));
}

void addRows(std::string& s, platform::ListView& list, int columns) {
    const int n = list.ListItems.Count();
    add(s, std::to_string(n));
    for (int r = 1; r <= n; ++r) {
        platform::ListItem& row = list.ListItems(r);
        add(s, row.Text());
        for (int c = 1; c < columns; ++c) {
            add(s, row.SubItems(c));
        }
    }
    s += '\x1e';
}

} // namespace

vb::Integer frmReq::pickedTotalsSegment() {
    const int index =
        resultPage(pgMain.SelectedIndex()) ? lstCalSegment.SelectedIndex() : lstSegment.SelectedIndex();
    return index >= 1 ? static_cast<vb::Integer>(index) : vb::Integer{-1};
}

namespace {

// The design year the pages compute: the year picked beside them, or the one they would pick when shown
// (the current year's row, else the first); nothing without a year row.
std::optional<std::string> pickedYear(frmReq& w) {
    if (resultPage(w.pgMain.SelectedIndex())) {
        const platform::ListItem* year = w.lstYear.SelectedItem();
        return year != nullptr ? std::optional<std::string>(year->Text()) : std::nullopt;
    }
    const int rows = w.lstTraffic.ListItems.Count();
    for (int i = 1; i <= rows; ++i) {
        if (w.lstTraffic.ListItems(i).Text() == w.txtYear.Text()) {
            return w.txtYear.Text();
        }
    }
    return rows > 0 ? std::optional<std::string>(w.lstTraffic.ListItems(1).Text()) : std::nullopt;
}

// The working speed of page 4: the bar's while the pickers are shown, else the one showing them sets.
double pickedSpeed(frmReq& w) {
    if (!resultPage(w.pgMain.SelectedIndex())) {
        if (const auto speed = vb::CInt(w.workv_t);
            speed && *speed >= w.sclVt.Min() && *speed <= w.sclVt.Max()) {
            return *speed;
        }
    }
    return w.sclVt.Value();
}

} // namespace

std::string frmReq::trafficInputs() {
    std::string s;
    // Page 3: the design years, the traffic and the vehicle mixes.
    addRows(s, lstTraffic, 2);
    for (platform::TextBox* box :
         {&txtYear, &txtPcu, &txtTrafficRatio, &txtMainDirectionRatio, &txtTraffic2, &txtPetrol}) {
        add(s, box->Text());
    }
    for (platform::CheckBox* box : {&chkTrafficTotal, &chkPetrol, &chkRatioNotSame}) {
        add(s, std::to_string(box->Value()));
    }
    for (const app::VehicleMixRecord& mix : VehicleMixes) {
        for (const std::string& f : app::to_fields(mix)) {
            add(s, f);
        }
    }
    add(s, pickedYear(*this).value_or("\x1e"));
    return s;
}

std::string frmReq::totalsInputs() {
    // The inputs the engineer sets; what their handlers and the calculations derive from them (the factors,
    // the emissions at the year, the traffic analysis, δ and K computed) is computed again from these.
    std::string s;
    s.reserve(1 << 16);
    // Page 1: the site, the line, the emissions and their decline.
    for (platform::TextBox* box :
         {&txtElevation, &txtP, &txtTT, &txtCO_in_Air, &txtq_co, &txtq_VI, &txtDescRatio, &txtDescYear}) {
        add(s, box->Text());
    }
    add(s, cmbRoadClass.Text());
    add(s, cmbvt.Text());
    add(s, optLeftLine.Value() ? "L" : "R");
    // Page 2: the stations, slopes, sections and the segment table the pages walk.
    add(s, txtStartPile.Text());
    addRows(s, lstSlope, 2);
    addRows(s, lstSection, 4);
    addRows(s, lstSegment, 7);
    s += trafficInputs();
    // Pages 4 to 6: the design concentrations, typed or computed by the models, the 1 km window.
    for (platform::CheckBox* box :
         {&chkDelta, &chkKK, &chkDeltaBi, &chkKKBi, &chkDeltaBlock, &chkKKBlock, &chkBlock}) {
        add(s, std::to_string(box->Value()));
    }
    for (platform::TextBox* box : {&txtDelta, &txtKK, &txtDelta_Bi, &txtKK_Bi, &txtDelta_block, &txtKK_block,
                                   &txtBlockStartPile, &txtBlockEndPile}) {
        add(s, box->Text());
    }
    add(s, std::to_string(lstCOModel.ListIndex()));
    add(s, std::to_string(lstLightModel.ListIndex()));
    // Page 5: the two-way speed, method, factor and classes.
    add(s, cmbWorkVt_Bidirection.Text());
    add(s, optBiDirectionMethod1.Value() ? "1" : "2");
    add(s, txtBiDirection.Text());
    for (int i = 0; i < lstAllowVechileType.ListCount(); ++i) {
        add(s, lstAllowVechileType.Selected(i) ? "1" : "0");
    }
    // Page 6: the blocks' lengths and speeds; their demand columns are results.
    addRows(s, lstBlock, 2);
    // The pickers.
    add(s, std::to_string(pickedTotalsSegment()));
    add(s, pickedSpeed(*this));
    return s;
}

void frmReq::stampTotals() {
    guarded([this] {
        totalsStamp_ = totalsInputs();
        trafficStamp_ = trafficInputs();
    });
}

void frmReq::keepTotalsStamp(std::optional<double> oneWaySpeed) {
    if (totalsStamp_.empty()) {
        return;
    }
    std::string inputs;
    guarded([&] { inputs = totalsInputs(); });
    if (inputs != totalsStamp_ || (oneWaySpeed && *oneWaySpeed != pickedSpeed(*this))) {
        totalsStamp_.clear();
    }
}

void frmReq::UpdateTotals() {
    std::string inputs;
    guarded([&] { inputs = totalsInputs(); });
    // Without calculation segments no page computes anything when shown either.
    if ((inputs.empty() || inputs != totalsStamp_) && lstSegment.ListItems.Count() > 0) {
        totalsStamp_.clear();
        // What showing pages 4, 5 and 6 in turn computes, with the pickers they show.
        const HoldLists hold(*this);
        const HoldRecompute quiet(*this);
        const std::optional<std::string> year = pickedYear(*this);
        const vb::Integer segment = pickedTotalsSegment();
        const double speed = pickedSpeed(*this);
        // The year's traffic is analysed again when what it is analysed from changed.
        std::string traffic;
        guarded([&] { traffic = trafficInputs(); });
        if (year && (traffic.empty() || traffic != trafficStamp_)) {
            for (int i = 1; i <= lstTraffic.ListItems.Count(); ++i) {
                platform::ListItem& row = lstTraffic.ListItems(i);
                if (row.Text() == *year) {
                    guarded([&] { lstTraffic_ItemClick(row); });
                }
            }
        }
        guarded([this] { txtDescRatio_Change(); });
        guarded([this] { txtBiDirection_Change(); });
        guarded([&] { cmdCalculateQQ_CO_Click(segment, speed); });
        guarded([&] { cmdCalculateQQ_bidrection_Click(segment); });
        guarded([&] { cmdCalculateQQ_block_Click(); });
    }
    // The air-change demand is cheap and computed by other windows too: always from the inputs.
    guarded([this] { CalQQ_req_exchange(-1); });
    stampTotals();
}

void frmReq::showOpenedPickers() {
    const int page = pgMain.SelectedIndex();
    if (!resultPage(page) || lstSegment.ListItems.Count() == 0) {
        return;
    }
    const HoldRecompute quiet(*this);
    fillPickers(page, true);
    // The picked segment's figures beside the opened totals, as the page computes them.
    const vb::Integer segment = pickedTotalsSegment();
    if (page == 4) {
        guarded([&] {
            const reqair::OneWayResult r =
                reqair::CalculateOneWay(oneWayInput(segment, sclVt.Value()), reqair::window::emissionTables(),
                                        modPublic::CoefTableOf("K"));
            showOneWaySegmentDetail(r.Detail);
        });
    } else if (page == 5) {
        guarded([&] {
            const reqair::TwoWayResult r =
                reqair::CalculateTwoWay(twoWayInput(segment, vb::Val(cmbWorkVt_Bidirection.Text())),
                                        reqair::window::emissionTables(), modPublic::CoefTableOf("K"));
            if (r.SegmentQQ_req_CO) {
                txtQQ_req_CO_Bidirection_SEGMENT.set(*r.SegmentQQ_req_CO);
            }
            if (r.SegmentQQ_req_VI) {
                txtQQ_req_VI_Bidirection_SEGMENT.set(*r.SegmentQQ_req_VI);
            }
        });
    }
    stampTotals();
}
