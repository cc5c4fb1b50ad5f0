// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/controls.h"
#include "platform/layout.h"

namespace ventparam {

/// The section boxes of a straight duct piece, in the frame "直管段断面参数" that the duct-loss dialog and
/// the axial-fan window both show.
struct DuctSectionBoxes {
    platform::Frame& frame;
    platform::TextBox& area;
    platform::TextBox& perimeter;
    platform::TextBox& diameter;
    platform::TextBox& roughness;
    /// "▼": opens the wall-material list that fills the roughness box.
    platform::CommandButton& materials;
};

/// Places the four captioned rows of the section as rows of `shape` from `top`, the "▼" button just right
/// of the roughness box; returns the top below the last row, where a window adds rows of its own.
int PlaceDuctSection(platform::Layout& layout, const DuctSectionBoxes& boxes,
                     const platform::Layout::Column& shape, int top);

} // namespace ventparam
