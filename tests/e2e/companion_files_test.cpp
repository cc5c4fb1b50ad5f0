// SPDX-License-Identifier: GPL-3.0-or-later
// The files one window writes and another reads, written by the real writer and read by the real reader,
// and every shipped template read by its own reader.
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "fire/fire_file.h"
#include "fire/frmFire.h"
#include "jetfan/frmJet.h"
#include "jetfan/jet_file.h"
#include "lighting/bgh_file.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/lgh_file.h"
#include "lighting/lmp_file.h"
#include "multishaft/multishaft.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/scheme_file.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "shaft/eject_file.h"
#include "shaft/sj_file.h"
#include "tests/support/test_stage.h"
#include "tools/axial_fan_file.h"
#include "transverse/concentrate.h"
#include "transverse/lateral.h"
#include "transverse/lateral1.h"
#include "ventparam/par_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace {

test_stage::Reset resetGlobals([] { modPublic::Reset(); });

std::string shipped(const std::string& name) {
    return (fs::path(test_stage::appFolder()) / "ConfigFiles" / name).string();
}

scheme::SchemeReader openShipped(const std::string& name) {
    scheme::SchemeReader in;
    EXPECT_TRUE(in.Open(shipped(name))) << name;
    return in;
}

scheme::SchemeReader readBack(const scheme::SchemeWriter& out) {
    scheme::SchemeReader in;
    in.Parse(out.Bytes());
    return in;
}

// ---- What the fire window takes from the scheme files, as the scheme windows write them ----

TEST(CrossFileReaders, FireTakesStationDsModelAndEtaFromTheShaftAndJetFile) {
    // Every field distinct, so that a field read one place off shows.
    shaft::SjFileContents sj;
    sj.ShaftPile = "12600.50";
    int k = 0;
    for (auto* a : {&sj.Exhaust, &sj.Supply}) {
        for (auto& f : *a) {
            f = "o" + std::to_string(++k);
        }
    }
    for (auto* a : {&sj.ExhaustFan, &sj.SupplyFan}) {
        for (auto& f : *a) {
            f = "f" + std::to_string(++k);
        }
    }
    sj.SupplyGiven = true;
    sj.Beta = "5";
    sj.Passage = {"60.5", "p2", "p3", "p4", "p5", "p6", "p7", "p8"};
    sj.Inlet = {"i1",  "i2",   "i3",  "i4",  "i5", "i6", "i7", "i8", "900型射流风机",
                "1.2", "0.85", "i12", "i13", "i14"};
    sj.Outlet = {"u1",  "u2",  "u3",  "u4",  "u5", "u6", "u7", "u8", "1120型射流风机",
                 "1.4", "0.9", "u12", "u13", "u14"};
    sj.Groups = std::vector<shaft::SjGroupRow>{{"12000", "2", "45"}};
    const scheme::SchemeWriter out = shaft::WriteSjFile(sj);

    // Right line: the port is beyond the shaft, 12600.5 + 60.5 = 12661; left line 12600.5 − 60.5 = 12540.
    scheme::SchemeReader right = readBack(out);
    const auto r = fire::CollectSjScheme(right, true);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Ports, std::vector<double>{12661});
    EXPECT_EQ(*r->JetModel, "900型射流风机");
    EXPECT_EQ(*r->Eta, "0.85");
    scheme::SchemeReader left = readBack(out);
    const auto l = fire::CollectSjScheme(left, false);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->Ports, std::vector<double>{12540});
}

TEST(CrossFileReaders, FireTakesShaftPortsAndTheLastSectionModelFromTheSeveralShaftsFile) {
    multishaft::MsjFile msj;
    for (const auto& [pile, ds] : {std::pair{"11800", "60"}, std::pair{"13500.5", "40.5"}}) {
        std::array<std::string, multishaft::kShaftFields> row;
        for (int c = 0; c < multishaft::kShaftFields; ++c) {
            row[static_cast<std::size_t>(c)] = "s" + std::to_string(c);
        }
        row[0] = pile;
        row[34] = ds; // column 34, the short passage
        msj.Shafts.push_back(row);
    }
    for (const char* model : {"A型", "B型", "C型"}) {
        std::array<std::string, multishaft::kSectionFields> row;
        for (int c = 0; c < multishaft::kSectionFields; ++c) {
            row[static_cast<std::size_t>(c)] = "c" + std::to_string(c);
        }
        row[13] = model; // column 13, the jet-fan model
        msj.Sections.push_back(row);
    }
    msj.ZZ_j = "1.2";
    msj.KnowQr1 = true;
    msj.Groups.push_back({"12000", "2", "45"});
    const scheme::SchemeWriter out = multishaft::WriteMsjFile(msj);

    // Right line: 11800 + 60 = 11860, 13500.5 + 40.5 = 13541; left: 11740, 13460.
    scheme::SchemeReader right = readBack(out);
    const auto r = fire::CollectMsjScheme(right, true);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Ports, (std::vector<double>{11860, 13541}));
    EXPECT_EQ(*r->JetModel, "C型");
    scheme::SchemeReader left = readBack(out);
    const auto l = fire::CollectMsjScheme(left, false);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->Ports, (std::vector<double>{11740, 13460}));
}

TEST(CrossFileReaders, FireTakesModelAndEtaFromTheJetFileWithItsGroups) {
    jetfan::JetFileContents jet;
    jet.Record2 = {"1000型射流风机", "30", "0.785", "1", "1.5", "0.7", "37.1", "23.6", "30"};
    jet.Record4 = {"1", "2", "3", "4", "5", "6", "7"};
    jet.Groups = std::vector<jetfan::JetGroupRow>{{"100", "2", "40"}, {"300", "2", "40"}};
    scheme::SchemeReader in = readBack(jetfan::WriteJetFile(jet));
    const auto got = fire::CollectJetScheme(in);
    ASSERT_TRUE(got);
    EXPECT_EQ(*got->JetModel, "1000型射流风机");
    EXPECT_EQ(*got->Eta, "0.7");
}

// ---- What the main window takes from the step-2 file, as step 2 writes it ----

TEST(CrossFileReaders, MainWindowTakesFourValuesOfTheStepTwoFileAsStepTwoWritesIt) {
    frmReq& w = platform::Forms::instance<frmReq>();
    const fs::path dir = fs::path(test_stage::appFolder()) / "p";
    fs::create_directories(dir);
    ventparam::ParContents par;
    par.zeta_e = "0.6";
    par.lambda_r = "0.025";
    par.v_n = "2.5";
    par.Record3 = {"180.5", "2.9", "2.13", "0.5", "5.37", "1", "0.32", "2.36"};
    par.ZetaRows = std::vector<ventparam::ZetaRow>{{"10100", "0.5"}, {"10200", "0.7"}, {"10300", "0.9"}};
    par.r_1_Bidirection = "0.41";
    par.AA_m_Bidirection = "3.02";
    par.SchemeIndex = 3;
    par.Exchange = true;
    ASSERT_TRUE(ventparam::WritePar(par).Save((dir / "a.par").string()));
    modPublic::ProjectFile = (dir / "a.vnt").string();
    w.ReadParameter();
    EXPECT_DOUBLE_EQ(modPublic::lambda_r, 0.025);
    EXPECT_DOUBLE_EQ(modPublic::v_n, 2.5);
    EXPECT_DOUBLE_EQ(modPublic::AA_m, 2.36);
    EXPECT_DOUBLE_EQ(modPublic::AA_m_Bidirection, 3.02);

    // And step 2 reads back what it wrote.
    scheme::SchemeReader in;
    ASSERT_TRUE(in.Open((dir / "a.par").string()));
    const ventparam::ParContents back = ventparam::ReadPar(in);
    EXPECT_EQ(back.Record3, par.Record3);
    ASSERT_TRUE(back.ZetaRows);
    EXPECT_EQ(back.ZetaRows->size(), 3u);
    EXPECT_EQ(back.AA_m_Bidirection, "3.02");
    EXPECT_EQ(back.SchemeIndex, 3);
    EXPECT_EQ(back.Exchange, true);
}

// ---- The shipped templates, each read by its own reader ----

TEST(ShippedTemplates, SchemeTemplatesReadToTheEnd) {
    {
        scheme::SchemeReader in = openShipped("Normal.jet");
        const jetfan::JetFileContents jet = jetfan::ReadJetFile(in);
        EXPECT_EQ(jet.Record2[jetfan::kJetName], "1120型射流风机");
        EXPECT_EQ(jet.Record2[jetfan::keta], "0.876");
        EXPECT_EQ(jet.Record2[jetfan::kPower], "42");
        EXPECT_EQ(jet.Record4[jetfan::kTotalPower], "882.00");
        ASSERT_TRUE(jet.Groups);
        ASSERT_EQ(jet.Groups->size(), 7u);
        EXPECT_EQ(jet.Groups->back().Pile, "15035.00");
        EXPECT_TRUE(in.AtEnd());
    }
    {
        scheme::SchemeReader in = openShipped("Normal.sj");
        const shaft::SjFileContents sj = shaft::ReadSjFile(in);
        EXPECT_EQ(sj.ShaftPile, "12600");
        EXPECT_EQ(sj.Exhaust[0], "150");
        EXPECT_EQ(sj.Exhaust[7], "0.28");
        EXPECT_EQ(sj.SupplyFan[9], "");
        EXPECT_EQ(sj.SupplyGiven, true);
        EXPECT_EQ(sj.Beta, "5");
        EXPECT_EQ(sj.Passage[0], "60");
        EXPECT_EQ(sj.Inlet[8], "1120型射流风机");
        EXPECT_EQ(sj.Outlet[10], "0.876");
        EXPECT_EQ(sj.Outlet[12], "42");
        ASSERT_TRUE(sj.Groups);
        ASSERT_EQ(sj.Groups->size(), 4u);
        EXPECT_EQ(sj.Groups->back().Pile, "15035.00");
        EXPECT_TRUE(in.AtEnd());
    }
    {
        scheme::SchemeReader in = openShipped("Normal.se");
        const shaft::SeFileContents se = shaft::ReadSeFile(in);
        EXPECT_EQ(se.Boxes[shaft::kSeShaftPile], "12617.50");
        EXPECT_EQ(se.Boxes[shaft::kSeZeta_13], "0.8");
        EXPECT_EQ(se.Boxes[shaft::kSeZeta_12], "0.28");
        EXPECT_EQ(se.Boxes[shaft::kSeShaftAA_r], "40");
        EXPECT_EQ(se.Boxes[shaft::kSeP_tot3], "");
        EXPECT_EQ(se.Boxes[shaft::kSeEta], "0.8");
        EXPECT_EQ(se.Merge, false);
        EXPECT_TRUE(in.AtEnd());
    }
    {
        scheme::SchemeReader in = openShipped("Normal.msj");
        const multishaft::MsjFile msj = multishaft::ReadMsjFile(in);
        ASSERT_EQ(msj.Shafts.size(), 2u);
        EXPECT_EQ(msj.Shafts[0][0], "11800");
        EXPECT_EQ(msj.Shafts[0][34], "60");
        EXPECT_EQ(msj.Shafts[1][0], "13500");
        EXPECT_TRUE(msj.HasGroups);
        EXPECT_EQ(msj.ZZ_j, "1.2");
        EXPECT_FALSE(msj.KnowQr1);
        EXPECT_TRUE(in.AtEnd());
    }
    {
        scheme::SchemeReader in = openShipped("Normal.par");
        const ventparam::ParContents par = ventparam::ReadPar(in);
        EXPECT_EQ(par.zeta_e, "0.6");
        EXPECT_EQ(par.lambda_r, "0.02");
        EXPECT_EQ(par.v_n, "2.5");
        EXPECT_EQ(par.Record3[ventparam::kAA_cs], "2.13");
        EXPECT_EQ(par.Record3[ventparam::kxi_cl], "1");
        ASSERT_TRUE(par.ZetaRows);
        EXPECT_TRUE(par.ZetaRows->empty());
        EXPECT_EQ(par.SchemeIndex, 0);
        EXPECT_EQ(par.Exchange, false);
        EXPECT_TRUE(in.AtEnd());
    }
    {
        scheme::SchemeReader in = openShipped("Normal.con");
        const transverse::ConFileContents con = transverse::ReadConFile(in);
        EXPECT_EQ(con.Record1[8], "5.00"); // β
        EXPECT_EQ(con.Record1[9], "0.90"); // Kb
        EXPECT_EQ(con.KnownArea, true);
        EXPECT_EQ(con.Record2[0], "12.00");  // Ab
        EXPECT_EQ(con.Record2[2], "300.00"); // Δpd
        EXPECT_EQ(con.Record2[5], "0.8");    // η
        EXPECT_TRUE(in.AtEnd());
    }
    {
        scheme::SchemeReader in = openShipped("Normal.tra");
        const transverse::TraFile tra = transverse::ReadTraFile(in);
        EXPECT_EQ(tra.TwoSect, true);
        EXPECT_EQ(tra.Tranverse, true);
        EXPECT_EQ(tra.Supply[2], "0.02");
        EXPECT_EQ(tra.Exhaust[0], "12");
        EXPECT_EQ(tra.ScrollPosition, 12618);
        EXPECT_EQ(tra.PR, "");
    }
    {
        scheme::SchemeReader in = openShipped("Normal.lt1");
        const transverse::Lt1File lt1 = transverse::ReadLt1File(in);
        EXPECT_EQ(lt1.Inputs[0], "12");
        EXPECT_EQ(lt1.Inputs[2], "0.02");
        EXPECT_EQ(lt1.Results[8], "0.00");
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(ShippedTemplates, FireTemplateAndTheFireWindowsReadingOfTheSchemeTemplates) {
    scheme::SchemeReader fir = openShipped("Normal.fir");
    const fire::FirSettings f = fire::ReadFirFile(fir);
    EXPECT_EQ(f.FireLocs, (std::vector<std::string>{"10200", "12617.5", "15035"}));
    EXPECT_TRUE(f.ExsmokePiles.empty());
    EXPECT_EQ(f.Checks[2], 1);
    EXPECT_EQ(f.VentModes[0], true);
    EXPECT_EQ(f.WindDirections[1], false);
    EXPECT_EQ(f.Texts[2], "1120型射流风机");
    EXPECT_EQ(f.Texts[4], "0.876");
    EXPECT_EQ(f.WindRatio[1], "70");

    scheme::SchemeReader jet = openShipped("Normal.jet");
    const auto j = fire::CollectJetScheme(jet);
    ASSERT_TRUE(j);
    EXPECT_EQ(*j->JetModel, "1120型射流风机");
    EXPECT_EQ(*j->Eta, "0.876");
    scheme::SchemeReader sj = openShipped("Normal.sj");
    const auto s = fire::CollectSjScheme(sj, true);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Ports, std::vector<double>{12660}); // 12600 + 60
    EXPECT_EQ(*s->Eta, "0.876");
    scheme::SchemeReader msj = openShipped("Normal.msj");
    const auto m = fire::CollectMsjScheme(msj, true);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Ports.size(), 2u);
    EXPECT_DOUBLE_EQ(m->Ports[0], 11860); // 11800 + 60
}

TEST(ShippedTemplates, ToolAndLightingTemplatesReadToTheEnd) {
    {
        const tools::AxialFanTexts fan =
            tools::ParseAxialFanFile(textfile::ReadBytes(shipped("Normal.afd")).value_or(""));
        EXPECT_EQ(fan.N, "1");
        EXPECT_EQ(fan.RHO, "1.2");
        EXPECT_EQ(fan.Supply, true);
        EXPECT_EQ(fan.Exhaust, false);
        EXPECT_TRUE(fan.Sections.empty());
        EXPECT_TRUE(fan.Zetas.empty());
        EXPECT_EQ(fan.p_s, "300");
        EXPECT_EQ(fan.t, "273");
        EXPECT_EQ(fan.P, "101.32");
        EXPECT_EQ(fan.eta, "0.8");
        EXPECT_EQ(fan.etam, "0.925");
        EXPECT_EQ(fan.k, "1.15");
        EXPECT_EQ(fan.MM, "");
    }
    {
        scheme::SchemeReader in = openShipped("Normal.bgh");
        const lighting::BghContents bgh = lighting::ReadBgh(in);
        ASSERT_TRUE(bgh.Volumes);
        EXPECT_EQ(*bgh.Volumes, (std::vector<std::string>{"780", "1158"}));
        EXPECT_EQ(bgh.Speed, "80");
        EXPECT_EQ(bgh.OneWay, true);
        EXPECT_EQ(bgh.Surroundings, 1);
        EXPECT_EQ(bgh.Ds, "96.32");
        EXPECT_EQ(bgh.Mode, 0);
        ASSERT_TRUE(bgh.Zones);
        ASSERT_EQ(bgh.Zones->size(), 6u);
        EXPECT_EQ((*bgh.Zones)[5].Length, "60.00");
    }
    {
        scheme::SchemeReader in = openShipped("Normal.lmp");
        const lighting::LmpContents lmp = lighting::ReadLmp(in);
        ASSERT_TRUE(lmp.Circuits);
        // One circuit of the example lamp shipped in Icr.txt, so that step 3 computes out of the box.
        ASSERT_EQ(lmp.Circuits->size(), 1u);
        EXPECT_EQ((*lmp.Circuits)[0][0], "回路A");
        EXPECT_EQ((*lmp.Circuits)[0][1], "GE M-250R2 150W HPS MS2");
        EXPECT_EQ(lmp.RoadType, 0);
        EXPECT_EQ(lmp.RoadWidth, "7.5");
        EXPECT_EQ(lmp.PointsAcross, "5");
        EXPECT_EQ(lmp.Numeric, true);
        EXPECT_EQ(lmp.Curve, false);
    }
    {
        scheme::SchemeReader in = openShipped("normal.lgh");
        const lighting::LghContents lgh = lighting::ReadLgh(in);
        ASSERT_TRUE(lgh.Rows);
        ASSERT_EQ(lgh.Rows->size(), 1u); // that circuit switched on in every case
        EXPECT_EQ((*lgh.Rows)[0][0], "回路A");
        EXPECT_EQ(lgh.AreaLength, "");
        EXPECT_EQ(lgh.Results[7], "");
        EXPECT_EQ(lgh.Draw, false);
    }
}

// ---- Texts GBK cannot store ----

TEST(UnstorableTexts, EachWindowAsksBeforeItsFileTurnsThemIntoQuestionMarks) {
    using platform::Forms;
    namespace msgbox = platform::msgbox;
    frmReq& req = Forms::instance<frmReq>(); // its loading starts an unnamed project
    modPublic::ProjectFile = test_stage::appFolder() + "/gbk.vnt";
    req.SaveFile();
    const auto dir = test_stage::appFolder();
    struct Case {
        const char* file;
        std::function<platform::ListView&()> list; // the list that gets one row named by the text
        std::function<void()> save;
    };
    const Case cases[] = {
        {"/gbk.lmp", []() -> platform::ListView& { return Forms::instance<frmDefineLamp>().lstLamp; },
         [] { Forms::instance<frmDefineLamp>().SaveFile(); }},
        {"/gbk.jet", []() -> platform::ListView& { return Forms::instance<frmJet>().lstJet; },
         [] { Forms::instance<frmJet>().SaveFile(); }},
        {"/gbk.fir", []() -> platform::ListView& { return Forms::instance<frmFire>().lstFireLoc; },
         [] { Forms::instance<frmFire>().SaveFile(); }},
    };
    for (const Case& c : cases) {
        for (const char* text : {"回路😀", "回路𠀀"}) {
            SCOPED_TRACE(std::string(c.file) + " " + text);
            platform::ListView& list = c.list();
            list.ListItems.Add("回路");
            c.save();
            const std::string before = textfile::ReadBytes(dir + c.file).value_or("");
            list.ListItems.Remove(list.ListItems.Count());
            list.ListItems.Add(text);

            msgbox::reset();
            msgbox::script(platform::vbNo);
            c.save();
            ASSERT_EQ(msgbox::log().size(), 1u);
            EXPECT_EQ(msgbox::log()[0].title, "保存提示！");
            EXPECT_NE(msgbox::log()[0].prompt.find(std::string(text).substr(6)), std::string::npos);
            EXPECT_EQ(platform::DefaultAnswer(msgbox::log()[0].buttons), platform::vbNo);
            EXPECT_EQ(textfile::ReadBytes(dir + c.file).value_or(""), before);

            msgbox::script(platform::vbYes);
            c.save();
            std::string expected = before;
            const std::string plain = textcodec::ToGbk("\"回路\"");
            expected.replace(expected.rfind(plain), plain.size(), textcodec::ToGbk("\"回路?\""));
            EXPECT_EQ(textfile::ReadBytes(dir + c.file).value_or(""), expected);
            list.ListItems.Remove(list.ListItems.Count());
            msgbox::reset();
        }
        Forms::destroyAll();
    }
}

} // namespace
