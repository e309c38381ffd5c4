// The help window finds the pages beside the program and shows them with
// their common style sheet; a missing page is said in the window.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "app/MTHelp.h"

namespace qv {
namespace {

TEST(HelpWindow, ShowsStyledPagesAndNamesMissingOnes) {
    if (HelpFolder().isEmpty()) GTEST_SKIP() << "no help folder near the test program";
    THelpForm help;
    help.showTopic(QStringLiteral("achsen.html"));
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.currentTopicPath().endsWith(QStringLiteral("/achsen.html")));
    auto* browser = help.findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);

    // The heading takes its colour from the style sheet the page links.
    bool headingFound = false;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text() != QStringLiteral("Achse")) continue;
        headingFound = true;
        EXPECT_EQ(block.charFormat().foreground().color(), QColor(0x1f, 0x4e, 0x79));
    }
    EXPECT_TRUE(headingFound);

    help.showTopic(QStringLiteral("gibtsnicht.html"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("„gibtsnicht.html“ wurde nicht gefunden")));
}

}  // namespace
}  // namespace qv
