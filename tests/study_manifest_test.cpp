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
    for (const char* bad : {"7-0", "", "a-b", "1-", "-1", "1-2x", "1x"}) EXPECT_FALSE(ParseStreamRange(bad)) << bad;
}

} // namespace
} // namespace zvx
