// SPDX-License-Identifier: GPL-3.0-or-later
// The user's manual as the Help menu names it: the PDF next to the program is a whole PDF of some pages,
// its source holds every chapter the engineer looks for, and every window it names by title is a window
// of the program with that title.
#include "app/dlgSectionQreq.h"
#include "app/frmAbout.h"
#include "app/frmReq.h"
#include "fire/frmFire.h"
#include "jetfan/dlgJetPressure.h"
#include "jetfan/frmJet.h"
#include "jetfan/frmJetDb.h"
#include "jetfan/frmSetJetPile.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/frmLighting.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "multishaft/frmSetMSJetPile.h"
#include "platform/Forms.h"
#include "reqair/frmReportControl.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"
#include "tests/support/test_stage.h"
#include "tools/frmAxialFanDesign.h"
#include "tools/frmConstructionVent.h"
#include "tools/frmSelectP.h"
#include "transverse/frmConcentrate.h"
#include "transverse/frmLateral1.h"
#include "transverse/frmLateral3.h"
#include "ventparam/dlgSectionPm.h"
#include "ventparam/frmCalculatePd.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/frmZeta.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using platform::Forms;

std::string readAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// The title each window of the program has when it is created, by class name.
std::map<std::string, std::string> windowTitles() {
    std::map<std::string, std::string> titles;
    const auto add = [&titles]<class T>(const char* name, T*) {
        titles[name] = Forms::instance<T>().Caption();
    };
#define ARIDANE_WINDOW(T) add(#T, static_cast<T*>(nullptr))
    ARIDANE_WINDOW(frmReq);
    ARIDANE_WINDOW(frmAbout);
    ARIDANE_WINDOW(dlgSectionQreq);
    ARIDANE_WINDOW(frmReportControl);
    ARIDANE_WINDOW(frmVentParam);
    ARIDANE_WINDOW(frmZeta);
    ARIDANE_WINDOW(frmCalculatePd);
    ARIDANE_WINDOW(dlgSectionPm);
    ARIDANE_WINDOW(frmJet);
    ARIDANE_WINDOW(frmJetDb);
    ARIDANE_WINDOW(frmSetJetPile);
    ARIDANE_WINDOW(dlgJetPressure);
    ARIDANE_WINDOW(frmShaftAndJet);
    ARIDANE_WINDOW(frmShaftEject);
    ARIDANE_WINDOW(frmMultiShaftAndJet);
    ARIDANE_WINDOW(frmSetMSJetPile);
    ARIDANE_WINDOW(frmConcentrate);
    ARIDANE_WINDOW(frmLateral1);
    ARIDANE_WINDOW(frmLateral3);
    ARIDANE_WINDOW(frmFire);
    ARIDANE_WINDOW(frmAxialFanDesign);
    ARIDANE_WINDOW(frmConstructionVent);
    ARIDANE_WINDOW(frmSelectP);
    ARIDANE_WINDOW(frmBrightness);
    ARIDANE_WINDOW(frmDefineLamp);
    ARIDANE_WINDOW(frmLighting);
#undef ARIDANE_WINDOW
    return titles;
}

TEST(Manual, ThePdfNextToTheProgramOpensAndHasItsPages) {
    const std::string pdf = readAll(MANUAL_PDF);
    ASSERT_GT(pdf.size(), 100000u) << MANUAL_PDF << " is missing or nearly empty";
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 16), std::string::npos) << "the PDF is cut short";
    // The page tree's count; a manual of a few pages has lost its chapters or its pictures.
    const std::regex pages(R"(/Type\s*/Pages[^>]*?/Count\s+(\d+))");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(pdf, match, pages)) << "no page tree";
    EXPECT_GE(std::stoi(match[1]), 15);
}

TEST(Manual, HoldsEveryChapterInOrder) {
    const std::string source = readAll(MANUAL_SOURCE);
    const std::vector<std::string> chapters = {
        "# 1 程序计算什么",        "## 1.1 第一步：需风量",
        "## 1.2 第二步：通风参数", "## 1.3 第三步：六种通风方式",
        "## 1.4 火灾工况",         "## 1.5 工具",
        "## 1.6 隧道照明",         "# 2 模板项目实例",
        "# 3 各窗口写出的文件",    "# 4 安装数据",
        "## 4.1 数据的等级",       "## 4.2 加入本单位的系数表",
        "## 4.3 加入射流风机型号", "## 4.4 加入灯具",
        "# 5 程序不做的事",
    };
    std::size_t at = 0;
    for (const std::string& chapter : chapters) {
        const std::size_t found = source.find("\n" + chapter, at);
        ASSERT_NE(found, std::string::npos) << "chapter missing or out of order: " << chapter;
        at = found + 1;
    }
}

TEST(Manual, EveryWindowItNamesIsAWindowOfTheProgram) {
    const std::map<std::string, std::string> titles = windowTitles();
    const std::string source = readAll(MANUAL_SOURCE);

    // A window named in the text: [its title](window:its class).
    const std::regex named(R"(\[([^\]]+)\]\(window:([A-Za-z0-9_]+)\))");
    std::map<std::string, int> mentioned;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), named); it != std::sregex_iterator();
         ++it) {
        const std::string text = (*it)[1], name = (*it)[2];
        const auto window = titles.find(name);
        if (window == titles.end()) {
            ADD_FAILURE() << "the manual names a window the program lacks: " << name;
            continue;
        }
        EXPECT_NE(window->second.find(text), std::string::npos)
            << name << " is named \"" << text << "\", its title is \"" << window->second << "\"";
        ++mentioned[name];
    }
    // The main road and its windows are all described.
    for (const char* name :
         {"frmReq", "frmVentParam", "frmJet", "frmConcentrate", "frmShaftEject", "frmShaftAndJet",
          "frmMultiShaftAndJet", "frmLateral3", "frmFire", "frmBrightness", "frmDefineLamp", "frmLighting",
          "frmAxialFanDesign", "frmConstructionVent"}) {
        EXPECT_GT(mentioned[name], 0) << "the manual does not name " << name;
    }

    // A picture of a window: ![caption](its class[_pageN or _suffix].png), as the picture tests save it.
    const std::regex picture(R"(!\[[^\]]*\]\(([A-Za-z0-9]+)[A-Za-z0-9_]*\.png\))");
    int pictures = 0;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), picture); it != std::sregex_iterator();
         ++it, ++pictures) {
        const std::string name = (*it)[1];
        EXPECT_TRUE(titles.count(name) == 1 || name == "drawing") << "a picture of no window: " << (*it)[0];
    }
    EXPECT_GE(pictures, 10);
}

} // namespace
