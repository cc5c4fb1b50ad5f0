// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the windows are files of the installation: every one a window loads is shipped, loads,
// fills its box and is drawn in the box's proportions, so that none of its texts is squeezed.
#include "app/frmReq.h"
#include "app/modPublic.h"
#include "jetfan/frmJet.h"
#include "lighting/frmBrightness.h"
#include "lighting/frmLighting.h"
#include "multishaft/frmMultiShaftAndJet.h"
#include "platform/Cad.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "shaft/frmShaftAndJet.h"
#include "shaft/frmShaftEject.h"
#include "tests/support/drawn_texts.h"
#include "tests/support/scheme_step.h"
#include "tests/support/shared_module_reset.h"
#include "tests/support/test_stage.h"
#include "tools/frmConstructionVent.h"
#include "transverse/frmConcentrate.h"
#include "platform/fonts.h"
#include "transverse/frmLateral3.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::Forms;

/// The image shows `file` of the installation's picture folder, filling its box; the drawing behind it
/// has the box's proportions within 2 % (a bitmap the box's size).
void expectShows(const platform::Image& image, const std::string& file, const std::string& where) {
    SCOPED_TRACE(where + ": " + file);
    const fs::path picture = image.Picture();
    EXPECT_EQ(picture.filename().string(), file);
    EXPECT_EQ(picture.parent_path().filename().string(), "图片");
    const QWidget* box = image.widget();
    const QPixmap shown = static_cast<const QLabel*>(box)->pixmap();
    ASSERT_FALSE(shown.isNull());
    ASSERT_GT(box->width(), 0);
    EXPECT_EQ(shown.size(), box->size());
    fs::path drawing = picture;
    if (!fs::exists(drawing)) {
        drawing.replace_extension(".svg");
    }
    ASSERT_EQ(drawing.extension(), ".svg") << "ship a drawing, or a bitmap of the box's size";
    const QSvgRenderer renderer(QString::fromStdString(drawing.string()));
    ASSERT_TRUE(renderer.isValid());
    const double drawn = renderer.viewBoxF().width() / renderer.viewBoxF().height();
    const double boxed = static_cast<double>(box->width()) / box->height();
    EXPECT_NEAR(drawn / boxed, 1.0, 0.02);
}

class InstalledPictures : public ::testing::Test {
protected:
    void SetUp() override { test_support::saveTemplateProject(req); }
    frmReq& req = Forms::instance<frmReq>();
};

TEST_F(InstalledPictures, TheSchemeSketchesAndTheLightingPicturesAreShown) {
    frmJet& jet = Forms::instance<frmJet>();
    expectShows(jet.Image1, "jet_scheme.svg", "frmJet.Image1");
    expectShows(jet.Image2, "jet_section.svg", "frmJet.Image2");
    frmShaftAndJet& shaftJet = Forms::instance<frmShaftAndJet>();
    expectShows(shaftJet.Image1, "shaft_jet_scheme.svg", "frmShaftAndJet.Image1");
    expectShows(shaftJet.Image2, "jet_section_narrow.svg", "frmShaftAndJet.Image2");
    expectShows(shaftJet.Image3, "jet_section_narrow.svg", "frmShaftAndJet.Image3");
    frmMultiShaftAndJet& multi = Forms::instance<frmMultiShaftAndJet>();
    expectShows(multi.imgJet, "jet_section_wide.svg", "frmMultiShaftAndJet.imgJet");
    expectShows(multi.imgScheme, "multishaft_scheme.svg", "frmMultiShaftAndJet.imgScheme");
    expectShows(Forms::instance<frmConcentrate>().Image1, "concentrate.svg", "frmConcentrate.Image1");
    expectShows(Forms::instance<frmBrightness>().Image1, "brightness.svg", "frmBrightness.Image1");
    expectShows(Forms::instance<frmLighting>().Image1, "lighting_area.svg", "frmLighting.Image1");
}

TEST_F(InstalledPictures, EachPressureModelAndVariantShowsItsOwnPicture) {
    frmShaftEject& shaft = Forms::instance<frmShaftEject>();
    shaft.optPresModel1.set(true);
    expectShows(shaft.Image1, "shaft1.bmp", "merge-type shaft");
    shaft.optPresModel2.set(true);
    expectShows(shaft.Image1, "shaft2.bmp", "split-type shaft");
    frmLateral3& lateral = Forms::instance<frmLateral3>();
    lateral.OptionButton2.set(true);
    expectShows(lateral.Image1, "lateral1.bmp", "supply semi-transverse");
    lateral.optTranverse.set(true);
    expectShows(lateral.Image1, "lateral.bmp", "full transverse");
}

TEST_F(InstalledPictures, EveryConstructionMethodShowsItsFormula) {
    frmConstructionVent& w = Forms::instance<frmConstructionVent>();
    struct List {
        platform::ListBox& methods;
        platform::Image& picture;
        std::vector<std::string> files;
    };
    const List lists[] = {
        {w.lstMethod1, w.picMethod1, {"yaru1.bmp", "yaru2.bmp", "yaru3.bmp", "yaru4.bmp", "yaru5.bmp"}},
        {w.lstMethod2, w.picMethod2, {"paichu1.bmp", "paichu2.bmp"}},
        {w.lstMethod3, w.picMethod3, {"hy1.bmp", "hy2.bmp", "hy3.bmp"}},
        {w.lstMethod4, w.picMethod4, {"hp1.bmp", "hp2.bmp"}},
    };
    for (const List& list : lists) {
        ASSERT_EQ(list.methods.ListCount(), static_cast<int>(list.files.size()));
        for (int i = 0; i < list.methods.ListCount(); ++i) {
            list.methods.setListIndex(i);
            expectShows(list.picture, list.files[static_cast<std::size_t>(i)], list.methods.List(i));
        }
    }
}

// The build's copy of the installation data next to the program holds the picture folder whole.
TEST(InstalledPictureFolder, TheBuildCopiesEveryPictureNextToTheProgram) {
    const fs::path source = fs::path(CONFIGFILES_DIR) / "图片";
    const fs::path built = fs::path(BUILT_CONFIGFILES_DIR) / "图片";
    int pictures = 0;
    for (const auto& entry : fs::directory_iterator(source)) {
        ++pictures;
        EXPECT_TRUE(fs::exists(built / entry.path().filename())) << entry.path().filename();
    }
    EXPECT_GE(pictures, 25);
}

QImage drawnSvg(const QString& svg, int scale, QColor ground = Qt::transparent) {
    QSvgRenderer renderer(svg.toUtf8());
    QImage image((renderer.viewBoxF().size() * scale).toSize(), QImage::Format_ARGB32);
    image.fill(ground);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

/// The box, in the picture's units, of the ink of `image` within `area` (all of it by default) that `counts`
/// keeps; empty when there is none.
QRectF inkBox(
    const QImage& image, int scale, std::optional<QRect> area = {},
    bool (*counts)(QRgb) = [](QRgb) { return true; }) {
    const QRect r = area.value_or(image.rect());
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            if (qAlpha(line[x]) > 96 && counts(line[x])) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRectF() : QRectF(QPointF(left, top) / scale, QPointF(right + 1, bottom + 1) / scale);
}

/// An installed drawing: its source, and each of its text runs with the box of its ink when drawn alone.
struct SvgPicture {
    std::string name;
    QString svg;
    std::vector<std::pair<QString, QRectF>> runs;
};

constexpr int kInkScale = 8;
const QRegularExpression kTextElement(QStringLiteral("<text\\b[^>]*>.*?</text>"),
                                      QRegularExpression::DotMatchesEverythingOption);

std::vector<SvgPicture> installedSvgs() {
    std::vector<SvgPicture> pictures;
    for (const auto& entry : fs::directory_iterator(fs::path(CONFIGFILES_DIR) / "图片")) {
        if (entry.path().extension() != ".svg") {
            continue;
        }
        QFile file(QString::fromStdString(entry.path().string()));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << entry.path();
        SvgPicture picture{entry.path().filename().string(), QString::fromUtf8(file.readAll()), {}};
        const QString& svg = picture.svg;
        const qsizetype bodyStart = svg.indexOf(QLatin1Char('>'), svg.indexOf(QStringLiteral("<svg"))) + 1;
        const QString head = svg.left(bodyStart);
        for (auto it = kTextElement.globalMatch(svg); it.hasNext();) {
            const QString run = it.next().captured();
            const QRectF ink = inkBox(drawnSvg(head + run + QStringLiteral("</svg>"), kInkScale), kInkScale);
            if (!ink.isEmpty()) {
                picture.runs.emplace_back(run, ink);
            }
        }
        pictures.push_back(std::move(picture));
    }
    EXPECT_GE(pictures.size(), 25u);
    return pictures;
}

// Every picture names the program's face, which is installed, and no two of its text runs overlap when
// drawn in it: a face that is missing falls back to one with other widths, and a formula laid out for
// one face runs its parts into each other in another.
TEST(InstalledPictureTexts, EveryPictureIsDrawnInTheProgramsFaceWithNoTwoTextsOverlapping) {
    const QString face = QString::fromUtf8(platform::kProgramFontFamily);
    ASSERT_TRUE(QFontDatabase::hasFamily(face));
    const QRegularExpression family(QStringLiteral("font-family=\"([^\"]*)\""));
    for (const auto& [name, svg, runs] : installedSvgs()) {
        for (const auto& [run, ink] : runs) {
            EXPECT_EQ(family.match(run).captured(1), face) << name << ": " << run.toStdString();
        }
        for (std::size_t i = 0; i < runs.size(); ++i) {
            for (std::size_t j = i + 1; j < runs.size(); ++j) {
                const QRectF common = runs[i].second.intersected(runs[j].second);
                EXPECT_FALSE(common.width() > 0.25 && common.height() > 0.25)
                    << name << ": " << runs[i].first.toStdString() << " overlaps "
                    << runs[j].first.toStdString();
            }
        }
        if (const char* dir = std::getenv("ARIDANE_GRAB_DIR"); dir != nullptr && *dir != '\0') {
            EXPECT_TRUE(
                drawnSvg(svg, 4, Qt::white)
                    .save(QDir(QString::fromLocal8Bit(dir))
                              .filePath(QStringLiteral("picture_") +
                                        QString::fromStdString(fs::path(name).stem().string()) + ".png")));
        }
    }
}

// No text of a picture stands on one of its lines (a wall, an arrow, a dimension line), where it reads
// as crossed out: the box of each run's ink holds no ink of the picture's other shapes but light fills.
TEST(InstalledPictureTexts, NoTextStandsOnALineOfItsPicture) {
    for (const SvgPicture& picture : installedSvgs()) {
        const QImage shapes = drawnSvg(QString(picture.svg).remove(kTextElement), kInkScale);
        for (const auto& [run, ink] : picture.runs) {
            const QRect box = QRectF(ink.topLeft() * kInkScale, ink.bottomRight() * kInkScale)
                                  .toAlignedRect()
                                  .intersected(shapes.rect());
            const QRectF crossed = inkBox(shapes, kInkScale, box, [](QRgb p) { return qGray(p) < 200; });
            EXPECT_TRUE(crossed.isEmpty()) << picture.name << ": " << run.toStdString();
        }
    }
}

// The curves of the shipped designs, drawn by their windows right after opening: no text of a chart
// stands on one of its lines, so that every number reads whole.
TEST_F(InstalledPictures, TheShippedDesignsCurvesKeepTheirTextsOffTheirLines) {
    // What one click draws, beside the charts drawn before it.
    const auto check = [](platform::CommandButton& draw, const char* scheme) {
        SCOPED_TRACE(scheme);
        const std::size_t before = test_support::drawnEntities().size();
        draw.userClick();
        EXPECT_TRUE(platform::msgbox::log().empty());
        EXPECT_GT(test_support::drawnEntities().size(), before);
        for (const std::string& found : test_support::textsOnLines(test_support::drawnEntities(), before)) {
            ADD_FAILURE() << found;
        }
    };
    test_support::openScheme<frmJet>(req, 0,
                                     [&](frmJet& w, frmVentParam&) { check(w.cmdDrawPressCurve, "jet"); });
    test_support::openScheme<frmShaftAndJet>(
        req, 3, [&](frmShaftAndJet& w, frmVentParam&) { check(w.cmdDrawPressCurve, "shaft and jet"); });
    test_support::openScheme<frmShaftEject>(req, 2, [&](frmShaftEject& w, frmVentParam&) {
        w.cmdCalculateSectionQQ_req.userClick();
        w.cmdCalculatePtot3.userClick();
        check(w.cmdDrawCurve, "shaft exhaust");
    });
    test_support::openScheme<frmMultiShaftAndJet>(
        req, 4, [&](frmMultiShaftAndJet& w, frmVentParam&) { check(w.cmdDrawPressCurve, "several shafts"); });
}

} // namespace
