// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/axial_fan_file.h"

#include "platform/file_names.h"
#include "platform/scheme_file.h"

namespace tools {

namespace {

constexpr std::string_view kSectionHeading = "[沿程损失计算]";
constexpr std::string_view kZetaHeading = "[局部损失计算]";
constexpr int kReserveFields = 10;

std::string next(scheme::SchemeReader& in) {
    return in.NextText().value_or("");
}

// Reads a counted row list. A count above kMaxAxialFanRows is refused before any row is read, and false
// says the reading ends there.
template <std::size_t N>
bool rows(scheme::SchemeReader& in, bool losses, std::vector<std::array<std::string, N>>& result,
          std::optional<AxialRefusedCount>& refused) {
    const std::optional<long long> n = in.NextWhole();
    if (!n || *n <= 0) {
        return true;
    }
    if (*n > kMaxAxialFanRows) {
        refused = AxialRefusedCount{losses, *n};
        return false;
    }
    in.NextTextRows(*n, std::array<std::string, N>{}, result);
    return true;
}

} // namespace

std::string AxialFanFilePath(std::string_view projectFile, std::string_view fanNo) {
    if (projectFile.size() <= 4) {
        return "";
    }
    std::string path(projectFile.substr(0, projectFile.size() - 4));
    path += "_";
    path += fanNo;
    path += ".afd";
    return path;
}

std::optional<std::string> FanNoProblem(std::string_view fanNo) {
    return platform::FileNamePartProblem(fanNo, "风机编号");
}

scheme::SchemeWriter AxialFanFile(const AxialFanTexts& fan) {
    scheme::SchemeWriter out;
    out.Text(fan.Q).Text(fan.N).Text(fan.RHO);
    out.Boolean(fan.Supply.value_or(false)).Boolean(fan.Exhaust.value_or(false));
    out.Text(fan.v).Text(fan.Disc).EndRecord();
    out.Text(kSectionHeading).EndRecord();
    out.Whole(static_cast<long long>(fan.Sections.size())).EndRecord();
    out.TextRows(fan.Sections, std::tuple_size_v<AxialSectionTexts>);
    out.Text(kZetaHeading).EndRecord();
    out.Whole(static_cast<long long>(fan.Zetas.size())).EndRecord();
    out.TextRows(fan.Zetas, std::tuple_size_v<AxialZetaTexts>);
    out.Text(fan.p_d).Text(fan.p_s).Text(fan.p_tot).EndRecord();
    out.Text(fan.t).Text(fan.P).Text(fan.eta).Text(fan.SSkw).EndRecord();
    out.Text(fan.etam).Text(fan.k).Text(fan.MM).EndRecord();
    for (int r = 0; r < 2; ++r) {
        for (int f = 0; f < kReserveFields; ++f) {
            out.Text("");
        }
        out.EndRecord();
    }
    return out;
}

std::string AxialFanFileBytes(const AxialFanTexts& fan) {
    return AxialFanFile(fan).Bytes();
}

AxialFanTexts ParseAxialFanFile(std::string_view gbkBytes) {
    scheme::SchemeReader in;
    in.Parse(gbkBytes);
    AxialFanTexts fan;
    fan.Q = next(in);
    fan.N = next(in);
    fan.RHO = next(in);
    fan.Supply = in.NextBoolean();
    fan.Exhaust = in.NextBoolean();
    fan.v = next(in);
    fan.Disc = next(in);
    in.Skip(); // the heading; its text is not compared
    if (!rows(in, false, fan.Sections, fan.Refused)) {
        return fan;
    }
    in.Skip();
    if (!rows(in, true, fan.Zetas, fan.Refused)) {
        return fan;
    }
    fan.p_d = next(in);
    fan.p_s = next(in);
    fan.p_tot = next(in);
    fan.t = next(in);
    fan.P = next(in);
    fan.eta = next(in);
    fan.SSkw = next(in);
    fan.etam = next(in);
    fan.k = next(in);
    fan.MM = next(in);
    return fan;
}

} // namespace tools
