// SPDX-License-Identifier: GPL-3.0-or-later
// The jet fans of the current section (model, outlet, position factor, rise of one fan and the fans the
// section needs) and the list of jet-fan groups with its editing and the group dialog.
#include "multishaft/frmMultiShaftAndJet.h"

#include "app/finite_box.h"
#include "app/frmReq.h"
#include "app/guarded.h"
#include "app/hint_line.h"
#include "app/jet_models.h"
#include "app/modPublic.h"
#include "jetfan/jet_group_list.h"
#include "jetfan/jet_helpers.h"
#include "jetfan/jet_layout.h"
#include "jetfan/modPublic_jet.h"
#include "multishaft/frmSetMSJetPile.h"
#include "multishaft/ms_jet.h"
#include "platform/Forms.h"
#include "platform/vb.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using app::guarded;
using platform::Forms;
using platform::ListItem;
using platform::TextBox;

namespace {

constexpr const char* kNoFanNeeded = "交通通风力与竖井风口升压力已足以克服本区段阻力，不需要射流风机。";
constexpr const char* kNoCount =
    "单台射流风机升压力Δpj不大于0（设计风速不低于出口风速或未选型号），不能确定风机数量。";

} // namespace

void frmMultiShaftAndJet::ShowJetModelData(const std::array<std::string, 3>* kept) {
    // A section without a model has no jet fan: the data of the model shown before is not its own.
    if (cmbJetModel.Text().empty()) {
        app::EmptyBoxes({&txtFlow, &txtDD_j, &txtPower, &txtAA_j, &txtvj});
        txtZZ_j_Change();
        return;
    }
    guarded([&] {
        if (kept != nullptr) {
            txtFlow.set((*kept)[0]);
            txtDD_j.set((*kept)[1]);
            txtPower.set((*kept)[2]);
            return;
        }
        const std::optional<JetFanModel> chosen = jetfan::ChosenJetModel(cmbJetModel);
        if (!chosen) {
            return;
        }
        const JetFanModel& m = *chosen;
        app::SetFiniteBox(txtFlow, m.Flow);
        app::SetFiniteBox(txtDD_j, m.DD);
        app::SetFiniteBox(txtPower, m.Power);
    });
    app::SetFiniteBox(txtAA_j, jetfan::JetOutletArea(vb::Val(txtDD_j.Text())), "0.000");
    // The outlet speed is taken over the area as shown, rounded to three decimals.
    app::SetFiniteBox(txtvj, vb::Val(txtFlow.Text()) / vb::Val(txtAA_j.Text()), "0.000");
    txtZZ_j_Change();
}

void frmMultiShaftAndJet::cmbJetModel_Change() {
    ShowJetModelData();

    frmReq& req = Forms::instance<frmReq>();
    if (cmbJetModel.Text().empty()) {
        guarded([this] { txtdeltap_j.set(""); });
    } else {
        double ar = std::nan("");
        guarded([&] { ar = req.GetAA_r((vb::Val(txtPile1.Text()) + vb::Val(txtPile2.Text())) * 0.5); });
        app::SetFiniteBox(txtdeltap_j, multishaft::SectionJetRise(
                                           modPublic::rho, vb::Val(txtvj.Text()), vb::Val(txtAA_j.Text()), ar,
                                           vb::Val(txtv_r.Text()), vb::Val(txteta.Text())));
    }

    ListItem* row = nullptr;
    guarded([&] { row = lstShaftSection.SelectedItem(); });
    std::pair<double, double> rises{0, 0};
    if (row != nullptr) {
        guarded([&] {
            std::vector<double> exhaust, supply;
            for (int i = 1; i <= lstShaft.ListItems.Count(); ++i) {
                exhaust.push_back(vb::Val(lstShaft.ListItems(i).SubItems(5)));
                supply.push_back(vb::Val(lstShaft.ListItems(i).SubItems(22)));
            }
            rises = multishaft::SectionOpeningRises(row->Index(), lstShaftSection.ListItems.Count(),
                                                    req.optRightLine.Value(), exhaust, supply);
        });
    }
    const double dpr = vb::Val(txtdeltap_r.Text()), dpm = vb::Val(txtdeltap_m.Text());
    const double dpt = vb::Val(txtdeltap_t.Text()), dpj = vb::Val(txtdeltap_j.Text());
    const std::optional<double> fans =
        multishaft::JetFansNeeded(dpr, dpm, dpt, rises.first, rises.second, dpj);
    if (fans) {
        app::SetFiniteBox(txtjetcount, *fans);
    }
    // A count of 0 is a result only with its reason beside it; no count at all says why.
    std::string note;
    if (fans && *fans == 0) {
        note = kNoFanNeeded;
    } else if (!fans && std::isfinite(multishaft::SectionJetNeed(dpr, dpm, dpt, rises.first, rises.second)) &&
               std::isfinite(dpj) && dpj <= 0) {
        note = kNoCount;
        txtjetcount.set("");
    }
    lblJetNote.setCaption(note);

    if (row != nullptr) {
        guarded([&] { row->setSubItems(13, cmbJetModel.Text()); });
        guarded([&] { row->setSubItems(14, txtdeltap_j.Text()); });
        guarded([&] { row->setSubItems(15, txtjetcount.Text()); });
        guarded([&] {
            const auto r = static_cast<std::size_t>(row->Index());
            sectionModels_.resize(std::max(sectionModels_.size(), r));
            sectionModels_[r - 1] = cmbJetModel.Text().empty()
                                        ? std::array<std::string, 3>{}
                                        : std::array{txtFlow.Text(), txtDD_j.Text(), txtPower.Text()};
        });
    }
    showGroupsTip();
}

void frmMultiShaftAndJet::ShowStoredSection() {
    // The jet-fan boxes were saved from the section shown last: that section is shown again as it was
    // computed, its model's data and position factor beside its rise and count, and not sized anew. The
    // file names the row; one written before it did is searched for the row that holds those figures.
    const std::string rise = txtdeltap_j.Text(), count = txtjetcount.Text();
    const int rows = lstShaftSection.ListItems.Count();
    for (int r = rows; r >= 1; --r) {
        ListItem& row = lstShaftSection.ListItems(r);
        const bool named = storedSection_ >= 1 && storedSection_ <= rows;
        if (named ? r != storedSection_ : (row.SubItems(14) != rise || row.SubItems(15) != count)) {
            continue;
        }
        lstShaftSection.select(r);
        ShowSectionRow(row);
        guarded([&] { cmbJetModel.setTextSilently(row.SubItems(13)); });
        // The rise stored was computed with the data the file keeps beside it, whatever the catalogue
        // holds under that name today.
        const auto index = static_cast<std::size_t>(r) - 1;
        const bool kept = index < sectionModels_.size() && multishaft::HoldsModelData(sectionModels_[index]);
        ShowJetModelData(kept ? &sectionModels_[index] : nullptr);
        lblJetNote.setCaption(count == "0" ? kNoFanNeeded : (count.empty() ? kNoCount : ""));
        return;
    }
}

void frmMultiShaftAndJet::txtZZ_j_Change() {
    app::SetFiniteBox(txteta, modPublic::GetJetWallFactor(vb::Val(txtZZ_j.Text()), vb::Val(txtDD_j.Text())),
                      "0.000");
}

void frmMultiShaftAndJet::cmdAdd_Click() {
    std::vector<multishaft::GroupRow> group;
    guarded([&] { group.push_back({txtPile.Text(), txtJetNumPerTeam.Text(), txtPress.Text()}); });
    AddGroups(group);
}

void frmMultiShaftAndJet::AddGroups(const std::vector<multishaft::GroupRow>& groups) {
    guarded([&] {
        std::vector<multishaft::GroupRow> rows;
        for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
            const ListItem& item = lstJet.ListItems(i);
            rows.push_back({item.Text(), item.SubItems(1), item.SubItems(2)});
        }
        const std::vector<multishaft::GroupRow> before = rows;
        multishaft::AddGroupsInOrder(rows, groups, Forms::instance<frmReq>().optRightLine.Value());
        for (std::size_t k = 0; k < groups.size(); ++k) {
            lstJet.ListItems.Add();
        }
        // Only the rows that changed are written again.
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (k < before.size() && rows[k] == before[k]) {
                continue;
            }
            ListItem& item = lstJet.ListItems(static_cast<int>(k) + 1);
            item.setText(rows[k][0]);
            item.setSubItems(1, rows[k][1]);
            item.setSubItems(2, rows[k][2]);
        }
    });
    showGroupsTip();
}

jetfan::GroupBoxes frmMultiShaftAndJet::groupBoxes() {
    return {txtPile, txtJetNumPerTeam, txtPress};
}

void frmMultiShaftAndJet::cmdUpdate_Click() {
    guarded([this] { jetfan::UpdateSelectedGroup(lstJet, groupBoxes()); });
    showGroupsTip();
}

void frmMultiShaftAndJet::cmdDelete_Click() {
    guarded([this] { jetfan::DeleteSelectedGroup(lstJet); });
    showGroupsTip();
}

void frmMultiShaftAndJet::DropGroupsOutsideSections() {
    std::vector<multishaft::GroupRow> groups;
    for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
        const ListItem& item = lstJet.ListItems(i);
        groups.push_back({item.Text(), item.SubItems(1), item.SubItems(2)});
    }
    std::vector<std::pair<double, double>> rows;
    for (int r = 1; r <= lstShaftSection.ListItems.Count(); ++r) {
        const ListItem& item = lstShaftSection.ListItems(r);
        rows.emplace_back(vb::Val(item.Text()), vb::Val(item.SubItems(1)));
    }
    const std::vector<std::size_t> outside = multishaft::GroupsOutside(groups, rows);
    std::vector<std::string> stations;
    // From the last, so that each position still names its row.
    for (auto at = outside.rbegin(); at != outside.rend(); ++at) {
        stations.insert(stations.begin(), groups[*at][0]);
        lstJet.ListItems.Remove(static_cast<int>(*at) + 1);
    }
    droppedTip_ = multishaft::DroppedGroupsHint(stations);
    showGroupsTip();
}

std::string frmMultiShaftAndJet::groupsJudgement() {
    const platform::QuietReads looking;
    std::string judgement;
    guarded([&] {
        // A group counts with the section row whose stretch holds it; one in a short passage with none.
        std::vector<jetfan::StretchShown> sections;
        std::vector<std::pair<double, double>> stretches;
        for (int r = 1; r <= lstShaftSection.ListItems.Count(); r += 2) {
            const ListItem& row = lstShaftSection.ListItems(r);
            sections.push_back({"区段" + std::to_string(r), row.SubItems(15), row.SubItems(14)});
            stretches.emplace_back(vb::Val(row.Text()), vb::Val(row.SubItems(1)));
        }
        std::vector<jetfan::GroupShown> groups;
        for (int i = 1; i <= lstJet.ListItems.Count(); ++i) {
            const ListItem& item = lstJet.ListItems(i);
            const std::vector<multishaft::GroupRow> one = {{item.Text(), item.SubItems(1), item.SubItems(2)}};
            std::size_t at = 0;
            while (at < stretches.size() && !multishaft::GroupsOutside(one, {stretches[at]}).empty()) {
                ++at;
            }
            groups.push_back({at, item.Text(), item.SubItems(1), item.SubItems(2)});
        }
        judgement = jetfan::LayoutJudgement(sections, groups);
    });
    return judgement;
}

void frmMultiShaftAndJet::showGroupsTip() {
    const std::string judgement = groupsJudgement();
    const std::string tip = droppedTip_ + (droppedTip_.empty() || judgement.empty() ? "" : " ") + judgement;
    guarded([&] { lblTip.setCaption(tip); });
    // As long as a row holds a rise of data the catalogue no longer gives, the line says so.
    guarded([this] { app::AppendHint(lblTip, catalogueChangeNote()); });
}

std::string frmMultiShaftAndJet::catalogueChangeNote() {
    std::vector<modPublic::KeptCatalogueEntry> entries;
    const int rows = lstShaftSection.ListItems.Count();
    for (int r = 1; r <= rows && static_cast<std::size_t>(r) <= sectionModels_.size(); ++r) {
        const std::array<std::string, 3>& kept = sectionModels_[static_cast<std::size_t>(r) - 1];
        const std::string name = lstShaftSection.ListItems(r).SubItems(13);
        if (name.empty() || !multishaft::HoldsModelData(kept)) {
            continue;
        }
        std::optional<JetFanModel> now;
        for (const JetFanModel& m : modPublic::JetModels) {
            if (m.JetName == name) {
                now = m;
            }
        }
        entries.push_back({name, modPublic::KeptJetModelValues(now, kept[0], kept[1], kept[2])});
    }
    return modPublic::JetModelChangeHint(entries);
}

void frmMultiShaftAndJet::cmdClearAll_Click() {
    guarded([this] { lstJet.ListItems.Clear(); });
    showGroupsTip();
}

void frmMultiShaftAndJet::lstJet_ItemClick(ListItem& Item) {
    jetfan::ShowGroupRow(Item, groupBoxes());
}

void frmMultiShaftAndJet::cmdAutoLayout_Click() {
    guarded([this] { Forms::instance<frmSetMSJetPile>().ShowModal(this); });
    guarded([] { Forms::unload<frmSetMSJetPile>(); });
}
