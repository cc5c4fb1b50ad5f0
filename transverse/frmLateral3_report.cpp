// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/frmLateral3.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "jetfan/scheme_output.h"
#include "platform/Forms.h"
#include "transverse/lateral.h"

void frmLateral3::cmdReport_Click() {
    app::guarded([this] {
        const std::optional<std::string> path =
            jetfan::ProjectOutputPath(transverse::kLateralReportName, ".rpt");
        if (!path) {
            return;
        }
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
        b.q_b = txtq_b.Text();
        b.v_b = txtv_b.Text();
        b.p_b = txtp_b.Text();
        b.k_b = txtk_b.Text();
        b.pbi_pb0 = txtpbi_pb0.Text();
        b.pb0_pr0 = txtpb0_pr0.Text();
        b.p_d = txtp_d.Text();
        b.p_tot = txtp_tot.Text();
        b.AA_e = txtAA_e.Text();
        b.DD_e = txtDD_e.Text();
        b.Lambda_e = txtLambda_e.Text();
        b.v_e0 = txtv_e0.Text();
        b.p_e = txtp_e.Text();
        b.k_e = txtk_e.Text();
        b.pei_pe0 = txtpei_pe0.Text();
        b.pri_pei = txtpri_pei.Text();
        b.p_ed = txtp_ed.Text();
        b.p_etot = txtp_etot.Text();
        // Where the section cannot balance the portals, the report says so in place of a station.
        b.PileC = unbalanced_.empty() ? txtPileC.Text() : "无(" + unbalanced_ + ")";
        b.PC = txtPC.Text();
        b.ScrollPosition = scbPileR.Value();
        b.PR = txtPR.Text();
        jetfan::PublishSchemeText(*path, transverse::LateralReportLines(b), true, "计算报告",
                                  b.FullTransverse ? "全横向通风计算报告" : "送风型半横向通风计算报告");
    });
}
