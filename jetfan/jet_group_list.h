// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/jet_models.h"
#include "platform/controls.h"
#include "platform/layout.h"

#include <optional>

/// The list of jet-fan groups and the model box that the jet-fan, shaft and multi-shaft windows share.
namespace jetfan {

/// The boxes of one group row: its station, the fans of the group and the group's pressure rise.
struct GroupBoxes {
    platform::TextBox& pile;
    platform::TextBox& fans;
    platform::TextBox& rise;
};

/// Writes the boxes into `row`.
void FillGroupRow(platform::ListItem& row, const GroupBoxes& boxes);

/// Writes the boxes into the selected group row; nothing while the list is empty.
void UpdateSelectedGroup(platform::ListView& list, const GroupBoxes& boxes);

/// Removes the selected group row, when there is one.
void DeleteSelectedGroup(platform::ListView& list);

/// Shows `row` in the boxes; a box that fails to take its text leaves the others to take theirs.
void ShowGroupRow(platform::ListItem& row, const GroupBoxes& boxes);

/// Adds the name of every model of the shared table to `box`, in table order.
void FillJetModelBox(platform::ComboBox& box);

/// A copy of the model chosen in `box`; none while nothing is chosen or the table no longer has it.
std::optional<JetFanModel> ChosenJetModel(const platform::ComboBox& box);

/// The boxes of one fan's data as the jet-fan windows show them.
struct FanDataBoxes {
    platform::ComboBox& model;
    platform::TextBox& flow;
    platform::TextBox& outletDiameter;
    platform::TextBox& outletArea;
    platform::TextBox& outletSpeed;
    platform::TextBox& power;
    platform::TextBox& rise;
};

/// The rows of one fan's data from `top` as a column of `shape`: model, flow, outlet diameter, area and
/// speed, power and rise. Returns the top below them.
int FanDataColumn(platform::Layout& layout, platform::Container& parent,
                  const platform::Layout::Column& shape, int top, const FanDataBoxes& boxes);

} // namespace jetfan
