// SPDX-License-Identifier: GPL-3.0-or-later
// The jet-fan scheme's report, printed from what the window shows, and its operation control table, which
// recalculates the scheme for every chosen design year, case and working speed.
#include "jetfan/frmJet.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "jetfan/main_windows_state.h"
#include "jetfan/scheme_output.h"
#include "jetfan/scheme_report.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/controls.h"
#include "ventparam/frmVentParam.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

using app::guarded;

void frmJet::cmdReport_Click() {
    const std::optional<std::string> path = jetfan::ProjectOutputPath(jetfan::kJetReportName, ".rpt");
    if (!path) {
        return;
    }
    jetfan::JetReportBoxes b;
    b.ProjectName = frmReq::ReportProjectName();
    b.JetModel = cmbJetModel.Text();
    b.Flow = txtFlow.Text();
    b.DD_j = txtDD_j.Text();
    b.AA_j = txtAA_j.Text();
    b.vj = txtvj.Text();
    b.Power = txtPower.Text();
    b.ZZ_j = txtZZ_j.Text();
    b.eta = txteta.Text();
    b.deltap_j = txtdeltap_j.Text();
    b.deltap_r = txtdeltap_r.Text();
    b.deltap_m = txtdeltap_m.Text();
    b.deltap_t = txtdeltap_t.Text();
    b.deltap_l = txtdeltap_l.Text();
    b.totaldeltap_j = txttotaldeltap_j.Text();
    b.i = txti.Text();
    b.TotalPower = txtTotalPower.Text();
    for (int k = 1; k <= lstJet.ListItems.Count(); ++k) {
        platform::ListItem& row = lstJet.ListItems(k);
        b.Stations.push_back({row.Text(), row.SubItems(1), row.SubItems(2)});
    }
    b.LayoutJudgement = layoutJudgement();
    jetfan::PublishSchemeText(*path, jetfan::JetReportLines(b), true, "计算报告",
                              std::string(jetfan::kJetReportTitle));
}

void frmJet::cmdTable_Click() {
    jetfan::ControlTableScheme scheme;
    scheme.Name = jetfan::kJetControlTableName;
    scheme.Summary = [this] { return GetControlSummary(); };
    tableFailures_ = 0;
    std::optional<jetfan::MainWindowsState> before;
    guarded([&] {
        before.emplace(platform::Forms::instance<frmReq>(), platform::Forms::instance<frmVentParam>(),
                       std::vector<platform::TextBox*>{&txtdeltap_m, &txtdeltap_t, &txtdeltap_r, &txtdeltap_l,
                                                       &txttotaldeltap_j, &txti, &txtTotalPower,
                                                       &txtdeltap_j},
                       jetfan::MainWindowsState::SharedValues::Left);
    });
    jetfan::RunControlTable(*this, scheme);
    // The table is a record of other combinations: the design on screen, and what Save stores, stays
    // the engineer's.
    if (before) {
        before->Restore();
    }
    if (tableFailures_ > 0) {
        platform::MsgBox("运营控制表中有" + std::to_string(tableFailures_) +
                             "个组合无法计算风机台数，其行已注明原因。",
                         platform::vbExclamation, "运营控制表");
    }
    tableFailures_ = 0;
}

std::string frmJet::GetControlSummary() {
    // The balance of each combination runs quietly; what it cannot do is written on its line.
    quietBalance_ = true;
    quietFault_.clear();
    guarded([&] { cmdCalculateJet_Click(); });
    quietBalance_ = false;
    std::string qreq;
    guarded([&] { qreq = platform::Forms::instance<frmVentParam>().txtQQ_req.Text(); });
    if (!quietFault_.empty() || txti.Text().empty()) {
        ++tableFailures_;
        const std::string why = quietFault_.empty() ? std::string("风机台数无法计算") : quietFault_;
        quietFault_.clear();
        return jetfan::JetControlFailure(qreq, why);
    }
    return jetfan::JetControlSummary(qreq, txti.Text(), txtPower.Text());
}
