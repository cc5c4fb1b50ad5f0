// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmReq.h"

#include "app/geometry.h"
#include "app/guarded.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/TextViewer.h"
#include "platform/paths.h"
#include "reqair/stretch_demand.h"
#include "ventparam/station_lookup.h"

#include <QApplication>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>

using app::guarded;
using platform::CheckBox;
using platform::CommandButton;
using platform::Container;
using platform::Layout;
using platform::ListItem;
using platform::TextBox;

namespace {

// The page area: pages 4 to 6 keep their width and the picker column stands beside them; the other pages
// span both, so that the window keeps one size on every page.
constexpr int kTabWidth = 16000, kPageWidth = 8700, kWidePageWidth = 15800;
constexpr int kPickerLeft = 9060, kPickerWidth = 6900;

bool widePage(int index) {
    return index < 3 || index == 6;
}

/// A position or width of a wide page: its place on a page of the narrow width, spread across the wide
/// one, so that the rows keep their order and the lists and boxes take the room.
int W(int twips) {
    return static_cast<int>(std::lround(twips * double(kWidePageWidth - 120) / (kPageWidth - 120)));
}

const char* const kPageCaptions[7] = {"基本信息(&1)", "通风区段(&2)", "交通量分析(&3)", "单向交通(&4)",
                                      "双向交通(&5)", "阻滞(&6)",     "换气/火灾(&7)"};
const char* const kRoadClasses[5] = {"高速公路", "一级公路", "二级公路", "三级公路", "四级公路"};
const char* const kTrafficRowCaptions[8] = {"1 小型货车", "2 中型货车", "3 大型货车", "4 小    客",
                                            "5 大    客", "6 挂    车", "7 集装箱车", "合      计"};
const char* const kTwoWayClasses[7] = {"1 小型货车", "2 中型货车", "3 大型货车", "4 小客",
                                       "5 大客",     "6 挂车",     "7 集装箱车"};

/// Height of one text line of the window's font [twips]. A label box puts one empty line between its
/// entries, so the boxes beside it stand two lines apart.
int lineTwips() {
    // A text box lays its lines out on whole pixels.
    return static_cast<int>(std::ceil(QFontMetricsF(QApplication::font()).lineSpacing())) * 15;
}

/// Distance between two boxes described by one label box [twips].
int rowPitch() {
    return std::max(2 * lineTwips(), platform::kBoxHeight + 60);
}

/// How much taller the window is than its sizes below, which hold for a line of 14 pixels: in a font
/// with a taller line every row of a label box takes more room, and a page holds up to twelve such rows.
int extraHeight() {
    return std::max(0, 12 * (rowPitch() - 420));
}

/// The height of a page [twips].
int pageHeight() {
    return 6800 + extraHeight();
}

/// Entries of a label box: one empty line between entries, so that each stands beside its box.
std::string joinEntries(std::initializer_list<const char*> entries) {
    std::string text;
    bool first = true;
    for (const char* e : entries) {
        if (!first) {
            text += "\r\n\r\n";
        }
        text += e;
        first = false;
    }
    return text;
}

void inputBox(TextBox& box, Container& parent, int left, int top, int width,
              int height = platform::kBoxHeight) {
    box.place(parent, left, top, width, height);
    box.setBackColor(platform::kInputColor);
}

void resultBox(TextBox& box, Container& parent, int left, int top, int width,
               int height = platform::kBoxHeight) {
    box.place(parent, left, top, width, height);
}

/// A box beside one entry of a label box: typed by the engineer (coloured as input) or shown by the program.
struct EntryBox {
    // Not explicit: a bare box in a column is a typed one.
    EntryBox(TextBox& b, bool t = true) : box(&b), typed(t) {}
    TextBox* box;
    bool typed;
};

EntryBox shown(TextBox& box) {
    return {box, false};
}

/// The boxes beside a label box's entries, one row pitch apart from `top` down.
void boxColumn(Container& parent, int left, int top, int width, std::initializer_list<EntryBox> boxes) {
    int y = top;
    for (const EntryBox& e : boxes) {
        if (e.typed) {
            inputBox(*e.box, parent, left, y, width);
        } else {
            resultBox(*e.box, parent, left, y, width);
        }
        y += rowPitch();
    }
}

/// The two switches of a design-concentration frame, each followed by the box its value is typed in.
void concentrationSwitches(Container& frame, CheckBox& delta, TextBox& deltaBox, CheckBox& kk, TextBox& kkBox,
                           int switchWidth, int boxLeft, int boxWidth) {
    Layout::captioned(delta, frame, "由软件计算CO设计浓度δ(ppm)", 100, 300, switchWidth, 300);
    inputBox(deltaBox, frame, boxLeft, 300, boxWidth);
    Layout::captioned(kk, frame, "由软件计算VI设计浓度K(1/m):", 100, 660, switchWidth, 300);
    inputBox(kkBox, frame, boxLeft, 660, boxWidth);
}

/// A label box: multi-line, borderless, read-only, in the colour of buttons. Its first line is centred
/// on the box at `firstBoxTop`.
void labelBox(TextBox& box, Container& parent, int left, int firstBoxTop, int width, int entries) {
    const int line = lineTwips();
    const int top = std::max(0, firstBoxTop + (platform::kBoxHeight - line) / 2 - 60);
    box.place(parent, left, top, width, rowPitch() * entries);
    box.setMultiLine(true);
    box.setBorderless(true);
    box.setLocked(true);
    box.setBackColor(platform::vbButtonFace);
}

} // namespace

frmReq::frmReq() {
    Layout::window(*this, "Kelvora-Aridane", kWidth, 9300 + extraHeight());
    buildMenus();
    buildFrame();
    buildPage1();
    buildPage2();
    buildPage3();
    buildPage4();
    buildPage5();
    buildPage6();
    buildPage7();
    // Tab reaches the pickers and the next step after the pages.
    buildPickers();
    connectEvents();
    // The values a new window opens with; the option handlers set the enabled states that go with them.
    optLeftLine.setSilently(true);
    txtHRR.setSilently("50");
    txtAT.setSilently("308");
    txtFireSize.setSilently("45");
    txtPerimeter.setSilently("36");
    txtCH.setSilently("5.4");
    txtDSL.setSilently("1.5");
    txtPRL.setSilently("5");
    optQsMethod1(0).setSilently(true);
    optCrMehthod(2).setSilently(true);
    optCrMehthod_Click(2);
    optQsMethod1_Click(0);
}

frmReq::~frmReq() = default;

std::string frmReq::ReportProjectName() {
    std::string name;
    guarded([&] { name = platform::Forms::instance<frmReq>().txtProjectName.Text(); });
    return name;
}

void frmReq::demandRow(Container& parent, TextBox& co, TextBox& vi, int top) {
    layout_.caption(parent, "按CO浓度计算的需风量Qreq(m^3/s)", 100, top + 30, 3050);
    resultBox(co, parent, 3200, top, 1000);
    layout_.caption(parent, "按VI浓度计算的需风量Qreq(m^3/s)", 4300, top + 30, 3050);
    resultBox(vi, parent, 7400, top, 950);
}

void frmReq::buildMenus() {
    mnuFile.create(*this, "文件(&F)");
    mnuFileNew.create(mnuFile, "新建(&N)");
    mnuFileNew.setShortcut("Ctrl+N");
    mnuFileOpen.create(mnuFile, "打开(&O)");
    mnuFileOpen.setShortcut("Ctrl+O");
    mnuFile0.create(mnuFile, "-");
    mnuFileSave.create(mnuFile, "保存(&S)");
    mnuFileSave.setShortcut("Ctrl+S");
    mnuFileSaveAs.create(mnuFile, "另存为...(&A)");
    mnuFileSaveAs.setShortcut("Ctrl+A");
    mnuFile2.create(mnuFile, "-");
    mnuFileExit.create(mnuFile, "退出(&X)");

    mnuModule.create(*this, "其它模块(&M)");
    mnuToolsmnuFire.create(mnuModule, "火灾工况分析(&F)");
    mnuToolsmnuFire.setShortcut("Ctrl+F");
    mnuToolsmnuConstructionVent.create(mnuModule, "施工通风分析(&C)");
    mnuToolsmnuConstructionVent.setShortcut("Ctrl+C");
    mnuLighting.create(mnuModule, "隧道照明分析(&L)");
    mnuLighting.setShortcut("Ctrl+L");

    mnuToolS.create(*this, "工具(&T)");
    mnuToolsmnuFanPowerAnalysis.create(mnuToolS, "轴流风机动力分析(&A)");
    mnuToolsmnuJetDB.create(mnuToolS, "射流风机数据库维护(&J)");
    mnuToolsmnuJetDB.setShortcut("Ctrl+J");
    mnuTool2.create(mnuToolS, "-");
    mnuToolSectionQreq.create(mnuToolS, "任意区段需风量");
    mnuSectionPressure.create(mnuToolS, "任意区段通风阻力");
    mnuJetPressure.create(mnuToolS, "射流风机升压力计算");
    mnuTool3.create(mnuToolS, "-");
    mnuToolReport.create(mnuToolS, "需风量计算报告");

    mnuHelp.create(*this, "帮助(&H)");
    mnuHelpContents.create(mnuHelp, "目录(&C)");
    mnuHelpAbout.create(mnuHelp, "关于(&A) ");

    tbToolBar.place(*this, 0, 0, 9000, 420);
    tbToolBar.AddButton("新建", "新建").setToolTipText("新建");
    tbToolBar.AddButton("打开", "打开").setToolTipText("打开");
    tbToolBar.AddButton("保存", "保存").setToolTipText("保存");
    tbToolBar.dock();
}

void frmReq::buildFrame() {
    pgMain.place(*this, 100, 440, kTabWidth, 7200 + extraHeight());
    for (const char* c : kPageCaptions) {
        pgMain.Tabs.Add(c);
    }
    pgMain.setSilently(1);
    for (int i = 0; i <= 6; ++i) {
        auto& frame = frmList.add(i);
        frame.place(*this, 200, 800, widePage(i) ? kWidePageWidth : kPageWidth, pageHeight());
        frame.setBorderStyle(0);
        frame.setVisible(i == 0);
    }

    sbStatusBar.place(*this, 0, 8200 + extraHeight(), 9000, 330);
    sbStatusBar.AddPanel("状态", platform::Panel::sbrText, 0);
    sbStatusBar.AddPanel("", platform::Panel::sbrDate, 1500);
    sbStatusBar.AddPanel("", platform::Panel::sbrTime, 1200);
    sbStatusBar.dock();
}

void frmReq::buildPickers() {
    Layout::captioned(lblYear, *this, "选择特征年:", kPickerLeft, 840, kPickerWidth, 255);
    lstYear.place(*this, kPickerLeft, 1100, kPickerWidth, 3000);
    Layout::captioned(lblSegment, *this, "选择计算区段:", kPickerLeft, 4200, kPickerWidth, 255);
    lstCalSegment.place(*this, kPickerLeft, 4460, kPickerWidth, 2400);
    Layout::captioned(lblvt, *this, "选择工况车速vt(km/h):", kPickerLeft, 6920, kPickerWidth, 255);
    sclVt.place(*this, kPickerLeft, 7180, kPickerWidth, 300);
    // Working speeds are whole km/h; the range holds every design speed up to 100 km/h.
    sclVt.setMin(0);
    sclVt.setMax(120);
    sclVt.setSmallChange(1);
    sclVt.setLargeChange(10);
    showPickers(false);

    Layout::captioned(cmdNextStep, *this, "下一步(&N) -->", 100 + kTabWidth - 2100, 7720 + extraHeight(),
                      2100, 400);
}

void frmReq::showPickers(bool shown) {
    for (platform::Control* c : std::initializer_list<platform::Control*>{&lblYear, &lstYear, &lblSegment,
                                                                          &lstCalSegment, &lblvt, &sclVt}) {
        c->setVisible(shown);
    }
}

void frmReq::buildPage1() {
    Container& page = frmList(0);
    const int r = rowPitch();

    int y = 150;
    labelBox(Text1, page, W(120), y, W(1300), 2);
    inputBox(txtProjectName, page, W(1500), y, W(6900));
    inputBox(txtProjectDiscribe, page, W(1500), y + r, W(6900), r + platform::kBoxHeight + 150);
    txtProjectDiscribe.setMultiLine(true);

    y += 2 * r + platform::kBoxHeight + 250;
    Layout::frame(Frame1, page, "左线or右线", W(120), y, W(4000), 3 * r + 100);
    Layout::captioned(optLeftLine, Frame1, "左线(下行,大桩号->小桩号)", 150, 300, W(3700), 300);
    Layout::captioned(optRightLine, Frame1, "右线(上行,小桩号->大桩号)", 150, 300 + r, W(3700), 300);

    const int namesTop = y + 150;

    y += 3 * r + 200;
    labelBox(Text2, page, W(120), y, W(1900), 4);
    cmbRoadClass.place(page, W(2050), y, W(1900), platform::kBoxHeight);
    cmbRoadClass.setBackColor(platform::kInputColor);
    boxColumn(page, W(2050), y + r, W(1900), {txtElevation, txtRHO, txtTT});

    labelBox(Text3, page, W(4100), y, W(2350), 3);
    cmbvt.place(page, W(6500), y, W(1900), platform::kBoxHeight);
    cmbvt.setBackColor(platform::kInputColor);
    boxColumn(page, W(6500), y + r, W(1900), {txtP, txtCO_in_Air});

    y += 4 * r;
    Layout::frame(Frame2, page, "基准排放量及折减", W(120), y, W(8460), 3 * r + 450);
    const int fy = 280;
    labelBox(Text4, Frame2, W(100), fy, W(2900), 3);
    boxColumn(Frame2, W(3050), fy, W(1100), {txtq_co, txtDescRatio, txtDescYear});
    // Text5's first entry stands beside txtq_VI, and its last line (the percent sign) right after the
    // reduction rate.
    labelBox(Text5, Frame2, W(4200), fy, W(2300), 2);
    inputBox(txtq_VI, Frame2, W(6550), fy, W(1750));

    // The signatures stand beside the line frame; Tab reaches them last, after the emissions.
    labelBox(Text6, page, W(4400), namesTop, W(800), 3);
    boxColumn(page, W(5250), namesTop, W(3150), {txtName1, txtName2, txtName3});
}

void frmReq::buildPage2() {
    Container& page = frmList(1);
    layout_.caption(page, "隧道起点桩号:", W(120), 180, W(1300));
    inputBox(txtStartPile, page, W(1450), 150, W(1600));
    lblTunnelLength.place(page, W(3150), 180, W(5430), 300);
    lblTunnelLength.setForeColor(platform::vbRed);
    lblTunnelLength.setVisible(false);

    Layout::frame(Frame3, page, "坡度分段(仅需按纵断面图数据输入即可)", W(120), 550, W(4150), 2950);
    lstSlope.place(Frame3, W(100), 280, W(2200), 2550);
    layout_.caption(Frame3, "桩号:", W(2400), 300, W(1600));
    inputBox(txtSlopePile, Frame3, W(2400), 550, W(1600));
    layout_.caption(Frame3, "坡度(%):", W(2400), 950, W(1600));
    inputBox(txtSlopeRatio, Frame3, W(2400), 1200, W(1600));
    Layout::buttonColumn(Frame3, W(2400), 1650, W(1600), 350, 50,
                         {{&cmdAddSlope, "添加"}, {&cmdDeleteSlope, "删除"}, {&cmdUpdateSlope, "更新"}});

    Layout::frame(Frame4, page, "横断面分段", W(4400), 550, W(4180), 2950);
    lstSection.place(Frame4, W(100), 280, W(3980), 1350);
    // Two boxes a row; Tab runs along each row.
    const platform::Layout::Column left{
        .left = W(100), .labelWidth = W(1000) - W(100), .boxWidth = W(1000), .pitch = 400};
    const platform::Layout::Column right{
        .left = W(2080), .labelWidth = W(3200) - W(2080), .boxWidth = W(880), .pitch = 400};
    layout_.column(Frame4, left, 1700, {{"桩号:", &txtSectionPile}});
    layout_.column(Frame4, right, 1700, {{"面积(m^2)", &txtSectionArea}});
    layout_.column(Frame4, left, 2100, {{"周长(m)", &txtSectionPerimeter}});
    layout_.column(Frame4, right, 2100, {{"当量直径(m)", &txtSectionD}});
    Layout::buttons(Frame4, W(100), 2500, W(1250), 350, W(115),
                    {{&cmdAddSection, "添加"}, {&cmdDeleteSection, "删除"}, {&cmdUpdateSection, "更新"}});

    Layout::frame(Frame5, page, "通风计算区段划分", W(120), 3600, W(8460), 3100);
    lstSegment.place(Frame5, W(100), 280, W(7050), 2700);
    Layout::captioned(cmdRefreshSegment, Frame5, "更新", W(7250), 280, W(1100), 400);
    Layout::inputs({&txtSectionPile, &txtSectionArea, &txtSectionPerimeter});
}

void frmReq::buildPage3() {
    Container& page = frmList(2);
    const int r = rowPitch();

    Layout::frame(Frame6, page, "特征年与预测交通量(折算标准车)", W(120), 100, W(3700), 2950);
    lstTraffic.place(Frame6, W(100), 280, W(3500), 1500);
    layout_.column(Frame6, {.left = W(100), .labelWidth = W(700), .boxWidth = W(1000)}, 1870,
                   {{"特征年:", &txtYear}});
    layout_.column(Frame6, {.left = W(1900), .labelWidth = W(600), .boxWidth = W(1100)}, 1870,
                   {{"pcu/d:", &txtPcu}});
    Layout::buttons(Frame6, W(100), 2400, W(1100), 380, W(100),
                    {{&cmdAdd, "添加"}, {&cmdDelete, "删除"}, {&cmdUpdate, "更新"}});
    Layout::inputs({&txtYear, &txtPcu});

    const int y = 160;
    labelBox(Text10, page, W(3950), y, W(2700), 6);
    boxColumn(page, W(6700), y, W(1880),
              {txtTrafficRatio, txtMainDirectionRatio, shown(txtPCUVeh), shown(txtTraffic1), txtTraffic2,
               shown(txtNN)});

    const int cy = std::max(3120, y + 6 * r);
    Layout::captioned(chkTrafficTotal, page, "特征年预测交通量为上行和下行总和", W(120), cy, W(4000), 300);
    Layout::captioned(chkPetrol, page, "考虑汽油车烟雾排放    排放系数:", W(4250), cy, W(3200), 300);
    inputBox(txtPetrol, page, W(7500), cy, W(1080));
    Layout::captioned(chkRatioNotSame, page, "各特征年车型比例不同", W(120), cy + 360, W(4000), 300);

    const int ly = cy + 720;
    const int editorTop = pageHeight() - 420;
    lstTrafficAnalysis.place(page, W(120), ly, W(8460), editorTop - 60 - ly);
    lblTrafficType.place(page, W(120), editorTop + 40, W(1250), 300);
    layout_.caption(page, "比例", W(1400), editorTop + 40, W(450));
    inputBox(txtRatio1, page, W(1850), editorTop, W(700));
    layout_.caption(page, "换算比例", W(2650), editorTop + 40, W(800));
    inputBox(txtRatio2, page, W(3450), editorTop, W(700));
    layout_.caption(page, "柴油车占有率", W(4250), editorTop + 40, W(1100));
    inputBox(txtRatio3, page, W(5350), editorTop, W(700));
    Layout::buttons(page, W(6200), editorTop - 20, W(1100), 360, W(150),
                    {{&cmdRefreshTraffic, "更新"}, {&cmdCalculateTraffic, "计算"}});
}

void frmReq::buildPage4() {
    Container& page = frmList(3);
    const int r = rowPitch();

    Layout::frame(Frame12, page, "基本参数", 120, 60, 8460, 2150);
    // The CO row, then the smoke row; Tab runs along each.
    layout_.caption(Frame12, "CO基准排放量qco(m^3/辆.km)", 100, 260, 2600);
    resultBox(txtq_co_at_Year, Frame12, 100, 520, 2500);
    layout_.caption(Frame12, "设计工况", 2800, 220, 1600);
    lstCOModel.place(Frame12, 2800, 480, 1700, 820);
    lstCOModel.setBackColor(platform::kInputColor);
    Layout::captioned(chkDelta, Frame12, "由软件计算CO设计浓度δ(ppm)", 4650, 240, 3700, 300);
    inputBox(txtDelta, Frame12, 4650, 560, 1200);
    layout_.caption(Frame12, "工况车速(km/h)", 6000, 590, 1300);
    resultBox(txtworkv_t, Frame12, 7350, 560, 950);
    layout_.caption(Frame12, "VI基准排放量qvi(m^2/辆.km)", 100, 1120, 2600);
    resultBox(txtq_VI_at_Year, Frame12, 100, 1380, 2500);
    layout_.caption(Frame12, "光源类型", 2800, 1290, 1600);
    lstLightModel.place(Frame12, 2800, 1570, 1700, 560);
    lstLightModel.setBackColor(platform::kInputColor);
    Layout::captioned(chkKK, Frame12, "由软件计算VI设计浓度K(1/m):", 4650, 1100, 3700, 300);
    inputBox(txtKK, Frame12, 4650, 1420, 1200);

    const int rows = 6;
    const int segHeight = 300 + rows * r + 100;
    Layout::frame(Frame7, page, "区段需风量计算", 120, 2270, 8460, segHeight + 350);
    Layout::frame(Frame8, Frame7, "稀释CO新风量", 100, 250, 4100, segHeight);
    labelBox(Text8, Frame8, 80, 300, 2600, 6);
    boxColumn(Frame8, 2700, 300, 1300,
              {shown(txtf_a), shown(txtf_d), shown(txtf_h), shown(txtf_iv), shown(txtQQ_CO_SEGMENT),
               shown(txtQQ_req_CO_SEGMENT)});
    Layout::frame(Frame10, Frame7, "稀释烟尘的新风量", 4260, 250, 4100, segHeight);
    labelBox(Text9, Frame10, 80, 300, 2600, 5);
    boxColumn(Frame10, 2700, 300, 1300,
              {shown(txtf_a_VI), shown(txtf_h_VI), shown(txtf_iv_VI), shown(txtQQ_VI_SEGMENT),
               shown(txtQQ_req_VI_SEGMENT)});

    const int ty = 2270 + segHeight + 350 + 60;
    Layout::frame(Frame11, page, "全长需风量计算", 120, ty, 8460, pageHeight() - ty - 20);
    layout_.caption(Frame11, "CO排放量Qco(m^3/s)", 100, 330, 2000);
    resultBox(txtQQ_CO, Frame11, 2100, 300, 1500);
    layout_.caption(Frame11, "稀释CO的需风量Qreq(co)(m^3/s)", 3800, 330, 2900);
    resultBox(txtQQ_req_CO, Frame11, 6800, 300, 1500);
    layout_.caption(Frame11, "烟雾排放量Qvi(m^2/s)", 100, 730, 2000);
    resultBox(txtQQ_VI, Frame11, 2100, 700, 1500);
    layout_.caption(Frame11, "稀释烟雾的需风量Qreq(VI)(m^3/s)", 3800, 730, 2900);
    resultBox(txtQQ_req_VI, Frame11, 6800, 700, 1500);
    lblWarning4.place(Frame11, 100, 1010, 8260, 165);
    lblWarning4.setForeColor(platform::vbRed);
    lblWarning4.setVisible(false);
}

void frmReq::buildPage5() {
    Container& page = frmList(4);

    Layout::frame(Frame14, page, "基本参数", 120, 60, 8460, 720);
    layout_.caption(Frame14, "双向行车工况车速vt(km/h):", 100, 330, 2500);
    cmbWorkVt_Bidirection.place(Frame14, 2650, 300, 1300, platform::kBoxHeight);
    cmbWorkVt_Bidirection.setBackColor(platform::kInputColor);

    Layout::frame(Frame13, page, "设计浓度", 120, 850, 8460, 1050);
    concentrationSwitches(Frame13, chkDeltaBi, txtDelta_Bi, chkKKBi, txtKK_Bi, 3600, 3800, 1300);

    Layout::captioned(optBiDirectionMethod1, page, "按控制交通量计算", 120, 2020, 3000, 300);
    layout_.caption(page, "计算交通量系数(单向交通量的比率)", 3300, 2050, 3200);
    inputBox(txtBiDirection, page, 6550, 2020, 1300);
    Layout::captioned(optBiDirectionMethod2, page, "按控制通行车辆类型计算        (选择允许通行的车类型)",
                      120, 2420, 6500, 300);
    lstAllowVechileType.place(page, 400, 2800, 2800, 1900);
    lstAllowVechileType.setCheckBoxStyle(true);
    lstAllowVechileType.setBackColor(platform::kInputColor);
    layout_.caption(page, "设计交通量N(辆/h):", 3500, 2850, 1800);
    resultBox(txtNN_bidirection, page, 5350, 2820, 1500);

    Layout::frame(Frame15, page, "区段需风量计算", 120, 4850, 8460, 900);
    demandRow(Frame15, txtQQ_req_CO_Bidirection_SEGMENT, txtQQ_req_VI_Bidirection_SEGMENT, 370);

    Layout::frame(Frame16, page, "全长需风量计算", 120, 5850, 8460, 900);
    demandRow(Frame16, txtQQ_req_CO_Bidirection, txtQQ_req_VI_Bidirection, 370);
    lblWarning5.place(page, 3500, 3300, 5000, 1400);
    lblWarning5.setWordWrap(true);
    lblWarning5.setForeColor(platform::vbRed);
    lblWarning5.setVisible(false);
}

void frmReq::buildPage6() {
    Container& page = frmList(5);

    Layout::frame(frmBlock, page, "阻塞区段划分(注意:阻塞区段应布置于出洞口侧)", 120, 60, 8460, 2400);
    lstBlock.place(frmBlock, 100, 280, 5950, 2000);
    layout_.caption(frmBlock, "区段长度(m)", 6150, 310, 1050);
    inputBox(txtBlockLen, frmBlock, 7200, 280, 1150);
    layout_.caption(frmBlock, "车速(km/h)", 6150, 690, 1050);
    txtBlockVt.place(frmBlock, 7200, 660, 1150, platform::kBoxHeight);
    txtBlockVt.setBackColor(platform::kInputColor);
    layout_.caption(frmBlock, "需风量Q(CO)", 6150, 1070, 1050);
    resultBox(txtQQreq_CO_block, frmBlock, 7200, 1040, 1150);
    layout_.caption(frmBlock, "需风量Q(VI)", 6150, 1450, 1050);
    resultBox(txtQQreq_VI_block, frmBlock, 7200, 1420, 1150);
    Layout::buttons(frmBlock, 6150, 1880, 700, 380, 50,
                    {{&cmdAddBlock, "添加"}, {&cmdDeleteBlock, "删除"}, {&cmdUpdateBlock, "更新"}});

    Layout::frame(Frame17, page, "设计浓度", 120, 2520, 4150, 1050);
    concentrationSwitches(Frame17, chkDeltaBlock, txtDelta_block, chkKKBlock, txtKK_block, 2865, 2980, 1070);

    Layout::frame(Frame18, page, "全程阻滞需风量", 4400, 2520, 4180, 1050);
    layout_.caption(Frame18, "按CO浓度计算的需风量Qreq(m^3/s)", 100, 330, 3000);
    resultBox(txtQQ_req_CO_block, Frame18, 3100, 300, 980);
    layout_.caption(Frame18, "按VI浓度计算的需风量Qreq(m^3/s)", 100, 690, 3000);
    resultBox(txtQQ_req_VI_block, Frame18, 3100, 660, 980);

    Layout::frame(Frame19, page, "按规范1km阻滞需风量", 120, 3630, 8460, 1080);
    Layout::captioned(chkBlock, Frame19, "由软件搜索最大需风量位置", 100, 300, 3000, 300);
    layout_.caption(Frame19, "起始桩号", 3300, 330, 800);
    inputBox(txtBlockStartPile, Frame19, 4100, 300, 1400);
    layout_.caption(Frame19, "终止桩号", 5750, 330, 800);
    inputBox(txtBlockEndPile, Frame19, 6550, 300, 1400);
    demandRow(Frame19, txtQQ_req_CO_1kmblock, txtQQ_req_VI_1kmblock, 660);

    // A fixed picture of 450 × 132 pixels below the frames; the warning below it, across the page, where a
    // sentence reads as one.
    Picture1.place(page, 120, 4780, 450 * 15, 132 * 15);
    const int warningTop = 4780 + 132 * 15 + 60;
    lblWarning6.place(page, 120, warningTop, 8460, pageHeight() - warningTop - 60);
    lblWarning6.setWordWrap(true);
    lblWarning6.setForeColor(platform::vbRed);
    lblWarning6.setVisible(false);
}

void frmReq::buildPage7() {
    Container& page = frmList(6);
    const int r = rowPitch();

    Layout::frame(Frame20, page, "按换气次数要求计算", W(120), 60, W(8460), 1000);
    // The blanks of Label69 place its second caption over the second box: those two keep their places.
    Layout::captioned(Label69, Frame20,
                      "换气频率(次/h):                                    Qreq(m^3/s):", 100, 280, 6500, 255);
    inputBox(txtExchangeNum, Frame20, 100, 560, 2000);
    resultBox(txtQQ_req_exchange, Frame20, 3500, 560, 2000);
    Layout::captioned(cmdCalQQ_req_exchange, Frame20, "计算", W(6900), 520, W(1300), 380);

    Layout::frame(Frame21, page, "火灾工况需风量计算", W(120), 1120, W(8460), 5660 + extraHeight());

    // Right column: fire size, method, critical velocity, results; the plume method stands left of it.
    // Tab runs from the fire size through the method and both methods' frames to the results.
    const int x = W(4250);
    labelBox(txtFireLabel2, Frame21, x, 300, W(2200), 2);
    boxColumn(Frame21, x + W(2300), 300, W(1800), {txtHRR, txtAT});

    const int my = 300 + 2 * r + 60;
    Layout::frame(Frame22, Frame21, "计算方法", x, my, W(4110), 950);
    Layout::captioned(optQsMethod1.add(0), Frame22, "按临界风速Vcr计算", W(100), 260, W(3900), 300);
    Layout::captioned(optQsMethod1.add(1), Frame22, "按大面积火源羽流烟气生成量计算", W(100), 580, W(3900),
                      300);

    const int cy = my + 1010;
    Layout::frame(frmQsMethod.add(0), Frame21, "按临界风速Vcr计算", x, cy, W(4110), 1250 + 2 * r);
    const char* formulas[3] = {"按照Heselden, Danziger, Kennedy公式计算", "按照Oka, Atkinson公式计算",
                               "按照Wu, Bakar公式计算"};
    for (int i = 0; i < 3; ++i) {
        Layout::captioned(optCrMehthod.add(i), frmQsMethod(0), formulas[i], W(100), 260 + i * 300, W(3950),
                          300);
    }
    labelBox(Text11, frmQsMethod(0), W(80), 1200, W(2150), 2);
    boxColumn(frmQsMethod(0), W(2300), 1200, W(1700), {txtTunnelH, shown(txtvcr)});

    // Left column: the plume method with its ten boxes.
    Layout::frame(frmQsMethod.add(1), Frame21, "按大面积火源羽流烟气生成量计算", W(100), 250, W(4050),
                  5300 + extraHeight());
    labelBox(txtFireLabel, frmQsMethod(1), W(80), 300, W(2550), 10);
    boxColumn(frmQsMethod(1), W(2650), 300, W(1300),
              {txtFireSize, txtPerimeter, txtCH, txtDSL, shown(txtHOR), shown(txtMPRS), txtPRL, shown(txtCHO),
               shown(txtTSLA), shown(txtST)});

    const int ry = cy + 1250 + 2 * r + 100;
    lblAirDensity.place(Frame21, x, ry + 30, W(2250), 255);
    resultBox(txtAD, Frame21, x + W(2300), ry, W(1800));
    layout_.caption(Frame21, "需风量Qs(m^3/s):", x, ry + 430, W(2250));
    resultBox(txtQs, Frame21, x + W(2300), ry + 400, W(1800));
}

void frmReq::connectEvents() {
    // Names and descriptions are texts; the editors of the lists and the optional factors may be left empty.
    platform::Layout::entries(
        {.texts = {&txtProjectName, &txtProjectDiscribe, &txtName1, &txtName2, &txtName3},
         .optionalNumbers = {&txtSlopePile, &txtSlopeRatio, &txtSectionPile, &txtSectionArea,
                             &txtSectionPerimeter, &txtRatio1, &txtRatio2, &txtRatio3, &txtPetrol,
                             &txtExchangeNum, &txtDelta_Bi, &txtKK_Bi, &txtDelta_block, &txtKK_block,
                             &txtSectionD},
         // The section editor's diameter is computed but may be typed over, and goes into the row as it
         // stands.
         .numbers = {&txtSectionD},
         .numberLists = {&cmbvt, &cmbWorkVt_Bidirection, &txtBlockVt},
         .textLists = {&cmbRoadClass}});
    // What the program computes into these boxes its calculations read back, and the engineer may type over
    // it: a typo is marked there, a box not computed yet is not.
    const std::vector<TextBox*> computed{&txtNN,      &txtq_co_at_Year, &txtq_VI_at_Year, &txtworkv_t,
                                         &txtf_a,     &txtf_d,          &txtf_h,          &txtf_iv,
                                         &txtQQ_CO,   &txtQQ_req_CO,    &txtf_a_VI,       &txtf_h_VI,
                                         &txtf_iv_VI, &txtQQ_VI,        &txtQQ_req_VI};
    platform::Layout::entries({.optionalNumbers = computed, .numbers = computed});
    // A station or length far beyond any tunnel is a typo: marked where it is typed, and never a length.
    for (platform::TextBox* box : {&txtStartPile, &txtSlopePile, &txtSectionPile, &txtBlockLen,
                                   &txtBlockStartPile, &txtBlockEndPile}) {
        box->setRangeCheck(app::station_range_problem);
    }
    platform::Connect(txtStartPile.Change, this, &frmReq::showTunnelLengthWarning);
    // Menus and toolbar.
    platform::Connect(mnuFileNew.Click, this, &frmReq::mnuFileNew_Click);
    platform::Connect(mnuFileOpen.Click, this, &frmReq::mnuFileOpen_Click);
    platform::Connect(mnuFileSave.Click, this, &frmReq::mnuFileSave_Click);
    platform::Connect(mnuFileSaveAs.Click, this, &frmReq::mnuFileSaveAs_Click);
    platform::Connect(mnuFileExit.Click, this, &frmReq::mnuFileExit_Click);
    platform::Connect(mnuToolsmnuFire.Click, this, &frmReq::mnuToolsmnuFire_Click);
    platform::Connect(mnuToolsmnuConstructionVent.Click, this, &frmReq::mnuToolsmnuConstructionVent_Click);
    platform::Connect(mnuLighting.Click, this, &frmReq::mnuLighting_Click);
    platform::Connect(mnuToolsmnuFanPowerAnalysis.Click, this, &frmReq::mnuToolsmnuFanPowerAnalysis_Click);
    platform::Connect(mnuToolsmnuJetDB.Click, this, &frmReq::mnuToolsmnuJetDB_Click);
    platform::Connect(mnuToolSectionQreq.Click, this, &frmReq::mnuToolSectionQreq_Click);
    platform::Connect(mnuSectionPressure.Click, this, &frmReq::mnuSectionPressure_Click);
    platform::Connect(mnuJetPressure.Click, this, &frmReq::mnuJetPressure_Click);
    platform::Connect(mnuToolReport.Click, this, &frmReq::mnuToolReport_Click);
    platform::Connect(mnuHelpContents.Click, this, &frmReq::mnuHelpContents_Click);
    platform::Connect(mnuHelpAbout.Click, this, &frmReq::mnuHelpAbout_Click);
    platform::Connect(tbToolBar.ButtonClick, this, &frmReq::tbToolBar_ButtonClick);

    // Window frame.
    platform::Connect(pgMain.Click, this, &frmReq::pgMain_Click);
    platform::Connect(lstYear.ItemClick, this, &frmReq::lstYear_ItemClick);
    platform::Connect(lstCalSegment.ItemClick, this, &frmReq::lstCalSegment_ItemClick);
    platform::Connect(sclVt.Change, this, &frmReq::sclVt_Change);
    platform::Connect(cmdNextStep.Click, this, &frmReq::cmdNextStep_Click);

    // Page 1.
    platform::Connect(cmbRoadClass.Change, this, &frmReq::cmbRoadClass_Change);
    platform::Connect(cmbvt.Change, this, &frmReq::cmbvt_Change);
    // A pick from the list changes the text as much as typing does.
    platform::Connect(cmbRoadClass.Click, this, &frmReq::cmbRoadClass_Change);
    platform::Connect(cmbvt.Click, this, &frmReq::cmbvt_Change);
    platform::Connect(txtElevation.Change, this, &frmReq::txtElevation_Change);
    platform::Connect(txtDescRatio.Change, this, &frmReq::txtDescRatio_Change);
    platform::Connect(txtDescYear.Change, this, &frmReq::txtDescYear_Change);

    // Page 2.
    platform::Connect(txtStartPile.MouseMove, this, &frmReq::txtStartPile_MouseMove);
    platform::Connect(lstSlope.ItemClick, this, &frmReq::lstSlope_ItemClick);
    platform::Connect(cmdAddSlope.Click, this, &frmReq::cmdAddSlope_Click);
    platform::Connect(cmdDeleteSlope.Click, this, &frmReq::cmdDeleteSlope_Click);
    platform::Connect(cmdUpdateSlope.Click, this, &frmReq::cmdUpdateSlope_Click);
    platform::Connect(lstSection.ItemClick, this, &frmReq::lstSection_ItemClick);
    platform::Connect(cmdAddSection.Click, this, &frmReq::cmdAddSection_Click);
    platform::Connect(cmdDeleteSection.Click, this, &frmReq::cmdDeleteSection_Click);
    platform::Connect(cmdUpdateSection.Click, this, &frmReq::cmdUpdateSection_Click);
    platform::Connect(txtSectionArea.Change, this, &frmReq::txtSectionArea_Change);
    platform::Connect(txtSectionPerimeter.Change, this, &frmReq::txtSectionPerimeter_Change);
    platform::Connect(cmdRefreshSegment.Click, this, &frmReq::cmdRefreshSegment_Click);

    // Page 3.
    platform::Connect(lstTraffic.ItemClick, this, &frmReq::lstTraffic_ItemClick);
    platform::Connect(cmdAdd.Click, this, &frmReq::cmdAdd_Click);
    platform::Connect(cmdAdd.MouseMove, this, &frmReq::cmdAdd_MouseMove);
    platform::Connect(cmdDelete.Click, this, &frmReq::cmdDelete_Click);
    platform::Connect(cmdUpdate.Click, this, &frmReq::cmdUpdate_Click);
    platform::Connect(txtYear.Change, this, &frmReq::txtYear_Change);
    platform::Connect(txtMainDirectionRatio.MouseMove, this, &frmReq::txtMainDirectionRatio_MouseMove);
    platform::Connect(chkTrafficTotal.Click, this, &frmReq::chkTrafficTotal_Click);
    platform::Connect(chkPetrol.Click, this, &frmReq::chkPetrol_Click);
    platform::Connect(chkPetrol.MouseMove, this, &frmReq::chkPetrol_MouseMove);
    platform::Connect(chkRatioNotSame.Click, this, &frmReq::chkRatioNotSame_Click);
    platform::Connect(lstTrafficAnalysis.ItemClick, this, &frmReq::lstTrafficAnalysis_ItemClick);
    platform::Connect(cmdRefreshTraffic.Click, this, &frmReq::cmdRefreshTraffic_Click);
    platform::Connect(cmdCalculateTraffic.Click, this, &frmReq::cmdCalculateTraffic_Click);

    // Pages 4 to 6 show the totals of the inputs beside them: a change of one recomputes the open page, as
    // a pick of a year, a segment or a speed does.
    // Page 4.
    platform::Connect(Frame10.MouseMove, this, &frmReq::Frame10_MouseMove);
    platform::Connect(Frame11.MouseMove, this, &frmReq::Frame11_MouseMove);
    platform::Connect(Frame12.MouseMove, this, &frmReq::Frame12_MouseMove);
    platform::Connect(txtq_co_at_Year.MouseMove, this, &frmReq::txtq_co_at_Year_MouseMove);
    platform::Connect(txtq_VI_at_Year.MouseMove, this, &frmReq::txtq_VI_at_Year_MouseMove);
    // The models reach the totals through the δ and K they write.
    platform::Connect(lstCOModel.Click, this, &frmReq::lstCOModel_Click);
    platform::Connect(lstLightModel.Click, this, &frmReq::lstLightModel_Click);
    chkDelta.Click = recomputing(4, &frmReq::chkDelta_Click);
    platform::Connect(chkDelta.MouseMove, this, &frmReq::chkDelta_MouseMove);
    chkKK.Click = recomputing(4, &frmReq::chkKK_Click);
    platform::Connect(chkKK.MouseMove, this, &frmReq::chkKK_MouseMove);
    txtDelta.Change = recomputing(4);
    txtKK.Change = recomputing(4);

    // Page 5.
    cmbWorkVt_Bidirection.Click = recomputing(5);
    cmbWorkVt_Bidirection.Change = recomputing(5);
    platform::Connect(Frame13.MouseMove, this, &frmReq::Frame13_MouseMove);
    chkDeltaBi.Click = recomputing(5, &frmReq::chkDeltaBi_Click);
    platform::Connect(chkDeltaBi.MouseMove, this, &frmReq::chkDeltaBi_MouseMove);
    chkKKBi.Click = recomputing(5, &frmReq::chkKKBi_Click);
    platform::Connect(chkKKBi.MouseMove, this, &frmReq::chkKKBi_MouseMove);
    txtDelta_Bi.Change = recomputing(5);
    txtKK_Bi.Change = recomputing(5);
    optBiDirectionMethod1.Click = recomputing(5, &frmReq::optBiDirectionMethod1_Click);
    optBiDirectionMethod2.Click = recomputing(5, &frmReq::optBiDirectionMethod2_Click);
    txtBiDirection.Change = recomputing(5, &frmReq::txtBiDirection_Change);
    lstAllowVechileType.Change = recomputing(5);

    // Page 6; the block editor's boxes count once 添加 or 更新 puts them into a row.
    platform::Connect(lstBlock.ItemClick, this, &frmReq::lstblock_ItemClick);
    platform::Connect(cmdAddBlock.Click, this, &frmReq::cmdAddBlock_Click);
    platform::Connect(cmdDeleteBlock.Click, this, &frmReq::cmdDeleteBlock_Click);
    platform::Connect(cmdUpdateBlock.Click, this, &frmReq::cmdUpdateBlock_Click);
    chkDeltaBlock.Click = recomputing(6, &frmReq::chkDeltaBlock_Click);
    chkKKBlock.Click = recomputing(6, &frmReq::chkKKBlock_Click);
    txtDelta_block.Change = recomputing(6);
    txtKK_block.Change = recomputing(6);
    chkBlock.Click = recomputing(6, &frmReq::chkBlock_Click);
    txtBlockStartPile.Change = recomputing(6);
    txtBlockEndPile.Change = recomputing(6);

    // Page 7.
    platform::Connect(cmdCalQQ_req_exchange.Click, this, &frmReq::cmdCalQQ_req_exchange_Click);
    optCrMehthod.on(&platform::OptionButton::Click, [this](int i) { optCrMehthod_Click(i); });
    optQsMethod1.on(&platform::OptionButton::Click, [this](int i) { optQsMethod1_Click(i); });
}

void frmReq::Form_Load() {
    // The jet-fan model table handles its own failures.
    modPublic::LoadJetModels();
    if (modPublic::AppFolder.empty()) {
        modPublic::AppFolder = platform::AppPath();
    }

    // From here every step is guarded: a failing step is skipped and the next one runs.
    guarded([this] {
        for (int i = 0; i <= 6; ++i) {
            frmList(i).setVisible(false);
            frmList(i).Move(200, 800, widePage(i) ? kWidePageWidth : kPageWidth, pageHeight());
            frmList(i).setBorderStyle(0);
        }
        setWidth(kWidth);
        setHeight(9300 + extraHeight());
        pgMain.setWidth(kTabWidth);
        pgMain.setHeight(7200 + extraHeight());
        showPickers(false);
        frmList(0).setVisible(true);
        iCurrentPage = 0;
    });
    guarded([] { modPublic::WorkSpeeds.items = {100, 80, 70, 60, 50, 40, 30, 20, 10}; });
    guarded([] {
        // Every coefficient would read 0 without its table, so the engineer is told once which are missing.
        const std::vector<std::string> missing = modPublic::LoadCoefTables();
        if (!missing.empty()) {
            std::string keys;
            for (const auto& k : missing) {
                keys += (keys.empty() ? "" : ", ") + k;
            }
            platform::MsgBox("系数表文件 configfiles\\autocadconfig.txt 中以下系数表未能读入: " + keys +
                                 "\r\n与之相关的系数将按0计算.",
                             platform::vbOKOnly, "出错");
        }
    });
    guarded([this] {
        for (const vb::Integer speed : modPublic::WorkSpeeds) {
            const std::string text = vb::CStr(speed);
            cmbvt.AddItem(text);
            txtBlockVt.AddItem(text);
            cmbWorkVt_Bidirection.AddItem(text);
        }
    });
    guarded([this] {
        platform::AddItems(cmbRoadClass, kRoadClasses);
        cmbRoadClass.setListIndex(2);
    });
    guarded([this] {
        lstCOModel.AddItem("纵向通风");
        lstCOModel.AddItem("横向通风");
        lstCOModel.AddItem("人车混行隧道");
        lstCOModel.setListIndex(0);
        lstLightModel.AddItem("钠灯光源");
        lstLightModel.AddItem("荧光灯光源");
        lstLightModel.setListIndex(0);
    });
    guarded([this] { cmbvt.setListIndex(0); });
    guarded([this] {
        Layout::headings(lstTraffic, {{"特征年", 1000}, {"pcu/d", 1600}});
        Layout::headings(lstBlock,
                         {{"区段长度(m)", 1600}, {"车速", 1000}, {" Qreq(CO)", 1600}, {" Qreq(VI)", 1600}});
        Layout::headings(lstTrafficAnalysis, {{"车型", 1200},
                                              {"比例", 800},
                                              {"换算比例", 800},
                                              {"数量", 1200},
                                              {"柴油车占有率", 600},
                                              {"柴油车数量", 1200},
                                              {"汽油车数量", 1200},
                                              {"车型折合(CO)", 1200},
                                              {"车型折合(VI)", 1200}});
        lstTrafficAnalysis.ListItems.Clear();
        for (const char* c : kTrafficRowCaptions) {
            lstTrafficAnalysis.ListItems.Add(c);
        }
        Layout::headings(lstSlope, {{"桩号", 1200}, {"坡度", 800}});
        Layout::headings(lstSection,
                         {{"桩号", 1200}, {"面积(m^2)", 800}, {"周长(m)", 800}, {"当量直径(m)", 800}});
        Layout::headings(lstSegment, {{"编号", 400},
                                      {"起始桩号(m)", 1200},
                                      {"终止桩号(m)", 1200},
                                      {"坡度", 800},
                                      {"面积(m^2)", 800},
                                      {"当量直径(m)", 800},
                                      {"车速(km/h)", 800}});
    });
    guarded([this] {
        lstAllowVechileType.Clear();
        platform::AddItems(lstAllowVechileType, kTwoWayClasses);
    });
    guarded([this] { chkBlock_Click(); });
    guarded([this] { RefreshData(false); });
    guarded([this] {
        modPublic::ProjectFile = platform::AppPath() + "\\ConfigFiles\\Normal.vnt";
        OpenFile();
    });
    showFirstRows();
    modPublic::ProjectFile.clear();
    guarded([this] { writeLabelBoxTexts(); });
}

void frmReq::writeLabelBoxTexts() {
    Text1.setSilently(joinEntries({"项目名称:", "工程概况:"}));
    Text2.setSilently(joinEntries({"公路等级:", "计算海拔E(m):", "空气密度(kg/m^3):", "夏季设计气温T(K):"}));
    Text3.setSilently(joinEntries({"设计时速vt(km/h): ", "隧址设计气压P(kPa):", "空气中CO平均浓度(ppm):"}));
    Text4.setSilently(
        joinEntries({"CO基准排放量qco(m^3/辆.km)", "排放量折减率:", "排放量折减率起算特征年:"}));
    Text5.setSilently(joinEntries({"烟雾基准排放量qvi(m^2/辆.km)", " %(\"-\"号不用填)"}));
    Text6.setSilently(joinEntries({"计算: ", "复核:", "审核:"}));
    Text10.setSilently(joinEntries({"预测交通量缩放系数:", "方向不均匀系数:", "当量标准车(Pcu/veh):",
                                    "交通量(混合):", "设计小时交通量系数:", "设计交通量N(混合)(辆/h):"}));
    Text8.setSilently(joinEntries({"车况系数fa", "车密度系数fd", "海拔高度系数fh", "纵坡-车速系数fiv",
                                   "区段CO排放量Qco(m^3/s)", "区段需风量Qreq(co)(m^3/s)"}));
    Text9.setSilently(joinEntries({"车况系数fa(vi)", "海拔高度系数fh(VI)", "纵坡-车速系数fiv(VI)",
                                   "区段VI排放量Qvi(m^2/s)", "区段需风量Qreq(VI)(m^3/s)"}));
    txtFireLabel.setSilently(
        joinEntries({"火源面积(m^2):", "火源周长(m):", "排烟道(天花板)高度(m):", "烟气层厚度(m):",
                     "面积热释放率(MW/m^2):", "烟气生成量(kg/s):", "热辐射率(%):", "对流热释放率(MW):",
                     "烟雾温升(K):", "烟气温度(K):"}));
    txtFireLabel2.setSilently(joinEntries({"火灾释热量(MW):", "环境温度(K):"}));
    Text11.setSilently(joinEntries({"隧道(水力)高度H(m):", "临界风速vcr(m/s):"}));
}

void frmReq::pgMain_Click() {
    const int k = pgMain.SelectedIndex();
    if (k < 1 || k > 7 || k == iCurrentPage + 1) {
        return;
    }
    frmList(k - 1).setVisible(true);
    frmList(iCurrentPage).setVisible(false);
    iCurrentPage = k - 1;
    // The window keeps its size: the pickers stand beside pages 4 to 6 and give their room to the others.
    showPickers(k >= 4 && k <= 6);

    if (k == 2) {
        showTunnelLengthWarning();
    }
    if (k == 7) {
        guarded([this] { CalQQ_req_exchange(-1); });
        return;
    }
    if (k <= 3) {
        return;
    }
    if (lstSegment.ListItems.Count() == 0) {
        platform::MsgBox("尚未划分区段,请在第二个表单正确划分计算区段.", platform::vbOKOnly, "");
        return;
    }
    fillPickers(k, false);
    guarded([this] {
        if (ListItem* segment = lstCalSegment.SelectedItem()) {
            lstCalSegment_ItemClick(*segment);
        }
    });
}

void frmReq::fillPickers(int k, bool silently) {
    guarded([this] {
        lstYear.ListItems.Clear();
        lstYear.ColumnHeaders.Clear();
        lstYear.ColumnHeaders.Add("特征年");
        lstYear.ColumnHeaders.Add("pcu/d");
        for (int i = 1; i <= lstTraffic.ListItems.Count(); ++i) {
            ListItem& row = lstTraffic.ListItems(i);
            lstYear.ListItems.Add(row.Text()).setSubItems(1, row.SubItems(1));
        }
    });
    guarded([this] {
        for (int i = 1; i <= lstYear.ListItems.Count(); ++i) {
            if (lstYear.ListItems(i).Text() == txtYear.Text()) {
                lstYear.select(i);
                break;
            }
        }
    });
    guarded([this] {
        lstCalSegment.ListItems.Clear();
        lstCalSegment.ColumnHeaders.Clear();
        for (int c = 1; c <= lstSegment.ColumnHeaders.Count(); ++c) {
            lstCalSegment.ColumnHeaders.Add(lstSegment.ColumnHeaders(c).Text(),
                                            lstSegment.ColumnHeaders(c).Width());
        }
        for (int i = 1; i <= lstSegment.ListItems.Count(); ++i) {
            ListItem& row = lstSegment.ListItems(i);
            ListItem& copy = lstCalSegment.ListItems.Add(row.Text());
            for (int c = 1; c <= 6; ++c) {
                copy.setSubItems(c, row.SubItems(c));
            }
        }
    });
    guarded([this] { lstCalSegment.select(lstSegment.SelectedIndex()); });
    guarded([this, k] {
        sclVt.setEnabled(true);
        lstCalSegment.setEnabled(true);
        if (k == 5 || k == 6) {
            sclVt.setEnabled(false);
        }
        if (k == 6) {
            lstCalSegment.setEnabled(false);
        }
    });
    guarded([this] {
        const ListItem* year = lstYear.SelectedItem();
        const ListItem* segment = lstCalSegment.SelectedItem();
        lblYear.setCaption("选择特征年:" + (year != nullptr ? year->Text() : std::string()));
        lblSegment.setCaption("选择计算区段:" + (segment != nullptr ? segment->Text() : std::string()));
    });
    guarded([this, silently] {
        // A speed outside the bar's range leaves it as it was.
        if (const auto speed = vb::CInt(workv_t)) {
            if (!silently) {
                sclVt.set(*speed);
            } else if (sclVt.setSilently(*speed)) {
                lblvt.setCaption("选择工况车速vt(km/h):" + vb::CStr(*speed));
            }
        }
    });
}

void frmReq::optCrMehthod_Click(int) {
    if (optCrMehthod(2).Value()) {
        txtTunnelH.setEnabled(false);
        txtTunnelH.setBackColor(txtQs.BackColor());
    } else {
        txtTunnelH.setEnabled(true);
        txtTunnelH.setBackColor(txtHRR.BackColor());
    }
}

void frmReq::optQsMethod1_Click(int) {
    for (int i = 0; i <= 1; ++i) {
        frmQsMethod(i).setEnabled(optQsMethod1(i).Value());
    }
}

void frmReq::mnuHelpContents_Click() {
    platform::MsgBox("请参阅安装目录下的<<Kelvora-Aridane用户文件.pdf>>", platform::vbOKOnly, "");
}

void frmReq::tbToolBar_ButtonClick(platform::ToolbarButton& Button) {
    tbToolBar_Dispatch(Button.Key());
}

void frmReq::tbToolBar_Dispatch(const std::string& key) {
    if (key == "新建") {
        mnuFileNew_Click();
    } else if (key == "打开") {
        mnuFileOpen_Click();
    } else if (key == "保存") {
        mnuFileSave_Click();
    }
}

void frmReq::txtStartPile_MouseMove() {
    modPublic::ShowStatusHelp("REQ_2_1");
}
void frmReq::Frame10_MouseMove() {
    modPublic::ShowStatusHelp("REQ_2_2");
}
void frmReq::Frame11_MouseMove() {
    modPublic::ShowStatusHelp("REQ_2_2");
}
void frmReq::Frame12_MouseMove() {
    modPublic::ShowStatusHelp("REQ_2_2");
}
void frmReq::Frame13_MouseMove() {
    modPublic::ShowStatusHelp("REQ_2_2");
}
void frmReq::cmdAdd_MouseMove() {
    modPublic::ShowStatusHelp("REQ_3_1");
}
void frmReq::txtMainDirectionRatio_MouseMove() {
    modPublic::ShowStatusHelp("REQ_3_2");
}
void frmReq::chkPetrol_MouseMove() {
    modPublic::ShowStatusHelp("REQ_3_3");
}
void frmReq::txtq_co_at_Year_MouseMove() {
    modPublic::ShowStatusHelp("REQ_4_1");
}
void frmReq::txtq_VI_at_Year_MouseMove() {
    modPublic::ShowStatusHelp("REQ_4_1");
}
void frmReq::chkDelta_MouseMove() {
    modPublic::ShowStatusHelp("REQ_4_2");
}
void frmReq::chkKK_MouseMove() {
    modPublic::ShowStatusHelp("REQ_4_2");
}
void frmReq::chkDeltaBi_MouseMove() {
    modPublic::ShowStatusHelp("REQ_4_2");
}
void frmReq::chkKKBi_MouseMove() {
    modPublic::ShowStatusHelp("REQ_4_2");
}

void modPublic::ShowStatusHelp(const std::string& sKey, const std::string&) {
    if (!platform::Forms::isLoaded<frmReq>()) {
        return;
    }
    if (const auto hint = modPublic::HelpText(sKey, modPublic::HelpFile())) {
        platform::Forms::instance<frmReq>().sbStatusBar.Panels(1).setText(*hint);
    }
}

void modPublic::ShowWrittenFile(const std::string& path, bool open) {
    if (platform::Forms::isLoaded<frmReq>()) {
        platform::Forms::instance<frmReq>().sbStatusBar.Panels(1).setText("文件已写入：" + path);
    }
    if (open) {
        platform::OpenTextViewer(path);
    }
}
