#include <gtest/gtest.h>

#include "analysis/study_manifest.h"

namespace zvx {
namespace {

StudyPart Part(const std::string& path, std::uint32_t seed, std::vector<std::uint32_t> streams,
               const std::string& generator = "long") {
    StudyManifest m;
    m.Seed = seed;
    m.Generator = generator;
    m.Streams = std::move(streams);
    return {path, m};
}

TEST(StudyManifest, WrittenAndReadBackTheSame) {
    Game g;
    g.HoursPlayed = 1234;
    g.Hands[2].Stats.HourWonSquares = 98765.25;
    const std::vector<std::uint8_t> record{1, 2, 3};
    const StudyManifest m = ManifestOf(g, record, 4000000000u, "long", {5, 2}, "advanced");
    const auto back = ParseManifest(ManifestJson(m));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Seed, 4000000000u);
    EXPECT_EQ(back->Streams, (std::vector<std::uint32_t>{2, 5}));
    EXPECT_EQ(back->Hours, 1234);
    EXPECT_EQ(back->HourWonSquares[2], 98765.25);
    EXPECT_EQ(back->Digest, Digest(record));
    EXPECT_NE(Digest(record), Digest(std::vector<std::uint8_t>{1, 2, 4}));
    std::string why;
    EXPECT_FALSE(ParseManifest("{\"manifest_version\": 1}", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(ParseManifest("not json"));
}

TEST(StudyManifest, RefusesWhatDoesNotBelongToTheStudy) {
    const StreamRange all{0, 3};
    EXPECT_FALSE(StudyProblem({Part("a", 1, {0, 1}), Part("b", 1, {2}), Part("c", 1, {3})}, all));
    const auto doubled = StudyProblem({Part("a", 1, {0, 1}), Part("b", 1, {1})}, std::nullopt);
    ASSERT_TRUE(doubled);
    EXPECT_NE(doubled->find("'b' holds stream 1 again (already in 'a')"), std::string::npos);
    const auto seed = StudyProblem({Part("a", 1, {0}), Part("b", 2, {1})}, std::nullopt);
    ASSERT_TRUE(seed);
    EXPECT_NE(seed->find("'b' belongs to seed 2, not seed 1"), std::string::npos);
    EXPECT_TRUE(StudyProblem({Part("a", 1, {0}), Part("b", 1, {1}, "classic")}, std::nullopt));
    const auto missing = StudyProblem({Part("a", 1, {0}), Part("b", 1, {3})}, all);
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find("streams 1,2 of 0-3 are missing"), std::string::npos);
    EXPECT_TRUE(StudyProblem({Part("a", 1, {0, 1, 2, 3}), Part("b", 1, {4})}, all)); // outside the range
    // Parts without a manifest are not judged here.
    EXPECT_FALSE(StudyProblem({Part("a", 1, {0}), StudyPart{"b", std::nullopt}}, std::nullopt));
}

TEST(StudyManifest, StreamRanges) {
    EXPECT_EQ(ParseStreamRange("0-7")->Last, 7u);
    EXPECT_EQ(ParseStreamRange("3")->First, 3u);
    EXPECT_EQ(ParseStreamRange("3")->Last, 3u);
    EXPECT_TRUE(ParseStreamRange("0-65535")->Refusal.empty());
    for (const char* bad : {"7-0", "", "a-b", "1-", "-1", "1-2x", "1x", "1-2-3", " 1", "0-65536", "0-99999999999",
                            "0-4294967296", "4294967297", "00000000000000000000000000001-65536"}) {
        const auto range = ParseStreamRange(bad);
        ASSERT_TRUE(range) << bad;
        EXPECT_FALSE(range->Refusal.empty()) << bad;
        EXPECT_EQ(range->Refusal.find('\n'), std::string::npos) << bad;
    }
    EXPECT_NE(ParseStreamRange("0-4294967296")->Refusal.find("goes past stream 65535"), std::string::npos);
    EXPECT_NE(ParseStreamRange("")->Refusal.find("'' is no range"), std::string::npos);
    // A long run of leading zeros is still the small number it writes.
    EXPECT_EQ(ParseStreamRange("000000000000000000000000000012")->Last, 12u);
}

// A merge of parts some of which had no manifest says so in its own manifest, and a later merge reads it.
TEST(StudyManifest, IncompleteMarkSurvivesTheText) {
    StudyManifest m;
    m.Streams = {0, 2};
    m.Incomplete = true;
    const auto back = ParseManifest(ManifestJson(m));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->Incomplete);
    EXPECT_EQ(back->Streams, (std::vector<std::uint32_t>{0, 2}));
    m.Incomplete = false;
    EXPECT_EQ(ManifestJson(m).find("incomplete"), std::string::npos); // a complete one is written as before
    EXPECT_FALSE(ParseManifest(ManifestJson(m))->Incomplete);
}

} // namespace
} // namespace zvx
