// SPDX-License-Identifier: GPL-3.0-or-later
// The exhaust ports kept in ascending order, and the longest station list the .fir reader takes.
#include "fire/fire_file.h"

#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PortOrder, ANewStationGoesAfterEveryStationNotAboveIt) {
    struct Case {
        std::vector<double> list;
        double station;
        std::size_t at;
    };
    const std::vector<Case> cases = {
        {{}, 500, 0},
        {{1000}, 999, 0},
        {{1000}, 1000, 1},
        {{1000, 2000, 3000}, 500, 0},
        {{1000, 2000, 3000}, 2500, 2},
        {{1000, 2000, 3000}, 3500, 3},
        // Ties go after the rows already there.
        {{1000, 2000, 2000, 2000, 3000}, 2000, 4},
        {{0, 0, 0, 0}, 0, 4},
        {{0, 0, 0, 0}, -1, 0},
    };
    for (const Case& c : cases) {
        const std::size_t got = fire::OrderedPosition(
            c.list.size(), [&c](std::size_t i) { return c.list.at(i); }, c.station);
        EXPECT_EQ(got, c.at) << c.station << " into " << c.list.size() << " rows";
    }
}

TEST(PortOrder, ReadsAboutTheLogarithmOfTheListNotTheList) {
    const std::vector<double> list(4096, 1000);
    int reads = 0;
    fire::OrderedPosition(
        list.size(),
        [&](std::size_t i) {
            ++reads;
            return list[i];
        },
        1000);
    EXPECT_LE(reads, 13);
}

TEST(FirFileLimit, ACountAboveTheLimitStopsTheReadingAndIsNamed) {
    struct Case {
        long long fires, ports;
        std::optional<fire::RefusedCount> refused;
    };
    const long long max = fire::kMaxFirRows;
    const std::vector<Case> cases = {
        {max, 1, std::nullopt},
        {max + 1, 1, fire::RefusedCount{false, max + 1}},
        {1, max + 1, fire::RefusedCount{true, max + 1}},
    };
    for (const Case& c : cases) {
        fire::FirSettings fir;
        fir.FireLocs.assign(static_cast<std::size_t>(c.fires), "11000");
        fir.ExsmokePiles.assign(static_cast<std::size_t>(c.ports), "12000");
        fir.Checks = {1, 0, 1, 0};
        scheme::SchemeReader in;
        in.Parse(fire::WriteFirFile(fir).Bytes());
        const fire::FirSettings got = fire::ReadFirFile(in);
        SCOPED_TRACE(std::to_string(c.fires) + " fire points, " + std::to_string(c.ports) + " ports");
        ASSERT_EQ(got.Refused.has_value(), c.refused.has_value());
        if (c.refused) {
            EXPECT_EQ(got.Refused->ports, c.refused->ports);
            EXPECT_EQ(got.Refused->count, c.refused->count);
            // Nothing after the refused count is taken.
            EXPECT_FALSE(got.Checks[0]);
            EXPECT_TRUE(got.ExsmokePiles.empty());
        } else {
            EXPECT_EQ(got.FireLocs.size(), static_cast<std::size_t>(c.fires));
            EXPECT_EQ(got.Checks[0], 1);
        }
    }
}

} // namespace
