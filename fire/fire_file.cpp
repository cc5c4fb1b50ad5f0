// SPDX-License-Identifier: GPL-3.0-or-later
#include "fire/fire_file.h"

#include "jetfan/jet_file.h"
#include "platform/vb.h"
#include "shaft/sj_file.h"

#include <algorithm>

namespace fire {

namespace {

std::vector<std::string> readRows(scheme::SchemeReader& in, bool ports,
                                  std::optional<RefusedCount>& refused) {
    std::vector<std::string> rows;
    const std::optional<long long> n = in.NextWhole();
    if (!n || *n <= 0) {
        return rows;
    }
    if (*n > kMaxFirRows) {
        refused = RefusedCount{ports, *n};
        return rows;
    }
    const long long count = std::min<long long>(*n, static_cast<long long>(in.FieldCount()));
    for (long long i = 0; i < count; ++i) {
        std::optional<std::string> row = in.NextText();
        if (!row) {
            break;
        }
        rows.push_back(std::move(*row));
    }
    return rows;
}

template <std::size_t N> void readBooleans(scheme::SchemeReader& in, std::array<std::optional<bool>, N>& a) {
    for (auto& f : a) {
        f = in.NextBoolean();
    }
}

// The shafts' ports from a station and a short-passage length given as texts.
double portOf(const std::string& pile, const std::string& ds, bool rightLine) {
    return rightLine ? vb::Val(pile) + vb::Val(ds) : vb::Val(pile) - vb::Val(ds);
}

} // namespace

FirSettings ReadFirFile(scheme::SchemeReader& in) {
    FirSettings fir;
    in.Skip(1);
    fir.FireLocs = readRows(in, false, fir.Refused);
    if (fir.Refused) {
        return fir;
    }
    in.Skip(1);
    fir.ExsmokePiles = readRows(in, true, fir.Refused);
    if (fir.Refused) {
        return fir;
    }
    for (auto& c : fir.Checks) {
        if (const std::optional<long long> v = in.NextWhole()) {
            c = static_cast<int>(std::clamp<long long>(*v, -1, 3));
        }
    }
    readBooleans(in, fir.VentModes);
    readBooleans(in, fir.TrafficModes);
    readBooleans(in, fir.WindDirections);
    in.NextTexts(fir.Texts);
    in.NextTexts(fir.Range);
    in.NextTexts(fir.WindRatio);
    // Every file this window ever wrote ends its reserve records whole; the direction record came later.
    constexpr int kReserve = kFirReserveRecords * kFirReserveFields;
    int reserve = 0;
    while (reserve < kReserve && in.NextText()) {
        ++reserve;
    }
    if (reserve < kReserve) {
        fir.Whole = false;
        return fir;
    }
    if (in.AtEnd()) {
        return fir;
    }
    // Taken only as a pair: a record cut after "#FALSE#" would otherwise select neither direction.
    const std::optional<bool> first = in.NextBoolean();
    const std::optional<bool> second = in.NextBoolean();
    if (first && second) {
        fir.TwoWayDirections = {first, second};
    } else {
        fir.Whole = false;
    }
    return fir;
}

FirSettings ReadFirBytes(std::string_view gbk) {
    scheme::SchemeReader in;
    in.Parse(gbk);
    FirSettings fir = ReadFirFile(in);
    if (fir.Whole || fir.Refused) {
        return fir;
    }
    if (std::optional<scheme::SchemeReader> kept = scheme::WholeRecordsReader(gbk)) {
        fir = ReadFirFile(*kept);
        fir.Whole = false;
    }
    return fir;
}

std::size_t OrderedPosition(std::size_t count, const std::function<double(std::size_t)>& stationAt,
                            double station) {
    std::size_t low = 0, high = count;
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (stationAt(mid) > station) {
            high = mid;
        } else {
            low = mid + 1;
        }
    }
    return low;
}

scheme::SchemeWriter WriteFirFile(const FirSettings& fir) {
    scheme::SchemeWriter out;
    out.Text(kFirTitleFires).EndRecord();
    out.Whole(static_cast<long long>(fir.FireLocs.size())).EndRecord();
    for (const std::string& row : fir.FireLocs) {
        out.Text(row).EndRecord();
    }
    out.Text(kFirTitlePorts).EndRecord();
    out.Whole(static_cast<long long>(fir.ExsmokePiles.size())).EndRecord();
    for (const std::string& row : fir.ExsmokePiles) {
        out.Text(row).EndRecord();
    }
    for (const auto& c : fir.Checks) {
        out.Whole(c.value_or(0));
    }
    out.EndRecord();
    for (const auto& b : fir.VentModes) {
        out.Boolean(b.value_or(false));
    }
    out.EndRecord();
    for (const auto& b : fir.TrafficModes) {
        out.Boolean(b.value_or(false));
    }
    out.EndRecord();
    for (const auto& b : fir.WindDirections) {
        out.Boolean(b.value_or(false));
    }
    out.EndRecord();
    out.TextRecord(fir.Texts);
    out.TextRecord(fir.Range);
    out.TextRecord(fir.WindRatio);
    out.ReserveRecords(kFirReserveRecords, kFirReserveFields);
    for (const auto& b : fir.TwoWayDirections) {
        out.Boolean(b.value_or(false));
    }
    out.EndRecord();
    return out;
}

std::optional<CollectedScheme> CollectJetScheme(scheme::SchemeReader& in) {
    const jetfan::JetFileContents jet = jetfan::ReadJetFile(in);
    if (!jet.Record2[jetfan::kJetName] || !jet.Record2[jetfan::keta]) {
        return std::nullopt;
    }
    CollectedScheme out;
    out.JetModel = jet.Record2[jetfan::kJetName];
    out.Eta = jet.Record2[jetfan::keta];
    return out;
}

std::optional<CollectedScheme> CollectSjScheme(scheme::SchemeReader& in, bool rightLine) {
    const shaft::SjFileContents sj = shaft::ReadSjFile(in);
    if (!sj.ShaftPile || !sj.Passage[0] || !sj.Inlet[8] || !sj.Inlet[10]) {
        return std::nullopt;
    }
    CollectedScheme out;
    out.Ports.push_back(portOf(*sj.ShaftPile, *sj.Passage[0], rightLine));
    out.JetModel = sj.Inlet[8];
    out.Eta = sj.Inlet[10];
    return out;
}

std::optional<CollectedScheme> CollectMsjScheme(scheme::SchemeReader& in, bool rightLine) {
    constexpr int kShaftFields = 39, kShaftDs = 34, kSectionFields = 16, kSectionModel = 13;
    CollectedScheme out;
    in.Skip(1);
    const std::optional<long long> shafts = in.NextWhole();
    if (!shafts) {
        return std::nullopt;
    }
    for (long long k = 0; k < *shafts; ++k) {
        std::array<std::string, kShaftFields> f;
        for (auto& field : f) {
            std::optional<std::string> t = in.NextText();
            if (!t) {
                return std::nullopt;
            }
            field = std::move(*t);
        }
        out.Ports.push_back(portOf(f[0], f[kShaftDs], rightLine));
    }
    const std::optional<long long> sections = in.NextWhole();
    if (!sections) {
        return std::nullopt;
    }
    for (long long k = 0; k < *sections; ++k) {
        for (int j = 0; j < kSectionFields; ++j) {
            std::optional<std::string> t = in.NextText();
            if (!t) {
                return std::nullopt;
            }
            if (j == kSectionModel) {
                out.JetModel = std::move(*t);
            }
        }
    }
    return out;
}

} // namespace fire
