#include "util/HelpTopics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace {

namespace fs = std::filesystem;

// The pages live in the source tree; test.sh names it, a bare test run skips.
fs::path HelpDir() {
    const char* source = std::getenv("QV_SOURCE_DIR");
    return source && *source ? fs::path(source) / "help" : fs::path();
}

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The one file besides the pages: their common style sheet.
const std::string StyleSheet = "quorvel.css";

std::vector<std::string> LinkTargets(const std::string& page) {
    static const std::regex href(R"(href\s*=\s*"([^"]*)\")", std::regex::icase);
    std::vector<std::string> targets;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), href); it != std::sregex_iterator(); ++it)
        targets.push_back((*it)[1].str());
    return targets;
}

bool IsTopic(const std::string& name) {
    return std::find(HelpTopics.begin(), HelpTopics.end(), name) != HelpTopics.end();
}

// Strict enough to catch a page saved in a legacy code page, which the
// browser would then show with broken umlauts.
bool IsUtf8(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t extra = 0;
        if ((lead & 0xE0) == 0xC0) extra = 1;
        else if ((lead & 0xF0) == 0xE0) extra = 2;
        else if ((lead & 0xF8) == 0xF0) extra = 3;
        else if (lead >= 0x80) return false;
        if (bytes.size() - i <= extra) return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

TEST(HelpPages, TopicListIsWellFormed) {
    std::set<std::string_view> unique(HelpTopics.begin(), HelpTopics.end());
    EXPECT_EQ(unique.size(), HelpTopics.size());
    for (std::string_view topic : HelpTopics) {
        EXPECT_TRUE(topic.ends_with(".html")) << topic;
        EXPECT_EQ(topic.find_first_of("/\\ "), std::string_view::npos) << topic;
    }
    EXPECT_TRUE(IsTopic("inhalt.html"));
    EXPECT_TRUE(IsTopic("modellalgo.html"));
}

TEST(HelpPages, EveryTopicExistsAndIsInTheContents) {
    const fs::path dir = HelpDir();
    if (dir.empty()) GTEST_SKIP() << "QV_SOURCE_DIR is not set";

    std::set<std::string> linked;
    for (const std::string& target : LinkTargets(ReadAll(dir / "inhalt.html"))) linked.insert(target);
    for (std::string_view topic : HelpTopics) {
        const std::string name(topic);
        EXPECT_TRUE(fs::is_regular_file(dir / name)) << name;
        if (name != "inhalt.html") {
            EXPECT_TRUE(linked.count(name)) << name << " is missing from inhalt.html";
        }
    }
    // A page in the folder that no button or menu opens would be unreachable
    // except through links, and is most likely a misspelt topic.
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".html") {
            EXPECT_TRUE(IsTopic(entry.path().filename().string())) << entry.path().filename();
        }
    }
}

TEST(HelpPages, PagesAreSelfContainedUtf8WithWorkingLinks) {
    const fs::path dir = HelpDir();
    if (dir.empty()) GTEST_SKIP() << "QV_SOURCE_DIR is not set";
    EXPECT_TRUE(fs::is_regular_file(dir / StyleSheet));

    for (std::string_view topic : HelpTopics) {
        const std::string name(topic);
        const std::string page = ReadAll(dir / name);
        ASSERT_FALSE(page.empty()) << name;
        EXPECT_TRUE(IsUtf8(page)) << name;
        EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos) << name;
        EXPECT_NE(page.find("<title>"), std::string::npos) << name;
        EXPECT_EQ(page.find("<script"), std::string::npos) << name;
        EXPECT_EQ(page.find("src="), std::string::npos) << name;  // no images or other loads
        for (const std::string& target : LinkTargets(page)) {
            const std::string file = target.substr(0, target.find('#'));
            EXPECT_TRUE(IsTopic(file) || file == StyleSheet) << name << " links to " << target;
        }
        EXPECT_NE(page.find("href=\"quorvel.css\""), std::string::npos) << name << " lacks the common look";
    }
}

}  // namespace
}  // namespace qv
