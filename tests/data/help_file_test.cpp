// The help as a reader meets it: it opens at "Contents", every link leads to a topic, every topic
// can be reached from the contents, and the subjects a new player asks about are all there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

class HelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream in(testing::GameFile("KVT.HLP"), std::ios::binary);
        ASSERT_TRUE(in.good()) << "KVT.HLP is missing from the game folder";
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        const std::regex anchor(R"re(<a name="([^"]+)"></a>\s*<h2>([^<]+)</h2>)re");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), anchor); it != std::sregex_iterator(); ++it) {
            topics.push_back((*it)[1]);
            topicStart.push_back(static_cast<std::size_t>(it->position()));
        }
    }
    // The links of the text between two offsets.
    std::set<std::string> LinksIn(std::size_t from, std::size_t to) const {
        std::set<std::string> out;
        const std::regex link(R"re(<a href="#([^"]+)">)re");
        const std::string part = text.substr(from, to - from);
        for (auto it = std::sregex_iterator(part.begin(), part.end(), link); it != std::sregex_iterator(); ++it) {
            out.insert((*it)[1]);
        }
        return out;
    }
    std::string text;
    std::vector<std::string> topics;
    std::vector<std::size_t> topicStart;
};

TEST_F(HelpFile, OpensAtContentsAndEveryNamedPlaceIsATopic) {
    ASSERT_FALSE(topics.empty());
    EXPECT_EQ(topics.front(), "Contents");
    // Every anchor in the file starts a topic with its heading, so the viewer can open any of them.
    const std::regex anyAnchor(R"re(<a name=")re");
    const auto anchors = std::distance(std::sregex_iterator(text.begin(), text.end(), anyAnchor), std::sregex_iterator());
    EXPECT_EQ(anchors, static_cast<long>(topics.size()));
    EXPECT_EQ(std::set<std::string>(topics.begin(), topics.end()).size(), topics.size()) << "a topic name repeats";
}

TEST_F(HelpFile, EveryLinkLeadsToATopicAndContentsListsEveryTopic) {
    ASSERT_GE(topics.size(), 2u);
    const std::set<std::string> names(topics.begin(), topics.end());
    for (const std::string& target : LinksIn(0, text.size())) {
        EXPECT_TRUE(names.count(target)) << "link to a missing topic: " << target;
    }
    const std::set<std::string> listed = LinksIn(topicStart[0], topicStart[1]);
    for (std::size_t i = 1; i < topics.size(); ++i) {
        EXPECT_TRUE(listed.count(topics[i])) << "Contents does not list " << topics[i];
    }
}

TEST_F(HelpFile, CoversHowToPlay) {
    const std::set<std::string> names(topics.begin(), topics.end());
    for (const char* subject : {"Orders", "Turn", "Movement", "Battles", "Supply", "Economy", "Politics", "Victory"}) {
        EXPECT_TRUE(names.count(subject)) << "no topic on " << subject;
    }
    EXPECT_NE(text.find("Drennovar III  v2.5"), std::string::npos) << "the title, with its two blanks";
}

// The help names no kind of ground that the battle reports never name: a reader looks for it in
// the terrain of the battle dialog.
TEST_F(HelpFile, NamesOnlyTheGroundTheGameNames) {
    TTextTable table;
    ASSERT_TRUE(table.LoadFromFile(testing::GameFile("KVT_ENG.TXT")));
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    };
    std::string terrain;
    for (int n = 518; n <= 524; ++n) terrain += lower(table[n]) + "|";
    const std::string help = lower(text);
    for (const char* ground : {"swamp", "marsh", "forest", "wood", "hill", "mountain", "desert", "prairie", "wilderness"}) {
        if (help.find(ground) == std::string::npos) continue;
        EXPECT_NE(terrain.find(ground), std::string::npos) << "the help speaks of \"" << ground << "\" ground";
    }
}

}  // namespace
}  // namespace kvt
