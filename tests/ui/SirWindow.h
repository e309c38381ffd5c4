// A window with the SIR example opened from a copy the test may overwrite;
// closing it answers the unsaved-changes question with "Nein".
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <vector>

#include "UiTestSupport.h"
#include "app/QVMain.h"
#include "drawing/bsbitmap.h"
#include "drawing/bskomplex.h"

namespace qv::test {

class SirWindow : public ::testing::Test {
protected:
    void SetUp() override {
        path = folder.filePath(QStringLiteral("sir.prg"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QV_EXAMPLES_DIR "/sir.prg"), path));
        window.resize(900, 650);
        window.show();
        ASSERT_TRUE(window.openFile(path));
        ASSERT_EQ(window.document().Simulations.size(), 1u);
    }
    void TearDown() override {
        AnswerBoxes no(MessageAnswer::No);
        window.close();
    }
    // The pictures on the page, in page order.
    std::vector<TBild*> pictures() {
        std::vector<TBild*> found;
        for (auto& object : window.document().Page->Children)
            if (auto* bild = dynamic_cast<TBild*>(object.get())) found.push_back(bild);
        return found;
    }

    QTemporaryDir folder;
    QString path;
    TMain window;
};

}  // namespace qv::test
