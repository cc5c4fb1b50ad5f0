// SPDX-License-Identifier: GPL-3.0-or-later
// The project files of the main window (.req, .vnt and the four values it takes from .par) and the
// commands of the File menu.
#include "app/frmReq.h"

#include "app/guarded.h"
#include "app/design_years.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/scheme_file.h"
#include "platform/text_file.h"
#include "platform/vb.h"

#include <array>
#include <cctype>
#include <cmath>
#include <exception>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using app::guarded;

namespace {

namespace fs = std::filesystem;

constexpr const char* kDialogTitle = "选择通风分析工程文件";
constexpr const char* kDialogFilter = "通风分析工程文件|*.vnt";
constexpr const char* kSaveQuestion = "退出之前需要保存吗?";
constexpr const char* kSaveQuestionTitle = "保存提示！";
constexpr const char* kStep1 = "Step 1: 隧道需风量计算-";

/// Companions of the other windows that Save As carries to the new name, in copying order.
constexpr std::array<const char*, 19> kCompanionSuffixes = {
    ".sj",
    ".par",
    ".jet",
    ".msj",
    ".se",
    ".con",
    ".fir",
    ".cvt",
    ".tra",
    ".bgh",
    ".lmp",
    "_纯射流风机通风运营控制表.tab",
    "_单竖井送排式通风+射流风机运营控制表.tab",
    "_纯射流风机通风.rpt",
    "_单竖井送排式结合射流风机通风.rpt",
    "_多竖井送排式结合射流风机通风.rpt",
    "_需风量.rpt",
    "_竖井排出式通风.rpt",
    "_集中送入式通风.rpt",
};

/// The project's base name: its .vnt path less the last four characters.
std::string BaseName(const std::string& projectFile) {
    return projectFile.size() >= 4 ? projectFile.substr(0, projectFile.size() - 4) : std::string();
}

/// A file of the project as a local path.
std::string ProjectPath(const std::string& suffix) {
    return platform::ResolvePath(BaseName(modPublic::ProjectFile) + suffix);
}

bool EndsWithVnt(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return ext == ".vnt";
}

/// The base name rule takes four characters off every project path, so a name chosen without the
/// extension gets it: "隧道1" would otherwise become the base "隧" and its companions land elsewhere.
std::string WithVnt(const std::string& path) {
    return EndsWithVnt(path) ? path : path + ".vnt";
}

bool Readable(const std::string& path) {
    try {
        return textfile::ReadBytes(path).has_value();
    } catch (...) {
        return false;
    }
}

std::optional<long long> WholeOf(const std::string& text) {
    const std::optional<double> value = vb::StrictNumber(text);
    if (!value) {
        return std::nullopt;
    }
    const double r = vb::RoundHalfEven(*value);
    if (!(r >= -9.0e18 && r <= 9.0e18)) {
        return std::nullopt;
    }
    return static_cast<long long>(r);
}

std::optional<int> IntOf(double value) {
    const double r = vb::RoundHalfEven(value);
    if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    return static_cast<int>(r);
}

std::optional<bool> BooleanOf(const std::string& text) {
    auto upper = text;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (upper == "#TRUE#") {
        return true;
    }
    if (upper == "#FALSE#") {
        return false;
    }
    const std::optional<double> value = vb::StrictNumber(text);
    if (!value || std::isnan(*value)) {
        return std::nullopt;
    }
    return *value != 0.0;
}

/// The project reader's field stream. A file that cannot be opened reads as an endless run of empty
/// texts, which empties what the file feeds. A file that ends early stops there: every read past its end
/// gives nothing, so the controls the missing fields feed keep their values.
class FieldStream {
public:
    explicit FieldStream(const std::string& path) { opened_ = reader_.Open(path); }

    bool opened() const { return opened_; }
    /// True once a read found the end of the file.
    bool ended() const { return ended_; }

    std::optional<std::string> text() {
        if (!opened_) {
            return std::string();
        }
        if (ended_) {
            return std::nullopt;
        }
        std::optional<std::string> field = reader_.NextText();
        if (!field) {
            ended_ = true;
        }
        return field;
    }
    /// Reads n fields into a record; a field past the end stays nullopt.
    std::vector<std::optional<std::string>> record(std::size_t n) {
        std::vector<std::optional<std::string>> fields;
        fields.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            fields.push_back(text());
        }
        return fields;
    }
    void skip(std::size_t n = 1) {
        for (std::size_t i = 0; i < n && !ended_; ++i) {
            text();
        }
    }
    /// A row count: the leading number, rounded; nullopt past the end.
    std::optional<long long> count() {
        const std::optional<std::string> field = text();
        if (!field) {
            return std::nullopt;
        }
        const double r = vb::RoundHalfEven(vb::Val(*field));
        if (!(r >= -9.0e18 && r <= 9.0e18)) {
            return 0;
        }
        return static_cast<long long>(r);
    }

private:
    scheme::SchemeReader reader_;
    bool opened_ = false;
    bool ended_ = false;
};

void ApplyText(platform::TextBox& box, const std::optional<std::string>& field) {
    if (field) {
        box.set(*field);
    }
}

void ApplyComboText(platform::ComboBox& box, const std::optional<std::string>& field) {
    if (field) {
        box.setText(*field);
    }
}

/// A check box stored as its state: a whole number that fails keeps the box as it is.
void ApplyCheck(platform::CheckBox& box, const std::optional<std::string>& field) {
    if (!field) {
        return;
    }
    if (const auto v = WholeOf(*field); v && *v >= 0 && *v <= 2) {
        box.set(static_cast<int>(*v));
    }
}

void ApplyOption(platform::OptionButton& option, const std::optional<std::string>& field) {
    if (!field) {
        return;
    }
    if (const auto v = BooleanOf(*field)) {
        option.set(*v);
    }
}

/// A list position stored as a leading number; a position outside the list is refused by the list.
void ApplyListIndex(platform::ListBox& list, const std::optional<std::string>& field) {
    if (!field) {
        return;
    }
    if (const auto i = IntOf(vb::Val(*field))) {
        list.setListIndex(*i);
    }
}

/// Empties a list view and reads its rows: a count, then one record of `columns` texts per row. A row
/// cut off by the end of the file is not added.
void ReadRows(FieldStream& in, platform::ListView& list, int columns) {
    const std::optional<long long> n = in.count();
    if (!n) {
        return;
    }
    list.ListItems.Clear();
    for (long long r = 0; r < *n && !in.ended(); ++r) {
        const auto fields = in.record(static_cast<std::size_t>(columns));
        if (in.ended()) {
            break;
        }
        platform::ListItem& item = list.ListItems.Add(*fields[0]);
        for (int c = 1; c < columns; ++c) {
            item.setSubItems(c, *fields[static_cast<std::size_t>(c)]);
        }
    }
}

void WriteRows(scheme::SchemeWriter& out, platform::ListView& list, int columns) {
    const int n = list.ListItems.Count();
    out.Whole(n).EndRecord();
    for (int r = 1; r <= n; ++r) {
        platform::ListItem& item = list.ListItems(r);
        out.Text(item.Text());
        for (int c = 1; c < columns; ++c) {
            out.Text(item.SubItems(c));
        }
        out.EndRecord();
    }
}

/// Copies the companions of the old project to the new base name; a missing source is passed over, an
/// existing destination replaced, and a copy that fails passed over.
void CopyCompanions(const std::string& oldProjectFile, const std::string& newProjectFile) {
    const std::string oldBase = BaseName(oldProjectFile);
    const std::string newBase = BaseName(newProjectFile);
    for (const char* suffix : kCompanionSuffixes) {
        guarded([&] {
            const fs::path from = platform::ResolvePath(oldBase + suffix);
            const fs::path to = platform::ResolvePath(newBase + suffix);
            std::error_code ec;
            if (!fs::is_regular_file(from, ec)) {
                return;
            }
            if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) {
                return;
            }
            fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
        });
    }
}

/// Whether `name` is a lighting case file of a project whose file names start with `stem`: the stem, then
/// "_" and three whole numbers joined by "_", then ".lgh".
bool IsLightingCaseOf(const std::string& name, const std::string& stem) {
    const std::string ext = ".lgh";
    if (name.size() <= stem.size() + ext.size() || name.compare(0, stem.size(), stem) != 0 ||
        name.compare(name.size() - ext.size(), ext.size(), ext) != 0) {
        return false;
    }
    const std::string middle = name.substr(stem.size(), name.size() - stem.size() - ext.size());
    int numbers = 0;
    std::size_t i = 0;
    while (i < middle.size()) {
        if (middle[i] != '_' || i + 1 >= middle.size() ||
            !std::isdigit(static_cast<unsigned char>(middle[i + 1]))) {
            return false;
        }
        ++i;
        while (i < middle.size() && std::isdigit(static_cast<unsigned char>(middle[i]))) {
            ++i;
        }
        ++numbers;
    }
    return numbers == 3;
}

/// Copies the files of single axial fans (one per fan of the project's list) and of lighting cases to
/// the new base name, so that Save As leaves no design of the project behind.
void CopyFanAndLightingFiles(const std::string& oldProjectFile, const std::string& newProjectFile) {
    const std::string oldBase = BaseName(oldProjectFile);
    const std::string newBase = BaseName(newProjectFile);
    auto copy = [](const fs::path& from, const fs::path& to) {
        std::error_code ec;
        if (!fs::is_regular_file(from, ec) || (fs::exists(to, ec) && fs::equivalent(from, to, ec))) {
            return;
        }
        fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    };
    for (int k = 1; k <= modPublic::AxialFanList.UBound(); ++k) {
        guarded([&] {
            const std::string suffix = "_" + modPublic::AxialFanList(k) + ".afd";
            copy(platform::ResolvePath(oldBase + suffix), platform::ResolvePath(newBase + suffix));
        });
    }
    guarded([&] {
        const fs::path oldPath = platform::ResolvePath(oldBase);
        const std::string stem = oldPath.filename().string();
        const fs::path newPath = platform::ResolvePath(newBase);
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(oldPath.parent_path(), ec)) {
            const std::string name = entry.path().filename().string();
            if (IsLightingCaseOf(name, stem)) {
                copy(entry.path(),
                     newPath.parent_path() / (newPath.filename().string() + name.substr(stem.size())));
            }
        }
    });
}

/// Whether two project paths name the same files.
bool SameProject(const std::string& a, const std::string& b) {
    const std::string pa = platform::ResolvePath(a);
    const std::string pb = platform::ResolvePath(b);
    if (pa == pb) {
        return true;
    }
    std::error_code ec;
    return fs::exists(pa, ec) && fs::exists(pb, ec) && fs::equivalent(pa, pb, ec);
}

} // namespace

void frmReq::OpenFile() {
    // Reading: each value goes into its control as if typed, so the control's handler runs when the value
    // changes, and a value read later wins over what an earlier handler wrote.
    guarded([this] {
        FieldStream in(ProjectPath(".req"));

        // [BASIC INFO]
        in.skip();
        ApplyText(txtProjectName, in.text());
        ApplyText(txtProjectDiscribe, in.text());
        {
            const auto f = in.record(2);
            ApplyOption(optLeftLine, f[0]);
            ApplyOption(optRightLine, f[1]);
        }
        {
            const auto f = in.record(5);
            ApplyComboText(cmbRoadClass, f[0]);
            ApplyComboText(cmbvt, f[1]);
            ApplyText(txtElevation, f[2]);
            ApplyText(txtStartPile, f[3]);
            ApplyText(txtCO_in_Air, f[4]);
        }
        {
            const auto f = in.record(4);
            ApplyText(txtq_co, f[0]);
            ApplyText(txtq_VI, f[1]);
            ApplyText(txtDescRatio, f[2]);
            ApplyText(txtDescYear, f[3]);
        }
        {
            const auto f = in.record(3);
            ApplyText(txtName1, f[0]);
            ApplyText(txtName2, f[1]);
            ApplyText(txtName3, f[2]);
        }
        ReadRows(in, lstSlope, 2);
        ReadRows(in, lstSection, 4);
        // The block that is no longer used: a count and its two-field records.
        in.skip();
        if (const auto c = in.count()) {
            for (long long i = 0; i < *c && !in.ended(); ++i) {
                in.skip(2);
            }
        }
        ReadRows(in, lstSegment, 7);
        in.skip(3);

        // [TRAFFIC_ANYLYSIS]
        in.skip();
        ReadRows(in, lstTraffic, 2);
        {
            const auto f = in.record(11);
            ApplyText(txtTraffic1, f[3]);
            ApplyText(txtNN, f[4]);
            ApplyText(txtTraffic2, f[5]);
            ApplyCheck(chkPetrol, f[8]);
            ApplyText(txtPetrol, f[9]);
            ApplyText(txtTrafficRatio, f[0]);
            ApplyText(txtBiDirection, f[1]);
            ApplyText(txtMainDirectionRatio, f[2]);
            ApplyCheck(chkTrafficTotal, f[7]);
            // The mix mode comes with the mixes of records 21 and 22: switching it here would rebuild a
            // store about to be replaced, and clearing it would ask the user a question in mid-read.
            if (f[10]) {
                if (const auto v = WholeOf(*f[10]); v && *v >= 0 && *v <= 2) {
                    chkRatioNotSame.setSilently(static_cast<int>(*v));
                }
            }
            if (!in.ended()) {
                guarded([this] { chkTrafficTotal_Click(); });
            }
        }
        if (const auto v = in.text()) {
            if (const auto n = WholeOf(*v); n && *n >= 0) {
                std::vector<app::VehicleMixRecord> mixes;
                for (long long i = 0; i < *n && !in.ended(); ++i) {
                    std::array<std::string, app::kVehicleMixFieldCount> fields;
                    for (auto& field : fields) {
                        field = in.text().value_or(std::string());
                    }
                    if (in.ended()) {
                        break;
                    }
                    mixes.push_back(app::from_fields(fields));
                }
                // A record cut off by the end of the file is dropped rather than stored half blank.
                VehicleMixes = std::move(mixes);
            }
        }

        // [ONE DIRECTION]
        in.skip();
        {
            const auto f = in.record(2);
            ApplyCheck(chkDelta, f[0]);
            ApplyCheck(chkKK, f[1]);
            if (!in.ended()) {
                guarded([this] { chkDelta_Click(); });
                guarded([this] { chkKK_Click(); });
            }
        }
        {
            const auto f = in.record(11);
            platform::TextBox* boxes[11] = {&txtq_co_at_Year, &txtf_a, &txtf_d,   &txtf_h, &txtf_iv,
                                            &txtQQ_CO,        nullptr, &txtDelta, &txtP,   &txtTT,
                                            &txtQQ_req_CO};
            for (int i = 0; i < 11; ++i) {
                if (boxes[i] != nullptr) {
                    ApplyText(*boxes[i], f[static_cast<std::size_t>(i)]);
                }
            }
            ApplyListIndex(lstCOModel, f[6]);
        }
        {
            const auto f = in.record(8);
            platform::TextBox* boxes[8] = {&txtq_VI_at_Year, &txtf_a_VI, &txtf_h_VI, &txtf_iv_VI,
                                           &txtQQ_VI,        nullptr,    &txtKK,     &txtQQ_req_VI};
            for (int i = 0; i < 8; ++i) {
                if (boxes[i] != nullptr) {
                    ApplyText(*boxes[i], f[static_cast<std::size_t>(i)]);
                }
            }
            ApplyListIndex(lstLightModel, f[5]);
        }
        if (const auto w = in.text()) {
            if (const auto speed = vb::StrictNumber(*w)) {
                workv_t = *speed;
            }
        }
        if (!in.ended()) {
            txtworkv_t.set(vb::CStr(workv_t));
        }

        // [双向交通工况]
        in.skip();
        {
            const auto f = in.record(5);
            ApplyText(txtBiDirection, f[0]);
            ApplyText(txtNN_bidirection, f[1]);
            ApplyComboText(cmbWorkVt_Bidirection, f[2]);
            ApplyText(txtQQ_req_CO_Bidirection, f[3]);
            ApplyText(txtQQ_req_VI_Bidirection, f[4]);
        }
        {
            const auto f = in.record(4);
            ApplyCheck(chkDeltaBi, f[0]);
            ApplyText(txtDelta_Bi, f[1]);
            ApplyCheck(chkKKBi, f[2]);
            ApplyText(txtKK_Bi, f[3]);
            if (!in.ended()) {
                guarded([this] { chkDeltaBi_Click(); });
                guarded([this] { chkKKBi_Click(); });
            }
        }
        ApplyOption(optBiDirectionMethod1, in.text());
        if (!in.ended()) {
            guarded([this] { optBiDirectionMethod1_Click(); });
        }
        {
            const auto f = in.record(7);
            for (int i = 0; i < 7; ++i) {
                if (const auto& field = f[static_cast<std::size_t>(i)]) {
                    if (const auto v = BooleanOf(*field)) {
                        lstAllowVechileType.setSelected(i, *v);
                    }
                }
            }
        }

        // [单洞阻塞交通]
        in.skip();
        ReadRows(in, lstBlock, 4);
        {
            const auto f = in.record(4);
            ApplyCheck(chkDeltaBlock, f[0]);
            ApplyText(txtDelta_block, f[1]);
            ApplyCheck(chkKKBlock, f[2]);
            ApplyText(txtKK_block, f[3]);
            if (!in.ended()) {
                guarded([this] { chkDeltaBlock_Click(); });
                guarded([this] { chkKKBlock_Click(); });
            }
        }
        {
            const auto f = in.record(2);
            ApplyText(txtQQ_req_CO_block, f[0]);
            ApplyText(txtQQ_req_VI_block, f[1]);
        }
        {
            const auto f = in.record(3);
            if (f[0]) {
                if (const auto v = IntOf(vb::Val(*f[0]))) {
                    chkBlock.set(*v);
                }
            }
            ApplyText(txtBlockStartPile, f[1]);
            ApplyText(txtBlockEndPile, f[2]);
        }
        {
            const auto f = in.record(2);
            ApplyText(txtQQ_req_CO_1kmblock, f[0]);
            ApplyText(txtQQ_req_VI_1kmblock, f[1]);
        }

        // [换气次数要求]
        in.skip();
        {
            const auto f = in.record(2);
            ApplyText(txtExchangeNum, f[0]);
            ApplyText(txtQQ_req_exchange, f[1]);
        }
        {
            const auto f = in.record(14);
            platform::TextBox* boxes[14] = {&txtFireSize, &txtPerimeter, &txtCH,  &txtDSL, &txtHRR,
                                            &txtHOR,      &txtMPRS,      &txtPRL, &txtCHO, &txtTSLA,
                                            &txtAT,       &txtST,        &txtAD,  &txtQs};
            for (int i = 0; i < 14; ++i) {
                ApplyText(*boxes[i], f[static_cast<std::size_t>(i)]);
            }
        }
        {
            const auto f = in.record(11);
            ApplyOption(optQsMethod1(0), f[0]);
            ApplyOption(optQsMethod1(1), f[1]);
            ApplyOption(optCrMehthod(0), f[2]);
            ApplyOption(optCrMehthod(1), f[3]);
            ApplyOption(optCrMehthod(2), f[4]);
            ApplyText(txtTunnelH, f[5]);
            ApplyText(txtvcr, f[6]);
            if (!in.ended()) {
                for (int i = 0; i <= 1; ++i) {
                    if (optQsMethod1(i).Value()) {
                        guarded([this, i] { optQsMethod1_Click(i); });
                    }
                }
                for (int i = 0; i <= 2; ++i) {
                    if (optCrMehthod(i).Value()) {
                        guarded([this, i] { optCrMehthod_Click(i); });
                    }
                }
            }
        }
        ApplyText(txtRHO, in.text());
    });

    guarded([this] { RefreshData(true); });

    guarded([] {
        // A count that is missing, not a whole number or not above 0 leaves the project without fans.
        modPublic::AxialFanList.items.clear();
        scheme::SchemeReader vnt;
        if (!vnt.Open(ProjectPath(".vnt"))) {
            return;
        }
        vnt.Skip(1);
        const std::optional<long long> c = vnt.NextWhole();
        if (!c || *c <= 0) {
            return;
        }
        for (long long i = 0; i < *c; ++i) {
            std::optional<std::string> fan = vnt.NextText();
            if (!fan) {
                break;
            }
            modPublic::AxialFanList.items.push_back(std::move(*fan));
        }
    });

    guarded([this] { ReadParameter(); });
}

void frmReq::ReadParameter() {
    // Values the file does not hold are 0, never those of the project read before.
    modPublic::lambda_r = 0;
    modPublic::v_n = 0;
    modPublic::AA_m = 0;
    modPublic::AA_m_Bidirection = 0;
    guarded([] {
        scheme::SchemeReader par;
        if (!par.Open(ProjectPath(".par"))) {
            return;
        }
        par.Skip(1);
        par.Skip(1);
        if (const auto v = par.NextLeading()) {
            modPublic::lambda_r = *v;
        }
        par.Skip(1);
        if (const auto v = par.NextLeading()) {
            modPublic::v_n = *v;
        }
        par.Skip(7);
        if (const auto v = par.NextLeading()) {
            modPublic::AA_m = *v;
        }
        const std::optional<double> n = par.NextLeading();
        if (!n) {
            return;
        }
        const double rows = vb::RoundHalfEven(*n);
        if (rows > 0) {
            // Never more rows than the file has fields left.
            par.Skip(rows < 2.0 * static_cast<double>(par.FieldCount()) ? 2 * static_cast<std::size_t>(rows)
                                                                        : par.FieldCount());
        }
        par.Skip(1);
        if (const auto v = par.NextLeading()) {
            modPublic::AA_m_Bidirection = *v;
        }
    });
}

bool frmReq::writeProjectFiles() {
    std::vector<std::string> failed;

    std::string reqPath;
    bool reqOk = false;
    guarded([&] {
        reqPath = ProjectPath(".req");
        scheme::SchemeWriter out;
        out.Text("[BASIC INFO]").EndRecord();
        out.Text(txtProjectName.Text()).EndRecord();
        out.Text(txtProjectDiscribe.Text()).EndRecord();
        out.Boolean(optLeftLine.Value()).Boolean(optRightLine.Value()).EndRecord();
        out.Text(cmbRoadClass.Text())
            .Text(cmbvt.Text())
            .Text(txtElevation.Text())
            .Text(txtStartPile.Text())
            .Text(txtCO_in_Air.Text())
            .EndRecord();
        out.Text(txtq_co.Text()).Text(txtq_VI.Text()).Text(txtDescRatio.Text()).Text(txtDescYear.Text());
        out.EndRecord();
        out.Text(txtName1.Text()).Text(txtName2.Text()).Text(txtName3.Text()).EndRecord();
        WriteRows(out, lstSlope, 2);
        WriteRows(out, lstSection, 4);
        out.Text("目前版本已不在使用").EndRecord();
        out.Text("0").EndRecord();
        WriteRows(out, lstSegment, 7);
        out.Text("").Text("").Text("").EndRecord();

        out.Text("[TRAFFIC_ANYLYSIS]").EndRecord();
        WriteRows(out, lstTraffic, 2);
        out.Text(txtTrafficRatio.Text())
            .Text(txtBiDirection.Text())
            .Text(txtMainDirectionRatio.Text())
            .Text(txtTraffic1.Text())
            .Text(txtNN.Text())
            .Text(txtTraffic2.Text())
            .Text(txtNN.Text())
            .Whole(chkTrafficTotal.Value())
            .Whole(chkPetrol.Value())
            .Text(txtPetrol.Text())
            .Whole(chkRatioNotSame.Value())
            .EndRecord();
        out.Whole(static_cast<long long>(VehicleMixes.size())).EndRecord();
        for (const app::VehicleMixRecord& mix : VehicleMixes) {
            const auto fields = app::to_fields(mix);
            out.Text(fields[0]).EndRecord();
            for (int part = 0; part < 3; ++part) {
                for (int k = 0; k < app::kVehicleClassCount; ++k) {
                    out.Text(fields[static_cast<std::size_t>(1 + part * app::kVehicleClassCount + k)]);
                }
                out.EndRecord();
            }
        }

        out.Text("[ONE DIRECTION]").EndRecord();
        out.Whole(chkDelta.Value()).Whole(chkKK.Value()).EndRecord();
        out.Text(txtq_co_at_Year.Text())
            .Text(txtf_a.Text())
            .Text(txtf_d.Text())
            .Text(txtf_h.Text())
            .Text(txtf_iv.Text())
            .Text(txtQQ_CO.Text())
            .Whole(lstCOModel.ListIndex())
            .Text(txtDelta.Text())
            .Text(txtP.Text())
            .Text(txtTT.Text())
            .Text(txtQQ_req_CO.Text())
            .EndRecord();
        out.Text(txtq_VI_at_Year.Text())
            .Text(txtf_a_VI.Text())
            .Text(txtf_h_VI.Text())
            .Text(txtf_iv_VI.Text())
            .Text(txtQQ_VI.Text())
            .Whole(lstLightModel.ListIndex())
            .Text(txtKK.Text())
            .Text(txtQQ_req_VI.Text())
            .EndRecord();
        out.Number(vb::Val(txtworkv_t.Text())).EndRecord();

        out.Text("[双向交通工况]").EndRecord();
        out.Text(txtBiDirection.Text())
            .Text(txtNN_bidirection.Text())
            .Text(cmbWorkVt_Bidirection.Text())
            .Text(txtQQ_req_CO_Bidirection.Text())
            .Text(txtQQ_req_VI_Bidirection.Text())
            .EndRecord();
        out.Whole(chkDeltaBi.Value())
            .Text(txtDelta_Bi.Text())
            .Whole(chkKKBi.Value())
            .Text(txtKK_Bi.Text())
            .EndRecord();
        out.Boolean(optBiDirectionMethod1.Value()).EndRecord();
        for (int i = 0; i < 7; ++i) {
            out.Boolean(lstAllowVechileType.Selected(i));
        }
        out.EndRecord();

        out.Text("[单洞阻塞交通]").EndRecord();
        WriteRows(out, lstBlock, 4);
        out.Whole(chkDeltaBlock.Value())
            .Text(txtDelta_block.Text())
            .Whole(chkKKBlock.Value())
            .Text(txtKK_block.Text())
            .EndRecord();
        out.Text(txtQQ_req_CO_block.Text()).Text(txtQQ_req_VI_block.Text()).EndRecord();
        out.Whole(chkBlock.Value()).Text(txtBlockStartPile.Text()).Text(txtBlockEndPile.Text()).EndRecord();
        out.Text(txtQQ_req_CO_1kmblock.Text()).Text(txtQQ_req_VI_1kmblock.Text()).EndRecord();

        out.Text("[换气次数要求]").EndRecord();
        out.Text(txtExchangeNum.Text()).Text(txtQQ_req_exchange.Text()).EndRecord();
        for (platform::TextBox* box :
             {&txtFireSize, &txtPerimeter, &txtCH, &txtDSL, &txtHRR, &txtHOR, &txtMPRS, &txtPRL, &txtCHO,
              &txtTSLA, &txtAT, &txtST, &txtAD, &txtQs}) {
            out.Text(box->Text());
        }
        out.EndRecord();
        out.Boolean(optQsMethod1(0).Value())
            .Boolean(optQsMethod1(1).Value())
            .Boolean(optCrMehthod(0).Value())
            .Boolean(optCrMehthod(1).Value())
            .Boolean(optCrMehthod(2).Value())
            .Text(txtTunnelH.Text())
            .Text(txtvcr.Text());
        for (int i = 0; i < 4; ++i) {
            out.Text("");
        }
        out.EndRecord();
        for (int r = 44; r <= 46; ++r) {
            out.Text(r == 44 ? txtRHO.Text() : std::string()).Empty();
            for (int i = 0; i < 9; ++i) {
                out.Text("");
            }
            out.EndRecord();
        }
        reqOk = out.Save(reqPath);
    });
    if (!reqOk) {
        failed.push_back(reqPath.empty() ? BaseName(modPublic::ProjectFile) + ".req" : reqPath);
    }

    std::string vntPath;
    bool vntOk = false;
    guarded([&] {
        vntPath = ProjectPath(".vnt");
        scheme::SchemeWriter out;
        out.Text("[Axial_fan_list]").EndRecord();
        out.Whole(static_cast<long long>(modPublic::AxialFanList.UBound())).EndRecord();
        for (const std::string& fan : modPublic::AxialFanList) {
            out.Text(fan).EndRecord();
        }
        vntOk = out.Save(vntPath);
    });
    if (!vntOk) {
        failed.push_back(vntPath.empty() ? modPublic::ProjectFile : vntPath);
    }

    if (failed.empty()) {
        return true;
    }
    std::string list;
    for (const std::string& f : failed) {
        list += "\r\n" + f;
    }
    platform::MsgBox("工程文件未能保存:" + list + "\r\n请检查文件夹是否存在、是否可写入, 磁盘是否已满.",
                     platform::vbOKOnly, "出错");
    return false;
}

void frmReq::SaveFile() {
    writeProjectFiles();
}

bool frmReq::saveProject() {
    if (!modPublic::ProjectFile.empty()) {
        return writeProjectFiles();
    }
    return saveProjectAs();
}

bool frmReq::saveProjectAs() {
    const std::string oldPath = modPublic::ProjectFile;
    dlgFile.DialogTitle = kDialogTitle;
    dlgFile.Filter = kDialogFilter;
    const std::optional<std::string> chosen = dlgFile.ShowSave();
    if (!chosen || chosen->empty()) {
        return false;
    }
    const std::string newPath = WithVnt(*chosen);
    dlgFile.FileName = newPath;
    modPublic::ProjectFile = newPath;
    if (!writeProjectFiles()) {
        // The project keeps the name under which it is still whole on disk.
        modPublic::ProjectFile = oldPath;
        return false;
    }
    setCaption(std::string("Kelvora-Kelvora-Aridane ") + kStep1 + newPath);
    if (!oldPath.empty() && !SameProject(oldPath, newPath)) {
        CopyCompanions(oldPath, newPath);
        CopyFanAndLightingFiles(oldPath, newPath);
    }
    return true;
}

bool frmReq::askSaveBeforeLeaving() {
    if (platform::MsgBox(kSaveQuestion, platform::vbYesNo, kSaveQuestionTitle) != platform::vbYes) {
        return true;
    }
    return saveProject();
}

void frmReq::mnuFileNew_Click() {
    if (platform::MsgBox(kSaveQuestion, platform::vbYesNo, kSaveQuestionTitle) == platform::vbYes) {
        // The user asked to keep the project: without a save it must not be replaced by the template.
        if (!saveProjectAs()) {
            return;
        }
    }
    modPublic::ProjectFile = platform::AppPath() + "\\ConfigFiles\\Normal.vnt";
    OpenFile();
    modPublic::ProjectFile.clear();
    setCaption("Kelvora-Kelvora-Aridane Unamed");
}

void frmReq::mnuFileOpen_Click() {
    dlgFile.DialogTitle = kDialogTitle;
    dlgFile.Filter = kDialogFilter;
    const std::optional<std::string> chosen = dlgFile.ShowOpen();
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string path = WithVnt(*chosen);
    modPublic::ProjectFile = path;
    setCaption(std::string("Kelvora-Aridane ") + kStep1 + path);
    const std::string reqPath = ProjectPath(".req");
    OpenFile();
    if (!Readable(reqPath)) {
        platform::MsgBox("无法读取工程文件:\r\n" + reqPath + "\r\n各页的数据未能从该工程读入.",
                         platform::vbOKOnly, "出错");
    }
    showFirstRows();
}

void frmReq::showFirstRows() {
    guarded([this] {
        if (lstTraffic.select(1)) {
            lstTraffic_ItemClick(*lstTraffic.SelectedItem());
        }
    });
    guarded([this] {
        if (lstSlope.select(1)) {
            lstSlope_ItemClick(*lstSlope.SelectedItem());
        }
    });
    guarded([this] {
        if (lstSection.select(1)) {
            lstSection_ItemClick(*lstSection.SelectedItem());
        }
    });
    guarded([this] { lstSegment.select(1); });
    guarded([this] {
        if (lstBlock.select(1)) {
            lstblock_ItemClick(*lstBlock.SelectedItem());
        }
    });
    guarded([this] { cmdCalculateTraffic_Click(); });
}

void frmReq::mnuFileSave_Click() {
    saveProject();
}

void frmReq::mnuFileSaveAs_Click() {
    saveProjectAs();
}

void frmReq::mnuFileExit_Click() {
    if (!askSaveBeforeLeaving()) {
        return;
    }
    // The program ends with its main window: the other windows go first, so that the last unload is this.
    for (platform::Form* form : platform::Forms::loaded()) {
        if (form != this) {
            platform::Forms::unload(*form);
        }
    }
    platform::Forms::unload(*this, platform::vbFormCode);
}

void frmReq::Form_QueryUnload(int& cancel, int unloadMode) {
    if (unloadMode != platform::vbFormControlMenu) {
        return;
    }
    // The close box ends the program as Exit does, with the same question.
    if (!askSaveBeforeLeaving()) {
        cancel = 1;
        return;
    }
    for (platform::Form* form : platform::Forms::loaded()) {
        if (form != this) {
            platform::Forms::unload(*form);
        }
    }
}
