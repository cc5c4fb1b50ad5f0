// SPDX-License-Identifier: GPL-3.0-or-later
// The jet-fan model editor of the Tools menu: the shipped Jet.db listed, edited, written back and reloaded.
#include "jetfan/frmJetDb.h"

#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/dlgJetPressure.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/textcodec.h"
#include "tests/support/list_rows.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/shown_texts.h"
#include "tests/support/test_stage.h"
#include "tests/support/typed_boxes.h"
#include "tests/support/written_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using platform::Forms;
using test_support::Row;

namespace {

const std::vector<Row> kShipped{
    {"630型射流风机", "10.7", "0.63", "13.3", "1"},   {"900型射流风机", "21.81", "0.9", "27.1", "1"},
    {"1000型射流风机", "26.96", "1", "33.5", "1"},    {"1120型射流风机", "33.79", "1.12", "42", "1"},
    {"1250型射流风机", "42.09", "1.25", "52.3", "1"}, {"1400型射流风机", "38.5", "1.4", "25.4", "1"},
    {"SDS-11.2射流风机", "30.5", "1.12", "15", "1"},
};

std::string jetDbPath() {
    return modPublic::InstallPath("ConfigFiles\\Jet.db");
}

std::string jetDbText() {
    return test_support::readUtf8(jetDbPath());
}

class ModelEditor : public ::testing::Test {
protected:
    /// Opens the editor from the Tools menu, runs `script` on it and returns when it has closed.
    void edit(const std::function<void(frmJetDb&)>& script) {
        test_stage::onModal<frmJetDb>([&](frmJetDb& e) {
            openedModal = e.IsModal();
            script(e);
        });
        w.mnuToolsmnuJetDB.userClick();
        Forms::collectGarbage();
    }

    static void typeModel(frmJetDb& e, const Row& cells) {
        test_support::TypeInto{{e.txtJetName, cells[0]},
                               {e.txtFlow, cells[1]},
                               {e.txtDD, cells[2]},
                               {e.txtPower, cells[3]},
                               {e.txtDiscount, cells[4]}};
    }

    frmReq& w = Forms::instance<frmReq>();
    bool openedModal = false;
};

} // namespace

TEST_F(ModelEditor, ListsJetDbAndRewritesItQuotedOnClose) {
    ASSERT_EQ(modPublic::JetModels.UBound(), 7u);
    edit([](frmJetDb& e) {
        EXPECT_EQ(e.Caption(), "射流风机数据库维护");
        ASSERT_EQ(e.lstJet.ColumnHeaders.Count(), 5);
        EXPECT_EQ(e.lstJet.ColumnHeaders(1).Text(), "型号");
        EXPECT_EQ(e.lstJet.ColumnHeaders(2).Text(), "风机流量(m^3/s)");
        EXPECT_EQ(e.lstJet.ColumnHeaders(3).Text(), "出口直径Dj(m)");
        EXPECT_EQ(e.lstJet.ColumnHeaders(4).Text(), "风机功率(kW)");
        EXPECT_EQ(e.lstJet.ColumnHeaders(5).Text(), "逆转效率折减系数");
        EXPECT_EQ(e.cmdAdd.Caption(), "添加");
        EXPECT_EQ(e.cmdDelete.Caption(), "删除");
        EXPECT_EQ(e.cmdUpdate.Caption(), "更新");
        EXPECT_EQ(e.cmdOK.Caption(), "确定");
        EXPECT_EQ(e.txtFlow.BackColor(), platform::RGB(255, 255, 192));
        EXPECT_EQ(test_support::rowsOf(e.lstJet, 5), kShipped);
        e.lstJet.userItemClick(4);
        test_support::ExpectTexts{{e.txtJetName, "1120型射流风机"},
                                  {e.txtFlow, "33.79"},
                                  {e.txtDD, "1.12"},
                                  {e.txtPower, "42"},
                                  {e.txtDiscount, "1"}};
        e.cmdOK.userClick();
    });
    EXPECT_TRUE(openedModal);
    EXPECT_FALSE(Forms::isLoaded<frmJetDb>());
    const std::string bytes = test_support::bytesOf(jetDbPath());
    EXPECT_EQ(bytes.substr(0, 3), "7\r\n");
    EXPECT_EQ(textcodec::FromGbk(bytes), "7\r\n"
                                         "\"630型射流风机\",\"10.7\",\"0.63\",\"13.3\",\"1\"\r\n"
                                         "\"900型射流风机\",\"21.81\",\"0.9\",\"27.1\",\"1\"\r\n"
                                         "\"1000型射流风机\",\"26.96\",\"1\",\"33.5\",\"1\"\r\n"
                                         "\"1120型射流风机\",\"33.79\",\"1.12\",\"42\",\"1\"\r\n"
                                         "\"1250型射流风机\",\"42.09\",\"1.25\",\"52.3\",\"1\"\r\n"
                                         "\"1400型射流风机\",\"38.5\",\"1.4\",\"25.4\",\"1\"\r\n"
                                         "\"SDS-11.2射流风机\",\"30.5\",\"1.12\",\"15\",\"1\"\r\n");
    // GBK on disk: 型 is the two bytes D0 CD.
    EXPECT_NE(bytes.find("630\xD0\xCD"), std::string::npos);
    ASSERT_EQ(modPublic::JetModels.UBound(), 7u);
    EXPECT_EQ(modPublic::JetModels(6).JetName, "1400型射流风机");
    EXPECT_DOUBLE_EQ(modPublic::JetModels(6).Flow, 38.5);
}

TEST_F(ModelEditor, AddsChangesAndDeletesModelsAndTheTableFollows) {
    edit([](frmJetDb& e) {
        // Add as typed, not reformatted.
        typeModel(e, {"710型", "15.20", "0.71", "18.5", "0.85"});
        e.cmdAdd.userClick();
        // Change the 900 model.
        e.lstJet.userItemClick(2);
        e.txtFlow.userType("22");
        e.txtPower.userType("30");
        e.cmdUpdate.userClick();
        // Delete the 630 model.
        e.lstJet.userItemClick(1);
        e.cmdDelete.userClick();
        // Two models of one name are both kept.
        typeModel(e, {"1000型射流风机", "27", "1", "34", "0.9"});
        e.cmdAdd.userClick();
        EXPECT_EQ(e.lstJet.ListItems.Count(), 8);
        e.cmdOK.userClick();
    });
    EXPECT_TRUE(platform::msgbox::log().empty());
    EXPECT_EQ(jetDbText(), "8\r\n"
                           "\"900型射流风机\",\"22\",\"0.9\",\"30\",\"1\"\r\n"
                           "\"1000型射流风机\",\"26.96\",\"1\",\"33.5\",\"1\"\r\n"
                           "\"1120型射流风机\",\"33.79\",\"1.12\",\"42\",\"1\"\r\n"
                           "\"1250型射流风机\",\"42.09\",\"1.25\",\"52.3\",\"1\"\r\n"
                           "\"1400型射流风机\",\"38.5\",\"1.4\",\"25.4\",\"1\"\r\n"
                           "\"SDS-11.2射流风机\",\"30.5\",\"1.12\",\"15\",\"1\"\r\n"
                           "\"710型\",\"15.20\",\"0.71\",\"18.5\",\"0.85\"\r\n"
                           "\"1000型射流风机\",\"27\",\"1\",\"34\",\"0.9\"\r\n");
    ASSERT_EQ(modPublic::JetModels.UBound(), 8u);
    EXPECT_EQ(modPublic::JetModels(1).JetName, "900型射流风机");
    EXPECT_DOUBLE_EQ(modPublic::JetModels(1).Flow, 22);
    EXPECT_DOUBLE_EQ(modPublic::JetModels(1).Power, 30);
    EXPECT_EQ(modPublic::JetModels(7).JetName, "710型");
    EXPECT_DOUBLE_EQ(modPublic::JetModels(7).Flow, 15.2);
    EXPECT_DOUBLE_EQ(modPublic::JetModels(7).Discount, 0.85);

    // A calculator opened afterwards lists the new models last.
    w.mnuJetPressure.userClick();
    dlgJetPressure& d = Forms::instance<dlgJetPressure>();
    ASSERT_EQ(d.cmbJetModel.ListCount(), 8);
    EXPECT_EQ(d.cmbJetModel.List(6), "710型");
    EXPECT_EQ(d.cmbJetModel.List(7), "1000型射流风机");
}

TEST_F(ModelEditor, TheCloseBoxSavesToo) {
    edit([](frmJetDb& e) {
        e.lstJet.userItemClick(6);
        e.cmdDelete.userClick();
        Forms::unload(e, platform::vbFormControlMenu);
    });
    EXPECT_EQ(jetDbText().substr(0, 3), "6\r\n");
    EXPECT_EQ(modPublic::JetModels.UBound(), 6u);
}

TEST_F(ModelEditor, DeletingEveryModelEmptiesTheTable) {
    edit([](frmJetDb& e) {
        while (e.lstJet.ListItems.Count() > 0) {
            e.cmdDelete.userClick();
        }
        // Nothing to delete or change any more.
        e.cmdDelete.userClick();
        typeModel(e, {"X", "1", "1", "1", "1"});
        e.cmdUpdate.userClick();
        EXPECT_EQ(e.lstJet.ListItems.Count(), 0);
        e.cmdOK.userClick();
    });
    EXPECT_EQ(jetDbText(), "0\r\n");
    // The file holds no model, so no window offers the deleted ones any more.
    EXPECT_TRUE(modPublic::JetModels.empty());
}

TEST_F(ModelEditor, RefusesAModelThatCannotBeCalculatedWith) {
    const std::vector<std::pair<Row, std::string>> bad{
        {{"", "20", "1", "30", "1"}, "请输入射流风机型号"},
        {{"  ", "20", "1", "30", "1"}, "请输入射流风机型号"},
        {{"A\U0001F600", "20", "1", "30", "1"},
         "无法以GBK编码保存的字符，请改用其它字符：射流风机型号：“\U0001F600”"},
        {{"A", "abc", "1", "30", "1"}, "风机流量(m^3/s)须为大于零的数值"},
        {{"A", "0", "1", "30", "1"}, "风机流量(m^3/s)须为大于零的数值"},
        {{"A", "20", "", "30", "1"}, "出口直径Dj(m)须为大于零的数值"},
        {{"A", "20", "-1", "30", "1"}, "出口直径Dj(m)须为大于零的数值"},
        {{"A", "20", "1", "30kW", "1"}, "风机功率(kW)须为不小于零的数值"},
        {{"A", "20", "1", "30", "-0.5"}, "逆转效率折减系数须为不小于零的数值"},
    };
    edit([&](frmJetDb& e) {
        for (const auto& [cells, prompt] : bad) {
            typeModel(e, cells);
            platform::msgbox::script(platform::vbOK);
            e.cmdAdd.userClick();
            e.lstJet.userItemClick(1);
            typeModel(e, cells);
            platform::msgbox::script(platform::vbOK);
            e.cmdUpdate.userClick();
        }
        EXPECT_EQ(test_support::rowsOf(e.lstJet, 5), kShipped);
        // A power of 0 and a name with a quote are fine: the file writes the quote so that it reads back.
        typeModel(e, {"\"A\"型", "20", "1", "0", "0"});
        e.cmdAdd.userClick();
        e.cmdOK.userClick();
    });
    const auto& log = platform::msgbox::log();
    ASSERT_EQ(log.size(), bad.size() * 2);
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(log[2 * i].prompt, bad[i].second);
        EXPECT_EQ(log[2 * i].title, "出错！");
        EXPECT_EQ(log[2 * i + 1].prompt, bad[i].second);
    }
    ASSERT_EQ(modPublic::JetModels.UBound(), 8u);
    EXPECT_EQ(modPublic::JetModels(8).Flow, 20);
    EXPECT_EQ(modPublic::JetModels(8).Power, 0);
    EXPECT_EQ(modPublic::JetModels(6).JetName, "1400型射流风机");
}

TEST_F(ModelEditor, AMissingFileStartsEmptyAndIsCreated) {
    std::filesystem::remove(jetDbPath());
    edit([](frmJetDb& e) {
        EXPECT_EQ(e.lstJet.ListItems.Count(), 0);
        typeModel(e, {"800型", "18", "0.8", "22", "0.9"});
        e.cmdAdd.userClick();
        e.cmdOK.userClick();
    });
    EXPECT_EQ(jetDbText(), "1\r\n\"800型\",\"18\",\"0.8\",\"22\",\"0.9\"\r\n");
    ASSERT_EQ(modPublic::JetModels.UBound(), 1u);
    EXPECT_EQ(modPublic::JetModels(1).JetName, "800型");
}

TEST_F(ModelEditor, AnUnreadableFileIsSaidAndKeptUnlessEdited) {
    test_support::writeGbk(jetDbPath(), "models\r\n\"A\",1,1,1,1\r\n");
    const std::string before = test_support::bytesOf(jetDbPath());
    platform::msgbox::script(platform::vbOK);
    edit([](frmJetDb& e) {
        EXPECT_EQ(e.lstJet.ListItems.Count(), 0);
        e.cmdOK.userClick();
    });
    test_support::expectOneMessage(
        {.prompt = "射流风机数据库无法读取：" + jetDbPath() + "\n不作修改而关闭时，该文件保持原样。"});
    EXPECT_EQ(test_support::bytesOf(jetDbPath()), before);
    EXPECT_EQ(modPublic::JetModels.UBound(), 7u);

    // Edited, the list replaces the file.
    platform::msgbox::script(platform::vbOK);
    edit([](frmJetDb& e) {
        typeModel(e, {"B", "2", "1", "3", "1"});
        e.cmdAdd.userClick();
        e.cmdOK.userClick();
    });
    EXPECT_EQ(jetDbText(), "1\r\n\"B\",\"2\",\"1\",\"3\",\"1\"\r\n");
    ASSERT_EQ(modPublic::JetModels.UBound(), 1u);
}

TEST_F(ModelEditor, AFailedSaveIsSaidAndLeavesFileAndTableAsTheyWere) {
    // A folder where Jet.db belongs cannot be replaced by a file.
    std::filesystem::remove(jetDbPath());
    std::filesystem::create_directory(jetDbPath());
    std::ofstream(jetDbPath() + "/keep") << "x";
    platform::msgbox::script(platform::vbOK);     // cannot be read
    platform::msgbox::script(platform::vbRetry);  // cannot be written: again
    platform::msgbox::script(platform::vbCancel); // still not: close without saving
    edit([](frmJetDb& e) {
        typeModel(e, {"B", "2", "1", "3", "1"});
        e.cmdAdd.userClick();
        e.cmdOK.userClick();
    });
    const auto& log = platform::msgbox::log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1].prompt,
              "射流风机数据库未能写入：" + jetDbPath() + "\n选择“取消”则关闭窗口，本次修改不保存。");
    EXPECT_EQ(log[1].buttons, platform::vbRetryCancel + platform::vbExclamation);
    EXPECT_EQ(log[2].prompt, log[1].prompt);
    EXPECT_FALSE(Forms::isLoaded<frmJetDb>());
    EXPECT_TRUE(std::filesystem::is_directory(jetDbPath()));
    EXPECT_EQ(modPublic::JetModels.UBound(), 7u);
}
