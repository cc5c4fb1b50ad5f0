// SPDX-License-Identifier: GPL-3.0-or-later
#include "jetfan/main_windows_state.h"

#include "app/frmReq.h"
#include "app/guarded.h"
#include "platform/controls.h"
#include "ventparam/frmVentParam.h"

#include <array>

using app::guarded;

namespace jetfan {

namespace {

std::vector<std::vector<std::string>> cellsOf(platform::ListView& list) {
    std::vector<std::vector<std::string>> cells;
    const int columns = list.ColumnHeaders.Count();
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        platform::ListItem& item = list.ListItems(i);
        std::vector<std::string> row{item.Text()};
        for (int c = 1; c < columns; ++c) {
            row.push_back(item.SubItems(c));
        }
        cells.push_back(std::move(row));
    }
    return cells;
}

/// The main window's figures behind its demand boxes, in one order for taking and restoring.
std::array<double*, 18> figuresOf(frmReq& req) {
    return {&req.delta,     &req.KK,    &req.QQ_CO,     &req.q_CO,    &req.f_a,    &req.f_d,
            &req.QQ_req_CO, &req.f_h,   &req.f_iv,      &req.q_vi,    &req.f_a_vi, &req.f_h_vi,
            &req.f_iv_VI,   &req.QQ_VI, &req.QQ_req_VI, &req.workv_t, &req.nn_co,  &req.nn_vi};
}

/// The project values and the parameters step 2 published, which a balance reads.
constexpr double modPublic::State::*kPublished[] = {
    &modPublic::State::DesignSpeed, &modPublic::State::DesignTraffic,
    &modPublic::State::zeta_e,      &modPublic::State::lambda_r,
    &modPublic::State::v_n,         &modPublic::State::v_r,
    &modPublic::State::AA_m,        &modPublic::State::AA_m_Bidirection,
    &modPublic::State::QQ_req,      &modPublic::State::DD_r,
    &modPublic::State::AA_r};

} // namespace

MainWindowsState::MainWindowsState(frmReq& req, frmVentParam& step2,
                                   const std::vector<platform::TextBox*>& boxes, SharedValues shared)
    : req_(req), step2_(step2), shared_(shared), globals_(modPublic::globals) {
    for (platform::TextBox* box : {&req.txtYear,
                                   &req.txtPcu,
                                   &req.txtNN,
                                   &req.txtTraffic1,
                                   &req.txtPCUVeh,
                                   &req.txtq_co_at_Year,
                                   &req.txtq_VI_at_Year,
                                   &req.txtworkv_t,
                                   &req.txtDelta,
                                   &req.txtKK,
                                   &req.txtf_d,
                                   &req.txtf_iv,
                                   &req.txtf_iv_VI,
                                   &req.txtQQ_CO_SEGMENT,
                                   &req.txtQQ_req_CO_SEGMENT,
                                   &req.txtQQ_VI_SEGMENT,
                                   &req.txtQQ_req_VI_SEGMENT,
                                   &req.txtQQ_CO,
                                   &req.txtQQ_req_CO,
                                   &req.txtQQ_VI,
                                   &req.txtQQ_req_VI,
                                   &req.txtNN_bidirection,
                                   &req.txtQQ_req_CO_Bidirection_SEGMENT,
                                   &req.txtQQ_req_VI_Bidirection_SEGMENT,
                                   &req.txtQQ_req_CO_Bidirection,
                                   &req.txtQQ_req_VI_Bidirection,
                                   &req.txtQQreq_CO_block,
                                   &req.txtQQreq_VI_block,
                                   &req.txtQQ_req_CO_block,
                                   &req.txtQQ_req_VI_block,
                                   &req.txtQQ_req_CO_1kmblock,
                                   &req.txtQQ_req_VI_1kmblock,
                                   &req.txtQQ_req_exchange,
                                   &step2.txtQQ_req,
                                   &step2.txtv_r,
                                   &step2.txtAA_m,
                                   &step2.txtAA_m_Bidirection}) {
        boxes_.emplace_back(box, box->Text());
    }
    for (platform::TextBox* box : boxes) {
        boxes_.emplace_back(box, box->Text());
    }
    for (platform::ListView* list : {&req.lstTrafficAnalysis, &req.lstBlock}) {
        lists_.push_back({list, cellsOf(*list)});
    }
    for (const double* figure : figuresOf(req)) {
        figures_.push_back(*figure);
    }
    caseIndex_ = step2.lstCase.ListIndex();
    tip_ = step2.lblQreqTip.Caption();
    speedTip_ = step2.lblSpeedTip.Caption();
}

void MainWindowsState::Restore() {
    for (auto& [box, text] : boxes_) {
        guarded([&] { box->setSilently(text); });
    }
    for (auto& [list, cells] : lists_) {
        guarded([&] {
            for (int i = 1; i <= list->ListItems.Count() && i <= static_cast<int>(cells.size()); ++i) {
                const auto& row = cells[static_cast<std::size_t>(i - 1)];
                platform::ListItem& item = list->ListItems(i);
                for (std::size_t c = 1; c < row.size(); ++c) {
                    item.setSubItems(static_cast<int>(c), row[c]);
                }
            }
        });
    }
    const std::array<double*, 18> figures = figuresOf(req_);
    for (std::size_t k = 0; k < figures.size(); ++k) {
        *figures[k] = figures_[k];
    }
    guarded([&] {
        for (int k = 0; k < step2_.lstCase.ListCount(); ++k) {
            step2_.lstCase.setSelectedSilently(k, k == caseIndex_);
        }
        step2_.lstCase.setListIndexSilently(caseIndex_);
    });
    guarded([&] { step2_.lblQreqTip.setCaption(tip_); });
    guarded([&] { step2_.lblSpeedTip.setCaption(speedTip_); });
    if (shared_ == SharedValues::Left) {
        return;
    }
    for (double modPublic::State::*value : kPublished) {
        modPublic::globals.*value = globals_.*value;
    }
    modPublic::globals.CaseIndex = globals_.CaseIndex;
}

} // namespace jetfan
