// SPDX-License-Identifier: GPL-3.0-or-later
// The project files of the main window and the File menu, driven as a user would.
#include "app/companion_file.h"
#include "app/frmReq.h"

#include "app/modPublic.h"
#include "platform/FileDialog.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/scheme_file.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "tests/support/list_rows.h"
#include "tests/support/shown_texts.h"
#include "tests/support/template_out.h"
#include "tests/support/test_stage.h"
#include "tests/support/written_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using platform::TextBox;
using test_support::rowsOf;
using test_support::setRows;

namespace {

using test_support::bytesOf;
using test_support::writeBytes;

test_stage::Reset resetGlobals([] { modPublic::Reset(); });

frmReq& window() {
    return platform::Forms::instance<frmReq>();
}

std::string folder(const std::string& name) {
    const fs::path p = fs::path(test_stage::appFolder()) / name;
    fs::create_directories(p);
    return p.string();
}

/// Every text box that the .req file names, in file order (txtBiDirection is stored twice, once here).
std::vector<TextBox*> storedBoxes(frmReq& w) {
    // clang-format off
    return {&w.txtProjectName, &w.txtProjectDiscribe, &w.txtElevation, &w.txtStartPile, &w.txtCO_in_Air,
            &w.txtq_co, &w.txtq_VI, &w.txtDescRatio, &w.txtDescYear, &w.txtName1, &w.txtName2, &w.txtName3,
            &w.txtTrafficRatio, &w.txtBiDirection, &w.txtMainDirectionRatio, &w.txtTraffic1, &w.txtNN,
            &w.txtTraffic2, &w.txtPetrol,
            &w.txtq_co_at_Year, &w.txtf_a, &w.txtf_d, &w.txtf_h, &w.txtf_iv, &w.txtQQ_CO, &w.txtDelta, &w.txtP,
            &w.txtTT, &w.txtQQ_req_CO, &w.txtq_VI_at_Year, &w.txtf_a_VI, &w.txtf_h_VI, &w.txtf_iv_VI,
            &w.txtQQ_VI, &w.txtKK, &w.txtQQ_req_VI,
            &w.txtNN_bidirection, &w.txtQQ_req_CO_Bidirection, &w.txtQQ_req_VI_Bidirection, &w.txtDelta_Bi,
            &w.txtKK_Bi,
            &w.txtDelta_block, &w.txtKK_block, &w.txtQQ_req_CO_block, &w.txtQQ_req_VI_block,
            &w.txtBlockStartPile, &w.txtBlockEndPile, &w.txtQQ_req_CO_1kmblock, &w.txtQQ_req_VI_1kmblock,
            &w.txtExchangeNum, &w.txtQQ_req_exchange, &w.txtFireSize, &w.txtPerimeter, &w.txtCH, &w.txtDSL,
            &w.txtHRR, &w.txtHOR, &w.txtMPRS, &w.txtPRL, &w.txtCHO, &w.txtTSLA, &w.txtAT, &w.txtST, &w.txtAD,
            &w.txtQs, &w.txtTunnelH, &w.txtvcr, &w.txtRHO};
    // clang-format on
}

app::VehicleMixRecord mix(const std::string& year, int seed) {
    app::VehicleMixRecord m;
    m.Year = year;
    for (int k = 0; k < 7; ++k) {
        m.Ratio[static_cast<std::size_t>(k)] = "0.1" + std::to_string(seed + k);
        m.ConvRatio[static_cast<std::size_t>(k)] = std::to_string(k + 1) + ".5";
        m.DieselRatio[static_cast<std::size_t>(k)] = "0.0" + std::to_string(seed + k);
    }
    return m;
}

/// A project in which every stored control holds a value of its own.
struct Project {
    std::vector<std::string> texts;
    std::string roadClass = "一级公路", speed = "60", twoWaySpeed = "40";
    bool rightLine = true, method1 = false;
    int chkTrafficTotal = 1, chkPetrol = 0, chkRatioNotSame = 1, chkDelta = 2, chkKK = 0, chkDeltaBi = 1,
        chkKKBi = 2, chkDeltaBlock = 0, chkKKBlock = 1, chkBlock = 1;
    std::array<bool, 7> allowed = {true, false, true, true, false, false, true};
    bool qs1 = true, cr0 = false, cr1 = true, cr2 = false;
    std::string workv = "62.5";
    std::vector<std::vector<std::string>> slopes = {{"10420", "1.56"}, {"15235", "-1.84"}};
    std::vector<std::vector<std::string>> sections = {{"15235", "63.96", "31.21", "8.197"}};
    std::vector<std::vector<std::string>> segments = {
        {"1", "10000", "10420", "1.56", "63.96", "8.197", "60"},
        {"2", "10420", "15235", "-1.84", "63.96", "8.197", "60"}};
    std::vector<std::vector<std::string>> years = {{"2014", "15300"}, {"2024", "22700"}};
    std::vector<std::vector<std::string>> blocks = {{"500", "10", "12.5", "30.25"}};
    std::vector<app::VehicleMixRecord> mixes = {mix("2014", 1), mix("2024", 3)};
    std::vector<std::string> fans = {"1", "2A"};

    explicit Project(const std::string& tag) {
        for (int i = 0; i < 68; ++i) {
            texts.push_back(tag + std::to_string(100 + i));
        }
        texts[1] = tag + "概况,含逗号\r\n第二行";
    }

    void putInto(frmReq& w) const {
        // Controls whose handlers write other boxes come first, so that the boxes end with their own texts.
        w.cmbRoadClass.setText(roadClass);
        w.cmbvt.setText(speed);
        w.cmbWorkVt_Bidirection.setText(twoWaySpeed);
        (rightLine ? w.optRightLine : w.optLeftLine).set(true);
        w.optBiDirectionMethod1.set(method1);
        w.optBiDirectionMethod2.set(!method1);
        w.chkTrafficTotal.set(chkTrafficTotal);
        w.chkPetrol.set(chkPetrol);
        w.chkRatioNotSame.setSilently(chkRatioNotSame);
        w.chkDelta.set(chkDelta);
        w.chkKK.set(chkKK);
        w.chkDeltaBi.set(chkDeltaBi);
        w.chkKKBi.set(chkKKBi);
        w.chkDeltaBlock.set(chkDeltaBlock);
        w.chkKKBlock.set(chkKKBlock);
        w.chkBlock.set(chkBlock);
        for (int i = 0; i < 7; ++i) {
            w.lstAllowVechileType.setSelected(i, allowed[static_cast<std::size_t>(i)]);
        }
        w.optQsMethod1(qs1 ? 1 : 0).set(true);
        w.optCrMehthod(cr0 ? 0 : cr1 ? 1 : 2).set(true);
        const auto boxes = storedBoxes(w);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            boxes[i]->set(texts[i]);
        }
        w.txtworkv_t.set(workv);
        setRows(w.lstSlope, slopes);
        setRows(w.lstSection, sections);
        setRows(w.lstSegment, segments);
        setRows(w.lstTraffic, years);
        setRows(w.lstBlock, blocks);
        w.VehicleMixes = mixes;
        modPublic::AxialFanList.items = fans;
    }

    void expectIn(frmReq& w) const {
        const auto boxes = storedBoxes(w);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(boxes[i]->Text(), texts[i]) << "stored text box " << i;
        }
        EXPECT_EQ(w.cmbRoadClass.Text(), roadClass);
        EXPECT_EQ(w.cmbvt.Text(), speed);
        EXPECT_EQ(w.cmbWorkVt_Bidirection.Text(), twoWaySpeed);
        EXPECT_EQ(w.optRightLine.Value(), rightLine);
        EXPECT_EQ(w.optLeftLine.Value(), !rightLine);
        EXPECT_EQ(w.optBiDirectionMethod1.Value(), method1);
        EXPECT_EQ(w.optBiDirectionMethod2.Value(), !method1);
        EXPECT_EQ(w.chkTrafficTotal.Value(), chkTrafficTotal);
        EXPECT_EQ(w.chkPetrol.Value(), chkPetrol);
        EXPECT_EQ(w.chkRatioNotSame.Value(), chkRatioNotSame);
        EXPECT_EQ(w.chkDelta.Value(), chkDelta);
        EXPECT_EQ(w.chkKK.Value(), chkKK);
        EXPECT_EQ(w.chkDeltaBi.Value(), chkDeltaBi);
        EXPECT_EQ(w.chkKKBi.Value(), chkKKBi);
        EXPECT_EQ(w.chkDeltaBlock.Value(), chkDeltaBlock);
        EXPECT_EQ(w.chkKKBlock.Value(), chkKKBlock);
        EXPECT_EQ(w.chkBlock.Value(), chkBlock);
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(w.lstAllowVechileType.Selected(i), allowed[static_cast<std::size_t>(i)])
                << "class " << i;
        }
        EXPECT_EQ(w.optQsMethod1(0).Value(), !qs1);
        EXPECT_EQ(w.optQsMethod1(1).Value(), qs1);
        EXPECT_EQ(w.optCrMehthod(0).Value(), cr0);
        EXPECT_EQ(w.optCrMehthod(1).Value(), cr1);
        EXPECT_EQ(w.optCrMehthod(2).Value(), cr2);
        EXPECT_EQ(w.txtworkv_t.Text(), workv);
        EXPECT_EQ(w.workv_t, vb::Val(workv));
        EXPECT_EQ(rowsOf(w.lstSlope, 2), slopes);
        EXPECT_EQ(rowsOf(w.lstSection, 4), sections);
        EXPECT_EQ(rowsOf(w.lstSegment, 7), segments);
        EXPECT_EQ(rowsOf(w.lstTraffic, 2), years);
        EXPECT_EQ(rowsOf(w.lstBlock, 4), blocks);
        EXPECT_EQ(w.VehicleMixes, mixes);
        EXPECT_EQ(modPublic::AxialFanList.items, fans);
    }
};

/// A second project that differs from the first in every stored value.
Project otherProject() {
    Project p("y");
    p.roadClass = "三级公路";
    p.speed = "100";
    p.twoWaySpeed = "20";
    p.rightLine = false;
    p.method1 = true;
    p.chkTrafficTotal = 0;
    p.chkPetrol = 1;
    p.chkRatioNotSame = 0;
    p.chkDelta = 0;
    p.chkKK = 1;
    p.chkDeltaBi = 0;
    p.chkKKBi = 0;
    p.chkDeltaBlock = 2;
    p.chkKKBlock = 0;
    p.chkBlock = 0;
    p.allowed = {false, true, false, false, true, true, false};
    p.qs1 = false;
    p.cr0 = true;
    p.cr1 = false;
    p.workv = "33";
    p.slopes = {{"1", "2"}};
    p.sections = {{"3", "4", "5", "6"}, {"7", "8", "9", "10"}};
    p.segments = {};
    p.years = {{"2030", "1"}};
    p.blocks = {};
    p.mixes = {mix("AnyYear", 5)};
    p.fans = {"9"};
    return p;
}

/// Names the project `path` and writes its files there, as a save under that name does.
void saveTo(frmReq& w, const std::string& path) {
    modPublic::ProjectFile = path;
    w.SaveFile();
}

/// Names the project `path` and reads its files from there, as an open of that name does.
void openFrom(frmReq& w, const std::string& path) {
    modPublic::ProjectFile = path;
    w.OpenFile();
}

std::string saveAs(frmReq& w, const std::string& path) {
    platform::filedialog::script(path);
    w.mnuFileSaveAs_Click();
    return path;
}

} // namespace

// ---- Reading and writing the project ----

TEST(ProjectFiles, SaveThenOpenRestoresEveryControlTheFileNames) {
    frmReq& w = window();
    const Project saved("x");
    saved.putInto(w);
    saveTo(w, folder("p") + "/a.vnt");

    // Another project in the window, including the per-year mix mode cleared: reading the file sets the
    // mode back without the question that clearing it by hand would ask.
    otherProject().putInto(w);
    w.chkRatioNotSame.setSilently(0);
    w.OpenFile();
    saved.expectIn(w);
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST(ProjectFiles, ReadingClearsThePerYearModeWithoutAskingAndRecordsDefineTheMixes) {
    frmReq& w = window();
    Project saved("x");
    saved.chkRatioNotSame = 0;
    saved.mixes = {mix("AnyYear", 2)};
    saved.putInto(w);
    saveTo(w, folder("p") + "/a.vnt");

    w.chkRatioNotSame.setSilently(1);
    w.VehicleMixes = {mix("2014", 7), mix("2024", 8), mix("2030", 9)};
    w.OpenFile();
    EXPECT_EQ(w.chkRatioNotSame.Value(), 0);
    EXPECT_EQ(w.VehicleMixes, saved.mixes);
    EXPECT_TRUE(platform::msgbox::log().empty()) << "no question in the middle of reading a project";
}

TEST(ProjectFiles, AListPositionThatChangesOnReadingRunsItsHandlerAfterTheFilesText) {
    frmReq& w = window();
    Project p("x");
    p.putInto(w);
    w.lstCOModel.setListIndex(1);
    w.lstLightModel.setListIndex(1);
    w.txtDelta.set("x125");
    w.txtKK.set("x134");
    saveTo(w, folder("p") + "/a.vnt");
    w.lstCOModel.setListIndex(0);
    w.lstLightModel.setListIndex(0);
    w.OpenFile();
    EXPECT_EQ(w.lstCOModel.ListIndex(), 1);
    EXPECT_EQ(w.lstLightModel.ListIndex(), 1);
    // The position is set last in its record, so its handler's design concentration stands.
    EXPECT_NE(w.txtDelta.Text(), "x125");
    EXPECT_NE(w.txtKK.Text(), "x134");
    EXPECT_EQ(w.txtP.Text(), "x126");
}

TEST(ProjectFiles, FilesAreGbkWithCrLfAndTheLayoutOfTheRecords) {
    frmReq& w = window();
    Project p("x");
    p.texts[1] = "一行的概况";
    p.putInto(w);
    w.txtRHO.set("1.2");
    saveTo(w, folder("p") + "/a.vnt");

    const std::string req = bytesOf(folder("p") + "/a.req");
    ASSERT_FALSE(req.empty());
    // Every line ends with CR LF, and Chinese text is in GBK.
    for (std::size_t i = 0; i < req.size(); ++i) {
        if (req[i] == '\n') {
            ASSERT_TRUE(i > 0 && req[i - 1] == '\r') << "bare LF at byte " << i;
        }
    }
    EXPECT_NE(req.find(textcodec::ToGbk("\"目前版本已不在使用\"\r\n\"0\"\r\n")), std::string::npos);
    EXPECT_NE(req.find(textcodec::ToGbk("\"一行的概况\"")), std::string::npos);
    EXPECT_EQ(req.find("\xE4\xB8\x80"), std::string::npos) << "no UTF-8 on disk"; // 一 in UTF-8

    auto lines = textfile::ReadLines(folder("p") + "/a.req").value();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "\"[BASIC INFO]\"");
    EXPECT_EQ(lines[3], "#FALSE#,#TRUE#");
    const std::string reserve = ",,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"";
    EXPECT_EQ(lines[lines.size() - 3], "\"1.2\"" + reserve);
    EXPECT_EQ(lines[lines.size() - 2], "\"\"" + reserve);
    EXPECT_EQ(lines[lines.size() - 1], "\"\"" + reserve);
    // Record 20: the design hour traffic twice, the three switches as numbers.
    const std::string traffic =
        "\"x112\",\"x113\",\"x114\",\"x115\",\"x116\",\"x117\",\"x116\",1,0,\"x118\",1";
    EXPECT_NE(std::find(lines.begin(), lines.end(), traffic), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "62.5"), lines.end()) << "working speed as a number";

    const auto vnt = textfile::ReadLines(folder("p") + "/a.vnt").value();
    EXPECT_EQ(vnt, (std::vector<std::string>{"\"[Axial_fan_list]\"", "2", "\"1\"", "\"2A\""}));
    EXPECT_EQ(bytesOf(folder("p") + "/a.vnt"), "\"[Axial_fan_list]\"\r\n2\r\n\"1\"\r\n\"2A\"\r\n");
}

TEST(ProjectFiles, TextWithADoubleQuoteReadsBackWholeAndShiftsNothing) {
    frmReq& w = window();
    Project p("x");
    p.texts[0] = "他说\"好\"";
    p.putInto(w);
    saveTo(w, folder("p") + "/a.vnt");
    otherProject().putInto(w);
    w.OpenFile();
    // The quote comes back as the full-width quote; every later field is in its own control.
    EXPECT_EQ(w.txtProjectName.Text(), "他说＂好＂");
    p.texts[0] = w.txtProjectName.Text();
    p.expectIn(w);
}

TEST(ProjectFiles, BlockNoLongerUsedWithRowsIsSkippedAndTheSecondTrafficCopyIgnored) {
    frmReq& w = window();
    Project p("x");
    p.texts[1] = "一行";
    p.putInto(w);
    saveTo(w, folder("p") + "/a.vnt");
    std::string text = textcodec::FromGbk(bytesOf(folder("p") + "/a.req"));
    const std::string block = "\"目前版本已不在使用\"\r\n\"0\"\r\n";
    text.replace(text.find(block), block.size(),
                 "\"目前版本已不在使用\"\r\n\"2\"\r\n\"a\",\"b\"\r\n\"c\",\"d\"\r\n");
    const std::string traffic = "\"x116\",\"x117\",\"x116\",";
    text.replace(text.find(traffic), traffic.size(), "\"x116\",\"x117\",\"999\",");
    writeBytes(folder("p") + "/a.req", textcodec::ToGbk(text));

    otherProject().putInto(w);
    w.OpenFile();
    p.texts[1] = "一行";
    p.expectIn(w);
}

TEST(ProjectFiles, AFanListWithCountZeroEmptiesTheListAfterAProjectWithFans) {
    frmReq& w = window();
    Project p("x");
    p.putInto(w);
    saveTo(w, folder("p") + "/fans.vnt");
    modPublic::AxialFanList.items.clear();
    saveTo(w, folder("p") + "/nofans.vnt");
    EXPECT_EQ(textfile::ReadLines(folder("p") + "/nofans.vnt").value(),
              (std::vector<std::string>{"\"[Axial_fan_list]\"", "0"}));

    for (const std::string count : {"0", "-3", "abc", ""}) {
        openFrom(w, folder("p") + "/fans.vnt");
        ASSERT_EQ(modPublic::AxialFanList.items, (std::vector<std::string>{"1", "2A"}));
        writeBytes(folder("p") + "/nofans.vnt", "\"[Axial_fan_list]\"\r\n" + count + "\r\n\"7\"\r\n");
        openFrom(w, folder("p") + "/nofans.vnt");
        EXPECT_TRUE(modPublic::AxialFanList.empty()) << "count \"" << count << "\"";
    }
    // A missing .vnt leaves no fans either.
    openFrom(w, folder("p") + "/fans.vnt");
    fs::remove(folder("p") + "/nofans.vnt");
    openFrom(w, folder("p") + "/nofans.vnt");
    EXPECT_TRUE(modPublic::AxialFanList.empty());
}

TEST(ProjectFiles, ReadParameterTakesFourValuesSkippingTheLocalLossRows) {
    frmReq& w = window();
    const std::string dir = folder("p");
    // zeta_e, lambda_r, reserve, v_n; Qreq .. r1, Am; two loss rows; r1 and Am of two-way traffic.
    writeBytes(dir + "/a.par", textcodec::ToGbk("\"[通风计算]\"\r\n\"0.6\",\"0.025\",\"\",\"2.5m/s\"\r\n"
                                                "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"2.36\"\r\n"
                                                "2\r\n\"10100\",\"0.5\"\r\n\"10200\",\"0.7\"\r\n"
                                                "\"0.4\",\"3.02\"\r\n0\r\n#FALSE#\r\n"));
    modPublic::ProjectFile = dir + "/a.vnt";
    w.ReadParameter();
    EXPECT_DOUBLE_EQ(modPublic::lambda_r, 0.025);
    EXPECT_DOUBLE_EQ(modPublic::v_n, 2.5);
    EXPECT_DOUBLE_EQ(modPublic::AA_m, 2.36);
    EXPECT_DOUBLE_EQ(modPublic::AA_m_Bidirection, 3.02);

    // A project without .par: all four are 0, none left over from the project before.
    openFrom(w, dir + "/none.vnt");
    EXPECT_EQ(modPublic::lambda_r, 0);
    EXPECT_EQ(modPublic::v_n, 0);
    EXPECT_EQ(modPublic::AA_m, 0);
    EXPECT_EQ(modPublic::AA_m_Bidirection, 0);
}

TEST(ProjectFiles, FileEndingEarlyStopsThereAndTheRestComesFromTheTemplate) {
    frmReq& w = window();
    const std::string templateRatio = w.txtTrafficRatio.Text();
    const std::string templateRho = w.txtRHO.Text();
    const auto templateSections = rowsOf(w.lstSection, 4);
    const auto templateMixes = w.VehicleMixes;
    const int templateDelta = w.chkDelta.Value();
    const bool templateMethod1 = w.optBiDirectionMethod1.Value();
    Project p("x");
    p.texts[1] = "一行";
    p.putInto(w);
    saveTo(w, folder("p") + "/a.vnt");
    // Cut the file after the first slope row's station.
    const std::string full = bytesOf(folder("p") + "/a.req");
    writeBytes(folder("p") + "/a.req", full.substr(0, full.find("\"10420\"") + 7));

    otherProject().putInto(w);
    w.OpenFile();
    EXPECT_EQ(w.txtProjectName.Text(), "x100");
    EXPECT_EQ(w.txtName3.Text(), "x111");
    // The slope list was emptied by its count; the cut row is not added half.
    EXPECT_EQ(w.lstSlope.ListItems.Count(), 0);
    EXPECT_EQ(rowsOf(w.lstSection, 4), templateSections);
    EXPECT_EQ(w.txtRHO.Text(), templateRho);
    EXPECT_EQ(w.txtTrafficRatio.Text(), templateRatio);
    EXPECT_EQ(w.VehicleMixes, templateMixes);
    EXPECT_EQ(w.chkDelta.Value(), templateDelta);
    EXPECT_EQ(w.optBiDirectionMethod1.Value(), templateMethod1);
}

TEST(ProjectFiles, FuzzedAndTruncatedFilesNeverBreakTheReader) {
    frmReq& w = window();
    Project p("x");
    p.putInto(w);
    const std::string dir = folder("fuzz");
    saveTo(w, dir + "/a.vnt");
    writeBytes(dir + "/a.par",
               "\"[通风计算]\"\r\n\"0.6\",\"0.02\",\"\",\"2.5\"\r\n\"\",\"\",\"2.13\",\"0.5\","
               "\"5.37\",\"1\",\"0\",\"0\"\r\n1\r\n\"10100\",\"0.5\"\r\n\"0\",\"0\"\r\n0\r\n#FALSE#\r\n");
    const std::string req = bytesOf(dir + "/a.req");
    const std::string vnt = bytesOf(dir + "/a.vnt");
    const std::string par = bytesOf(dir + "/a.par");
    const char tokens[] = {'"', ',', '\r', '\n', '-', '9', '#', '\xB0', '\0', 'e'};

    // A huge count says so in a box; every box of the run is an error box answered with OK.
    platform::msgbox::setAutoAnswer(true);
    std::mt19937 rng(20261209);
    const auto start = std::chrono::steady_clock::now();
    int runs = 0;
    for (; runs < 400 && std::chrono::steady_clock::now() - start < std::chrono::seconds(4); ++runs) {
        auto damage = [&](std::string bytes) {
            if (bytes.empty()) {
                return bytes;
            }
            if (rng() % 2 == 0) {
                bytes.resize(rng() % bytes.size());
            }
            const int flips = static_cast<int>(rng() % 8);
            for (int f = 0; f < flips && !bytes.empty(); ++f) {
                const std::size_t at = rng() % bytes.size();
                bytes[at] = rng() % 2 == 0 ? tokens[rng() % sizeof tokens] : static_cast<char>(rng());
            }
            if (rng() % 8 == 0 && !bytes.empty()) {
                // A huge row count somewhere.
                bytes.insert(rng() % bytes.size(), "99999999999999\r\n");
            }
            return bytes;
        };
        writeBytes(dir + "/a.req", damage(req));
        writeBytes(dir + "/a.vnt", damage(vnt));
        writeBytes(dir + "/a.par", damage(par));
        w.OpenFile();
        ASSERT_LE(w.lstSlope.ListItems.Count(), 1000);
        ASSERT_LE(w.VehicleMixes.size(), 1000u);
        ASSERT_LE(modPublic::AxialFanList.UBound(), 1000u);
    }
    EXPECT_GE(runs, 50);
    for (const auto& box : platform::msgbox::log()) {
        EXPECT_EQ(box.title, "出错") << box.prompt;
    }
    platform::msgbox::reset();
    // The window still works: the intact project reads back whole.
    writeBytes(dir + "/a.req", req);
    writeBytes(dir + "/a.vnt", vnt);
    w.OpenFile();
    EXPECT_EQ(w.txtProjectName.Text(), "x100");
    EXPECT_EQ(w.VehicleMixes, p.mixes);
}

// ---- File commands ----

TEST(FileCommands, CaptionsAndTheDialogOfEachCommand) {
    frmReq& w = window();
    EXPECT_EQ(w.Caption(), "Kelvora-Aridane");
    const std::string path = folder("p") + "/隧道.vnt";
    saveAs(w, path);
    EXPECT_EQ(w.Caption(), "Kelvora-Kelvora-Aridane Step 1: 隧道需风量计算-" + path);
    EXPECT_EQ(modPublic::ProjectFile, path);
    ASSERT_EQ(platform::filedialog::log().size(), 1u);
    EXPECT_TRUE(platform::filedialog::log()[0].save);
    EXPECT_EQ(platform::filedialog::log()[0].title, "选择通风分析工程文件");
    EXPECT_EQ(platform::filedialog::log()[0].filter, "通风分析工程文件|*.vnt");

    // Save rewrites in place, asks nothing and keeps the caption.
    w.txtProjectName.set("改过");
    w.mnuFileSave_Click();
    EXPECT_EQ(w.Caption(), "Kelvora-Kelvora-Aridane Step 1: 隧道需风量计算-" + path);
    EXPECT_EQ(platform::filedialog::log().size(), 1u);
    EXPECT_NE(bytesOf(folder("p") + "/隧道.req").find(textcodec::ToGbk("\"改过\"")), std::string::npos);

    platform::msgbox::script(platform::vbNo);
    platform::filedialog::script(path);
    w.mnuFileOpen_Click();
    platform::msgbox::reset();
    EXPECT_EQ(w.Caption(), "Kelvora-Aridane Step 1: 隧道需风量计算-" + path);
    EXPECT_FALSE(platform::filedialog::log()[1].save);
    EXPECT_EQ(platform::filedialog::log()[1].title, "选择通风分析工程文件");
    EXPECT_EQ(w.txtProjectName.Text(), "改过");

    // The project was just opened: New has nothing to ask.
    w.mnuFileNew_Click();
    EXPECT_EQ(w.Caption(), "Kelvora-Kelvora-Aridane Unamed");
    EXPECT_TRUE(modPublic::ProjectFile.empty());
    EXPECT_TRUE(platform::msgbox::log().empty());
}

TEST(FileCommands, CancelledDialogsChangeNothing) {
    frmReq& w = window();
    w.txtProjectName.set("原样");
    platform::msgbox::script(platform::vbNo);
    platform::filedialog::scriptCancel();
    w.mnuFileOpen_Click();
    platform::filedialog::scriptCancel();
    w.mnuFileSaveAs_Click();
    platform::filedialog::scriptCancel();
    w.mnuFileSave_Click(); // unnamed: Save is Save As
    EXPECT_EQ(w.Caption(), "Kelvora-Aridane");
    EXPECT_TRUE(modPublic::ProjectFile.empty());
    EXPECT_EQ(w.txtProjectName.Text(), "原样");
}

TEST(FileCommands, ANameWithoutTheExtensionGetsIt) {
    frmReq& w = window();
    const std::string dir = folder("p");
    saveAs(w, dir + "/tunnel1");
    EXPECT_EQ(modPublic::ProjectFile, dir + "/tunnel1.vnt");
    EXPECT_TRUE(fs::exists(dir + "/tunnel1.req"));
    EXPECT_TRUE(fs::exists(dir + "/tunnel1.vnt"));
    EXPECT_FALSE(fs::exists(dir + "/tunn.req"));
    // Any letter case of the extension is the extension.
    saveAs(w, dir + "/tunnel2.VNT");
    EXPECT_EQ(modPublic::ProjectFile, dir + "/tunnel2.VNT");
    EXPECT_TRUE(fs::exists(dir + "/tunnel2.req"));
}

TEST(FileCommands, SaveAsCopiesExactlyTheCompanionsThatExist) {
    frmReq& w = window();
    const std::string dir = folder("p");
    saveAs(w, dir + "/old.vnt");
    const std::vector<std::string> present = {".sj", ".par", ".lmp", "_需风量.rpt",
                                              "_纯射流风机通风运营控制表.tab"};
    for (const auto& s : present) {
        writeBytes(dir + "/old" + s, "old" + s);
    }
    writeBytes(dir + "/old.afd", "not a companion of the table");
    // The target already has a .par (replaced) and a .jet whose source is missing (kept).
    writeBytes(dir + "/new.par", "earlier");
    writeBytes(dir + "/new.jet", "kept");

    saveAs(w, dir + "/new.vnt");
    for (const auto& s : present) {
        EXPECT_EQ(bytesOf(dir + "/new" + s), "old" + s) << s;
    }
    EXPECT_EQ(bytesOf(dir + "/new.jet"), "kept");
    for (const char* s :
         {".se", ".con", ".fir", ".cvt", ".tra", ".bgh", ".msj", "_集中送入式通风.rpt", ".afd"}) {
        EXPECT_FALSE(fs::exists(dir + "/new" + s)) << s;
    }
    // The project files themselves are written, not copied: they hold the window's state.
    EXPECT_EQ(bytesOf(dir + "/new.req"), bytesOf(dir + "/old.req"));

    // Save As onto its own name copies nothing and keeps the companions.
    saveAs(w, dir + "/new.vnt");
    EXPECT_EQ(bytesOf(dir + "/new.par"), "old.par");
}

TEST(FileCommands, SaveAsCarriesTheFilesOfEachAxialFanAndLightingCase) {
    frmReq& w = window();
    const std::string dir = folder("p");
    saveAs(w, dir + "/old.vnt");
    modPublic::AxialFanList.items = {"1#", "2#"};
    writeBytes(dir + "/old_1#.afd", "fan 1");
    writeBytes(dir + "/old_3#.afd", "not in the project's fan list");
    writeBytes(dir + "/old_0_1_2.lgh", "case 0 1 2");
    writeBytes(dir + "/old_2_0_5.lgh", "case 2 0 5");
    // Files of another project whose name starts like this one's are left alone.
    writeBytes(dir + "/old_x_0_1_2.lgh", "other project");
    writeBytes(dir + "/old_0_1.lgh", "not a case file");

    saveAs(w, dir + "/new.vnt");
    EXPECT_EQ(bytesOf(dir + "/new_1#.afd"), "fan 1");
    EXPECT_FALSE(fs::exists(dir + "/new_2#.afd")); // the fan has no file yet
    EXPECT_FALSE(fs::exists(dir + "/new_3#.afd"));
    EXPECT_EQ(bytesOf(dir + "/new_0_1_2.lgh"), "case 0 1 2");
    EXPECT_EQ(bytesOf(dir + "/new_2_0_5.lgh"), "case 2 0 5");
    EXPECT_FALSE(fs::exists(dir + "/new_x_0_1_2.lgh"));
    EXPECT_FALSE(fs::exists(dir + "/new_0_1.lgh"));
}

TEST(FileCommands, SaveAsOfAnUnnamedProjectCopiesNothing) {
    frmReq& w = window();
    const std::string dir = folder("p");
    // Start-up's template lies under the program folder; an unnamed project has no companions.
    saveAs(w, dir + "/first.vnt");
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"first.req", "first.vnt"}));
}

TEST(FileCommands, ASaveThatCannotWriteSaysSoAndTheOldFileStaysWhole) {
    frmReq& w = window();
    // A folder that does not exist.
    platform::msgbox::script(platform::vbOK);
    saveAs(w, test_stage::appFolder() + "/no/such/folder/a.vnt");
    test_support::expectOneMessage({.title = "出错", .buttons = platform::vbOKOnly});
    EXPECT_TRUE(modPublic::ProjectFile.empty()) << "the project keeps the name it is saved under";
    EXPECT_EQ(w.Caption(), "Kelvora-Aridane");

    // A name whose temporary companion is too long for the file system: the write fails, and the file
    // that was there is untouched (this holds for a privileged user too, unlike a read-only folder).
    const std::string dir = folder("p");
    const std::string base = dir + "/" + std::string(246, 'a');
    writeBytes(base + ".req", "the earlier project");
    modPublic::ProjectFile = base + ".vnt";
    platform::msgbox::script(platform::vbOK);
    w.mnuFileSave_Click();
    ASSERT_EQ(platform::msgbox::log().size(), 2u);
    EXPECT_EQ(platform::msgbox::log()[1].title, "出错");
    EXPECT_EQ(bytesOf(base + ".req"), "the earlier project");
    for (const auto& e : fs::directory_iterator(dir)) {
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << "no temporary file left";
    }
}

/// The question New, Open and Exit ask of a project that differs from its files.
const test_support::Message kSaveQuestion{
    .prompt = "退出之前需要保存吗?", .title = "保存提示！", .buttons = platform::vbYesNoCancel};

/// Every entry of a folder: a file's bytes, "<folder>" for a folder.
std::map<std::string, std::string> folderSnapshot(const std::string& dir) {
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::directory_iterator(dir)) {
        entries[e.path().filename().string()] = e.is_directory() ? "<folder>" : bytesOf(e.path().string());
    }
    return entries;
}

TEST(FileCommands, ASaveWhoseFileCannotBePutInPlaceLeavesEveryFileAsItWas) {
    // `blocked`: the file of the save that a folder of its name stands in for.
    for (const auto& [viaSaveAs, blocked] :
         {std::pair{false, ".req"}, {false, ".vnt"}, {true, ".req"}, {true, ".vnt"}}) {
        SCOPED_TRACE(std::string(viaSaveAs ? "Save As, " : "Save, ") + blocked);
        frmReq& w = window();
        const std::string name = std::string(viaSaveAs ? "as" : "") + (blocked + 1);
        const std::string dir = folder(name);
        const std::string own = saveAs(w, dir + "/n.vnt");
        writeBytes(dir + "/m.req", "the other project's req");
        writeBytes(dir + "/m.vnt", "the other project's vnt");
        const std::string target = viaSaveAs ? dir + "/m" : dir + "/n";
        fs::remove(target + blocked);
        fs::create_directory(target + blocked);
        // A change to each file of the project.
        w.txtProjectName.set(name);
        modPublic::AxialFanList.items = {name};
        const auto before = folderSnapshot(dir);

        platform::msgbox::reset();
        platform::msgbox::script(platform::vbOK);
        if (viaSaveAs) {
            saveAs(w, dir + "/m.vnt");
        } else {
            w.mnuFileSave_Click();
        }
        EXPECT_EQ(folderSnapshot(dir), before) << "every file byte for byte, no temporary file left";
        test_support::expectOneMessage({.prompt = "工程文件未能保存:\r\n" + target + blocked +
                                                  "\r\n请检查文件夹是否存在、是否可写入, 磁盘是否已满.",
                                        .title = "出错"});
        EXPECT_EQ(modPublic::ProjectFile, own);
    }
}

TEST(FileCommands, NewKeepsTheProjectWhenTheSaveItWasAskedForDidNotHappen) {
    frmReq& w = window();
    const std::string dir = folder("p");
    const std::string named = saveAs(w, dir + "/named.vnt");
    w.mnuFileNew_Click();
    EXPECT_TRUE(platform::msgbox::log().empty()) << "nothing to ask right after a save";
    saveAs(w, named);
    w.txtProjectName.set("未保存的修改");
    const std::string caption = w.Caption();

    // Cancel keeps everything; the question offers Yes, No and Cancel.
    platform::msgbox::script(platform::vbCancel);
    w.mnuFileNew_Click();
    test_support::expectOneMessage(kSaveQuestion);
    EXPECT_EQ(w.txtProjectName.Text(), "未保存的修改");
    EXPECT_EQ(modPublic::ProjectFile, named);
    EXPECT_EQ(w.Caption(), caption);

    // Yes on a named project saves it under its name without a dialog, then the template comes in.
    platform::msgbox::script(platform::vbYes);
    w.mnuFileNew_Click();
    EXPECT_EQ(platform::filedialog::log().size(), 2u) << "only the two Save As of the set-up";
    EXPECT_NE(bytesOf(dir + "/named.req").find(textcodec::ToGbk("未保存的修改")), std::string::npos);
    EXPECT_TRUE(modPublic::ProjectFile.empty());
    EXPECT_EQ(w.Caption(), "Kelvora-Kelvora-Aridane Unamed");
    EXPECT_NE(w.txtProjectName.Text(), "未保存的修改");

    // Yes on an unnamed project asks for a name; cancelling that dialog loses nothing.
    w.txtProjectName.set("未命名的修改");
    platform::msgbox::script(platform::vbYes);
    platform::filedialog::scriptCancel();
    w.mnuFileNew_Click();
    EXPECT_TRUE(platform::filedialog::log().back().save);
    EXPECT_EQ(w.txtProjectName.Text(), "未命名的修改");
}

TEST(FileCommands, ExitAndTheCloseBoxAskTheSameQuestionAndStayWhenTheSaveDidNotHappen) {
    {
        frmReq& w = window();
        w.txtProjectName.set("未保存的修改");
        // Close box, Yes, dialog cancelled: the window stays.
        platform::msgbox::script(platform::vbYes);
        platform::filedialog::scriptCancel();
        EXPECT_FALSE(platform::Forms::unload<frmReq>(platform::vbFormControlMenu));
        EXPECT_TRUE(platform::Forms::isLoaded<frmReq>());
        test_support::expectOneMessage({.prompt = "退出之前需要保存吗?", .title = "保存提示！"});

        // Exit, Yes, dialog cancelled: the program goes on.
        platform::msgbox::script(platform::vbYes);
        platform::filedialog::scriptCancel();
        w.mnuFileExit_Click();
        EXPECT_TRUE(platform::Forms::isLoaded<frmReq>());

        // Exit, Yes, saved: the program ends.
        platform::msgbox::script(platform::vbYes);
        platform::filedialog::script(folder("p") + "/exit.vnt");
        w.mnuFileExit_Click();
        EXPECT_FALSE(platform::Forms::isLoaded<frmReq>());
        EXPECT_TRUE(fs::exists(folder("p") + "/exit.req"));
    }
    platform::Forms::collectGarbage();
    {
        window().txtProjectName.set("未保存的修改");
        // Close box, No: closes without saving.
        platform::msgbox::script(platform::vbNo);
        EXPECT_TRUE(platform::Forms::unload<frmReq>(platform::vbFormControlMenu));
        EXPECT_FALSE(platform::Forms::isLoaded<frmReq>());
    }
    platform::Forms::collectGarbage();
    {
        frmReq& w = window();
        w.txtProjectName.set("未保存的修改");
        // Exit, No: ends without a dialog.
        platform::msgbox::script(platform::vbNo);
        w.mnuFileExit_Click();
        EXPECT_FALSE(platform::Forms::isLoaded<frmReq>());
    }
    EXPECT_EQ(platform::msgbox::log().size(), 5u);
}

TEST(FileCommands, LeavingAsksOnlyWhenTheProjectDiffersFromItsFilesAndCancelKeepsIt) {
    const std::vector<std::pair<const char*, std::function<void(frmReq&)>>> leaves = {
        {"close box", [](frmReq&) { platform::Forms::unload<frmReq>(platform::vbFormControlMenu); }},
        {"退出", [](frmReq& w) { w.mnuFileExit_Click(); }},
        {"打开", [](frmReq& w) { w.mnuFileOpen_Click(); }}};
    for (const auto& [what, leave] : leaves) {
        SCOPED_TRACE(what);
        platform::msgbox::reset();
        // The untouched template, then the project just saved: nothing to lose, nothing asked.
        for (bool saved : {false, true}) {
            frmReq& w = window();
            if (saved) {
                saveAs(w, folder("p") + "/leave.vnt");
            }
            if (std::string(what) == "打开") {
                platform::filedialog::scriptCancel();
            }
            leave(w);
            EXPECT_TRUE(platform::msgbox::log().empty());
            platform::Forms::unload<frmReq>(platform::vbFormCode);
            platform::Forms::collectGarbage();
        }
        // A change: asked with Cancel, and Cancel keeps the program, the project and its file.
        frmReq& w = window();
        const std::string path = saveAs(w, folder("p") + "/leave.vnt");
        const std::string onDisk = bytesOf(folder("p") + "/leave.req");
        w.txtProjectName.set("未保存的修改");
        platform::msgbox::script(platform::vbCancel);
        leave(w);
        test_support::expectOneMessage({.prompt = "退出之前需要保存吗?", .buttons = platform::vbYesNoCancel});
        EXPECT_TRUE(platform::Forms::isLoaded<frmReq>());
        EXPECT_EQ(w.txtProjectName.Text(), "未保存的修改");
        EXPECT_EQ(modPublic::ProjectFile, path);
        EXPECT_EQ(bytesOf(folder("p") + "/leave.req"), onDisk);
        platform::Forms::unload<frmReq>(platform::vbFormCode);
        platform::Forms::collectGarbage();
    }
}

TEST(FileCommands, OpeningAProjectWhoseReqCannotBeReadSaysSoAndShowsTheTemplateUnnamed) {
    frmReq& w = window();
    const std::string dir = folder("p");
    writeBytes(dir + "/lost.vnt", "\"[Axial_fan_list]\"\r\n0\r\n");
    const std::string templateName = w.txtProjectName.Text();
    const auto templateSlopes = rowsOf(w.lstSlope, 2);
    const auto templateMixes = w.VehicleMixes;
    const int templateDelta = w.chkDelta.Value();
    otherProject().putInto(w);
    platform::msgbox::script(platform::vbNo);
    platform::filedialog::script(dir + "/lost.vnt");
    platform::msgbox::script(platform::vbOK);
    w.mnuFileOpen_Click();
    ASSERT_EQ(platform::msgbox::log().size(), 2u);
    EXPECT_EQ(platform::msgbox::log()[1].title, "出错");
    EXPECT_NE(platform::msgbox::log()[1].prompt.find("lost.req"), std::string::npos);
    // Nothing of the project shown before survives: every field is the template's.
    EXPECT_EQ(w.txtProjectName.Text(), templateName);
    EXPECT_EQ(rowsOf(w.lstSlope, 2), templateSlopes);
    EXPECT_EQ(w.VehicleMixes, templateMixes);
    EXPECT_EQ(w.chkDelta.Value(), templateDelta);
    EXPECT_EQ(w.txtworkv_t.Text(), vb::CStr(w.workv_t));
    // Files that are not there are no project to save back to.
    EXPECT_TRUE(modPublic::ProjectFile.empty());
    EXPECT_EQ(w.Caption(), "Kelvora-Kelvora-Aridane Unamed");
}

TEST(FileCommands, OpenSelectsTheFirstRowOfEachList) {
    frmReq& w = window();
    Project p("x");
    p.putInto(w);
    const std::string path = saveAs(w, folder("p") + "/rows.vnt");
    otherProject().putInto(w);
    platform::msgbox::script(platform::vbNo);
    platform::filedialog::script(path);
    w.mnuFileOpen_Click();
    EXPECT_EQ(w.lstTraffic.SelectedIndex(), 1);
    EXPECT_EQ(w.lstSlope.SelectedIndex(), 1);
    EXPECT_EQ(w.lstSection.SelectedIndex(), 1);
    EXPECT_EQ(w.lstSegment.SelectedIndex(), 1);
    EXPECT_EQ(w.lstBlock.SelectedIndex(), 1);
}

// ---- The template project ----

TEST(TemplateProject, StartUpShowsTheTemplateUnnamed) {
    frmReq& w = window();
    EXPECT_TRUE(modPublic::ProjectFile.empty());
    EXPECT_EQ(w.Caption(), "Kelvora-Aridane");
    EXPECT_TRUE(platform::msgbox::log().empty());
    // Page 1.
    EXPECT_EQ(w.txtProjectName.Text(), "雁门关隧道右线");
    EXPECT_NE(w.txtProjectDiscribe.Text().find("乌池坝"), std::string::npos);
    EXPECT_TRUE(w.optRightLine.Value());
    test_support::ExpectTexts{{w.cmbRoadClass, "高速公路"}, {w.cmbvt, "80"},
                              {w.txtElevation, "1430.39"},  {w.txtTT, "293"},
                              {w.txtq_co, "0.01"},          {w.txtq_VI, "2.5"},
                              {w.txtDescRatio, "1.5"},      {w.txtDescYear, "2000"}};
    // Page 2: 420 m at +1.56 %, then 4815 m at -1.84 %, one cross-section.
    EXPECT_EQ(w.txtStartPile.Text(), "10000");
    EXPECT_EQ(rowsOf(w.lstSlope, 2),
              (std::vector<std::vector<std::string>>{{"10420", "1.56"}, {"15235", "-1.84"}}));
    EXPECT_EQ(rowsOf(w.lstSection, 4),
              (std::vector<std::vector<std::string>>{{"15235", "63.96", "31.21", "8.197"}}));
    EXPECT_EQ(w.lstSegment.ListItems.Count(), 2);
    // Page 3.
    EXPECT_EQ(rowsOf(w.lstTraffic, 2),
              (std::vector<std::vector<std::string>>{{"2014", "15300"}, {"2024", "22700"}}));
    EXPECT_EQ(w.txtMainDirectionRatio.Text(), "0.51");
    EXPECT_EQ(w.txtTraffic2.Text(), "0.1");
    EXPECT_EQ(w.chkTrafficTotal.Value(), 1);
    ASSERT_EQ(w.VehicleMixes.size(), 1u);
    EXPECT_EQ(w.VehicleMixes[0].Year, "AnyYear");
    EXPECT_EQ(w.VehicleMixes[0].Ratio[3], "0.519");
    // The template's step-2 values.
    EXPECT_DOUBLE_EQ(modPublic::lambda_r, 0.02);
    EXPECT_DOUBLE_EQ(modPublic::v_n, 2.5);
}

TEST(TemplateProject, OnlyATunnelWithTheTemplatesPortalsIsTheTemplatesTunnel) {
    window();
    EXPECT_TRUE(app::ProjectIsOnTheTemplatesTunnel()) << "the template as it starts up";
    struct Case {
        double start, end;
        bool same;
    } const cases[] = {{10000, 15235, true}, {12000, 15500, false}, {10000, 15234.5, false}, {0, 0, false}};
    for (const Case& c : cases) {
        modPublic::StartPile = c.start;
        modPublic::EndPile = c.end;
        EXPECT_EQ(app::ProjectIsOnTheTemplatesTunnel(), c.same) << c.start << "–" << c.end;
    }
}

TEST(TemplateProject, AMissingTemplateIsReadSilently) {
    fs::remove(fs::path(test_stage::appFolder()) / "ConfigFiles" / "Normal.req");
    frmReq& w = window();
    EXPECT_TRUE(platform::msgbox::log().empty());
    EXPECT_EQ(w.lstSlope.ListItems.Count(), 0);
    platform::msgbox::script(platform::vbNo);
    w.mnuFileNew_Click();
    EXPECT_EQ(platform::msgbox::log().size(), 1u) << "only the save question";
}

/// Writes the template project into the folder named by ARIDANE_TEMPLATE_OUT (else the test's own
/// folder) through the program's own controls and SaveFile, and holds it to the shipped files:
///   ARIDANE_TEMPLATE_OUT=ConfigFiles files_window_tests --gtest_filter='*MakeTemplate*'
TEST(TemplateProject, MakeTemplate) {
    frmReq& w = window();
    const char* out = std::getenv("ARIDANE_TEMPLATE_OUT");
    const std::string dir = out != nullptr ? std::string(out) : folder("template");
    fs::create_directories(dir);

    // 雁门关隧道 right line (新广武—原平 expressway), designed to JTJ 026.1-1999.
    w.txtProjectName.set("雁门关隧道右线");
    w.txtProjectDiscribe.set(
        "模板工程：雁门关隧道右线（新广武—原平高速公路），纵坡、海拔、交通量与车型组成取自已发表设计资料；"
        "断面借用乌池坝隧道（面积63.96 m^2，周长31.21 m）；阻滞工况按乌池坝设计取法：出口侧1 km车速10 km/h，"
        "其余40 km/h。");
    w.optRightLine.set(true);
    w.cmbRoadClass.setText("高速公路");
    w.cmbvt.setText("80");
    w.txtElevation.set("1430.39");
    w.txtTT.set("293");
    w.txtCO_in_Air.set("0");
    // 1.293 kg/m³ at 101.325 kPa and 273 K, brought to the site pressure of the elevation and to 293 K.
    w.txtRHO.set(vb::Format(1.293 * vb::Val(w.txtP.Text()) / 101.325 * 273 / 293, "0.00"));
    w.txtq_co.set("0.01");
    w.txtq_VI.set("2.5");
    w.txtDescRatio.set("1.5");
    w.txtDescYear.set("2000");
    w.txtName1.set("");
    w.txtName2.set("");
    w.txtName3.set("");

    // Page 2: start 10000; 420 m at +1.56 %, 4815 m at -1.84 %; one section over the whole length.
    w.txtStartPile.set("10000");
    w.lstSlope.ListItems.Clear();
    for (const auto& [pile, slope] : {std::pair{"10420", "1.56"}, std::pair{"15235", "-1.84"}}) {
        w.txtSlopePile.set(pile);
        w.txtSlopeRatio.set(slope);
        w.cmdAddSlope_Click();
    }
    w.lstSection.ListItems.Clear();
    w.txtSectionPile.set("15235");
    w.txtSectionArea.set("63.96");
    w.txtSectionPerimeter.set("31.21");
    w.txtSectionD.set("8.197"); // 4 × 63.96 / 31.21
    w.cmdAddSection_Click();
    w.cmdRefreshSegment_Click();
    // Congestion as 乌池坝's design took it: 10 km/h over the last kilometre before the exit, 40 km/h
    // before it.
    w.lstBlock.ListItems.Clear();
    for (const auto& [length, speed] : {std::pair{"4235", "40"}, std::pair{"1000", "10"}}) {
        w.txtBlockLen.set(length);
        w.txtBlockVt.setText(speed);
        w.cmdAddBlock_Click();
    }

    // Page 3: forecast of both directions, split 0.51, peak hour 10 %.
    w.lstTraffic.ListItems.Clear();
    w.VehicleMixes.clear();
    w.chkRatioNotSame.setSilently(0);
    setRows(w.lstTraffic, {{"2014", "15300"}, {"2024", "22700"}});
    w.txtTrafficRatio.set("1");
    w.txtMainDirectionRatio.set("0.51");
    w.txtTraffic2.set("0.1");
    w.chkTrafficTotal.set(1);
    w.chkPetrol.set(0);
    // The mix of 雁门关 in the program's seven classes, with the conversion factors of 乌池坝's design.
    app::VehicleMixRecord m;
    m.Year = std::string(app::kAnyYear);
    m.Ratio = {"0.09219", "0.07596", "0.10513", "0.519", "0.06424", "0.13801", "0.00547"};
    m.ConvRatio = {"1", "1.5", "2", "1", "2", "3", "3"};
    m.DieselRatio = {"0.3", "0.681", "1", "0", "0.954", "0.989", "1"};
    w.VehicleMixes = {m};
    w.LoadVehicleMix(std::string(app::kAnyYear));

    // Design concentrations computed by the program; two-way by a controlled traffic ratio.
    for (platform::CheckBox* c :
         {&w.chkDelta, &w.chkKK, &w.chkDeltaBi, &w.chkKKBi, &w.chkDeltaBlock, &w.chkKKBlock, &w.chkBlock}) {
        c->set(1);
    }
    w.lstCOModel.setListIndex(0);
    w.lstCOModel_Click();
    w.lstLightModel.setListIndex(0);
    w.lstLightModel_Click();
    // The fire case of the window's own defaults.
    w.txtHRR.set("50");
    w.txtAT.set("308");
    w.txtFireSize.set("45");
    w.txtPerimeter.set("36");
    w.txtCH.set("5.4");
    w.txtDSL.set("1.5");
    w.txtPRL.set("5");
    w.optQsMethod1(0).set(true);
    w.optCrMehthod(2).set(true);
    w.optBiDirectionMethod1.set(true);
    w.txtBiDirection.set("1");
    w.cmbWorkVt_Bidirection.setText("40");
    if (w.lstTraffic.select(1)) {
        w.lstTraffic_ItemClick(*w.lstTraffic.SelectedItem());
    }
    // The results of every page are stored with the project, so that a new project opens with its
    // demands computed and step 2 starts from them.
    w.Show();
    for (int page : {4, 5, 6, 7, 1}) {
        w.pgMain.userClick(page);
    }
    modPublic::AxialFanList.items.clear();
    saveTo(w, dir + "/Normal.vnt");

    // The step-2 file: entrance loss 0.6, wall friction 0.02, natural wind 2.5 m/s acting as resistance,
    // the vehicle frontal areas and drag coefficients of JTJ 026.1-1999; the resistance areas are left to
    // step 2, which computes them from the traffic.
    scheme::SchemeWriter par;
    par.Text("[通风计算]").EndRecord();
    par.Text("0.6").Text("0.02").Text("").Text("2.5").EndRecord();
    par.Text("0").Text("0").Text("2.13").Text("0.5").Text("5.37").Text("1").Text("0").Text("0").EndRecord();
    par.Whole(0).EndRecord();
    par.Text("0").Text("0").EndRecord();
    par.Whole(0).EndRecord();
    par.Boolean(false).EndRecord();
    ASSERT_TRUE(par.Save(dir + "/Normal.par"));
    ASSERT_TRUE(fs::exists(dir + "/Normal.req"));
    EXPECT_EQ(w.lstSegment.ListItems.Count(), 2);
    for (const char* name : {"Normal.req", "Normal.vnt", "Normal.par"}) {
        test_support::expectShippedTemplate(dir, name);
    }
}

// ---- Never losing or mixing a project ----

namespace {

/// Opens `path` with the File menu, answering No to the save question and OK to `errors` error boxes.
void openWithMenu(frmReq& w, const std::string& path, int errors) {
    platform::msgbox::script(platform::vbNo);
    platform::filedialog::script(path);
    for (int i = 0; i < errors; ++i) {
        platform::msgbox::script(platform::vbOK);
    }
    w.mnuFileOpen_Click();
}

/// The error boxes shown since the last reset.
std::vector<platform::msgbox::Shown> errorBoxes() {
    std::vector<platform::msgbox::Shown> boxes;
    for (const auto& box : platform::msgbox::log()) {
        if (box.title == "出错") {
            boxes.push_back(box);
        }
    }
    return boxes;
}

} // namespace

TEST(OpenCommand, AsksBeforeReplacingTheProjectAndCancelKeepsEverything) {
    frmReq& w = window();
    Project p("x");
    p.putInto(w);
    const std::string other = saveAs(w, folder("p") + "/other.vnt");
    w.txtProjectName.set("未保存的修改");

    // Cancel: no dialog, nothing changes.
    platform::msgbox::script(platform::vbCancel);
    w.mnuFileOpen_Click();
    test_support::expectOneMessage(kSaveQuestion);
    EXPECT_EQ(platform::filedialog::log().size(), 1u) << "only the Save As of the set-up";
    EXPECT_EQ(w.txtProjectName.Text(), "未保存的修改");
    EXPECT_EQ(modPublic::ProjectFile, other);

    // Yes on a named project saves it in place, then opens.
    platform::msgbox::reset();
    platform::msgbox::script(platform::vbYes);
    platform::filedialog::script(other);
    w.mnuFileOpen_Click();
    EXPECT_NE(bytesOf(folder("p") + "/other.req").find(textcodec::ToGbk("\"未保存的修改\"")),
              std::string::npos);
    EXPECT_EQ(w.txtProjectName.Text(), "未保存的修改");
}

TEST(OpenCommand, YesOnAnUnnamedProjectShowsTheSaveDialogAndCancellingItOpensNothing) {
    frmReq& w = window();
    Project p("x");
    p.putInto(w);
    const std::string other = saveAs(w, folder("p") + "/other.vnt");
    modPublic::ProjectFile.clear();
    w.txtProjectName.set("未命名的修改");

    platform::msgbox::script(platform::vbYes);
    platform::filedialog::scriptCancel();
    w.mnuFileOpen_Click();
    ASSERT_EQ(platform::filedialog::log().size(), 2u);
    EXPECT_TRUE(platform::filedialog::log()[1].save) << "the save dialog, not the open dialog";
    EXPECT_EQ(w.txtProjectName.Text(), "未命名的修改");
    EXPECT_TRUE(modPublic::ProjectFile.empty());

    // A save that fails keeps the project too.
    platform::msgbox::script(platform::vbYes);
    platform::filedialog::script(test_stage::appFolder() + "/no/such/folder/a.vnt");
    platform::msgbox::script(platform::vbOK);
    w.mnuFileOpen_Click();
    EXPECT_EQ(platform::filedialog::log().size(), 3u);
    EXPECT_EQ(w.txtProjectName.Text(), "未命名的修改");
}

TEST(DamagedProject, ATruncatedReqOpensWithTheTemplatesValuesPastTheCutAndOneErrorBox) {
    frmReq& w = window();
    // The template as New shows it, field by field, in the order of the file.
    auto probes = [](frmReq& f) {
        // Inputs only: a result box shows what its page computes from the inputs it has.
        return std::vector<std::string>{
            f.txtProjectName.Text(), f.txtProjectDiscribe.Text(), f.txtElevation.Text(),
            f.txtq_co.Text(),        f.txtName3.Text(),           f.txtTrafficRatio.Text(),
            f.txtExchangeNum.Text(), f.txtFireSize.Text(),        f.txtTunnelH.Text()};
    };
    const std::vector<std::string> templ = probes(w);
    const auto templateSlopes = rowsOf(w.lstSlope, 2);
    Project p("x");
    p.putInto(w);
    const std::string dir = folder("cut");
    const std::string path = saveAs(w, dir + "/a.vnt");
    const std::vector<std::string> saved = probes(w);
    const std::string full = bytesOf(dir + "/a.req");
    const Project other = otherProject();

    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i + 1 < full.size(); ++i) {
        if (full[i] == '\r') {
            cuts.push_back(i + 2);             // at a record boundary
            cuts.push_back(i > 3 ? i - 3 : i); // inside the record
        }
    }
    cuts.pop_back(); // the last boundary is the whole file
    cuts.pop_back();
    ASSERT_GT(cuts.size(), 60u);
    for (std::size_t k = 0; k < cuts.size(); k += 3) {
        const std::size_t cut = cuts[k];
        SCOPED_TRACE("cut at byte " + std::to_string(cut));
        other.putInto(w);
        writeBytes(dir + "/a.req", full.substr(0, cut));
        platform::msgbox::reset();
        openWithMenu(w, path, 1);
        ASSERT_EQ(errorBoxes().size(), 1u);
        EXPECT_NE(errorBoxes()[0].prompt.find("a.req"), std::string::npos);
        EXPECT_EQ(errorBoxes()[0].buttons & 0x0F, platform::vbOKOnly);
        // Each field is the file's or the template's, and once one is the template's all later are.
        const std::vector<std::string> now = probes(w);
        bool pastTheCut = false;
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (pastTheCut || now[i] != saved[i]) {
                pastTheCut = true;
                EXPECT_EQ(now[i], templ[i]) << "field " << i;
            }
        }
        // No field shows the project open before.
        for (TextBox* box : storedBoxes(w)) {
            EXPECT_EQ(box->Text().rfind("y1", 0), std::string::npos) << box->Text();
        }
        EXPECT_NE(rowsOf(w.lstSection, 4), other.sections);
        EXPECT_NE(w.VehicleMixes, other.mixes);
        EXPECT_NE(modPublic::AxialFanList.items, other.fans);
        EXPECT_EQ(modPublic::ProjectFile, path) << "a file that could be read keeps its name";
    }
    (void)templateSlopes;
}

TEST(DamagedProject, LettersInANumberAHugeCountAndAMissingVntAreSaidOnce) {
    frmReq& w = window();
    const int templateDelta = w.chkDelta.Value();
    const auto templateSlopes = rowsOf(w.lstSlope, 2);
    Project p("x");
    p.putInto(w);
    const std::string dir = folder("bad");
    const std::string path = saveAs(w, dir + "/a.vnt");
    const std::string full = bytesOf(dir + "/a.req");

    // A check state that is not a number: the rest of the file is read, the box keeps the template's.
    {
        std::string bad = full;
        const std::size_t at = bad.find("\"[ONE DIRECTION]\"\r\n") + 19;
        bad.replace(at, 1, "x");
        writeBytes(dir + "/a.req", bad);
        otherProject().putInto(w);
        platform::msgbox::reset();
        openWithMenu(w, path, 1);
        ASSERT_EQ(errorBoxes().size(), 1u);
        EXPECT_NE(errorBoxes()[0].prompt.find("a.req"), std::string::npos);
        EXPECT_EQ(w.chkDelta.Value(), templateDelta);
        EXPECT_EQ(w.txtRHO.Text(), p.texts.back()) << "fields after it are read";
    }
    // A row count far above any tunnel: refused before anything is built, the reading stops there.
    {
        std::string bad = full;
        const std::size_t at = bad.find("2\r\n\"10420\"");
        bad.replace(at, 1, "999999999");
        writeBytes(dir + "/a.req", bad);
        platform::msgbox::reset();
        openWithMenu(w, path, 2);
        ASSERT_EQ(errorBoxes().size(), 2u);
        EXPECT_NE(errorBoxes()[0].prompt.find("999999999"), std::string::npos) << errorBoxes()[0].prompt;
        EXPECT_NE(errorBoxes()[1].prompt.find("a.req"), std::string::npos);
        EXPECT_EQ(w.txtProjectName.Text(), "x100");
        EXPECT_EQ(rowsOf(w.lstSlope, 2), templateSlopes);
    }
    // A missing .vnt is named as the .vnt, and the project stays unnamed.
    {
        writeBytes(dir + "/a.req", full);
        fs::remove(dir + "/a.vnt");
        platform::msgbox::reset();
        openWithMenu(w, path, 1);
        ASSERT_EQ(errorBoxes().size(), 1u);
        EXPECT_NE(errorBoxes()[0].prompt.find("a.vnt"), std::string::npos);
        EXPECT_EQ(errorBoxes()[0].prompt.find("a.req"), std::string::npos);
        EXPECT_TRUE(modPublic::ProjectFile.empty());
        EXPECT_EQ(w.txtProjectName.Text(), "x100");
    }
}

TEST(SaveAsSafety, AFanNumberFromAFileNeverWritesOutsideTheProjectsFolder) {
    frmReq& w = window();
    const std::string root = folder("root");
    fs::create_directories(root + "/a");
    fs::create_directories(root + "/b/c");
    saveAs(w, root + "/a/old.vnt");
    // A .vnt edited by hand: the fan number climbs two folders up from either project.
    modPublic::AxialFanList.items = {"x/../../victim", "1#"};
    writeBytes(root + "/victim.afd", "payload");
    writeBytes(root + "/b/victim.afd", "precious");
    writeBytes(root + "/a/old_1#.afd", "fan 1");

    platform::msgbox::script(platform::vbOK);
    saveAs(w, root + "/b/c/new.vnt");
    EXPECT_EQ(bytesOf(root + "/b/victim.afd"), "precious");
    EXPECT_EQ(bytesOf(root + "/b/c/new_1#.afd"), "fan 1");
    ASSERT_EQ(errorBoxes().size(), 1u);
    EXPECT_NE(errorBoxes()[0].prompt.find("x/../../victim"), std::string::npos) << errorBoxes()[0].prompt;
}

TEST(SaveAsSafety, AFanNumberThatCannotNameAFileIsNamedAsTheReason) {
    frmReq& w = window();
    const std::string root = folder("fan");
    fs::create_directories(root + "/a");
    fs::create_directories(root + "/outside");
    saveAs(w, root + "/a/old.vnt");
    modPublic::AxialFanList.items = {"../../../outside/f"};
    writeBytes(root + "/outside/f.afd", "kept");

    platform::msgbox::script(platform::vbOK);
    saveAs(w, root + "/a/new.vnt");
    EXPECT_EQ(bytesOf(root + "/outside/f.afd"), "kept");
    ASSERT_EQ(errorBoxes().size(), 1u);
    const std::string prompt = errorBoxes()[0].prompt;
    EXPECT_NE(prompt.find("风机编号“../../../outside/f”用作文件名，不能含有字符"), std::string::npos)
        << prompt;
    EXPECT_EQ(prompt.find("磁盘是否已满"), std::string::npos) << prompt;
}

TEST(SaveAsSafety, ACopyThatFailsIsSaidOnceNamingTheFilesAndLeavesNoHalfFile) {
    frmReq& w = window();
    const std::string dir = folder("p");
    saveAs(w, dir + "/old.vnt");
    writeBytes(dir + "/old.sj", "shaft scheme");
    writeBytes(dir + "/old.jet", "jet scheme");
    writeBytes(dir + "/old.fir", "fire scheme");
    // The destination of two copies cannot be written (a folder stands where the file would go).
    fs::create_directories(dir + "/new.jet");
    fs::create_directories(dir + "/new.fir");

    platform::msgbox::script(platform::vbOK);
    saveAs(w, dir + "/new.vnt");
    EXPECT_EQ(bytesOf(dir + "/new.sj"), "shaft scheme");
    ASSERT_EQ(errorBoxes().size(), 1u);
    const std::string prompt = errorBoxes()[0].prompt;
    EXPECT_NE(prompt.find("new.jet"), std::string::npos) << prompt;
    EXPECT_NE(prompt.find("new.fir"), std::string::npos) << prompt;
    EXPECT_EQ(prompt.find("new.sj"), std::string::npos) << prompt;
    for (const auto& e : fs::directory_iterator(dir)) {
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    }
}

TEST(SaveAsSafety, ReplacingAnotherProjectAsksAboutItsSchemesThisProjectLacks) {
    frmReq& w = window();
    const std::string dir = folder("p");
    saveAs(w, dir + "/mine.vnt");
    writeBytes(dir + "/mine.jet", "my jet scheme");
    // The other project, saved earlier under the name, with schemes of its own and a fan.
    const std::vector<std::string> theirs = {".fir", "_7.afd", "_0_1_2.lgh", ".lt1"};
    auto makeOther = [&] {
        writeBytes(dir + "/other.vnt", "\"[Axial_fan_list]\"\r\n1\r\n\"7\"\r\n");
        writeBytes(dir + "/other.req", "\"[BASIC INFO]\"\r\n");
        writeBytes(dir + "/other.jet", "their jet scheme");
        for (const auto& s : theirs) {
            writeBytes(dir + "/other" + s, "other" + s);
        }
    };
    makeOther();

    // No (the default) keeps them and says which remain.
    platform::msgbox::script(platform::vbNo);
    platform::msgbox::script(platform::vbOK);
    saveAs(w, dir + "/other.vnt");
    ASSERT_EQ(platform::msgbox::log().size(), 2u);
    const auto question = platform::msgbox::log()[0];
    EXPECT_EQ(question.buttons & 0x0F, platform::vbYesNo);
    EXPECT_EQ(platform::DefaultAnswer(question.buttons), platform::vbNo);
    for (const auto& s : theirs) {
        EXPECT_NE(question.prompt.find("other" + s), std::string::npos) << s;
        EXPECT_NE(platform::msgbox::log()[1].prompt.find("other" + s), std::string::npos) << s;
        EXPECT_TRUE(fs::exists(dir + "/other" + s)) << s;
    }
    EXPECT_EQ(question.prompt.find("other.jet"), std::string::npos) << "replaced by this project's own";
    EXPECT_EQ(bytesOf(dir + "/other.jet"), "my jet scheme");

    // Yes removes them.
    makeOther();
    modPublic::ProjectFile = dir + "/mine.vnt";
    platform::msgbox::reset();
    platform::msgbox::script(platform::vbYes);
    saveAs(w, dir + "/other.vnt");
    EXPECT_EQ(platform::msgbox::log().size(), 1u);
    for (const auto& s : theirs) {
        EXPECT_FALSE(fs::exists(dir + "/other" + s)) << s;
    }
    EXPECT_EQ(bytesOf(dir + "/other.jet"), "my jet scheme");
}

TEST(SaveSafety, TextGbkCannotStoreIsNamedBeforeSaving) {
    frmReq& w = window();
    const std::string dir = folder("p");
    const std::string path = saveAs(w, dir + "/a.vnt");
    const std::string before = bytesOf(dir + "/a.req");

    // Free text: the field and the character are named; No saves nothing.
    w.txtProjectDiscribe.set("隧道😀概况");
    platform::msgbox::script(platform::vbNo);
    w.mnuFileSave_Click();
    ASSERT_EQ(platform::msgbox::log().size(), 1u);
    EXPECT_NE(platform::msgbox::log()[0].prompt.find("工程概况"), std::string::npos);
    EXPECT_NE(platform::msgbox::log()[0].prompt.find("😀"), std::string::npos);
    EXPECT_EQ(platform::DefaultAnswer(platform::msgbox::log()[0].buttons), platform::vbNo);
    EXPECT_EQ(bytesOf(dir + "/a.req"), before);
    // Yes saves it with "?".
    platform::msgbox::script(platform::vbYes);
    w.mnuFileSave_Click();
    EXPECT_NE(bytesOf(dir + "/a.req").find(textcodec::ToGbk("\"隧道?概况\"")), std::string::npos);

    // A fan number names a file: refused, nothing written.
    w.txtProjectDiscribe.set("概况");
    const std::string vnt = bytesOf(dir + "/a.vnt");
    modPublic::AxialFanList.items = {"风机😀"};
    platform::msgbox::reset();
    platform::msgbox::script(platform::vbOK);
    w.mnuFileSave_Click();
    ASSERT_EQ(errorBoxes().size(), 1u);
    EXPECT_NE(errorBoxes()[0].prompt.find("😀"), std::string::npos);
    EXPECT_EQ(bytesOf(dir + "/a.vnt"), vnt);
    // So is a project name.
    modPublic::AxialFanList.items.clear();
    platform::msgbox::reset();
    platform::msgbox::script(platform::vbOK);
    saveAs(w, dir + "/隧道😀.vnt");
    EXPECT_EQ(errorBoxes().size(), 1u);
    EXPECT_FALSE(fs::exists(dir + "/隧道😀.req"));
    EXPECT_EQ(modPublic::ProjectFile, path);
}

TEST(SaveSafety, LeftoversOfAnInterruptedSaveGoOnTheNextOpeningAndNothingElse) {
    frmReq& w = window();
    const std::string dir = folder("p");
    modPublic::AxialFanList.items = {"3"};
    const std::string path = saveAs(w, dir + "/a.vnt");
    const std::vector<std::string> leftovers = {"a.req.tmpAb3xYz", "a.vnt.tmp000000", "a.jet.tmpQwErTy",
                                                "a_3.afd.tmpzzzzzz", "a_0_1_2.lgh.tmpA1b2C3"};
    const std::vector<std::string> others = {"a.req.tmp",       "a.req.tmpAb3xY!",   "a.req.tmpAb3xYzz",
                                             "b.req.tmpAb3xYz", "a_9.afd.tmpAb3xYz", "a.txt.tmpAb3xYz",
                                             "ab.req.tmpAb3xYz"};
    for (const auto& n : leftovers) {
        writeBytes(dir + "/" + n, "half a file");
    }
    for (const auto& n : others) {
        writeBytes(dir + "/" + n, "somebody's file");
    }
    openWithMenu(w, path, 0);
    platform::msgbox::reset();
    for (const auto& n : leftovers) {
        EXPECT_FALSE(fs::exists(dir + "/" + n)) << n;
    }
    for (const auto& n : others) {
        EXPECT_TRUE(fs::exists(dir + "/" + n)) << n;
    }
}
