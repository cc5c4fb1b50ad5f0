// SPDX-License-Identifier: GPL-3.0-or-later
// The several-shafts report: every shaft and every section row shown in the window's boxes in turn and
// printed as the boxes show it, the total power and the jet-fan groups.
#include "multishaft/frmMultiShaftAndJet.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "jetfan/scheme_output.h"
#include "multishaft/ms_report.h"
#include "platform/Forms.h"

#include <optional>
#include <string>
#include <vector>

using app::guarded;
using platform::ListItem;

void frmMultiShaftAndJet::cmdReport_Click() {
    const std::optional<std::string> path = jetfan::ProjectOutputPath(multishaft::kMsReportName, ".rpt");
    if (!path) {
        return;
    }
    const std::string project = frmReq::ReportProjectName();

    std::vector<multishaft::MsShaftTexts> shafts;
    const int shaftRows = lstShaft.ListItems.Count();
    for (int i = 1; i <= shaftRows; ++i) {
        guarded([&] {
            ListItem& row = lstShaft.ListItems(i);
            lstShaft_ItemClick(row);
            // The boxes now show this shaft: the selection follows, so that "更新" never writes one shaft's
            // values over another's.
            lstShaft.select(i);
        });
        shafts.push_back({txtShaftPile.Text(),   txtQe.Text(),    cmbCounte.Text(),   txtQQ_e.Text(),
                          txtAA_e.Text(),        txtKK_e.Text(),  txtv_e.Text(),      txtdeltap_e.Text(),
                          txtZeta_fencha.Text(), txtp_de.Text(),  txtp_se.Text(),     txtp_tote.Text(),
                          txtt1_e.Text(),        txtp1_e.Text(),  txteta_e.Text(),    txtSSkw_e.Text(),
                          txtetam_e.Text(),      txtk_e.Text(),   txtMM1_e.Text(),    txtQb.Text(),
                          cmbCountb.Text(),      txtQQ_b.Text(),  txtAA_b.Text(),     txtKK_b.Text(),
                          txtv_b.Text(),         txtbeta.Text(),  txtdeltap_b.Text(), txtZeta_heliu.Text(),
                          txtp_db.Text(),        txtp_sb.Text(),  txtp_totb.Text(),   txtt1_b.Text(),
                          txtp1_b.Text(),        txteta_b.Text(), txtSSkw_b.Text(),   txtetam_b.Text(),
                          txtk_b.Text(),         txtMM1_b.Text()});
    }

    std::vector<multishaft::MsSectionTexts> sections;
    for (int i = 1; i <= lstShaftSection.ListItems.Count(); ++i) {
        guarded([&] {
            lstShaftSection.select(i);
            lstShaftSection_ItemClick(lstShaftSection.ListItems(i));
        });
        sections.push_back({txtQQ_req.Text(), txtQQ_r.Text(), txtv_r.Text(), txtCC_1.Text(), txtCC_2.Text(),
                            txtdeltap_r.Text(), txtdeltap_m.Text(), txtdeltap_t.Text(), cmbJetModel.Text(),
                            txtFlow.Text(), txtDD_j.Text(), txtAA_j.Text(), txtvj.Text(), txtZZ_j.Text(),
                            txteta.Text(), txtdeltap_j.Text(), txtPower.Text(), txtjetcount.Text()});
    }

    std::vector<multishaft::MsGroupTexts> groups;
    guarded([&] {
        for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
            const ListItem& row = lstJet.ListItems(i);
            groups.push_back({row.Text(), row.SubItems(1), row.SubItems(2)});
        }
    });
    std::vector<std::string> lines =
        multishaft::MsReportLines(project, shafts, sections, txtTotalPower.Text(), groups);
    // Below the groups, what they hold against the sections above them.
    if (const std::string judgement = groupsJudgement(); !judgement.empty()) {
        lines.push_back(judgement);
    }
    jetfan::PublishSchemeText(*path, lines, true, "计算报告", std::string(multishaft::kMsReportTitle));
}
