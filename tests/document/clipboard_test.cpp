// The worksheet's clipboard: an object, the whole page and a simulation go
// through the real clipboard and come back; paste takes the first usable
// format; a damaged record pastes nothing at all.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QSvgRenderer>

#include "document/DocumentActions.h"
#include "document/PageClipboard.h"
#include "drawing/BSSline.h"
#include "drawing/bsbitmap.h"
#include "drawing/bstext.h"

namespace qv {
namespace {

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawing();
        AcceptedAlgorithm algorithm;
        algorithm.Name = "Wachstum";
        algorithm.Program = {"B := B + 0,1*B", "ZEIT := ZEIT + 1"};
        algorithm.StartValues = {{"B", 10}};
        ASSERT_FALSE(AddNewSimulation(document_, algorithm));
        algorithm.Name = "Zerfall";
        algorithm.Program = {"B := B - 0,1*B", "ZEIT := ZEIT + 1"};
        ASSERT_FALSE(AddNewSimulation(document_, algorithm));
    }
    void TearDown() override { ResetDrawing(); }

    // Hands the data to the clipboard and reads what it gives back.
    static ClipboardContent ThroughClipboard(std::unique_ptr<QMimeData> data) {
        EXPECT_TRUE(data);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setMimeData(data.release());
        return ReadClipboard(*clipboard->mimeData());
    }

    static QByteArray Bytes(const char* text) { return QByteArray(text); }

    TDocument document_ = TDocument::CreateNew();
};

TEST_F(Clipboard, ACopiedObjectIsPastedTwoPixelsFurtherEachTimeAndOtherProgramsGetItsPicture) {
    TLine line;
    line.SetBounds(1, 2, 3, 1.5);
    line.LineColour = 0x0000FF;
    auto data = ObjectClipboardData(line);
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(line.PixWidth() + 8, line.PixHeight() + 8));
    EXPECT_TRUE(QSvgRenderer(data->data(QStringLiteral("image/svg+xml"))).isValid());
    QGuiApplication::clipboard()->setMimeData(data.release());

    for (int paste = 0; paste < 2; ++paste) {
        ClipboardContent content = ReadClipboard(*QGuiApplication::clipboard()->mimeData());
        ASSERT_TRUE(content.Object) << content.Error;
        auto* pasted = dynamic_cast<TLine*>(content.Object.get());
        ASSERT_TRUE(pasted);
        EXPECT_EQ(pasted->PixX(), line.PixX() + 2);
        EXPECT_EQ(pasted->PixY(), line.PixY() + 2);
        EXPECT_EQ(pasted->PixWidth(), line.PixWidth());
        EXPECT_EQ(pasted->LineColour, 0x0000FFu);
        EXPECT_FALSE(pasted->Selected());
    }
}

TEST_F(Clipboard, ACopiedPageBringsItsSimulationsAgainAndAPictureOfThePage) {
    auto data = PageClipboardData(document_);
    ASSERT_TRUE(data);
    // The picture is 0.1 cm larger than the page on every side (96 dpi).
    QSvgRenderer svg(data->data(QStringLiteral("image/svg+xml")));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 612, 461));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(document_.Page->PixWidth() + 8, document_.Page->PixHeight() + 8));

    ClipboardContent content = ThroughClipboard(std::move(data));
    EXPECT_FALSE(content.Object);
    ASSERT_EQ(content.Simulations.size(), 2u) << content.Error;
    EXPECT_EQ(content.Simulations[0]->Name, "Wachstum");
    EXPECT_EQ(content.Simulations[1]->Name, "Zerfall");
    EXPECT_EQ(content.Simulations[1]->Program, document_.Simulations[1]->Program);
}

TEST_F(Clipboard, ACopiedSimulationComesBackWhole) {
    ClipboardContent content = ThroughClipboard(SimulationClipboardData(*document_.Simulations[0]));
    ASSERT_EQ(content.Simulations.size(), 1u) << content.Error;
    OutStream original, pasted;
    document_.Simulations[0]->save(original);
    content.Simulations[0]->save(pasted);
    EXPECT_EQ(original.bytes(), pasted.bytes());
}

TEST_F(Clipboard, PasteTakesTheFirstUsableFormat) {
    TLine line;
    line.SetBounds(1, 1, 2, 2);
    OutStream record;
    ASSERT_TRUE(line.SaveToStream(record));
    const QByteArray object(reinterpret_cast<const char*>(record.bytes().data()), qsizetype(record.bytes().size()));
    QImage pixels(40, 20, QImage::Format_RGB32);
    pixels.fill(Qt::red);

    QMimeData all;
    all.setText(QStringLiteral("Aufgabe"));
    all.setImageData(pixels);
    all.setData(QString::fromLatin1(ObjectFormat), object);
    EXPECT_TRUE(dynamic_cast<TLine*>(ReadClipboard(all).Object.get()));

    QMimeData textAndPicture;
    textAndPicture.setImageData(pixels);
    textAndPicture.setText(QStringLiteral("Größe\r\nZeile"));
    auto text = ReadClipboard(textAndPicture);
    auto* pastedText = dynamic_cast<ttext*>(text.Object.get());
    ASSERT_TRUE(pastedText);
    EXPECT_EQ(pastedText->Text(), "Gr\xF6\xDF" "e\rZeile");
    EXPECT_DOUBLE_EQ(pastedText->X(), 2);
    EXPECT_DOUBLE_EQ(pastedText->Y(), 3);

    QMimeData picture;
    picture.setImageData(pixels);
    picture.setData(QStringLiteral("image/svg+xml"), Bytes("<svg/>"));
    const ClipboardContent fromPicture = ReadClipboard(picture);
    auto* bild = dynamic_cast<TBild*>(fromPicture.Object.get());
    ASSERT_TRUE(bild);
    EXPECT_EQ(bild->PixWidth(), 40);

    // A drawing from another program: pixels at 300 dpi, at its own size.
    QMimeData svg;
    svg.setData(QStringLiteral("image/svg+xml"),
                Bytes("<svg xmlns='http://www.w3.org/2000/svg' width='96' height='48'>"
                      "<rect width='96' height='48' fill='blue'/></svg>"));
    const ClipboardContent fromSvg = ReadClipboard(svg);
    auto* drawing = dynamic_cast<TBild*>(fromSvg.Object.get());
    ASSERT_TRUE(drawing);
    EXPECT_NEAR(drawing->Width(), 2.54, 1e-9);
    EXPECT_NEAR(drawing->Height(), 1.27, 1e-9);
    EXPECT_EQ(drawing->Picture.PixelSize(), QSize(300, 150));
}

TEST_F(Clipboard, ADamagedOrForeignRecordPastesNothing) {
    auto data = PageClipboardData(document_);
    ASSERT_TRUE(data);
    const QByteArray page = data->data(QString::fromLatin1(PageFormat));

    QMimeData foreign;
    QByteArray marked = page;
    marked[0] = 1;
    foreign.setData(QString::fromLatin1(PageFormat), marked);
    ClipboardContent content = ReadClipboard(foreign);
    EXPECT_EQ(content.Error, NotADocumentText);
    EXPECT_TRUE(content.Simulations.empty());

    // Cut inside the second simulation: the first, complete one is not taken either.
    QMimeData damaged;
    damaged.setData(QString::fromLatin1(PageFormat), page.left(page.size() - 20));
    content = ReadClipboard(damaged);
    EXPECT_FALSE(content.Error.empty());
    EXPECT_TRUE(content.Simulations.empty());

    QMimeData garbage;
    garbage.setData(QString::fromLatin1(SimulationFormat), Bytes("\x05\x00\x00\x00Quorvel"));
    garbage.setText(QStringLiteral("nicht genommen"));
    content = ReadClipboard(garbage);
    EXPECT_FALSE(content.Error.empty());
    EXPECT_TRUE(content.Simulations.empty());
    EXPECT_FALSE(content.Object);

    QMimeData wrongObject;
    wrongObject.setData(QString::fromLatin1(ObjectFormat), Bytes("\x03"));
    EXPECT_EQ(ReadClipboard(wrongObject).Error, "Falsches Objekt gelesen!");
}

}  // namespace
}  // namespace qv
