// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

/// The supply duct that both supply semi-transverse windows show alike: its boxes under the windows' names,
/// its result fields, and how the results reach the boxes and the scheme files.
namespace transverse {

class SupplyDuctView {
public:
    platform::TextBox txtAA_b, txtDD_b, txtq_b, txtv_b, txtp_b, txtk_b, txtpbi_pb0, txtpb0_pr0, txtprc_prx,
        txtp_d, txtp_tot;

    double q_b = 0, v_b = 0, p_b = 0, k_b = 0, pbi_pb0 = 0, pb0_pr0 = 0, prc_prx = 0, p_tot = 0;

protected:
    SupplyDuctView() = default;
    ~SupplyDuctView() = default;
    SupplyDuctView(const SupplyDuctView&) = delete;
    SupplyDuctView& operator=(const SupplyDuctView&) = delete;

    /// Shows the eight results as "0.00"; a result that could not be computed shows an empty box.
    void showSupplyResults();
    /// The result boxes in the order the scheme files keep them: q_b … prc_prx, then p_d and p_tot.
    std::array<platform::TextBox*, 9> supplyResultBoxes();
};

/// Shows each result in its box as "0.00"; a result that could not be computed shows an empty box.
void ShowResults(std::initializer_list<std::pair<platform::TextBox*, double>> results);

/// Puts each text that was read into its box, in order; a text the file lacks leaves its box as it is.
void PutTexts(platform::TextBox* const* boxes, const std::optional<std::string>* texts, std::size_t n);

template <std::size_t N>
void PutTexts(const std::array<platform::TextBox*, N>& boxes,
              const std::array<std::optional<std::string>, N>& texts) {
    PutTexts(boxes.data(), texts.data(), N);
}

/// The texts of `boxes`, in order.
template <std::size_t N>
std::array<std::optional<std::string>, N> TextsOf(const std::array<platform::TextBox*, N>& boxes) {
    std::array<std::optional<std::string>, N> texts;
    for (std::size_t i = 0; i < N; ++i) {
        texts[i] = boxes[i]->Text();
    }
    return texts;
}

} // namespace transverse
