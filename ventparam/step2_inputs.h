// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scheme_file.h"
#include "ventparam/par_file.h"

#include <optional>
#include <string>
#include <vector>

namespace ventparam {

/// Step 2's inputs as its boxes show them when a scheme window computes with them. A scheme file keeps them
/// beside its results, so that a window reopened under other inputs knows its results are not theirs.
struct Step2Inputs {
    std::string Case;     ///< text of the chosen traffic case; "" when none is chosen
    std::string Qreq;     ///< design air demand
    std::string Exchange; ///< "1" when the air-change demand governs when larger, else "0"
    std::string ZetaE, Lambda, Vn;
    std::string Am, Am2; ///< vehicle resistance areas, one-way and two-way traffic
    std::vector<ZetaRow> Losses;
};

/// The inputs a window's results depend on, combined with |.
enum Step2Input : unsigned {
    kStep2Case = 1u << 0,
    kStep2Qreq = 1u << 1,
    kStep2Exchange = 1u << 2,
    kStep2ZetaE = 1u << 3,
    kStep2Lambda = 1u << 4,
    kStep2Vn = 1u << 5,
    kStep2Am = 1u << 6,
    kStep2Am2 = 1u << 7,
    kStep2Losses = 1u << 8,
};

/// The hint line of a window whose stored results were computed with `stored` and that opens under `now`:
/// names each of the `compared` inputs that differs ("交通工况已由…变为…，…"), the numbers compared as the
/// numbers their texts hold, and ends as the other windows' hints of a changed input do; "" when none
/// differs.
std::string Step2ChangeHint(const Step2Inputs& stored, const Step2Inputs& now, unsigned compared);

/// The head of the one field that keeps the inputs in a scheme file.
inline constexpr const char* kStep2InputsTitle = "[通风参数]";

/// Whether `field` is the one that keeps the inputs.
bool IsStep2InputsField(const std::optional<std::string>& field);

/// Reads the inputs when the next field keeps them, else nullopt and the field is left unread (a file
/// written before the inputs were kept, or one that ends). A field not of their form gives nullopt.
std::optional<Step2Inputs> ReadStep2Inputs(scheme::SchemeReader& in);

/// Writes the inputs as one record of one field: the head, then the nine texts and the loss rows
/// ("station:coefficient", separated by ";") separated by "|", so that no count of the file that runs past
/// its own rows can read them as rows; nothing for nullopt (results of unknown inputs, as an older file
/// gave them).
void WriteStep2Inputs(scheme::SchemeWriter& out, const std::optional<Step2Inputs>& inputs);

} // namespace ventparam
