// SPDX-License-Identifier: GPL-3.0-or-later
// The jet-fan scheme's report, printed from what the window shows, and its operation control table, which
// recalculates the scheme for every chosen design year, case and working speed.
#include "jetfan/frmJet.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "jetfan/scheme_output.h"
#include "jetfan/scheme_report.h"
#include "platform/Forms.h"
#include "ventparam/frmVentParam.h"

#include <optional>
#include <string>

using app::guarded;

void frmJet::cmdReport_Click() {
    const std::optional<std::string> path = jetfan::ProjectOutputPath(jetfan::kJetReportName, ".rpt");
    if (!path) {
        return;
    }
    jetfan::JetReportBoxes b;
    guarded([&] { b.ProjectName = platform::Forms::instance<frmReq>().txtProjectName.Text(); });
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
    jetfan::PublishSchemeText(*path, jetfan::JetReportLines(b), true, "计算报告",
                              std::string(jetfan::kJetReportTitle));
}

void frmJet::cmdTable_Click() {
    jetfan::ControlTableScheme scheme;
    scheme.Name = jetfan::kJetControlTableName;
    scheme.Summary = [this] { return GetControlSummary(); };
    jetfan::RunControlTable(*this, scheme);
}

std::string frmJet::GetControlSummary() {
    guarded([&] { cmdCalculateJet_Click(); });
    std::string qreq;
    guarded([&] { qreq = platform::Forms::instance<frmVentParam>().txtQQ_req.Text(); });
    return jetfan::JetControlSummary(qreq, txti.Text(), txtPower.Text());
}
