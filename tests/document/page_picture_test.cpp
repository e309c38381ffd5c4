// The page as the chart view and quorvel-cli draw it, pixel for pixel: the
// shipped examples, long runs with smooth and point curves and two
// simulations on one page, each at two view sizes, against fingerprints of
// pictures made before the display was sped up. A redraw, a new start value
// and a new view size must each give the picture a fresh document gives.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <functional>
#include <map>

#include "PredatorPreyRun.h"
#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "drawing/TextFonts.h"
#include "util/Geometry.h"

namespace qv {
namespace {

// The view the document is computed and built for, and a second, smaller
// one that only draws it: the window builds for its own size, quorvel-cli
// and the clipboard draw a built page at other sizes.
constexpr int BuildWidth = 1000, BuildHeight = 700;
constexpr int OtherWidth = 613, OtherHeight = 467;

TDocument PredatorPrey(int simulations, int steps) {
    TDocument document = TDocument::CreateNew();
    for (int s = 0; s < simulations; ++s) {
        tsim& sim = AddPredatorPreyRun(document, s, steps, 30.0 + 10 * s, 20.0 / steps);
        if (s == 1) {  // the other kinds of curve and a dashed pen
            sim.Variables[sim.IndexOfVariable("GEBURTEN")]->CurveKind = 2;
            sim.Variables[sim.IndexOfVariable("GEFRESSEN")]->CurveKind = 3;
            sim.Variables[sim.IndexOfVariable("HASEN")]->LineStyle = 1;
        }
    }
    return document;
}

using DocumentMaker = std::function<TDocument()>;

const std::map<std::string, DocumentMaker>& Documents() {
    static const std::map<std::string, DocumentMaker> documents = [] {
        std::map<std::string, DocumentMaker> made;
        for (const char* name : {"raeuber-beute", "raeuber-beute-3d", "raeuber-beute-grafisch", "sir", "kaffee",
                                 "wachstum"})
            made[name] = [name] { return readDocument(std::string(QV_EXAMPLES_DIR) + "/" + name + ".prg"); };
        made["long-run"] = [] { return PredatorPrey(1, 100000); };
        made["two-simulations"] = [] { return PredatorPrey(2, 3000); };
        return made;
    }();
    return documents;
}

// Computes and builds at the build view's scale, as the window does.
void Display(TDocument& document) {
    const PageFit fit = FitPage(BuildWidth, BuildHeight, document.Page->Width(), document.Page->Height());
    Scales().PixelsPerCmX = Scales().PixelsPerCmY = fit.PixelsPerCm;
    document.Page->UpdatePixels();
    ComputeDocument(document, nullptr);
    BuildChart(document);
}

QImage Picture(TDocument& document, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    RenderPage(document, image, width, height);
    return image;
}

uint64_t Fingerprint(const QImage& image) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (qsizetype i = 0; i < qsizetype(image.width()) * 4; ++i) hash = (hash ^ line[i]) * 1099511628211ull;
    }
    return hash;
}

class PagePicture : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareFonts();
        saved_ = Scales();
    }
    void TearDown() override { Scales() = saved_; }

private:
    PageScales saved_;
};

// Fingerprints of the pictures drawn before the display learnt to skip what
// the pixels cannot show (made with the fonts the program names, on Qt 6.4),
// taken again once, when legend entries came to keep a page distance apart
// (only the legend row differed).
// A mismatch means the page looks different now; the message gives the new
// fingerprint for when the change was meant.
TEST_F(PagePicture, EveryPageLooksAsBefore) {
    const std::map<std::string, std::pair<uint64_t, uint64_t>> expected = {
        {"kaffee", {0xd3f8c15b391e3159, 0x565613cb2b05e2f}},
        {"long-run", {0x38bd3bceb9308546, 0xe345f8774912d774}},
        {"raeuber-beute", {0x4ebfa14d5a2ac590, 0x50ab018993792549}},
        {"raeuber-beute-3d", {0x6c1f8b1551550fd9, 0x5987bc663e1695e0}},
        {"raeuber-beute-grafisch", {0xb5f39b25ef5f17e1, 0xfb2912ea695032a9}},
        {"sir", {0x86178b5d5c9c9cb, 0x7a63304e2cf4eaf3}},
        {"two-simulations", {0xe9ecbae3bfc30765, 0xe6208466fdf743f3}},
        {"wachstum", {0xa5c61b5a6964579a, 0x3dd032ce46ba61ae}},
    };
    for (const auto& [name, make] : Documents()) {
        TDocument document = make();
        Display(document);
        const uint64_t built = Fingerprint(Picture(document, BuildWidth, BuildHeight));
        const uint64_t other = Fingerprint(Picture(document, OtherWidth, OtherHeight));
        ASSERT_TRUE(expected.contains(name)) << name;
        EXPECT_EQ(built, expected.at(name).first)
            << name << " at " << BuildWidth << " x " << BuildHeight << " is drawn differently: fingerprint 0x"
            << std::hex << built;
        EXPECT_EQ(other, expected.at(name).second)
            << name << " at " << OtherWidth << " x " << OtherHeight << " is drawn differently: fingerprint 0x"
            << std::hex << other;
    }
}

// Whatever a redraw keeps from the one before, it never shows the page as
// it was: a second drawing, a new start value and a new view size each give
// exactly the picture a freshly opened document gives.
TEST_F(PagePicture, RedrawsShowTheCurrentPage) {
    for (const char* name : {"raeuber-beute", "raeuber-beute-3d", "long-run"}) {
        SCOPED_TRACE(name);
        const DocumentMaker& make = Documents().at(name);
        TDocument document = make();
        Display(document);
        const QImage first = Picture(document, BuildWidth, BuildHeight);
        EXPECT_EQ(Picture(document, BuildWidth, BuildHeight), first);

        auto moreRabbits = [](TDocument& d) {
            tsim& sim = *d.Simulations.front();
            sim.Variables[sim.IndexOfVariable("HASEN")]->StartValue += 7;
        };
        moreRabbits(document);
        Display(document);
        TDocument fresh = make();
        moreRabbits(fresh);
        Display(fresh);
        const QImage changed = Picture(document, BuildWidth, BuildHeight);
        EXPECT_NE(changed, first);
        EXPECT_EQ(changed, Picture(fresh, BuildWidth, BuildHeight));

        EXPECT_EQ(Picture(document, OtherWidth, OtherHeight), Picture(fresh, OtherWidth, OtherHeight));
        EXPECT_EQ(Picture(document, BuildWidth, BuildHeight), changed);

        // The chart mirrored and then stretched on the page, without a new
        // display, as its handles and the mirror command do.
        TDocument untouched = make();
        moreRabbits(untouched);
        Display(untouched);
        for (TDocument* d : {&document, &untouched}) {
            d->Chart->Transform(1);
            d->Chart->SetBounds(d->Chart->X() - 1, d->Chart->Y(), d->Chart->Width() + 2, d->Chart->Height() * 0.8);
        }
        EXPECT_EQ(Picture(document, BuildWidth, BuildHeight), Picture(untouched, BuildWidth, BuildHeight));
    }
}

}  // namespace
}  // namespace qv
