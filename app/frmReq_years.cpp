// SPDX-License-Identifier: GPL-3.0-or-later
// Page 3 of the main window: the design years with their forecast traffic, the vehicle mix behind the
// class table, the class-row editor, and the two small two-way inputs of page 5.
#include "app/frmReq.h"

#include "app/guarded.h"
#include "app/design_years.h"
#include "platform/MsgBox.h"
#include "platform/vb.h"

#include <exception>
#include <functional>
#include <random>
#include <string>
#include <vector>

using app::guarded;
using platform::ListItem;

namespace {

/// Uniform random value in [0, 1), the colour picker of a clicked class row.
double randomUnit() {
    static std::mt19937 engine{std::random_device{}()};
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
}

constexpr int kTotalRow = app::kVehicleClassCount + 1;

/// One mix per design year (the box set), rather than one mix for all years.
bool mixPerYear(const frmReq& form) {
    return form.chkRatioNotSame.Value() == 1;
}

std::vector<app::DesignYearRow> designYearRows(frmReq& form) {
    std::vector<app::DesignYearRow> rows;
    for (int i = 1; i <= form.lstTraffic.ListItems.Count(); ++i) {
        ListItem& row = form.lstTraffic.ListItems(i);
        rows.push_back({row.Text(), row.SubItems(1)});
    }
    return rows;
}

} // namespace

void frmReq::cmdAdd_Click() {
    const std::string year = txtYear.Text();
    if (year.empty() || !app::is_valid_design_year(year)) {
        platform::MsgBox("请输入正确的特征年数据!", platform::vbOKOnly, "出错");
        return;
    }
    guarded([&] {
        if (txtPcu.Text().empty() && lstTraffic.ListItems.Count() >= 2) {
            if (const auto estimate = app::estimate_traffic_text(designYearRows(*this), vb::Val(year))) {
                txtPcu.set(*estimate);
            }
        }
    });
    guarded([&] { lstTraffic.ListItems.Add(year).setSubItems(1, txtPcu.Text()); });
    if (mixPerYear(*this)) {
        guarded([&] { VehicleMixes.push_back(app::new_year_mix(year)); });
        guarded([&] { LoadVehicleMix(year); });
    }
}

void frmReq::cmdDelete_Click() {
    ListItem* selected = lstTraffic.SelectedItem();
    if (selected == nullptr) {
        return;
    }
    const int k = selected->Index();
    const int rowsBefore = lstTraffic.ListItems.Count();
    // The mix that goes is the one of the row that goes: the year box may have been edited since the
    // row was clicked, and another row may carry the same year with a mix of its own.
    const std::string deletedYear = selected->Text();
    lstTraffic.ListItems.Remove(k);

    const int current = app::row_after_delete(k, rowsBefore);
    if (current > 0) {
        guarded([&] {
            lstTraffic.select(current);
            lstTraffic_ItemClick(lstTraffic.ListItems(current));
        });
    }
    if (mixPerYear(*this)) {
        const int rowsLeft = lstTraffic.ListItems.Count();
        VehicleMixes = app::remove_year_mix(VehicleMixes, deletedYear, rowsLeft);
        if (rowsLeft > 0) {
            guarded([&] { LoadVehicleMix(txtYear.Text()); });
        }
    }
}

void frmReq::cmdUpdate_Click() {
    ListItem* selected = lstTraffic.SelectedItem();
    if (selected == nullptr) {
        return;
    }
    const std::string oldYear = selected->Text();
    selected->setText(txtYear.Text());
    selected->setSubItems(1, txtPcu.Text());
    if (mixPerYear(*this)) {
        app::rename_year_mix(VehicleMixes, oldYear, txtYear.Text());
    }
}

void frmReq::lstTraffic_ItemClick(ListItem& Item) {
    guarded([&] { txtYear.set(Item.Text()); });
    guarded([&] { txtPcu.set(Item.SubItems(1)); });
    guarded([&] { LoadVehicleMix(mixPerYear(*this) ? txtYear.Text() : std::string(app::kAnyYear)); });
    guarded([&] { txtDescRatio_Change(); });
    guarded([&] { txtBiDirection_Change(); });
    guarded([&] { cmdCalculateTraffic_Click(); });
}

void frmReq::LoadVehicleMix(const std::string& sYear) {
    guarded([&] {
        // Each matching record overwrites the table in turn, so the last one is what stays shown.
        if (const app::VehicleMixRecord* mix = app::mix_shown_for(VehicleMixes, sYear)) {
            for (int k = 1; k <= app::kVehicleClassCount; ++k) {
                ListItem& row = lstTrafficAnalysis.ListItems(k);
                const auto i = static_cast<std::size_t>(k - 1);
                row.setSubItems(1, mix->Ratio[i]);
                row.setSubItems(2, mix->ConvRatio[i]);
                row.setSubItems(4, mix->DieselRatio[i]);
            }
        }
    });
    guarded([&] { cmdCalculateTraffic_Click(); });
}

void frmReq::chkRatioNotSame_Click() {
    if (mixPerYear(*this)) {
        std::vector<std::string> years;
        for (const app::DesignYearRow& row : designYearRows(*this)) {
            years.push_back(row.Year);
        }
        VehicleMixes = app::split_mix_per_year(VehicleMixes, years);
        return;
    }
    const int answer =
        platform::MsgBox("本操作将会删除各特征年对应的车型比例数据,继续吗?", platform::vbYesNo, "警告");
    if (answer == platform::vbYes) {
        VehicleMixes = app::merge_mix_for_all_years(VehicleMixes);
    } else {
        // The per-year mixes stay; the box goes back without switching a second time.
        chkRatioNotSame.setSilently(1);
    }
}

void frmReq::lstTrafficAnalysis_ItemClick(ListItem& Item) {
    const int k = Item.Index();
    if (k < 1 || k >= kTotalRow) {
        return;
    }
    guarded([&] { lblTrafficType.setCaption(Item.Text()); });
    guarded([&] { txtRatio1.set(Item.SubItems(1)); });
    guarded([&] { txtRatio2.set(Item.SubItems(2)); });
    guarded([&] { txtRatio3.set(Item.SubItems(4)); });
    guarded([&] {
        const app::PaletteColour c = app::class_row_colour(randomUnit());
        Item.setForeColor(platform::RGB(c.Red, c.Green, c.Blue));
    });
}

void frmReq::cmdRefreshTraffic_Click() {
    std::string key(app::kAnyYear);
    if (mixPerYear(*this)) {
        ListItem* year = lstTraffic.SelectedItem();
        if (year == nullptr) {
            return;
        }
        key = year->Text();
    }
    const int k = lstTrafficAnalysis.SelectedIndex();
    if (k < 1 || k > app::kVehicleClassCount) {
        return;
    }
    app::store_class_values(VehicleMixes, key, k, txtRatio1.Text(), txtRatio2.Text(), txtRatio3.Text());
    LoadVehicleMix(key);
}

void frmReq::optBiDirectionMethod1_Click() {
    const bool v = optBiDirectionMethod1.Value();
    txtBiDirection.setEnabled(v);
    txtNN_bidirection.setEnabled(v);
    lstAllowVechileType.setEnabled(!v);
    // The pair excludes each other already; setting the other one quietly keeps its handler from
    // running this one again.
    optBiDirectionMethod2.setSilently(!v);
}

void frmReq::optBiDirectionMethod2_Click() {
    optBiDirectionMethod1_Click();
}

void frmReq::txtBiDirection_Change() {
    txtNN_bidirection.set(app::bidirection_traffic_text(txtNN.Text(), txtBiDirection.Text()));
}

void frmReq::txtYear_Change() {
    frmBlock.setCaption("阻塞区段划分(注意:阻塞区段应布置于出洞口侧),特征年:" + txtYear.Text());
}
