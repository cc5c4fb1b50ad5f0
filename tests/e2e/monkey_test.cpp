// SPDX-License-Identifier: GPL-3.0-or-later
// Random input as an impatient user gives it, with fixed seeds and a bounded number of actions: pages
// picked, odd texts typed into every box a user can reach, rows, entries, check boxes and the page buttons
// clicked, every message box answered with its default. After each action no handler may have let an
// exception out and no box or list cell may show "inf" or "nan"; a watchdog ends the run on an action that
// does not return. Menus and the buttons that open other windows or file dialogs are left alone. After the
// run the main window starts again from the template in the same program folder and still computes page 4.
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "jetfan/frmJet.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/scripted.h"
#include "platform/vb.h"
#include "tests/support/scheme_step.h"
#include "tests/support/non_finite.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "ventparam/frmVentParam.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;

/// Ends the process with the name of the action that has not returned for `limit`: a hang is no failure
/// a test can report from the same thread.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit) : limit_(limit), thread_([this] { watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void beat(const std::string& action) {
        std::lock_guard<std::mutex> lock(mutex_);
        action_ = action;
        ++beats_;
    }

private:
    void watch() {
        std::unique_lock<std::mutex> lock(mutex_);
        long seen = -1;
        while (!stop_) {
            seen = beats_;
            if (!wake_.wait_for(lock, limit_, [&] { return stop_ || beats_ != seen; })) {
                std::fprintf(stderr, "monkey: no return for %lld s from: %s\n",
                             static_cast<long long>(limit_.count()), action_.c_str());
                std::fflush(stderr);
                std::_Exit(3);
            }
        }
    }

    std::chrono::seconds limit_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string action_;
    long beats_ = 0;
    bool stop_ = false;
    std::thread thread_;
};

using test_support::reachable;

using test_support::nonFinite;

const std::vector<std::string>& oddTexts() {
    static const std::vector<std::string> texts = {"",
                                                   "abc",
                                                   "-0",
                                                   "0",
                                                   "1e308",
                                                   "-1e308",
                                                   "NaN",
                                                   "1e-320",
                                                   "99999999999999999999",
                                                   "-5",
                                                   "-12.5",
                                                   "中文",
                                                   "\"",
                                                   "'",
                                                   "1,2,3",
                                                   ",",
                                                   "12.5.3",
                                                   " 7 ",
                                                   "1D3",
                                                   "\t",
                                                   "0.0001",
                                                   "3",
                                                   "100",
                                                   "2030",
                                                   "K12+345",
                                                   std::string(3000, '9'),
                                                   std::string(2000, 'x') + "中"};
    return texts;
}

/// The actions a user has on one window, and the checks after each.
class Monkey {
public:
    Monkey(unsigned seed, Watchdog& dog) : rng_(seed), dog_(dog) {}

    void text(const char* name, platform::TextBox& box) { texts_.push_back({name, &box}); }
    void list(const char* name, platform::ListView& list) { views_.push_back({name, &list}); }
    void button(const char* name, platform::CommandButton& b) {
        act(name, [&b] { return reachable(b) ? (b.userClick(), true) : false; });
    }
    void check(const char* name, platform::CheckBox& b) {
        act(name, [&b] { return reachable(b) ? (b.userClick(), true) : false; });
    }
    void option(const char* name, platform::OptionButton& b) {
        act(name, [&b] { return reachable(b) ? (b.userClick(), true) : false; });
    }
    void combo(const char* name, platform::ComboBox& c) {
        act(name, [this, &c] {
            if (!reachable(c)) {
                return false;
            }
            if (c.getStyle() == platform::ComboBox::DropdownCombo && pick(4) == 0) {
                c.userType(oddText());
            } else if (c.ListCount() > 0) {
                c.userSelect(pick(c.ListCount()));
            }
            return true;
        });
    }
    void listBox(const char* name, platform::ListBox& l) {
        act(name, [this, &l] {
            return reachable(l) && l.ListCount() > 0 ? (l.userClick(pick(l.ListCount())), true) : false;
        });
    }
    void tabs(const char* name, platform::TabStrip& t) {
        act(name,
            [this, &t] { return reachable(t) ? (t.userClick(1 + pick(t.Tabs.Count())), true) : false; });
    }
    void pages(const char* name, platform::MultiPage& m) {
        act(name, [this, &m] { return reachable(m) ? (m.userClick(pick(m.PageCount())), true) : false; });
    }
    void scroll(const char* name, platform::ScrollBar& s) {
        act(name, [this, &s] {
            return reachable(s) ? (s.userSet(s.Min() + pick(s.Max() - s.Min() + 1)), true) : false;
        });
    }

    /// `steps` actions, each drawn among the typing, the row clicks and the registered actions.
    void run(int steps) {
        for (int step = 0; step < steps && !::testing::Test::HasFatalFailure(); ++step) {
            for (int attempt = 0; attempt < 50; ++attempt) {
                if (once(step)) {
                    ++done_;
                    break;
                }
            }
        }
        // A monkey that finds nothing to act on tests nothing.
        EXPECT_GE(done_, steps * 9 / 10) << "actions done of " << steps;
        std::printf("monkey: %d actions, %d typed, %d message boxes\n", done_, typedCount_,
                    static_cast<int>(platform::msgbox::log().size()));
    }

private:
    struct Action {
        std::string name;
        std::function<bool()> run;
    };

    void act(const char* name, std::function<bool()> run) { actions_.push_back({name, std::move(run)}); }
    int pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string oddText() {
        const auto& t = oddTexts();
        return t[static_cast<std::size_t>(pick(static_cast<int>(t.size())))];
    }

    /// One random action; false when the control drawn cannot be reached now (another is drawn).
    bool once(int step) {
        std::string what;
        bool done = false;
        const int kind = pick(10);
        if (kind < 4 && !texts_.empty()) {
            auto& [name, box] = texts_[static_cast<std::size_t>(pick(static_cast<int>(texts_.size())))];
            if (!reachable(*box) || box->Locked()) {
                return false;
            }
            const std::string t = oddText();
            what = std::string(name) + " ← \"" + t.substr(0, 20) + (t.size() > 20 ? "…" : "") + "\"";
            dog_.beat(what);
            box->userType(t);
            typed_.insert(t);
            ++typedCount_;
            done = true;
        } else if (kind < 6 && !views_.empty()) {
            auto& [name, list] = views_[static_cast<std::size_t>(pick(static_cast<int>(views_.size())))];
            if (!reachable(*list) || list->ListItems.Count() == 0) {
                return false;
            }
            const int row = 1 + pick(list->ListItems.Count());
            what = std::string(name) + " row " + std::to_string(row);
            dog_.beat(what);
            list->userItemClick(row);
            done = true;
        } else if (!actions_.empty()) {
            Action& a = actions_[static_cast<std::size_t>(pick(static_cast<int>(actions_.size())))];
            what = a.name;
            dog_.beat(what);
            done = a.run();
        }
        if (!done) {
            return false;
        }
        verify(step, what);
        return true;
    }

    void verify(int step, const std::string& what) {
        for (const std::string& fault : platform::scripted::takeFaults()) {
            ADD_FAILURE() << "step " << step << " (" << what << "): " << fault;
        }
        for (auto& [name, box] : texts_) {
            const std::string t = box->Text();
            if (nonFinite(t) && !echo(t)) {
                ADD_FAILURE() << "step " << step << " (" << what << "): " << name << " shows \"" << t << "\"";
            }
        }
        for (auto& [name, list] : views_) {
            for (int i = 1; i <= list->ListItems.Count(); ++i) {
                platform::ListItem& item = list->ListItems(i);
                for (int c = 0; c < 12; ++c) {
                    const std::string cell = c == 0 ? item.Text() : item.SubItems(c);
                    if (nonFinite(cell) && !echo(cell)) {
                        ADD_FAILURE() << "step " << step << " (" << what << "): " << name << " row " << i
                                      << " shows \"" << cell << "\"";
                    }
                }
            }
        }
    }

    std::mt19937 rng_;
    Watchdog& dog_;
    std::vector<std::pair<const char*, platform::TextBox*>> texts_;
    std::vector<std::pair<const char*, platform::ListView*>> views_;
    std::vector<Action> actions_;
    /// A text the monkey typed, shown back as typed (a list row keeps the text of its box).
    bool echo(const std::string& text) const { return typed_.count(text) != 0; }

    std::set<std::string> typed_;
    int done_ = 0, typedCount_ = 0;
};

#define MONKEY_TEXT(w, x) m.text(#x, w.x)
#define MONKEY_LIST(w, x) m.list(#x, w.x)
#define MONKEY_BUTTON(w, x) m.button(#x, w.x)

/// Every control of the main window a user acts on, but the menus, the tool bar and "下一步".
void registerMain(Monkey& m, frmReq& w) {
    for (platform::TextBox* b : {&w.Text1, &w.Text2, &w.Text3, &w.Text4, &w.Text5, &w.Text6,
                                 &w.txtProjectName, &w.txtProjectDiscribe, &w.txtName1, &w.txtName2,
                                 &w.txtName3, &w.Text8, &w.Text9, &w.Text10, &w.Text11}) {
        m.text("page label", *b);
    }
    MONKEY_TEXT(w, txtElevation);
    MONKEY_TEXT(w, txtRHO);
    MONKEY_TEXT(w, txtTT);
    MONKEY_TEXT(w, txtP);
    MONKEY_TEXT(w, txtCO_in_Air);
    MONKEY_TEXT(w, txtq_co);
    MONKEY_TEXT(w, txtDescRatio);
    MONKEY_TEXT(w, txtDescYear);
    MONKEY_TEXT(w, txtq_VI);
    MONKEY_TEXT(w, txtStartPile);
    MONKEY_TEXT(w, txtSlopePile);
    MONKEY_TEXT(w, txtSlopeRatio);
    MONKEY_TEXT(w, txtSectionPile);
    MONKEY_TEXT(w, txtSectionArea);
    MONKEY_TEXT(w, txtSectionPerimeter);
    MONKEY_TEXT(w, txtSectionD);
    MONKEY_TEXT(w, txtYear);
    MONKEY_TEXT(w, txtPcu);
    MONKEY_TEXT(w, txtTrafficRatio);
    MONKEY_TEXT(w, txtMainDirectionRatio);
    MONKEY_TEXT(w, txtPCUVeh);
    MONKEY_TEXT(w, txtTraffic1);
    MONKEY_TEXT(w, txtTraffic2);
    MONKEY_TEXT(w, txtNN);
    MONKEY_TEXT(w, txtPetrol);
    MONKEY_TEXT(w, txtRatio1);
    MONKEY_TEXT(w, txtRatio2);
    MONKEY_TEXT(w, txtRatio3);
    MONKEY_TEXT(w, txtq_co_at_Year);
    MONKEY_TEXT(w, txtDelta);
    MONKEY_TEXT(w, txtworkv_t);
    MONKEY_TEXT(w, txtq_VI_at_Year);
    MONKEY_TEXT(w, txtKK);
    MONKEY_TEXT(w, txtf_a);
    MONKEY_TEXT(w, txtf_d);
    MONKEY_TEXT(w, txtf_h);
    MONKEY_TEXT(w, txtf_iv);
    MONKEY_TEXT(w, txtQQ_CO_SEGMENT);
    MONKEY_TEXT(w, txtQQ_req_CO_SEGMENT);
    MONKEY_TEXT(w, txtf_a_VI);
    MONKEY_TEXT(w, txtf_h_VI);
    MONKEY_TEXT(w, txtf_iv_VI);
    MONKEY_TEXT(w, txtQQ_VI_SEGMENT);
    MONKEY_TEXT(w, txtQQ_req_VI_SEGMENT);
    MONKEY_TEXT(w, txtQQ_CO);
    MONKEY_TEXT(w, txtQQ_req_CO);
    MONKEY_TEXT(w, txtQQ_VI);
    MONKEY_TEXT(w, txtQQ_req_VI);
    MONKEY_TEXT(w, txtDelta_Bi);
    MONKEY_TEXT(w, txtKK_Bi);
    MONKEY_TEXT(w, txtBiDirection);
    MONKEY_TEXT(w, txtNN_bidirection);
    MONKEY_TEXT(w, txtQQ_req_CO_Bidirection_SEGMENT);
    MONKEY_TEXT(w, txtQQ_req_VI_Bidirection_SEGMENT);
    MONKEY_TEXT(w, txtQQ_req_CO_Bidirection);
    MONKEY_TEXT(w, txtQQ_req_VI_Bidirection);
    MONKEY_TEXT(w, txtBlockLen);
    MONKEY_TEXT(w, txtQQreq_CO_block);
    MONKEY_TEXT(w, txtQQreq_VI_block);
    MONKEY_TEXT(w, txtDelta_block);
    MONKEY_TEXT(w, txtKK_block);
    MONKEY_TEXT(w, txtQQ_req_CO_block);
    MONKEY_TEXT(w, txtQQ_req_VI_block);
    MONKEY_TEXT(w, txtBlockStartPile);
    MONKEY_TEXT(w, txtBlockEndPile);
    MONKEY_TEXT(w, txtQQ_req_CO_1kmblock);
    MONKEY_TEXT(w, txtQQ_req_VI_1kmblock);
    MONKEY_TEXT(w, txtExchangeNum);
    MONKEY_TEXT(w, txtQQ_req_exchange);
    MONKEY_TEXT(w, txtFireLabel2);
    MONKEY_TEXT(w, txtHRR);
    MONKEY_TEXT(w, txtAT);
    MONKEY_TEXT(w, txtTunnelH);
    MONKEY_TEXT(w, txtvcr);
    MONKEY_TEXT(w, txtFireLabel);
    MONKEY_TEXT(w, txtFireSize);
    MONKEY_TEXT(w, txtPerimeter);
    MONKEY_TEXT(w, txtCH);
    MONKEY_TEXT(w, txtDSL);
    MONKEY_TEXT(w, txtHOR);
    MONKEY_TEXT(w, txtMPRS);
    MONKEY_TEXT(w, txtPRL);
    MONKEY_TEXT(w, txtCHO);
    MONKEY_TEXT(w, txtTSLA);
    MONKEY_TEXT(w, txtST);
    MONKEY_TEXT(w, txtAD);
    MONKEY_TEXT(w, txtQs);

    MONKEY_LIST(w, lstYear);
    MONKEY_LIST(w, lstCalSegment);
    MONKEY_LIST(w, lstSlope);
    MONKEY_LIST(w, lstSection);
    MONKEY_LIST(w, lstSegment);
    MONKEY_LIST(w, lstTraffic);
    MONKEY_LIST(w, lstTrafficAnalysis);
    MONKEY_LIST(w, lstBlock);

    MONKEY_BUTTON(w, cmdAddSlope);
    MONKEY_BUTTON(w, cmdDeleteSlope);
    MONKEY_BUTTON(w, cmdUpdateSlope);
    MONKEY_BUTTON(w, cmdAddSection);
    MONKEY_BUTTON(w, cmdDeleteSection);
    MONKEY_BUTTON(w, cmdUpdateSection);
    MONKEY_BUTTON(w, cmdRefreshSegment);
    MONKEY_BUTTON(w, cmdAdd);
    MONKEY_BUTTON(w, cmdDelete);
    MONKEY_BUTTON(w, cmdUpdate);
    MONKEY_BUTTON(w, cmdRefreshTraffic);
    MONKEY_BUTTON(w, cmdCalculateTraffic);
    MONKEY_BUTTON(w, cmdAddBlock);
    MONKEY_BUTTON(w, cmdDeleteBlock);
    MONKEY_BUTTON(w, cmdUpdateBlock);
    MONKEY_BUTTON(w, cmdCalQQ_req_exchange);

    m.check("chkTrafficTotal", w.chkTrafficTotal);
    m.check("chkPetrol", w.chkPetrol);
    m.check("chkRatioNotSame", w.chkRatioNotSame);
    m.check("chkDelta", w.chkDelta);
    m.check("chkKK", w.chkKK);
    m.check("chkDeltaBi", w.chkDeltaBi);
    m.check("chkKKBi", w.chkKKBi);
    m.check("chkDeltaBlock", w.chkDeltaBlock);
    m.check("chkKKBlock", w.chkKKBlock);
    m.check("chkBlock", w.chkBlock);
    m.option("optLeftLine", w.optLeftLine);
    m.option("optRightLine", w.optRightLine);
    m.option("optBiDirectionMethod1", w.optBiDirectionMethod1);
    m.option("optBiDirectionMethod2", w.optBiDirectionMethod2);
    for (auto& [i, o] : w.optQsMethod1) {
        m.option("optQsMethod1", *o);
    }
    for (auto& [i, o] : w.optCrMehthod) {
        m.option("optCrMehthod", *o);
    }
    m.combo("cmbRoadClass", w.cmbRoadClass);
    m.combo("cmbvt", w.cmbvt);
    m.combo("cmbWorkVt_Bidirection", w.cmbWorkVt_Bidirection);
    m.combo("txtBlockVt", w.txtBlockVt);
    m.listBox("lstCOModel", w.lstCOModel);
    m.listBox("lstLightModel", w.lstLightModel);
    m.listBox("lstAllowVechileType", w.lstAllowVechileType);
    m.scroll("sclVt", w.sclVt);
    // The page tabs weigh more: most of the window is out of reach until its page is shown.
    for (int i = 0; i < 4; ++i) {
        m.tabs("pgMain", w.pgMain);
    }
}

/// Step 2 less "下一步", "返回" and the local-loss dialog button.
void registerStep2(Monkey& m, frmVentParam& s) {
    MONKEY_TEXT(s, txtzeta_e);
    MONKEY_TEXT(s, txtlambda_r);
    MONKEY_TEXT(s, txtv_n);
    MONKEY_TEXT(s, txtr_1);
    MONKEY_TEXT(s, txtr_1_Bidirection);
    MONKEY_TEXT(s, txtAA_cs);
    MONKEY_TEXT(s, txtxi_cs);
    MONKEY_TEXT(s, txtAA_cl);
    MONKEY_TEXT(s, txtxi_cl);
    MONKEY_TEXT(s, txtAA_m);
    MONKEY_TEXT(s, txtAA_m_Bidirection);
    MONKEY_TEXT(s, txtQQ_req);
    MONKEY_TEXT(s, txtv_r);
    MONKEY_TEXT(s, txtzetapile);
    MONKEY_TEXT(s, txtzeta);
    MONKEY_LIST(s, lstzeta);
    m.listBox("lstCase", s.lstCase);
    m.check("chkExchange", s.chkExchange);
    m.combo("cmbNextStep", s.cmbNextStep);
    MONKEY_BUTTON(s, cmdAdd);
    MONKEY_BUTTON(s, cmdUpdate);
    MONKEY_BUTTON(s, cmdDelete);
}

/// The jet-fan window less the curve, the report, the control table, the layout dialog and "返回".
void registerJet(Monkey& m, frmJet& j) {
    MONKEY_TEXT(j, txtFlow);
    MONKEY_TEXT(j, txtDD_j);
    MONKEY_TEXT(j, txtAA_j);
    MONKEY_TEXT(j, txtvj);
    MONKEY_TEXT(j, txtPower);
    MONKEY_TEXT(j, txtdeltap_j);
    MONKEY_TEXT(j, txtZZ_j);
    MONKEY_TEXT(j, txteta);
    MONKEY_TEXT(j, txtdeltap_m);
    MONKEY_TEXT(j, txtdeltap_t);
    MONKEY_TEXT(j, txtdeltap_r);
    MONKEY_TEXT(j, txtdeltap_l);
    MONKEY_TEXT(j, txttotaldeltap_j);
    MONKEY_TEXT(j, txti);
    MONKEY_TEXT(j, txtTotalPower);
    MONKEY_TEXT(j, txtPile);
    MONKEY_TEXT(j, txtJetNumPerTeam);
    MONKEY_TEXT(j, txtPress);
    MONKEY_LIST(j, lstJet);
    m.combo("cmbJetModel", j.cmbJetModel);
    m.pages("MultiPage1", j.MultiPage1);
    MONKEY_BUTTON(j, cmdAdd);
    MONKEY_BUTTON(j, cmdDelete);
    MONKEY_BUTTON(j, cmdUpdate);
    MONKEY_BUTTON(j, cmdCalculateJet);
}

/// Page 4 of a main window just started computes its demands.
void expectPage4Computes(frmReq& w) {
    w.pgMain.userClick(4);
    for (const platform::TextBox* box : {&w.txtQQ_req_CO_SEGMENT, &w.txtQQ_req_CO, &w.txtQQ_req_VI}) {
        const auto value = vb::StrictNumber(box->Text());
        ASSERT_TRUE(value.has_value()) << "\"" << box->Text() << "\"";
        EXPECT_GT(*value, 0);
    }
    EXPECT_EQ(w.lblWarning4.Caption(), "");
}

/// The main window closed and started again over the same program folder, as after a restart.
frmReq& restart() {
    Forms::destroyAll();
    modPublic::Reset();
    modPublic::AppFolder = test_stage::appFolder();
    return Forms::instance<frmReq>();
}

constexpr int kSteps = 400;

class Monkey_ : public ::testing::TestWithParam<unsigned> {};

TEST_P(Monkey_, MainWindowSurvivesRandomInputAndStartsAgainFromTheTemplate) {
    Watchdog dog(std::chrono::seconds(30));
    platform::msgbox::setAutoAnswer(true);
    {
        Monkey m(GetParam(), dog);
        registerMain(m, Forms::instance<frmReq>());
        m.run(kSteps);
    }
    platform::msgbox::setAutoAnswer(false);
    dog.beat("restart");
    expectPage4Computes(restart());
    EXPECT_TRUE(platform::scripted::takeFaults().empty());
}

INSTANTIATE_TEST_SUITE_P(Seeds, Monkey_, ::testing::Values(1u, 20240917u, 777u));

// The facility the monkey answers its boxes with: the default button, logged, no fault; reset ends it.
TEST(MonkeyBoxes, AutoAnswerTakesTheDefaultButtonUntilReset) {
    platform::msgbox::setAutoAnswer(true);
    EXPECT_EQ(platform::MsgBox("保存吗?", platform::vbYesNoCancel + platform::vbDefaultButton2),
              platform::vbNo);
    EXPECT_EQ(platform::MsgBox("出错", platform::vbOKOnly), platform::vbOK);
    platform::msgbox::script(platform::vbCancel);
    EXPECT_EQ(platform::MsgBox("继续?", platform::vbOKCancel), platform::vbCancel)
        << "a scripted answer first";
    ASSERT_EQ(platform::msgbox::log().size(), 3u);
    EXPECT_EQ(platform::msgbox::log()[0].prompt, "保存吗?");
    EXPECT_TRUE(platform::scripted::takeFaults().empty());

    platform::msgbox::reset();
    platform::MsgBox("又一个", platform::vbOKOnly);
    EXPECT_EQ(platform::scripted::takeFaults().size(), 1u)
        << "after reset an unscripted box is a fault again";
}

/// Saves the template under a project name, so that step 2 can be handed the project.
void saveTemplate(frmReq& w) {
    const fs::path dir = fs::path(test_stage::appFolder()) / "工程";
    fs::create_directories(dir);
    w.pgMain.userClick(4);
    platform::filedialog::script((dir / "猴子隧道.vnt").string());
    w.mnuFileSaveAs_Click();
}

TEST(MonkeySteps, StepTwoSurvivesRandomInput) {
    Watchdog dog(std::chrono::seconds(30));
    frmReq& w = Forms::instance<frmReq>();
    saveTemplate(w);
    for (unsigned seed : {5u, 99u}) {
        test_stage::onModal<frmVentParam>([&](frmVentParam& step2) {
            platform::msgbox::setAutoAnswer(true);
            Monkey m(seed, dog);
            registerStep2(m, step2);
            m.run(250);
            // Leaving may ask about the parameters: the default answer, as a hurried user gives it.
            dog.beat("返回");
            step2.cmdReturn.userClick();
        });
        dog.beat("下一步 (main window)");
        w.cmdNextStep.userClick();
        platform::msgbox::setAutoAnswer(false);
    }
    dog.beat("restart");
    expectPage4Computes(restart());
}

TEST(MonkeySteps, JetFanWindowSurvivesRandomInput) {
    Watchdog dog(std::chrono::seconds(30));
    frmReq& w = Forms::instance<frmReq>();
    saveTemplate(w);
    for (unsigned seed : {3u, 31u}) {
        const bool opened = test_support::openScheme<frmJet>(w, 0, [&](frmJet& jet, frmVentParam&) {
            platform::msgbox::setAutoAnswer(true);
            Monkey m(seed, dog);
            registerJet(m, jet);
            m.run(250);
            dog.beat("返回 (jet fans)");
        });
        platform::msgbox::setAutoAnswer(false);
        EXPECT_TRUE(opened);
    }
    dog.beat("restart");
    expectPage4Computes(restart());
}

} // namespace
