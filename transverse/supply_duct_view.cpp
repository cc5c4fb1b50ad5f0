// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/supply_duct_view.h"

#include "app/companion_file.h"
#include "app/guarded.h"
#include "app/modPublic.h"
#include "app/stored_text.h"
#include "platform/close_box.h"
#include "platform/Forms.h"
#include "platform/scheme_file.h"
#include "platform/vb.h"
#include "ventparam/frmCalculatePd.h"

#include <utility>

using app::guarded;
using platform::TextBox;

namespace transverse {

void SupplyDuctView::showSupplyResults() {
    ShowResults({{&txtq_b, q_b},
                 {&txtv_b, v_b},
                 {&txtp_b, p_b},
                 {&txtk_b, k_b},
                 {&txtpbi_pb0, pbi_pb0},
                 {&txtpb0_pr0, pb0_pr0},
                 {&txtprc_prx, prc_prx},
                 {&txtp_tot, p_tot}});
}

app::CompanionSource SupplyDuctView::openSchemeFile(scheme::SchemeReader& in) const {
    return app::OpenCompanionOrTemplateFrom(in, app::ProjectCompanionPath(extension_),
                                            app::TemplateCompanionPath(extension_));
}

bool SupplyDuctView::saveSchemeFile(const scheme::SchemeWriter& file, const std::string& what) const {
    const std::string path = app::ProjectCompanionPath(extension_);
    if (path.empty()) {
        return false;
    }
    return app::SaveCompanionFile(file, path, what);
}

void SupplyDuctView::Form_QueryUnload(int& cancel, int unloadMode) {
    // The close button has saved already; only the close box can leave work unsaved.
    if (unloadMode != platform::vbFormControlMenu) {
        return;
    }
    bool mayClose = true;
    guarded([&] {
        mayClose = platform::CloseBoxMayClose(app::ProjectCompanionPath(extension_), schemeFile().Bytes(),
                                              [this] { return SaveFile(); });
    });
    if (!mayClose) {
        cancel = 1;
    }
}

void SupplyDuctView::cmdCalculatePd_Click() {
    guarded([this] { frmCalculatePd::ShowFor(txtQQ_req.Text(), txtp_d, this); });
}

void SupplyDuctView::cmdClose_Click() {
    guarded([this] { SaveFile(); });
    guarded([this] { platform::Forms::unload(*this); });
}

void SupplyDuctView::putSupplyInput(SupplyDuctInput& in) const {
    in.Q = modPublic::QQ_req;
    in.AA_b = AA_b;
    in.DD_b = DD_b;
    in.Lambda_b = modPublic::Lambda_b;
    in.p_d = p_d;
    in.rho = modPublic::rho;
}

void SupplyDuctView::takeSupplyResults(const SupplyDuctResult& r) {
    q_b = r.q_b;
    v_b = r.v_b;
    p_b = r.p_b;
    k_b = r.k_b;
    pbi_pb0 = r.pbi_pb0;
    pb0_pr0 = r.pb0_pr0;
    p_tot = r.p_tot;
}

void ShowResults(std::initializer_list<std::pair<TextBox*, double>> results) {
    for (auto [box, value] : results) {
        guarded([&] { box->set(vb::Format(value, "0.00")); });
    }
}

std::array<TextBox*, 9> SupplyDuctView::supplyResultBoxes() {
    return {&txtq_b, &txtv_b, &txtp_b, &txtk_b, &txtpbi_pb0, &txtpb0_pr0, &txtprc_prx, &txtp_d, &txtp_tot};
}

void PutTexts(TextBox* const* boxes, const std::optional<std::string>* texts, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        app::SetStoredText(*boxes[i], texts[i]);
    }
}

} // namespace transverse
