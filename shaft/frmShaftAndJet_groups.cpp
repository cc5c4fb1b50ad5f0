// SPDX-License-Identifier: GPL-3.0-or-later
// What the jet-fan groups of the two sections hold against the fans and rises the balance shows.
#include "shaft/frmShaftAndJet.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "jetfan/jet_layout.h"
#include "platform/Forms.h"
#include "platform/controls.h"
#include "platform/vb.h"

#include <string>
#include <vector>

std::string frmShaftAndJet::layoutJudgement() {
    // A balance the tunnel cannot be in gives no fans for the groups to hold.
    if (impossibleBalance_) {
        return {};
    }
    const platform::QuietReads looking;
    std::string judgement;
    app::guarded([&] {
        const bool leftLine = platform::Forms::instance<frmReq>().optLeftLine.Value();
        const double shaft = vb::Val(txtShaftPile.Text());
        std::vector<jetfan::GroupShown> groups;
        for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
            platform::ListItem& item = lstJet.ListItems(i);
            // A group before the shaft in the direction of travel hangs in the inlet section.
            const double s = vb::Val(item.Text());
            const bool inlet = leftLine ? s > shaft : s < shaft;
            groups.push_back({inlet ? 0u : 1u, item.Text(), item.SubItems(1), item.SubItems(2)});
        }
        judgement = jetfan::LayoutJudgement({{"进口区段", txtjetcount1.Text(), txtdeltap_j1.Text()},
                                             {"出口区段", txtjetcount2.Text(), txtdeltap_j2.Text()}},
                                            groups);
    });
    return judgement;
}
