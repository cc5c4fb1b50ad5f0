// SPDX-License-Identifier: GPL-3.0-or-later
#include "multishaft/multishaft.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>

namespace multishaft {

std::vector<Stretch> FormStretches(double startPile, double tunnelLength, const std::vector<Shaft>& shafts) {
    std::vector<Stretch> rows;
    rows.reserve(2 * shafts.size() + 1);
    double prev = startPile;
    for (const Shaft& shaft : shafts) {
        const double exhaust = shaft.Station - shaft.Ds / 2;
        const double supply = shaft.Station + shaft.Ds / 2;
        rows.push_back({prev, exhaust});
        rows.push_back({exhaust, supply});
        prev = supply;
    }
    rows.push_back({prev, startPile + tunnelLength});
    return rows;
}

bool IsShaftResultColumn(int column) {
    // The rises of the openings besides what the fan design writes.
    return column == 5 || column == 22 ||
           std::find(std::begin(kFanDesignColumns), std::end(kFanDesignColumns), column) !=
               std::end(kFanDesignColumns);
}

std::optional<ShaftCheck> CheckShafts(double startPile, double endPile, const std::vector<Shaft>& shafts) {
    const double low = std::min(startPile, endPile);
    const double high = std::max(startPile, endPile);
    for (std::size_t i = 0; i < shafts.size(); ++i) {
        const Shaft& shaft = shafts[i];
        const ShaftCheck here{i + 1, ShaftProblem::NegativeDs};
        if (!std::isfinite(shaft.Station) || !std::isfinite(shaft.Ds)) {
            return ShaftCheck{i + 1, ShaftProblem::OutsideTunnel};
        }
        if (shaft.Ds < 0) {
            return here;
        }
        if (shaft.Station - shaft.Ds / 2 <= low || shaft.Station + shaft.Ds / 2 >= high) {
            return ShaftCheck{i + 1, ShaftProblem::OutsideTunnel};
        }
        if (i > 0) {
            const Shaft& before = shafts[i - 1];
            if (shaft.Station <= before.Station) {
                return ShaftCheck{i + 1, ShaftProblem::NotAscending};
            }
            if (shaft.Station - shaft.Ds / 2 < before.Station + before.Ds / 2) {
                return ShaftCheck{i + 1, ShaftProblem::OverlapsPrevious};
            }
        }
    }
    return std::nullopt;
}

std::string ShaftProblemText(const ShaftCheck& check) {
    const std::string shaft = "第" + std::to_string(check.Shaft) + "个竖井";
    switch (check.Problem) {
    case ShaftProblem::NegativeDs:
        return shaft + "的短道长度ds不能为负值，请修改后再形成通风区段！";
    case ShaftProblem::OutsideTunnel:
        return shaft + "的短道不在隧道范围内，请检查竖井桩号和短道长度！";
    case ShaftProblem::NotAscending:
        return shaft + "的桩号不大于前一个竖井的桩号，请按桩号从小到大的顺序输入竖井！";
    case ShaftProblem::OverlapsPrevious:
        return shaft + "的短道与前一个竖井的短道重叠，请检查竖井桩号和短道长度！";
    }
    return shaft;
}

bool ExchangeGoverns(bool exchangeSwitch, double totalTrafficDemand, double tunnelExchangeDemand) {
    return exchangeSwitch && totalTrafficDemand < tunnelExchangeDemand;
}

std::pair<int, int> PassageRatioRows(int shaft, bool leftLine) {
    const int before = 2 * shaft - 1;
    const int after = 2 * shaft + 1;
    return leftLine ? std::pair{after, before} : std::pair{before, after};
}

namespace {

/// A count field: leading number, halves to even, 0 below 0; nullopt at the end of the file.
std::optional<std::size_t> readCount(scheme::SchemeReader& in) {
    const std::optional<double> value = in.NextLeading();
    if (!value) {
        return std::nullopt;
    }
    // A count beyond the fields left cannot be read in full anyway: capping it keeps a corrupted count from
    // driving a long loop.
    const double whole = std::nearbyint(*value);
    if (!std::isfinite(whole) || whole < 0) {
        return 0;
    }
    return static_cast<std::size_t>(std::min(whole, static_cast<double>(in.FieldCount())));
}

/// Reads up to `count` rows; a row cut short by the end of the file is dropped. False when the file ended
/// inside the block.
template <class Row> bool readRows(scheme::SchemeReader& in, std::size_t count, std::vector<Row>& rows) {
    return in.NextTextRows(static_cast<long long>(count), Row{}, rows);
}

/// The next two texts into `first` and `second`; false, both left as they were, where the file ends before
/// either.
bool readTwoTexts(scheme::SchemeReader& in, std::string& first, std::string& second) {
    std::optional<std::string> a = in.NextText();
    std::optional<std::string> b = in.NextText();
    if (!a || !b) {
        return false;
    }
    first = std::move(*a);
    second = std::move(*b);
    return true;
}

template <std::size_t N>
void writeRows(scheme::SchemeWriter& out, const std::vector<std::array<std::string, N>>& rows) {
    for (const auto& row : rows) {
        for (const std::string& cell : row) {
            out.Text(cell).EndRecord();
        }
    }
}

/// The sections' jet-fan data when the next field keeps them, one entry per row; none when it does not, or
/// when it holds another number of rows than the file (it cannot say which row is whose).
std::vector<std::array<std::string, 3>> readSectionModels(scheme::SchemeReader& in, std::size_t rows) {
    const std::optional<std::string> head = in.PeekText();
    const std::string_view title = kMsjTitleSectionModels;
    if (!head || !head->starts_with(title)) {
        return {};
    }
    const std::string field = in.NextText()->substr(title.size());
    std::vector<std::array<std::string, 3>> models;
    std::size_t start = 0;
    while (start <= field.size()) {
        const std::size_t end = std::min(field.find('|', start), field.size());
        const std::string row = field.substr(start, end - start);
        const std::size_t a = row.find(':');
        const std::size_t b = a == std::string::npos ? a : row.find(':', a + 1);
        if (b == std::string::npos || row.find(':', b + 1) != std::string::npos) {
            return {};
        }
        models.push_back({row.substr(0, a), row.substr(a + 1, b - a - 1), row.substr(b + 1)});
        start = end + 1;
    }
    if (models.size() != rows) {
        return {};
    }
    return models;
}

} // namespace

MsjFile ReadMsjFile(scheme::SchemeReader& in) {
    MsjFile msj;
    // The title is written on a line of its own: one that runs over a line end has lost its closing quote
    // and taken the shaft count with it, and no count after it can be trusted.
    const std::optional<std::string> title = in.NextText();
    if (title && title->find_first_of("\r\n") != std::string::npos) {
        return msj;
    }
    const std::optional<std::size_t> shafts = readCount(in);
    if (!shafts || !readRows(in, *shafts, msj.Shafts)) {
        return msj;
    }
    const std::optional<std::size_t> sections = readCount(in);
    if (!sections || !readRows(in, *sections, msj.Sections)) {
        return msj;
    }
    if (!readTwoTexts(in, msj.ZZ_j, msj.TotalPower)) {
        return msj;
    }
    msj.HasBoxes = true;
    const bool atEnd = in.AtEnd();
    const std::optional<bool> know = in.NextBoolean();
    std::optional<std::string> certain = in.NextText();
    if (atEnd || !certain) {
        return msj;
    }
    msj.KnowQr1 = know.value_or(false);
    msj.CertanQr1 = std::move(*certain);
    msj.HasKnownFlow = true;
    in.Skip(2); // the title and the reserved field
    if (!readTwoTexts(in, msj.Deltap_j, msj.JetCount)) {
        return msj;
    }
    msj.HasJetBoxes = true;
    const std::optional<std::size_t> groups = readCount(in);
    if (!groups) {
        return msj;
    }
    msj.HasGroups = true;
    if (!readRows(in, *groups, msj.Groups)) {
        return msj;
    }
    const std::optional<double> shown = in.NextLeading();
    if (shown && std::isfinite(*shown) && *shown >= 1 && *shown == std::floor(*shown) && *shown < 1e15) {
        msj.ShownSection = static_cast<long long>(*shown);
    }
    msj.Step2 = ventparam::ReadStep2Inputs(in);
    msj.SectionModels = readSectionModels(in, msj.Sections.size());
    return msj;
}

scheme::SchemeWriter WriteMsjFile(const MsjFile& msj) {
    scheme::SchemeWriter out;
    out.Text(kMsjTitleBasic).EndRecord();
    out.Whole(static_cast<long long>(msj.Shafts.size())).EndRecord();
    writeRows(out, msj.Shafts);
    out.Whole(static_cast<long long>(msj.Sections.size())).EndRecord();
    writeRows(out, msj.Sections);
    out.Text(msj.ZZ_j).Text(msj.TotalPower).EndRecord();
    out.Boolean(msj.KnowQr1).Text(msj.CertanQr1).EndRecord();
    out.Text(kMsjTitleLayout).EndRecord();
    out.Text("").Text(msj.Deltap_j).Text(msj.JetCount).EndRecord();
    out.Whole(static_cast<long long>(msj.Groups.size())).EndRecord();
    for (const auto& group : msj.Groups) {
        out.Text(group[0]).Text(group[1]).Text(group[2]).EndRecord();
    }
    const bool models = std::any_of(msj.SectionModels.begin(), msj.SectionModels.end(), HoldsModelData);
    if (msj.ShownSection > 0 || msj.Step2 || models) {
        out.Whole(msj.ShownSection).EndRecord();
    }
    ventparam::WriteStep2Inputs(out, msj.Step2);
    if (models) {
        std::string field = kMsjTitleSectionModels;
        for (std::size_t r = 0; r < msj.SectionModels.size(); ++r) {
            field += r == 0 ? "" : "|";
            for (std::size_t k = 0; k < 3; ++k) {
                const std::string& cell = msj.SectionModels[r][k];
                // A separator inside a box's text would shift every later value: such a text is not kept.
                field += (k == 0 ? "" : ":") + (cell.find_first_of(":|") == std::string::npos ? cell : "");
            }
        }
        out.Text(field).EndRecord();
    }
    return out;
}

void ForgetResults(MsjFile& msj) {
    for (auto& cells : msj.Shafts) {
        for (int column = 1; column < kShaftFields; ++column) {
            if (IsShaftResultColumn(column)) {
                cells[static_cast<std::size_t>(column)].clear();
            }
        }
    }
    // The stations (columns 0 and 1) and the jet-fan model (13) are not computed.
    for (auto& cells : msj.Sections) {
        for (int column = 2; column < kSectionFields; ++column) {
            if (column != 13) {
                cells[static_cast<std::size_t>(column)].clear();
            }
        }
    }
    msj.TotalPower.clear();
    msj.Deltap_j.clear();
    msj.JetCount.clear();
    msj.SectionModels.clear();
}

} // namespace multishaft
