// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/companion_file.h"
#include "platform/Form.h"
#include "platform/controls.h"
#include "transverse/lateral.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

namespace scheme {
class SchemeReader;
class SchemeWriter;
} // namespace scheme

namespace transverse {

/// What both supply semi-transverse windows share: the supply duct's boxes under the windows' names, its
/// result fields and how the results reach the boxes and the scheme files, the demand box with the
/// connecting duct's calculator, and the scheme file the window keeps: saved by its close button, and
/// by its close box only when the engineer says so.
class SupplyDuctView : public platform::UserForm {
public:
    platform::TextBox txtQQ_req;
    platform::TextBox txtAA_b, txtDD_b, txtq_b, txtv_b, txtp_b, txtk_b, txtpbi_pb0, txtpb0_pr0, txtprc_prx,
        txtp_d, txtp_tot;

    double AA_b = 0, DD_b = 0, p_d = 0;
    double q_b = 0, v_b = 0, p_b = 0, k_b = 0, pbi_pb0 = 0, pb0_pr0 = 0, prc_prx = 0, p_tot = 0;

    platform::CommandButton cmdCalculatePd, cmdClose;

    /// Writes the boxes into the project's scheme file; false when nothing could be written.
    virtual bool SaveFile() = 0;

    // ---- Window events ----
    /// The close box drops a trial only when the engineer says so: where the file on disk differs from
    /// what the window would write, it asks whether to save first (Cancel keeps the window open).
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void UserForm_Initialize() override = 0;
    /// The connecting duct's calculator for the section's demand; its loss goes into txtp_d.
    void cmdCalculatePd_Click();
    /// Saves, then unloads the window.
    void cmdClose_Click();

protected:
    /// `extension` names the scheme file the window keeps beside the project (".lt1").
    explicit SupplyDuctView(const char* extension) : extension_(extension) {}

    /// Opens the project's scheme file, else its template, and says which; None when neither can be read.
    /// The template has the window's own layout: step 2's parameter file would put its section title into
    /// the duct area and other parameters into the duct boxes.
    app::CompanionSource openSchemeFile(scheme::SchemeReader& in) const;
    /// Saves `file` as the project's scheme file; false for an unnamed project, which has nothing to name
    /// it after, and when nothing could be written.
    bool saveSchemeFile(const scheme::SchemeWriter& file, const std::string& what) const;
    /// The scheme file as SaveFile would write it now.
    virtual scheme::SchemeWriter schemeFile() = 0;

    /// The supply duct's part of a calculation's input: the boxes as read last and the project's values.
    void putSupplyInput(SupplyDuctInput& in) const;
    /// Takes the supply duct's results of a calculation into the fields.
    void takeSupplyResults(const SupplyDuctResult& r);
    /// Shows the eight results as "0.00"; a result that could not be computed shows an empty box.
    void showSupplyResults();
    /// The result boxes in the order the scheme files keep them: q_b … prc_prx, then p_d and p_tot.
    std::array<platform::TextBox*, 9> supplyResultBoxes();

private:
    const char* extension_;
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
