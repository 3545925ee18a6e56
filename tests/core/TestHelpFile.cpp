// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/SaveFile.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

using namespace harukaze;

namespace {

const std::string kHelpFile = std::string(HARUKAZE_TEST_DATA_DIR) + "/../../../data/help/HARUKAZE.HLP";

class TestHelpFile : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(readWholeFile(kHelpFile, m_html)) << kHelpFile; }

    std::vector<std::string> matches(const std::string& pattern) const
    {
        std::vector<std::string> found;
        const std::regex re(pattern, std::regex::icase);
        for (auto it = std::sregex_iterator(m_html.begin(), m_html.end(), re); it != std::sregex_iterator(); ++it)
            found.push_back((*it)[1].str());
        return found;
    }

    std::vector<std::string> anchors() const { return matches(R"re(<a\s+name\s*=\s*"([^"]*)")re"); }
    std::vector<std::string> links() const { return matches(R"re(href\s*=\s*"#([^"]*)")re"); }

    std::string m_html;
};

TEST_F(TestHelpFile, isUtf8)
{
    size_t i = 0;
    while (i < m_html.size()) {
        const auto lead = static_cast<unsigned char>(m_html[i]);
        size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        ASSERT_NE(length, 0u) << "bad lead byte at " << i;
        ASSERT_LE(i + length, m_html.size()) << "cut off at " << i;
        for (size_t k = 1; k < length; ++k)
            ASSERT_EQ(static_cast<unsigned char>(m_html[i + k]) & 0xC0, 0x80) << "bad byte at " << i + k;
        i += length;
    }
}

TEST_F(TestHelpFile, hasEveryTopicTheProgramAsksFor)
{
    const std::vector<std::string> found = anchors();
    const std::set<std::string> names(found.begin(), found.end());
    for (const char* name : { "contents",
             "topic-90",
             "topic-103",
             "topic-70",
             "topic-91",
             "topic-61",
             "topic-96",
             "topic-62",
             "topic-16",
             "topic-13" })
        EXPECT_EQ(names.count(name), 1u) << name;
}

TEST_F(TestHelpFile, anchorsAreUniqueAndEveryLinkResolves)
{
    const std::vector<std::string> found = anchors();
    const std::set<std::string> names(found.begin(), found.end());
    EXPECT_EQ(names.size(), found.size()) << "an anchor name is used twice";
    const std::vector<std::string> targets = links();
    EXPECT_FALSE(targets.empty());
    for (const std::string& target : targets)
        EXPECT_EQ(names.count(target), 1u) << "href=\"#" << target << "\" has no anchor";
}

TEST_F(TestHelpFile, everyTopicStartsWithItsTitleAndIsInTheContents)
{
    // The viewer finds a topic by "topic-" and its number written without leading zeros, and
    // takes the <h2> right after the anchor as the topic's title.
    const std::regex topic(R"re(<a\s+name\s*=\s*"topic-([0-9]+)"\s*>\s*</a>\s*<h2>[^<]+</h2>)re", std::regex::icase);
    std::set<std::string> titled;
    for (auto it = std::sregex_iterator(m_html.begin(), m_html.end(), topic); it != std::sregex_iterator(); ++it)
        titled.insert("topic-" + (*it)[1].str());

    const std::vector<std::string> targets = links();
    const std::set<std::string> linked(targets.begin(), targets.end());
    int topics = 0;
    for (const std::string& name : anchors()) {
        if (name.rfind("topic-", 0) != 0)
            continue;
        ++topics;
        EXPECT_EQ(titled.count(name), 1u) << name << " is not followed by its <h2> title";
        EXPECT_EQ(linked.count(name), 1u) << name << " is not linked from anywhere";
        EXPECT_NE(name[6], '0') << name << " has a leading zero";
    }
    EXPECT_GE(topics, 15);

    // The contents section links to every topic.
    const size_t begin = m_html.find("<a name=\"contents\"></a>");
    const size_t end = m_html.find("<a name=\"topic-", begin);
    ASSERT_NE(begin, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    const std::string contents = m_html.substr(begin, end - begin);
    for (const std::string& name : anchors()) {
        if (name.rfind("topic-", 0) == 0) {
            EXPECT_NE(contents.find("href=\"#" + name + "\""), std::string::npos)
                << name << " is missing from the contents";
        }
    }
}

TEST_F(TestHelpFile, everyAngleBracketStartsATag)
{
    // Captions such as "<　戻る" must be written with &lt;, or the browser takes them for markup.
    for (size_t pos = m_html.find('<'); pos != std::string::npos; pos = m_html.find('<', pos + 1)) {
        ASSERT_LT(pos + 1, m_html.size());
        const char next = m_html[pos + 1];
        const bool tagStart
            = (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') || next == '/' || next == '!';
        EXPECT_TRUE(tagStart) << "stray '<' near: " << m_html.substr(pos, 40);
    }
}

TEST_F(TestHelpFile, usesTheCaptionsOfTheScreens)
{
    for (const char* caption : { "次へ　&gt;",
             "&lt;　戻る",
             "完了",
             "和暦入力",
             "ｷｬﾝｾﾙ",
             "家族設定内容の変更(C)",
             "表のCSV形式保存(E)",
             "データ保存(S)",
             "ハルカゼ設定（１／６）",
             "ハルカゼ設定（６／６）",
             "子供のライフイベント",
             "和暦→西暦変換",
             "令和",
             "第23回生命表（完全生命表）",
             "「データ保存」されていません。",
             "注意マークを表示(A)",
             "注意が必要な年(L)..." })
        EXPECT_NE(m_html.find(caption), std::string::npos) << caption;
}

} // namespace
