// Where the edit commands go, how an inserted picture is placed and what
// turning an object does.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "document/EditRouting.h"
#include "document/InsertedPicture.h"
#include "drawing/BSSline.h"
#include "drawing/bskomplex.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(EditRouting, EachCommandGoesWhereTheUserIsLooking) {
    const EditContext page{false, true, false, false}, object{false, true, false, true};
    const EditContext editor{true, true, false, true}, tableOnly{false, false, true, false};
    const EditContext both{false, true, true, true};

    // Del with an object selected deletes the object, never the simulation.
    EXPECT_EQ(RouteEdit(EditCommand::Delete, object), EditTarget::PageObject);
    EXPECT_EQ(RouteEdit(EditCommand::Delete, both), EditTarget::PageObject);
    EXPECT_EQ(RouteEdit(EditCommand::Delete, page), EditTarget::Simulation);
    EXPECT_EQ(RouteEdit(EditCommand::Delete, tableOnly), EditTarget::Simulation);
    EXPECT_EQ(RouteEdit(EditCommand::Delete, editor), EditTarget::EditorText);

    EXPECT_EQ(RouteEdit(EditCommand::Copy, object), EditTarget::PageObject);
    EXPECT_EQ(RouteEdit(EditCommand::Copy, page), EditTarget::Page);
    EXPECT_EQ(RouteEdit(EditCommand::Copy, tableOnly), EditTarget::Table);
    EXPECT_EQ(RouteEdit(EditCommand::Copy, editor), EditTarget::EditorText);

    EXPECT_EQ(RouteEdit(EditCommand::Cut, object), EditTarget::PageObject);
    EXPECT_EQ(RouteEdit(EditCommand::Cut, page), EditTarget::Page);
    EXPECT_EQ(RouteEdit(EditCommand::Cut, tableOnly), EditTarget::None);

    EXPECT_EQ(RouteEdit(EditCommand::Paste, tableOnly), EditTarget::Paste);
    EXPECT_EQ(RouteEdit(EditCommand::Paste, editor), EditTarget::EditorText);

    EXPECT_EQ(RouteEdit(EditCommand::Rotate, object), EditTarget::PageObject);
    EXPECT_EQ(RouteEdit(EditCommand::Rotate, page), EditTarget::None);
    EXPECT_EQ(RouteEdit(EditCommand::Rotate, editor), EditTarget::None);
}

TEST(InsertedPicture, IsShrunkIntoThePageKeepingItsShapeAndCentred) {
    ResetDrawing();
    TLine wide;
    wide.SetBounds(0, 0, 32, 12);  // twice as wide as the page and as high
    FitAndCentre(wide, 16, 12);
    EXPECT_DOUBLE_EQ(wide.Width(), 16);
    EXPECT_DOUBLE_EQ(wide.Height(), 6);
    EXPECT_DOUBLE_EQ(wide.X(), 0);
    EXPECT_DOUBLE_EQ(wide.Y(), 3);

    TLine tall;
    tall.SetBounds(5, 5, 8, 24);
    FitAndCentre(tall, 16, 12);
    EXPECT_DOUBLE_EQ(tall.Width(), 4);
    EXPECT_DOUBLE_EQ(tall.Height(), 12);
    EXPECT_DOUBLE_EQ(tall.X(), 6);

    TLine small;
    small.SetBounds(1, 1, 2, 1);
    FitAndCentre(small, 16, 12);
    EXPECT_DOUBLE_EQ(small.Width(), 2);
    EXPECT_DOUBLE_EQ(small.X(), 7);
    EXPECT_DOUBLE_EQ(small.Y(), 5.5);
}

TEST(InsertedPicture, AFileThatIsNoReadablePictureGivesNone) {
    const fs::path folder = fs::temp_directory_path() / "qv-insert-test";
    fs::create_directories(folder);
    std::ofstream(folder / "alt.wmf", std::ios::binary) << std::string("\xD7\xCD\xC6\x9A\0\0", 6) << std::string(40, 'x');
    std::ofstream(folder / "falsch.png", std::ios::binary) << "kein Bild";
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(QString::fromStdString((folder / "foto.png").string())));

    EXPECT_FALSE(PictureForPage(folder / "alt.wmf", 16, 12));
    EXPECT_FALSE(PictureForPage(folder / "falsch.png", 16, 12));
    auto picture = PictureForPage(folder / "foto.png", 4, 12);
    ASSERT_TRUE(picture);
    EXPECT_DOUBLE_EQ(picture->Width(), 4);
    EXPECT_DOUBLE_EQ(picture->Height(), 2);
    EXPECT_DOUBLE_EQ(picture->Y(), 5);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace qv
