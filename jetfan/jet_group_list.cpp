// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/jet_group_list.h"

#include "app/guarded.h"
#include "app/modPublic.h"

using app::guarded;
using platform::ListItem;

namespace jetfan {

void FillGroupRow(ListItem& row, const GroupBoxes& boxes) {
    row.setText(boxes.pile.Text());
    row.setSubItems(1, boxes.fans.Text());
    row.setSubItems(2, boxes.rise.Text());
}

void UpdateSelectedGroup(platform::ListView& list, const GroupBoxes& boxes) {
    ListItem* row = list.SelectedItem();
    if (list.ListItems.Count() == 0 || row == nullptr) {
        return;
    }
    FillGroupRow(*row, boxes);
}

void DeleteSelectedGroup(platform::ListView& list) {
    const int i = list.SelectedIndex();
    if (i >= 1 && i <= list.ListItems.Count()) {
        list.ListItems.Remove(i);
    }
}

void ShowGroupRow(ListItem& row, const GroupBoxes& boxes) {
    guarded([&] { boxes.pile.set(row.Text()); });
    guarded([&] { boxes.fans.set(row.SubItems(1)); });
    guarded([&] { boxes.rise.set(row.SubItems(2)); });
}

void FillJetModelBox(platform::ComboBox& box) {
    for (const JetFanModel& model : modPublic::JetModels) {
        box.AddItem(model.JetName);
    }
}

std::optional<JetFanModel> ChosenJetModel(const platform::ComboBox& box) {
    const int position = box.ListIndex();
    if (position < 0) {
        return std::nullopt;
    }
    const JetFanModel* model = modPublic::JetModels.Get(static_cast<std::size_t>(position) + 1);
    if (model == nullptr) {
        return std::nullopt;
    }
    return *model;
}

int FanDataColumn(platform::Layout& layout, platform::Container& parent,
                  const platform::Layout::Column& shape, int top, const FanDataBoxes& boxes) {
    return layout.column(parent, shape, top,
                         {{"选择常用型号", &boxes.model},
                          {"风机流量(m^3/s)", &boxes.flow},
                          {"出口直径Dj(m)", &boxes.outletDiameter},
                          {"出口面积Aj(m^2)", &boxes.outletArea},
                          {"出口风速vj(m/s)", &boxes.outletSpeed},
                          {"风机功率(kW)", &boxes.power},
                          {"升压力Δpj(Pa)", &boxes.rise}});
}

} // namespace jetfan
