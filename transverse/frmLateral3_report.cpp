// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/frmLateral3.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "jetfan/scheme_output.h"
#include "jetfan/scheme_report.h"
#include "platform/Forms.h"
#include "transverse/lateral.h"

void frmLateral3::cmdReport_Click() {
    app::guarded([this] {
        const std::optional<std::string> path =
            jetfan::ProjectOutputPath(transverse::kLateralReportName, ".rpt");
        if (!path) {
            return;
        }
        // An empty result box holds nothing a calculation gave: the report says so.
        const auto result = [](const platform::TextBox& box) { return jetfan::ResultText(box.Text()); };
        transverse::LateralReportBoxes b;
        b.ProjectName = frmReq::ReportProjectName();
        b.FullTransverse = optTranverse.Value();
        b.TwoSections = chkTwoSect.Value() == 1;
        b.v_t = txtv_t.Text();
        b.StartPile = txtStartPile.Text();
        b.EndPile = txtEndPile.Text();
        b.QQ_req = txtQQ_req.Text();
        b.Pa = txtPa.Text();
        b.AA_b = txtAA_b.Text();
        b.DD_b = txtDD_b.Text();
        b.Lambda_b = txtLambda_b.Text();
        b.q_b = result(txtq_b);
        b.v_b = result(txtv_b);
        b.p_b = result(txtp_b);
        b.k_b = result(txtk_b);
        b.pbi_pb0 = result(txtpbi_pb0);
        b.pb0_pr0 = result(txtpb0_pr0);
        b.p_d = txtp_d.Text();
        b.p_tot = result(txtp_tot);
        b.AA_e = txtAA_e.Text();
        b.DD_e = txtDD_e.Text();
        b.Lambda_e = txtLambda_e.Text();
        b.v_e0 = result(txtv_e0);
        b.p_e = result(txtp_e);
        b.k_e = result(txtk_e);
        b.pei_pe0 = result(txtpei_pe0);
        b.pri_pei = result(txtpri_pei);
        b.p_ed = txtp_ed.Text();
        b.p_etot = result(txtp_etot);
        // Where the section cannot balance the portals, the report says so in place of a station.
        b.PileC = unbalanced_.empty() ? result(txtPileC) : "无(" + unbalanced_ + ")";
        b.PC = result(txtPC);
        b.ScrollPosition = scbPileR.Value();
        b.PR = result(txtPR);
        jetfan::PublishSchemeText(*path, transverse::LateralReportLines(b), true, "计算报告",
                                  b.FullTransverse ? "全横向通风计算报告" : "送风型半横向通风计算报告");
    });
}
