// SPDX-License-Identifier: GPL-3.0-or-later
// The project files of the main window (.req, .vnt and the four values it takes from .par) and the
// commands of the File menu.
#include "app/frmReq.h"

#include "app/guarded.h"
#include "app/design_years.h"
#include "app/geometry.h"
#include "app/modPublic.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/paths.h"
#include "platform/scheme_file.h"
#include "platform/text_file.h"
#include "platform/textcodec.h"
#include "platform/file_names.h"
#include "platform/vb.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <exception>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using app::guarded;

namespace {

namespace fs = std::filesystem;

constexpr const char* kDialogTitle = "选择通风分析工程文件";
constexpr const char* kDialogFilter = "通风分析工程文件|*.vnt";
constexpr const char* kSaveQuestion = "退出之前需要保存吗?";
constexpr const char* kSaveQuestionTitle = "保存提示！";
constexpr const char* kStep1 = "Step 1: 隧道需风量计算-";
/// Fields of the .req file after the air density: the rest of its record and the two reserve records.
constexpr std::size_t kReserveFieldsAfterDensity = 10 + 11 + 11;
/// Of those, the rest of the density's record.
constexpr std::size_t kReserveFieldsAfterRHO = 10;

/// Companions of the other windows that Save As carries to the new name, in copying order.
constexpr std::array<const char*, 20> kCompanionSuffixes = {
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
    // The one-shaft lateral scheme keeps a file of its own too; without it the scheme would stay behind.
    ".lt1",
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
/// texts when asked (the template: every field it feeds is emptied), else as nothing. A file that ends
/// early stops there: every read past its end gives nothing, so the controls the missing fields feed keep
/// the values the reading started from. Whatever is not what its place requires marks the file damaged.
class FieldStream {
public:
    FieldStream(const std::string& path, bool emptyWhenMissing) {
        const std::optional<std::string> bytes = textfile::ReadBytes(path);
        opened_ = bytes.has_value();
        ended_ = !opened_ && !emptyWhenMissing;
        if (bytes) {
            reader_.Parse(*bytes);
            // Every record ends with a line end: a last field without one was cut off in mid-write.
            whole_ = reader_.FieldCount();
            if (!bytes->empty() && bytes->back() != '\n' && bytes->back() != '\r' && whole_ > 0) {
                --whole_;
            }
        }
    }

    bool opened() const { return opened_; }
    /// True once a read found the end of the file (or a count that leaves the rest unplaceable).
    bool ended() const { return ended_; }
    /// True when the file ended early or held a field its place cannot take.
    bool damaged() const { return damaged_; }
    /// Marks the file damaged when a field it holds was refused.
    void check(bool fieldOk) {
        if (!fieldOk && opened_) {
            damaged_ = true;
        }
    }

    std::optional<std::string> text() {
        if (ended_) {
            return std::nullopt;
        }
        if (!opened_) {
            return std::string();
        }
        std::optional<std::string> field;
        if (read_ < whole_) {
            field = reader_.NextText();
            ++read_;
        }
        if (!field) {
            ended_ = true;
            damaged_ = true;
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
    /// A row count: a whole number from 0 to `limit`. A count that is not one leaves the rows after it
    /// unplaceable, so the reading stops there; nullopt then and past the end. An empty text (a file that
    /// cannot be opened) counts no rows.
    std::optional<long long> count(long long limit, const std::string& what) {
        const std::optional<std::string> field = text();
        if (!field) {
            return std::nullopt;
        }
        if (!opened_) {
            return 0;
        }
        const std::optional<long long> n = WholeOf(*field);
        if (!n || *n < 0 || !platform::CountWithinLimit(*n, limit, what)) {
            damaged_ = true;
            ended_ = true;
            return std::nullopt;
        }
        return n;
    }

private:
    scheme::SchemeReader reader_;
    std::size_t whole_ = 0; // fields that the file holds whole
    std::size_t read_ = 0;
    bool opened_ = false;
    bool ended_ = false;
    bool damaged_ = false;
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
void ApplyCheck(FieldStream& in, platform::CheckBox& box, const std::optional<std::string>& field) {
    if (!field) {
        return;
    }
    if (const auto v = WholeOf(*field); v && *v >= 0 && *v <= 2) {
        box.set(static_cast<int>(*v));
    } else {
        in.check(field->empty() && !in.opened());
    }
}

void ApplyOption(FieldStream& in, platform::OptionButton& option, const std::optional<std::string>& field) {
    if (!field) {
        return;
    }
    if (const auto v = BooleanOf(*field)) {
        option.set(*v);
    } else {
        in.check(false);
    }
}

/// A list position stored as a leading number; a position outside the list is refused by the list.
void ApplyListIndex(FieldStream& in, platform::ListBox& list, const std::optional<std::string>& field) {
    if (!field) {
        return;
    }
    in.check(vb::StrictNumber(*field).has_value());
    if (const auto i = IntOf(vb::Val(*field))) {
        list.setListIndex(*i);
    }
}

/// Empties a list view and reads its rows: a count, then one record of `columns` texts per row. A row
/// cut off by the end of the file is not added.
void ReadRows(FieldStream& in, platform::ListView& list, int columns, const std::string& what) {
    const std::optional<long long> n = in.count(app::kMaxProjectListRows, what);
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

/// The fan numbers a .vnt file lists (empty when it cannot be read).
std::vector<std::string> FansOf(const std::string& vntPath) {
    std::vector<std::string> fans;
    scheme::SchemeReader vnt;
    if (!vnt.Open(vntPath)) {
        return fans;
    }
    vnt.Skip(1);
    const std::optional<long long> c = vnt.NextWhole();
    for (long long i = 0; c && i < *c && i < app::kMaxAxialFans; ++i) {
        std::optional<std::string> fan = vnt.NextText();
        if (!fan) {
            break;
        }
        fans.push_back(std::move(*fan));
    }
    return fans;
}

/// The suffixes (after the base name) of the project files that exist beside `projectFile`, other than
/// its .req and .vnt: the companions of the table, one file per axial fan of `fans` whose number can name
/// a file, and the lighting cases.
std::vector<std::string> CompanionsPresent(const std::string& projectFile,
                                           const std::vector<std::string>& fans) {
    std::vector<std::string> present;
    const std::string base = BaseName(projectFile);
    std::error_code ec;
    for (const char* suffix : kCompanionSuffixes) {
        if (fs::is_regular_file(platform::ResolvePath(base + suffix), ec)) {
            present.emplace_back(suffix);
        }
    }
    for (const std::string& fan : fans) {
        const std::string suffix = "_" + fan + ".afd";
        if (!platform::FileNamePartProblem(fan, "风机编号") &&
            fs::is_regular_file(platform::ResolvePath(base + suffix), ec)) {
            present.push_back(suffix);
        }
    }
    const fs::path basePath = platform::ResolvePath(base);
    const std::string stem = basePath.filename().string();
    std::vector<std::string> cases;
    for (const auto& entry : fs::directory_iterator(basePath.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (IsLightingCaseOf(name, stem)) {
            cases.push_back(name.substr(stem.size()));
        }
    }
    std::sort(cases.begin(), cases.end());
    present.insert(present.end(), cases.begin(), cases.end());
    return present;
}

/// What Save As could not carry to the new name.
struct CopyFaults {
    /// Files whose copy failed.
    std::vector<std::string> failed;
    /// Why a fan's file was not copied: its number cannot name a file.
    std::vector<std::string> refusedFans;
};

/// Copies the project files of the old project (its companions, the file of each axial fan and the
/// lighting cases) to the new base name, each written like every other file: a temporary file, then a
/// rename, so that a copy cut short leaves the destination as it was. A missing source is passed over, an
/// existing destination replaced.
CopyFaults CopyProjectFiles(const std::string& oldProjectFile, const std::string& newProjectFile) {
    CopyFaults faults;
    std::vector<std::string>& failed = faults.failed;
    const std::string oldBase = BaseName(oldProjectFile);
    const std::string newBase = BaseName(newProjectFile);
    const std::string newFolder = fs::path(platform::ResolvePath(newBase)).parent_path().string();
    std::vector<std::string> suffixes;
    guarded([&] { suffixes = CompanionsPresent(oldProjectFile, {}); });
    for (const std::string& fan : modPublic::AxialFanList) {
        // A fan number read from a file may hold anything: it names a file only when it passes the check.
        if (platform::FileNamePartProblem(fan, "风机编号")) {
            std::error_code ec;
            if (!fan.empty() && fs::exists(platform::ResolvePath(oldBase + "_" + fan + ".afd"), ec)) {
                faults.refusedFans.push_back(*platform::FileNamePartProblem(fan, "风机编号“" + fan + "”"));
            }
            continue;
        }
        suffixes.push_back("_" + fan + ".afd");
    }
    for (const std::string& suffix : suffixes) {
        bool ok = false;
        guarded([&] {
            const std::string from = platform::ResolvePath(oldBase + suffix);
            const std::string to = platform::ResolvePath(newBase + suffix);
            std::error_code ec;
            if (!fs::is_regular_file(from, ec)) {
                ok = true;
                return;
            }
            if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) {
                ok = true;
                return;
            }
            if (!platform::IsDirectlyInside(to, newFolder)) {
                return;
            }
            const std::optional<std::string> bytes = textfile::ReadBytes(from);
            ok = bytes && textfile::WriteAtomically(to, *bytes);
        });
        if (!ok) {
            failed.push_back(platform::ResolvePath(newBase + suffix));
        }
    }
    return faults;
}

/// A list of paths, one a line.
std::string Lines(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& p : paths) {
        list += "\r\n" + p;
    }
    return list;
}

/// Removes what saves cut short left of the project's files: the temporary files of its .req and .vnt, of
/// its companions, of its fans' files and of its lighting cases, and nothing else.
void RemoveProjectLeftovers(const std::string& projectFile, const std::vector<std::string>& fans) {
    guarded([&] {
        const fs::path basePath = platform::ResolvePath(BaseName(projectFile));
        const std::string stem = basePath.filename().string();
        std::vector<std::string> targets = {stem + ".req", stem + ".vnt"};
        for (const char* suffix : kCompanionSuffixes) {
            targets.push_back(stem + suffix);
        }
        for (const std::string& fan : fans) {
            if (!platform::FileNamePartProblem(fan, "风机编号")) {
                targets.push_back(stem + "_" + fan + ".afd");
            }
        }
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(basePath.parent_path(), ec)) {
            const std::string name = entry.path().filename().string();
            // A leftover is a project file's name and ten characters more.
            if (name.size() <= 10) {
                continue;
            }
            const std::string target = name.substr(0, name.size() - 10);
            if (textfile::IsLeftoverOf(name, target) &&
                (std::find(targets.begin(), targets.end(), target) != targets.end() ||
                 IsLightingCaseOf(target, stem))) {
                std::error_code rm;
                fs::remove(entry.path(), rm);
            }
        }
    });
}

/// The template project, which New and start-up read and every project reading starts from.
std::string TemplateProjectFile() {
    return platform::AppPath() + "\\ConfigFiles\\Normal.vnt";
}

/// Whether two paths name the same file.
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

frmReq::FileRead frmReq::readRequirementFile(const std::string& path, bool emptyWhenMissing) {
    // Reading: each value goes into its control as if typed, so the control's handler runs when the value
    // changes, and a value read later wins over what an earlier handler wrote.
    FieldStream in(path, emptyWhenMissing);

    // [BASIC INFO]
    in.skip();
    ApplyText(txtProjectName, in.text());
    ApplyText(txtProjectDiscribe, in.text());
    {
        const auto f = in.record(2);
        ApplyOption(in, optLeftLine, f[0]);
        ApplyOption(in, optRightLine, f[1]);
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
    ReadRows(in, lstSlope, 2, "坡度分段");
    ReadRows(in, lstSection, 4, "横断面分段");
    // The block that is no longer used: a count and its two-field records.
    in.skip();
    if (const auto c = in.count(app::kMaxProjectListRows, "已不再使用的分段")) {
        for (long long i = 0; i < *c && !in.ended(); ++i) {
            in.skip(2);
        }
    }
    ReadRows(in, lstSegment, 7, "计算区段");
    in.skip(3);

    // [TRAFFIC_ANYLYSIS]
    in.skip();
    ReadRows(in, lstTraffic, 2, "特征年");
    {
        const auto f = in.record(11);
        ApplyText(txtTraffic1, f[3]);
        ApplyText(txtNN, f[4]);
        ApplyText(txtTraffic2, f[5]);
        ApplyCheck(in, chkPetrol, f[8]);
        ApplyText(txtPetrol, f[9]);
        ApplyText(txtTrafficRatio, f[0]);
        ApplyText(txtBiDirection, f[1]);
        ApplyText(txtMainDirectionRatio, f[2]);
        ApplyCheck(in, chkTrafficTotal, f[7]);
        // The mix mode comes with the mixes of records 21 and 22: switching it here would rebuild a
        // store about to be replaced, and clearing it would ask the user a question in mid-read.
        if (f[10]) {
            if (const auto v = WholeOf(*f[10]); v && *v >= 0 && *v <= 2) {
                chkRatioNotSame.setSilently(static_cast<int>(*v));
            } else {
                in.check(false);
            }
        }
        if (!in.ended()) {
            guarded([this] { chkTrafficTotal_Click(); });
        }
    }
    // A file that cannot be opened leaves the table as it is: an empty text is no count.
    if (!in.opened()) {
        in.skip();
    } else if (const auto n = in.count(app::kMaxVehicleMixes, "车型比例记录")) {
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

    // [ONE DIRECTION]
    in.skip();
    {
        const auto f = in.record(2);
        ApplyCheck(in, chkDelta, f[0]);
        ApplyCheck(in, chkKK, f[1]);
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
        ApplyListIndex(in, lstCOModel, f[6]);
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
        ApplyListIndex(in, lstLightModel, f[5]);
    }
    if (const auto w = in.text()) {
        if (const auto speed = vb::StrictNumber(*w)) {
            workv_t = *speed;
        } else {
            in.check(false);
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
        ApplyCheck(in, chkDeltaBi, f[0]);
        ApplyText(txtDelta_Bi, f[1]);
        ApplyCheck(in, chkKKBi, f[2]);
        ApplyText(txtKK_Bi, f[3]);
        if (!in.ended()) {
            guarded([this] { chkDeltaBi_Click(); });
            guarded([this] { chkKKBi_Click(); });
        }
    }
    ApplyOption(in, optBiDirectionMethod1, in.text());
    if (!in.ended()) {
        guarded([this] { optBiDirectionMethod1_Click(); });
    }
    {
        const auto f = in.record(7);
        for (int i = 0; i < 7; ++i) {
            if (const auto& field = f[static_cast<std::size_t>(i)]) {
                const auto v = BooleanOf(*field);
                in.check(v.has_value());
                if (v) {
                    lstAllowVechileType.setSelected(i, *v);
                }
            }
        }
    }

    // [单洞阻塞交通]
    in.skip();
    ReadRows(in, lstBlock, 4, "阻塞分段");
    {
        const auto f = in.record(4);
        ApplyCheck(in, chkDeltaBlock, f[0]);
        ApplyText(txtDelta_block, f[1]);
        ApplyCheck(in, chkKKBlock, f[2]);
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
            in.check(vb::StrictNumber(*f[0]).has_value());
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
        ApplyOption(in, optQsMethod1(0), f[0]);
        ApplyOption(in, optQsMethod1(1), f[1]);
        ApplyOption(in, optCrMehthod(0), f[2]);
        ApplyOption(in, optCrMehthod(1), f[3]);
        ApplyOption(in, optCrMehthod(2), f[4]);
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
    // The rest is reserve but for the design year and the picked segment the project was saved with, which
    // an older file leaves empty; the reserve still tells a file cut off before its end.
    in.skip(kReserveFieldsAfterRHO);
    {
        const auto f = in.record(3);
        savedYear_ = f[0].value_or(std::string());
        savedSegment_ = f[2].value_or(std::string());
    }
    in.skip(kReserveFieldsAfterDensity - kReserveFieldsAfterRHO - 3);
    if (!in.opened()) {
        return FileRead::Missing;
    }
    return in.damaged() ? FileRead::Damaged : FileRead::Whole;
}

void frmReq::OpenFile() {
    // The pages' totals are read with their inputs: nothing is recomputed field by field.
    const HoldRecompute quiet(*this);
    readFaults_ = {};
    // The traffic case is chosen in the project's own step 2: the case of the project read before must not
    // tell lighting step 1 whether this tunnel carries its traffic one way or two.
    modPublic::CaseIndex = 0;
    // Every project starts from the template's values, as New does, so that a field its file does not
    // hold (a file cut short, a record that cannot be read) never shows the project read before.
    const std::string reqPath = ProjectPath(".req");
    const std::string templateReq = platform::ResolvePath(BaseName(TemplateProjectFile()) + ".req");
    const bool isTemplate = SameProject(reqPath, templateReq);
    if (!isTemplate) {
        guarded([&] { readRequirementFile(templateReq, true); });
    }
    FileRead read = FileRead::Damaged;
    guarded([&] { read = readRequirementFile(reqPath, isTemplate); });
    if (read == FileRead::Missing) {
        readFaults_.missing.push_back(reqPath);
    } else if (read == FileRead::Damaged) {
        readFaults_.damaged.push_back(reqPath);
    }

    guarded([this] { RefreshData(true); });

    guarded([this] {
        // A count that is missing, not a whole number or not above 0 leaves the project without fans.
        modPublic::AxialFanList.items.clear();
        const std::string vntPath = ProjectPath(".vnt");
        scheme::SchemeReader vnt;
        if (!vnt.Open(vntPath)) {
            readFaults_.missing.push_back(vntPath);
            return;
        }
        vnt.Skip(1);
        const std::optional<long long> c = vnt.NextWhole();
        if (!c || *c < 0 || !platform::CountWithinLimit(*c, app::kMaxAxialFans, "轴流风机")) {
            readFaults_.damaged.push_back(vntPath);
            return;
        }
        for (long long i = 0; i < *c; ++i) {
            std::optional<std::string> fan = vnt.NextText();
            if (!fan) {
                readFaults_.damaged.push_back(vntPath);
                break;
            }
            modPublic::AxialFanList.items.push_back(std::move(*fan));
        }
    });

    guarded([this] { ReadParameter(); });
    guarded([this] { showTunnelLengthWarning(); });
    // The totals read are those of the inputs read.
    stampTotals();
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

bool frmReq::confirmStorableTexts() {
    // A fan number names a file: a character GBK cannot hold would save the fan's data under another name.
    for (const std::string& fan : modPublic::AxialFanList) {
        if (const auto c = textcodec::FirstNotInGbk(fan)) {
            platform::MsgBox("轴流风机编号“" + fan + "”含有 GBK 无法保存的字符“" + *c +
                                 "”，工程未保存。请在轴流风机设计中更改该编号。",
                             platform::vbOKOnly, "出错");
            return false;
        }
    }
    // clang-format off
    const std::vector<std::pair<const char*, std::string>> texts = {
        {"工程名称", txtProjectName.Text()}, {"工程概况", txtProjectDiscribe.Text()},
        {"公路等级", cmbRoadClass.Text()}, {"设计车速", cmbvt.Text()}, {"海拔高度", txtElevation.Text()},
        {"隧道起点桩号", txtStartPile.Text()}, {"洞外空气CO浓度", txtCO_in_Air.Text()},
        {"CO基准排放量", txtq_co.Text()}, {"烟尘基准排放量", txtq_VI.Text()}, {"年折减率", txtDescRatio.Text()},
        {"折减起算年", txtDescYear.Text()}, {"计算人", txtName1.Text()}, {"复核人", txtName2.Text()},
        {"审核人", txtName3.Text()}, {"交通量折算系数", txtTrafficRatio.Text()},
        {"双向交通量比例", txtBiDirection.Text()}, {"方向系数", txtMainDirectionRatio.Text()},
        {"混合交通量", txtTraffic1.Text()}, {"设计小时交通量", txtNN.Text()}, {"设计小时系数", txtTraffic2.Text()},
        {"汽油车烟尘系数", txtPetrol.Text()}, {"单向交通CO排放量", txtq_co_at_Year.Text()},
        {"单向交通CO海拔系数", txtf_a.Text()}, {"单向交通CO车密度系数", txtf_d.Text()},
        {"单向交通CO海拔高度系数", txtf_h.Text()}, {"单向交通CO纵坡车速系数", txtf_iv.Text()},
        {"单向交通CO排放总量", txtQQ_CO.Text()}, {"CO设计浓度", txtDelta.Text()}, {"设计气压", txtP.Text()},
        {"设计气温", txtTT.Text()}, {"单向交通CO需风量", txtQQ_req_CO.Text()},
        {"单向交通烟尘排放量", txtq_VI_at_Year.Text()}, {"单向交通烟尘海拔系数", txtf_a_VI.Text()},
        {"单向交通烟尘海拔高度系数", txtf_h_VI.Text()}, {"单向交通烟尘纵坡车速系数", txtf_iv_VI.Text()},
        {"单向交通烟尘排放总量", txtQQ_VI.Text()}, {"烟尘设计浓度", txtKK.Text()},
        {"单向交通烟尘需风量", txtQQ_req_VI.Text()}, {"工况车速", txtworkv_t.Text()},
        {"双向交通设计小时交通量", txtNN_bidirection.Text()}, {"双向交通工况车速", cmbWorkVt_Bidirection.Text()},
        {"双向交通CO需风量", txtQQ_req_CO_Bidirection.Text()}, {"双向交通烟尘需风量", txtQQ_req_VI_Bidirection.Text()},
        {"双向交通CO设计浓度", txtDelta_Bi.Text()}, {"双向交通烟尘设计浓度", txtKK_Bi.Text()},
        {"阻塞CO设计浓度", txtDelta_block.Text()}, {"阻塞烟尘设计浓度", txtKK_block.Text()},
        {"阻塞CO需风量", txtQQ_req_CO_block.Text()}, {"阻塞烟尘需风量", txtQQ_req_VI_block.Text()},
        {"阻塞起点桩号", txtBlockStartPile.Text()}, {"阻塞终点桩号", txtBlockEndPile.Text()},
        {"1km阻塞CO需风量", txtQQ_req_CO_1kmblock.Text()}, {"1km阻塞烟尘需风量", txtQQ_req_VI_1kmblock.Text()},
        {"换气次数", txtExchangeNum.Text()}, {"换气需风量", txtQQ_req_exchange.Text()},
        {"火灾规模", txtFireSize.Text()}, {"火灾周长", txtPerimeter.Text()}, {"火灾CH", txtCH.Text()},
        {"火灾DSL", txtDSL.Text()}, {"火灾热释放率", txtHRR.Text()}, {"火灾HOR", txtHOR.Text()},
        {"火灾MPRS", txtMPRS.Text()}, {"火灾PRL", txtPRL.Text()}, {"火灾CHO", txtCHO.Text()},
        {"火灾TSLA", txtTSLA.Text()}, {"火灾AT", txtAT.Text()}, {"火灾ST", txtST.Text()}, {"火灾AD", txtAD.Text()},
        {"火灾需风量", txtQs.Text()}, {"隧道高度", txtTunnelH.Text()}, {"临界风速", txtvcr.Text()},
        {"空气密度", txtRHO.Text()}};
    // clang-format on
    std::vector<std::string> found;
    auto note = [&found](const std::string& field, const std::string& text) {
        if (auto line = platform::UnstorableTextNote(field, text)) {
            found.push_back(std::move(*line));
        }
    };
    for (const auto& [field, text] : texts) {
        note(field, text);
    }
    const std::tuple<const char*, platform::ListView*, int> lists[] = {{"坡度分段", &lstSlope, 2},
                                                                       {"横断面分段", &lstSection, 4},
                                                                       {"计算区段", &lstSegment, 7},
                                                                       {"特征年交通量", &lstTraffic, 2},
                                                                       {"阻塞分段", &lstBlock, 4}};
    for (const auto& [field, list, columns] : lists) {
        for (int r = 1; r <= list->ListItems.Count(); ++r) {
            platform::ListItem& item = list->ListItems(r);
            std::string row = item.Text();
            for (int c = 1; c < columns; ++c) {
                row += item.SubItems(c);
            }
            note(std::string(field) + "第" + std::to_string(r) + "行", row);
        }
    }
    for (const app::VehicleMixRecord& mix : VehicleMixes) {
        std::string all;
        for (const std::string& f : app::to_fields(mix)) {
            all += f;
        }
        note("车型比例(" + mix.Year + ")", all);
    }
    return platform::ConfirmUnstorableTexts(found);
}

scheme::SchemeWriter frmReq::requirementFileContents() {
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
    for (platform::TextBox* box : {&txtFireSize, &txtPerimeter, &txtCH, &txtDSL, &txtHRR, &txtHOR, &txtMPRS,
                                   &txtPRL, &txtCHO, &txtTSLA, &txtAT, &txtST, &txtAD, &txtQs}) {
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
    // Record 45 keeps the design year and the picked segment when 打开 would not pick them by itself (the
    // first of each), so that the files of such a project are as the program wrote them before.
    std::string year, segment;
    if (lstTraffic.ListItems.Count() > 0 && lstTraffic.ListItems(1).Text() != txtYear.Text()) {
        year = txtYear.Text();
    }
    if (const vb::Integer picked = pickedTotalsSegment(); picked > 1) {
        segment = vb::CStr(picked);
    }
    for (int r = 44; r <= 46; ++r) {
        out.Text(r == 44 ? txtRHO.Text() : r == 45 ? year : std::string()).Empty();
        out.Text(r == 45 ? segment : std::string());
        for (int i = 1; i < 9; ++i) {
            out.Text("");
        }
        out.EndRecord();
    }
    return out;
}

scheme::SchemeWriter frmReq::fanListFileContents() {
    scheme::SchemeWriter out;
    out.Text("[Axial_fan_list]").EndRecord();
    out.Whole(static_cast<long long>(modPublic::AxialFanList.UBound())).EndRecord();
    for (const std::string& fan : modPublic::AxialFanList) {
        out.Text(fan).EndRecord();
    }
    return out;
}

bool frmReq::writeProjectFiles() {
    if (!confirmStorableTexts()) {
        return false;
    }
    // The two files are one project: both are put in place or neither, so that a failed save never leaves
    // a new .vnt beside an old .req.
    std::vector<textfile::FileToWrite> files = {
        {BaseName(modPublic::ProjectFile) + ".req", {}},
        {modPublic::ProjectFile, {}},
    };
    std::optional<std::size_t> failed = 0;
    guarded([&] {
        files[0].path = ProjectPath(".req");
        files[0].bytes = requirementFileContents().Bytes();
        failed = 1;
        files[1].path = ProjectPath(".vnt");
        files[1].bytes = fanListFileContents().Bytes();
        failed = textfile::WriteAllOrNone(files);
    });
    if (!failed) {
        return true;
    }
    platform::MsgBox("工程文件未能保存:\r\n" + files[*failed].path +
                         "\r\n请检查文件夹是否存在、是否可写入, 磁盘是否已满.",
                     platform::vbOKOnly, "出错");
    return false;
}

void frmReq::SaveFile() {
    writeProjectFiles();
}

bool frmReq::saveProject() {
    // 保存 and 另存为 store the totals of the inputs as they stand; SaveFile writes the window as it is.
    guarded([this] { UpdateTotals(); });
    if (!modPublic::ProjectFile.empty()) {
        return writeProjectFiles();
    }
    return saveProjectAs();
}

bool frmReq::saveProjectAs() {
    guarded([this] { UpdateTotals(); });
    const std::string oldPath = modPublic::ProjectFile;
    dlgFile.DialogTitle = kDialogTitle;
    dlgFile.Filter = kDialogFilter;
    const std::optional<std::string> chosen = dlgFile.ShowSave();
    if (!chosen || chosen->empty()) {
        return false;
    }
    const std::string newPath = WithVnt(*chosen);
    // The project's name names every file of the project.
    const std::string stem = fs::path(platform::ResolvePath(BaseName(newPath))).filename().string();
    if (const auto problem = platform::FileNamePartProblem(stem, "工程文件名")) {
        platform::MsgBox(*problem, platform::vbOKOnly, "出错");
        return false;
    }
    // Another project saved under this name before: its files that this project does not have would be
    // read as this project's schemes.
    const bool replacesOther = (oldPath.empty() || !SameProject(oldPath, newPath)) &&
                               (Readable(platform::ResolvePath(BaseName(newPath) + ".vnt")) ||
                                Readable(platform::ResolvePath(BaseName(newPath) + ".req")));
    std::vector<std::string> otherFiles;
    if (replacesOther) {
        guarded([&] {
            otherFiles =
                CompanionsPresent(newPath, FansOf(platform::ResolvePath(BaseName(newPath) + ".vnt")));
        });
    }
    dlgFile.FileName = newPath;
    modPublic::ProjectFile = newPath;
    if (!writeProjectFiles()) {
        // The project keeps the name under which it is still whole on disk.
        modPublic::ProjectFile = oldPath;
        return false;
    }
    setCaption(std::string("Kelvora-Kelvora-Aridane ") + kStep1 + newPath);
    std::vector<std::string> ownFiles;
    if (!oldPath.empty() && !SameProject(oldPath, newPath)) {
        const CopyFaults faults = CopyProjectFiles(oldPath, newPath);
        std::string text;
        if (!faults.refusedFans.empty()) {
            // The folder is not at fault here: the box names the number, as the other name checks do.
            text = "另存为时以下轴流风机的文件未复制:" + Lines(faults.refusedFans) +
                   "\r\n请在轴流风机设计中更改该编号。";
        }
        if (!faults.failed.empty()) {
            text += std::string(text.empty() ? "" : "\r\n") +
                    "另存为时以下文件未能复制:" + Lines(faults.failed) +
                    "\r\n请检查文件夹是否可写入, 磁盘是否已满.";
        }
        if (!text.empty()) {
            platform::MsgBox(text, platform::vbOKOnly, "出错");
        }
        guarded([&] { ownFiles = CompanionsPresent(oldPath, modPublic::AxialFanList.items); });
    }
    std::vector<std::string> leftBehind;
    const std::string newBase = BaseName(newPath);
    for (const std::string& suffix : otherFiles) {
        if (std::find(ownFiles.begin(), ownFiles.end(), suffix) == ownFiles.end()) {
            leftBehind.push_back(platform::ResolvePath(newBase + suffix));
        }
    }
    if (!leftBehind.empty()) {
        if (platform::MsgBox("该名称下原有工程的以下文件, 本工程没有, 保留它们将被当作本工程的方案读入:" +
                                 Lines(leftBehind) + "\r\n是否删除这些文件?",
                             platform::vbYesNo + platform::vbQuestion + platform::vbDefaultButton2,
                             "另存为") == platform::vbYes) {
            std::vector<std::string> kept;
            for (const std::string& f : leftBehind) {
                std::error_code ec;
                if (!fs::remove(f, ec) && fs::exists(f, ec)) {
                    kept.push_back(f);
                }
            }
            if (!kept.empty()) {
                platform::MsgBox("以下文件未能删除, 仍保留在该名称下:" + Lines(kept), platform::vbOKOnly,
                                 "出错");
            }
        } else {
            platform::MsgBox("原有工程的以下文件仍保留在该名称下:" + Lines(leftBehind), platform::vbOKOnly,
                             "另存为");
        }
    }
    return true;
}

bool frmReq::projectDiffersFromDisk() {
    bool differs = true;
    guarded([&] {
        const std::string base =
            BaseName(modPublic::ProjectFile.empty() ? TemplateProjectFile() : modPublic::ProjectFile);
        const std::optional<std::string> req = textfile::ReadBytes(platform::ResolvePath(base + ".req"));
        const std::optional<std::string> vnt = textfile::ReadBytes(platform::ResolvePath(base + ".vnt"));
        differs = !req || !vnt || *req != requirementFileContents().Bytes() ||
                  *vnt != fanListFileContents().Bytes();
    });
    return differs;
}

bool frmReq::askSaveBeforeLeaving() {
    // The bytes decide, as for the other windows: a project just saved, or the untouched template, has
    // nothing to lose.
    if (!projectDiffersFromDisk()) {
        return true;
    }
    switch (platform::MsgBox(kSaveQuestion, platform::vbYesNoCancel, kSaveQuestionTitle)) {
    case platform::vbYes:
        return saveProject();
    case platform::vbNo:
        return true;
    default:
        return false;
    }
}

void frmReq::mnuFileNew_Click() {
    // The template replaces the project: the engineer may keep it first, or stay.
    if (!askSaveBeforeLeaving()) {
        return;
    }
    modPublic::ProjectFile = TemplateProjectFile();
    OpenFile();
    showOpenedPickers();
    modPublic::ProjectFile.clear();
    setCaption("Kelvora-Kelvora-Aridane Unamed");
}

void frmReq::mnuFileOpen_Click() {
    // Opening replaces the project: the engineer may keep it first, or stay.
    if (!askSaveBeforeLeaving()) {
        return;
    }
    dlgFile.DialogTitle = kDialogTitle;
    dlgFile.Filter = kDialogFilter;
    const std::optional<std::string> chosen = dlgFile.ShowOpen();
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string path = WithVnt(*chosen);
    modPublic::ProjectFile = path;
    OpenFile();
    RemoveProjectLeftovers(path, modPublic::AxialFanList.items);
    const ReadFaults faults = readFaults_;
    if (faults.missing.empty()) {
        setCaption(std::string("Kelvora-Aridane ") + kStep1 + path);
    } else {
        // Files that are not there cannot be saved back under their name: the project stays unnamed.
        modPublic::ProjectFile.clear();
        setCaption("Kelvora-Kelvora-Aridane Unamed");
    }
    if (!faults.missing.empty() || !faults.damaged.empty()) {
        std::string text;
        if (!faults.missing.empty()) {
            text += "无法读取工程文件:" + Lines(faults.missing) + "\r\n";
        }
        if (!faults.damaged.empty()) {
            text += "工程文件不完整或已损坏:" + Lines(faults.damaged) + "\r\n";
        }
        text += "文件中未能读入的数据为模板工程的数值.";
        if (!faults.missing.empty()) {
            text += "\r\n工程未命名, 保存时请重新选择文件名.";
        }
        platform::MsgBox(text, platform::vbOKOnly, "出错");
    }
    showFirstRows();
    showOpenedPickers();
}

void frmReq::showFirstRows() {
    guarded([this] {
        // The design year the project was saved with, else the first.
        int row = 1;
        for (int i = lstTraffic.ListItems.Count(); i >= 1 && !savedYear_.empty(); --i) {
            if (lstTraffic.ListItems(i).Text() == savedYear_) {
                row = i;
            }
        }
        if (lstTraffic.select(row)) {
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
    guarded([this] {
        const auto saved = WholeOf(savedSegment_);
        if (!saved || *saved < 1 || *saved > lstSegment.ListItems.Count() ||
            !lstSegment.select(static_cast<int>(*saved))) {
            lstSegment.select(1);
        }
    });
    guarded([this] {
        if (lstBlock.select(1)) {
            lstblock_ItemClick(*lstBlock.SelectedItem());
        }
        showBlockEditorDemand();
    });
    guarded([this] { cmdCalculateTraffic_Click(); });
    stampTotals();
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
