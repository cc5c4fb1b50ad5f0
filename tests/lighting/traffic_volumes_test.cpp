// SPDX-License-Identifier: GPL-3.0-or-later
// The graded traffic volumes of step 1: sorted in the order the pairwise exchange has always given them,
// also for equal values written differently; the design traffic record of the .bgh file, which files
// written before it do not hold; the limit on the count of volumes.
#include "lighting/bgh_file.h"
#include "lighting/zone_luminance.h"
#include "platform/vb.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using lighting::BghContents;
using lighting::SortVolumes;
using Texts = std::vector<std::string>;

/// The exchange the list has always been sorted by: each position in turn swaps with every later volume
/// of a smaller value.
Texts exchanged(Texts t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        for (std::size_t j = i + 1; j < t.size(); ++j) {
            if (vb::Val(t[j]) < vb::Val(t[i])) {
                std::swap(t[i], t[j]);
            }
        }
    }
    return t;
}

TEST(TrafficVolumes, SortedAsTheExchangeSortsThem) {
    const std::vector<Texts> cases = {
        {},
        {"1158", "780"},
        {"780", "1158", "350", "1158"},
        // A value added to a sorted list holding one value written twice: the exchange moves "1000.0"
        // ahead of "1000" where a stable sort would not.
        {"500", "1000", "1000.0", "700"},
        {"2a", "2b", "1"},
        {"", "abc", "0", "-5", "1e3", "1000"},
    };
    for (const Texts& c : cases) {
        EXPECT_EQ(SortVolumes(c), exchanged(c));
    }
    EXPECT_EQ(SortVolumes({"500", "1000", "1000.0", "700"}), (Texts{"500", "700", "1000.0", "1000"}));

    // Many volumes, with equal values in several notations.
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        Texts t;
        for (int i = 0; i < 200; ++i) {
            const unsigned v = rng() % 40;
            t.push_back(std::to_string(v) + (rng() % 3 == 0 ? ".0" : (rng() % 5 == 0 ? "辆" : "")));
        }
        EXPECT_EQ(SortVolumes(t), exchanged(t));
    }
}

BghContents read(const std::string& bytes) {
    scheme::SchemeReader in;
    in.Parse(bytes);
    return lighting::ReadBgh(in);
}

TEST(TrafficVolumes, TheDesignTrafficIsTheLastRecordAndOlderFilesHaveNone) {
    BghContents c;
    c.Volumes = Texts{"780", "1158"};
    c.Zones = std::vector<lighting::BghZoneRow>(6, {"1.00", "2.00"});
    const std::string older = lighting::WriteBgh(c).Bytes();
    EXPECT_FALSE(read(older).Traffic.has_value());

    c.Traffic = "1472";
    const std::string bytes = lighting::WriteBgh(c).Bytes();
    EXPECT_EQ(bytes, older + "\"1472\"\r\n");
    const BghContents back = read(bytes);
    EXPECT_EQ(back.Traffic, "1472");
    EXPECT_EQ(back.Volumes, c.Volumes);
    ASSERT_TRUE(back.Zones.has_value());
    EXPECT_EQ(back.Zones->size(), 6u);
}

TEST(TrafficVolumes, ACountAboveTheLimitIsRefused) {
    const long long limit = lighting::kMaxTrafficVolumes;
    BghContents atLimit = read(std::to_string(limit) + "\r\n\"1\"\r\n");
    EXPECT_FALSE(atLimit.RefusedVolumeCount.has_value());
    EXPECT_EQ(atLimit.Volumes, Texts{"1"});
    BghContents above = read(std::to_string(limit + 1) + "\r\n\"1\"\r\n");
    EXPECT_EQ(above.RefusedVolumeCount, limit + 1);
    EXPECT_FALSE(above.Volumes.has_value());
}

} // namespace
