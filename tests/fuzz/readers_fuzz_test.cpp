// SPDX-License-Identifier: GPL-3.0-or-later
// Each reader of a file the program opens, fed mutated copies of the shipped file: bit flips, cuts,
// inserted garbage, huge numbers and letters inside numbers, from a fixed seed per reader. A reader must
// not crash, must finish each input within two seconds (a hang is a fault, not a matter of speed), and a
// window must show no "inf" or "nan" afterwards.
#include "app/coef_table.h"
#include "app/frmAbout.h"
#include "app/frmReq.h"
#include "app/jet_models.h"
#include "app/modPublic.h"
#include "fire/fire_file.h"
#include "fire/frmFire.h"
#include "jetfan/frmJet.h"
#include "jetfan/jet_file.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmDefineLamp.h"
#include "lighting/bgh_file.h"
#include "lighting/lgh_file.h"
#include "lighting/lmp_file.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "multishaft/multishaft.h"
#include "platform/Form.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/scheme_file.h"
#include "platform/scripted.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "reqair/report_text.h"
#include "shaft/eject_file.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"
#include "shaft/sj_file.h"
#include "tests/support/non_finite.h"
#include "tests/support/test_stage.h"
#include "tests/support/written_files.h"
#include "tools/axial_fan_file.h"
#include "tools/frmConstructionVent.h"
#include "transverse/concentrate.h"
#include "transverse/frmConcentrate.h"
#include "transverse/frmLateral3.h"
#include "transverse/frmLateral1.h"
#include "transverse/lateral.h"
#include "ventparam/frmVentParam.h"
#include "ventparam/par_file.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using platform::Forms;

namespace {

using test_support::writeBytes;

constexpr auto kLimit = std::chrono::seconds(2);

test_stage::Reset resetGlobals([] { modPublic::Reset(); });

/// Inputs per reader: a few hundred in the ordinary run, as many as ARIDANE_FUZZ_RUNS asks otherwise.
int runs(int ordinary) {
    if (const char* env = std::getenv("ARIDANE_FUZZ_RUNS")) {
        const int n = std::atoi(env);
        if (n > 0) {
            return n;
        }
    }
    return ordinary;
}

std::string shipped(const std::string& name) {
    return textfile::ReadBytes(std::string(CONFIGFILES_DIR) + "/" + name).value_or(std::string());
}

/// One damaged copy of `seed`.
std::string mutate(const std::string& seed, std::mt19937& rng) {
    static const std::vector<std::string> inserts = {
        "99999999999999999999",
        "999999999",
        "2147483648",
        "-2147483649",
        "1e308",
        "-1e308",
        "1e-320",
        "-0",
        "\"",
        ",",
        "\r\n",
        "\r",
        "\n",
        "#TRUE#",
        "\xB0",
        std::string(1, '\0'),
        "x",
        "1x000",
        "-",
        std::string(300, '9'),
        ",,,,,,,,",
        "\"\"\"",
    };
    std::string bytes = seed;
    const int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = bytes.empty() ? 0 : rng() % bytes.size();
        switch (rng() % 6) {
        case 0: // bit flip
            if (!bytes.empty()) {
                bytes[at] = static_cast<char>(bytes[at] ^ (1 << (rng() % 8)));
            }
            break;
        case 1: // cut
            bytes.resize(at);
            break;
        case 2: { // garbage
            std::string junk(1 + rng() % 16, '\0');
            for (char& c : junk) {
                c = static_cast<char>(rng());
            }
            bytes.insert(at, junk);
            break;
        }
        case 3: // a huge number or a token of the format
            bytes.insert(at, inserts[rng() % inserts.size()]);
            break;
        case 4: { // a letter inside a number
            for (std::size_t i = at; i < bytes.size(); ++i) {
                if (bytes[i] >= '0' && bytes[i] <= '9') {
                    bytes[i] = static_cast<char>('a' + rng() % 26);
                    break;
                }
            }
            break;
        }
        default: // a whole number made huge
            for (std::size_t i = at; i < bytes.size(); ++i) {
                if (bytes[i] >= '0' && bytes[i] <= '9') {
                    bytes.insert(i, "99999999");
                    break;
                }
            }
            break;
        }
    }
    return bytes;
}

/// Feeds `n` mutations of `seed` to `read`, each timed.
void fuzz(const std::string& name, const std::string& seed, int n,
          const std::function<void(const std::string&)>& read) {
    ASSERT_FALSE(seed.empty()) << name << ": no shipped file to start from";
    std::seed_seq seq(name.begin(), name.end());
    std::mt19937 rng(seq);
    for (int i = 0; i < n; ++i) {
        const std::string bytes = mutate(seed, rng);
        const auto start = std::chrono::steady_clock::now();
        read(bytes);
        const auto took = std::chrono::steady_clock::now() - start;
        ASSERT_LT(took, kLimit) << name << " input " << i << " took "
                                << std::chrono::duration_cast<std::chrono::milliseconds>(took).count()
                                << " ms";
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

/// A record-line reader fed from memory.
template <class Read> std::function<void(const std::string&)> records(Read read) {
    return [read](const std::string& bytes) {
        scheme::SchemeReader in;
        in.Parse(bytes);
        (void)read(in);
    };
}

using test_support::nonFinite;

/// Every text a window shows: its boxes, labels and list cells.
void expectFiniteTexts(platform::Form& form, const std::string& what) {
    QWidget* top = form.window();
    ASSERT_NE(top, nullptr);
    std::vector<std::string> texts;
    for (QLineEdit* e : top->findChildren<QLineEdit*>()) {
        texts.push_back(e->text().toStdString());
    }
    for (QTextEdit* e : top->findChildren<QTextEdit*>()) {
        texts.push_back(e->toPlainText().toStdString());
    }
    for (QLabel* l : top->findChildren<QLabel*>()) {
        texts.push_back(l->text().toStdString());
    }
    for (QTreeWidget* t : top->findChildren<QTreeWidget*>()) {
        for (int r = 0; r < t->topLevelItemCount(); ++r) {
            for (int c = 0; c < t->columnCount(); ++c) {
                texts.push_back(t->topLevelItem(r)->text(c).toStdString());
            }
        }
    }
    for (const std::string& t : texts) {
        EXPECT_FALSE(nonFinite(t)) << what << " shows \"" << t << "\"";
    }
}

/// A scheme window opened on a project whose companion file holds the bytes; every box it raises is
/// answered with its default button.
template <class Window> std::function<void(const std::string&)> window(const std::string& extension) {
    return [extension](const std::string& bytes) {
        const std::string project = test_stage::appFolder() + "/fuzz.vnt";
        modPublic::ProjectFile = project;
        writeBytes(test_stage::appFolder() + "/fuzz" + extension, bytes);
        Window& w = Forms::instance<Window>();
        expectFiniteTexts(w, extension);
        Forms::unload(w);
        Forms::collectGarbage();
        for (const std::string& fault : platform::scripted::takeFaults()) {
            ADD_FAILURE() << extension << ": " << fault;
        }
    };
}

class Readers : public ::testing::Test {
protected:
    void SetUp() override { platform::msgbox::setAutoAnswer(true); }
    void TearDown() override { platform::msgbox::reset(); }
};

} // namespace

// ---- Scheme files, read by their engines ----

TEST_F(Readers, SchemeFilesOfEveryWindow) {
    const int n = runs(300);
    fuzz(".jet", shipped("Normal.jet"), n, records(jetfan::ReadJetFile));
    fuzz(".sj", shipped("Normal.sj"), n, records(shaft::ReadSjFile));
    fuzz(".se", shipped("Normal.se"), n, records(shaft::ReadSeFile));
    fuzz(".msj", shipped("Normal.msj"), n, records(multishaft::ReadMsjFile));
    fuzz(".con", shipped("Normal.con"), n, records(transverse::ReadConFile));
    fuzz(".tra", shipped("Normal.tra"), n, records(transverse::ReadTraFile));
    fuzz(".fir", shipped("Normal.fir"), n, records(fire::ReadFirFile));
    fuzz(".par", shipped("Normal.par"), n, records(ventparam::ReadPar));
    fuzz(".lmp", shipped("Normal.lmp"), n, records(lighting::ReadLmp));
    fuzz(".bgh", shipped("Normal.bgh"), n, records(lighting::ReadBgh));
    fuzz(".lgh", shipped("normal.lgh"), n, records(lighting::ReadLgh));
    fuzz(".afd", shipped("Normal.afd"), n, [](const std::string& b) { (void)tools::ParseAxialFanFile(b); });
}

// ---- Data files of the installation ----

TEST_F(Readers, InstallationDataFiles) {
    const int n = runs(300);
    fuzz("Jet.db", shipped("Jet.db"), n, [](const std::string& b) {
        scheme::SchemeReader in;
        in.Parse(b);
        (void)modPublic::ParseJetModels(in);
        scheme::SchemeReader again;
        again.Parse(b);
        (void)modPublic::ParseJetDbRows(again);
    });
    fuzz("ReportControl.txt", shipped("ReportControl.txt"), n,
         [](const std::string& b) { (void)reqair::ParseReportOptions(b); });
    const std::string scratch = test_stage::appFolder() + "/fuzz_table.txt";
    fuzz("autocadconfig.txt", shipped("autocadconfig.txt"), n, [&](const std::string& b) {
        writeBytes(scratch, b);
        for (const char* key : modPublic::kCoefTableKeys) {
            CoefTable table;
            (void)modPublic::ReadTable(key, table, scratch);
        }
    });
    // The shipped lamp table holds no model yet: the seed adds tables in its format.
    fuzz("Icr.txt", shipped("Icr.txt") + "\r\n" + shipped("autocadconfig.txt"), n, [&](const std::string& b) {
        writeBytes(scratch, b);
        for (const char* key : {"f_d", "f_iv", "X", ""}) {
            CoefTable table;
            (void)modPublic::ReadTable(key, table, scratch);
        }
    });
    fuzz("help.txt", shipped("help.txt"), n, [&](const std::string& b) {
        writeBytes(scratch, b);
        for (const char* key : {"REQ_2_1", "REQ_1_1", ""}) {
            (void)modPublic::HelpText(key, scratch);
        }
    });
}

// ---- Files read by windows ----

TEST_F(Readers, ProjectFilesThroughTheMainWindow) {
    frmReq& w = Forms::instance<frmReq>();
    const std::string dir = test_stage::appFolder();
    const std::string req = shipped("Normal.req");
    const std::string vnt = "\"[Axial_fan_list]\"\r\n2\r\n\"1#\"\r\n\"2#\"\r\n";
    const std::string par = shipped("Normal.par");
    modPublic::ProjectFile = dir + "/p.vnt";
    const int n = runs(60);
    fuzz(".req", req, n, [&](const std::string& b) {
        writeBytes(dir + "/p.req", b);
        writeBytes(dir + "/p.vnt", vnt);
        w.OpenFile();
        expectFiniteTexts(w, ".req");
    });
    writeBytes(dir + "/p.req", req);
    fuzz(".vnt", vnt, n, [&](const std::string& b) {
        writeBytes(dir + "/p.vnt", b);
        w.OpenFile();
        ASSERT_LE(modPublic::AxialFanList.UBound(), 1000u);
    });
    writeBytes(dir + "/p.vnt", vnt);
    fuzz(".par (main window)", par, n, [&](const std::string& b) {
        writeBytes(dir + "/p.par", b);
        w.ReadParameter();
    });
}

TEST_F(Readers, FilesReadOnlyByTheirWindows) {
    Forms::instance<frmReq>();
    const int n = runs(25);
    fuzz(".lt1", shipped("Normal.lt1"), n, window<frmLateral1>(".lt1"));
    fuzz(".cvt", shipped("normal.cvt"), n, window<frmConstructionVent>(".cvt"));
    fuzz(".jet (window)", shipped("Normal.jet"), n, window<frmJet>(".jet"));
    fuzz(".fir (window)", shipped("Normal.fir"), n, window<frmFire>(".fir"));
    fuzz(".sj (window)", shipped("Normal.sj"), n, window<frmShaftAndJet>(".sj"));
    fuzz(".se (window)", shipped("Normal.se"), n, window<frmShaftEject>(".se"));
    fuzz(".msj (window)", shipped("Normal.msj"), n, window<frmMultiShaftAndJet>(".msj"));
    fuzz(".con (window)", shipped("Normal.con"), n, window<frmConcentrate>(".con"));
    fuzz(".tra (window)", shipped("Normal.tra"), n, window<frmLateral3>(".tra"));
    fuzz(".bgh (window)", shipped("Normal.bgh"), n, window<frmBrightness>(".bgh"));
    fuzz(".lmp (window)", shipped("Normal.lmp"), n, window<frmDefineLamp>(".lmp"));
    fuzz(".par (window)", shipped("Normal.par"), n, window<frmVentParam>(".par"));
    const std::string about = test_stage::appFolder() + "/ConfigFiles/About.txt";
    fuzz("About.txt", shipped("About.txt"), n, [&](const std::string& b) {
        writeBytes(about, b);
        frmAbout& w = Forms::instance<frmAbout>();
        expectFiniteTexts(w, "About.txt");
        Forms::unload(w);
        Forms::collectGarbage();
    });
}

TEST_F(Readers, LongStationListsThroughTheFireWindow) {
    Forms::instance<frmReq>();
    // 2,880 exhaust ports, one every 5 m, as the window stores them: in ascending order.
    std::string seed = "\"[火灾位置]\"\r\n1\r\n\"11000\"\r\n\"[排烟口桩号]\"\r\n2880\r\n";
    for (int i = 0; i < 2880; ++i) {
        seed += "\"" + std::to_string(10000 + 5 * i) + "\"\r\n";
    }
    const std::string rest = shipped("Normal.fir");
    seed = textcodec::ToGbk(seed) + rest.substr(rest.find("0,0,1,0"));
    fuzz(".fir (window, 2,880 ports)", seed, runs(25), window<frmFire>(".fir"));
}
