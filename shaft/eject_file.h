// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"
#include "ventparam/step2_inputs.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

/// The shaft-exhaust scheme file (.se): the texts of the window's boxes in twelve records, six of them
/// section titles, every value a quoted text.
namespace shaft {

/// The boxes of the file, in the order they are stored.
enum SeBox : std::size_t {
    kSe_v_t,
    kSeShaftPile,
    kSeDeltap_g1,
    kSeZeta_13,
    kSeZeta_12,
    kSeQQ_req1,
    kSeQQ_r1,
    kSe_v_1,
    kSeDeltap_t1,
    kSeP_tot1,
    kSeDeltap_g2,
    kSeZeta_23,
    kSeQQ_req2,
    kSeQQ_r2,
    kSe_v_2,
    kSeDeltap_t2,
    kSeP_tot21,
    kSeP_tot22,
    kSeP_tot23,
    kSeShaftAA_r,
    kSeShaftPP_r,
    kSeShaftDD_r,
    kSeQQ_r3,
    kSe_v_3,
    kSeDeltap_d,
    kSeP_tot3,
    kSeP_tot3a,
    kSeP_tot,
    kSeAA_tot,
    kSeEta,
    kSeSS_tot,
    kSeBoxCount
};

/// The boxes the section-flow step fills; in the merge type the shaft flow kSeQQ_r3 too.
inline constexpr SeBox kSeFlowResults[] = {kSeQQ_req1, kSeQQ_req2, kSeQQ_r1, kSeQQ_r2,
                                           kSe_v_1,    kSe_v_2,    kSe_v_3};
/// The flows the pressures are worked from: the section-flow step's boxes and the shaft flow.
inline constexpr SeBox kSeSectionFlows[] = {kSeQQ_req1, kSeQQ_req2, kSeQQ_r1, kSeQQ_r2,    kSeQQ_r3,
                                            kSe_v_1,    kSe_v_2,    kSe_v_3,  kSeShaftPile};
/// The boxes the pressure step fills.
inline constexpr SeBox kSePressureResults[] = {kSeDeltap_t1, kSeDeltap_t2, kSeP_tot1, kSeP_tot21,
                                               kSeP_tot22,   kSeP_tot23,   kSeP_tot3, kSeP_tot3a,
                                               kSeP_tot,     kSeAA_tot,    kSeSS_tot};

/// What a .se file holds: each box's text (nullopt where the file ended before it) and the stored choice
/// of the merge-type shaft, which the window does not follow.
struct SeFileContents {
    std::array<std::optional<std::string>, kSeBoxCount> Boxes;
    std::optional<bool> Merge;
    /// Step 2's inputs the results were computed with; nullopt when the file does not say (older files).
    std::optional<ventparam::Step2Inputs> Step2;
};

/// Reads the fields in file order. A file that ends early gives nullopt for every box after its end; the
/// titles and the two reserve fields of each section record are passed over unread.
SeFileContents ReadSeFile(scheme::SchemeReader& in);
/// The twelve records; a box without text (nullopt) is written as an empty quoted text.
scheme::SchemeWriter WriteSeFile(const SeFileContents& se);

/// The template as a tunnel other than the template's own takes it: the weather pressures, the loss
/// factors, the shaft's section, its duct loss and the fan efficiency stay, and the shaft flow when the
/// engineer gives it (`shaftFlowTyped`, the split type); the shaft station, which is one of the template
/// tunnel's, and every flow, speed, pressure and power of its calculation are emptied.
void KeepTemplateInputs(SeFileContents& se, bool shaftFlowTyped);

/// Empties every flow, speed, pressure and power of the calculation, and the shaft flow unless the
/// engineer gives it (`shaftFlowTyped`); the inputs stay.
void ForgetResults(SeFileContents& se, bool shaftFlowTyped);

} // namespace shaft
