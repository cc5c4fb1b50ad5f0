// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "platform/controls.h"
#include "platform/layout.h"

/// The jet-fan model table editor: lists the models of Jet.db, adds, changes and deletes them, and writes
/// the list back to Jet.db whenever it closes, then reloads the shared model table.
class frmJetDb : public platform::Form {
public:
    frmJetDb();

    platform::ListView lstJet;
    platform::TextBox txtJetName;
    platform::TextBox txtFlow;
    platform::TextBox txtDD;
    platform::TextBox txtPower;
    platform::TextBox txtDiscount;
    platform::CommandButton cmdAdd;
    platform::CommandButton cmdDelete;
    platform::CommandButton cmdUpdate;
    platform::CommandButton cmdOK;

    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void lstJet_ItemClick(platform::ListItem& Item);
    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdUpdate_Click();
    void cmdOK_Click();

    /// Fills the list from Jet.db; false when the file exists but its model list cannot be read.
    bool ReadJetDb();
    /// Writes the list to Jet.db (count, then every cell quoted); false when the file could not be written.
    bool WriteJetDb();

private:
    void buildControls();
    void connectEvents();
    /// The five boxes' texts when they describe a model; otherwise names the box at fault and gives false.
    bool boxesHoldModel();
    void setRow(platform::ListItem& row);

    platform::Layout layout_;
    /// Jet.db exists but could not be read: closing without an edit leaves it as it is.
    bool unreadableFile_ = false;
    bool edited_ = false;
};
