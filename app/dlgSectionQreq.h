// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"

/// The required air of a stretch between two stations. It computes nothing itself: while it is open the
/// main window's one-way, two-way, congestion and air-change calculations write the stretch's demand
/// into it. Shown beside the main window, without an owner.
class dlgSectionQreq : public platform::Form {
public:
    dlgSectionQreq();

    platform::TextBox txtSectionSP;
    platform::TextBox txtSectionEP;
    platform::TextBox txtSectionQreq;
    platform::CommandButton cmdClose;

    void cmdClose_Click();
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void connectEvents();

    platform::Layout layout_;
};
