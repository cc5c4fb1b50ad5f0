// SPDX-License-Identifier: GPL-3.0-or-later
#include "transverse/supply_duct_view.h"

#include "app/guarded.h"
#include "platform/vb.h"

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
        if (texts[i]) {
            guarded([&] { boxes[i]->set(*texts[i]); });
        }
    }
}

} // namespace transverse
