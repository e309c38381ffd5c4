#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/QVAnimation.h"
#include "engine/QVSim.h"
#include "util/PictureCodec.h"
#include "util/PictureText.h"
#include "util/TextHelpers.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// The frames a variable shows on successive ticks: the one drawn, then the move.
std::vector<int32_t> Shown(Tvariable& variable, int32_t valueCount, int32_t step, int ticks) {
    std::vector<int32_t> frames;
    for (int i = 0; i < ticks; ++i) {
        frames.push_back(variable.Frame);
        AdvanceFrame(variable, valueCount, step);
    }
    return frames;
}

Tvariable Animated(int32_t type) {
    Tvariable variable("x");
    variable.Plotted = true;
    variable.Animated = true;
    variable.AnimationType = type;
    return variable;
}

Picture SmallPicture(uint32_t colour) {
    return MakePicture(PictureKind::Bitmap, 2, 1, {colour, PackArgb(255, 0, 0, 0)});
}

// A program folder of its own with an "ani" folder, for one test; the random
// part keeps test runs of several build folders apart.
class TemporaryProgramFolder {
public:
    TemporaryProgramFolder() : saved_(AppFolders().ProgramFolder) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / ("qv_anim_" + std::string(test->name()) + "_" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_ / "ani");
        AppFolders().ProgramFolder = folder_.string() + "/";
    }
    ~TemporaryProgramFolder() {
        AppFolders().ProgramFolder = saved_;
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    void put(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream(folder_ / "ani" / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                                       static_cast<std::streamsize>(bytes.size()));
    }
    fs::path folder() const { return folder_; }

private:
    std::string saved_;
    fs::path folder_;
};

TEST(AnimationStep, OneValueFromFiftyMillisecondsOnAndRoundsHalvesToEven) {
    EXPECT_EQ(AnimationStep(50), 1);
    EXPECT_EQ(AnimationStep(500), 1);
    EXPECT_EQ(AnimationStep(20), 2);  // 2.5
    EXPECT_EQ(AnimationStep(10), 5);
    EXPECT_EQ(AnimationStep(4), 12);  // 12.5
    EXPECT_EQ(AnimationStep(12), 4);  // 4.17
    EXPECT_EQ(AnimationStep(14), 4);  // 3.57
    EXPECT_EQ(AnimationStep(1), 50);
    EXPECT_EQ(AnimationStep(0), 1);
    EXPECT_EQ(AnimationStep(-5), 1);
}

TEST(AdvanceFrame, LinearStopsOnTheLastValue) {
    Tvariable variable = Animated(AnimationLinear);
    EXPECT_EQ(Shown(variable, 10, 3, 6), (std::vector<int32_t>{0, 3, 6, 9, 9, 9}));

    Tvariable stepOne = Animated(AnimationLinear);
    EXPECT_TRUE(AdvanceFrame(stepOne, 3, 1));
    EXPECT_TRUE(AdvanceFrame(stepOne, 3, 1));
    EXPECT_FALSE(AdvanceFrame(stepOne, 3, 1)) << "resting on the last value ends the animation";
    EXPECT_EQ(stepOne.Frame, 2);

    Tvariable unknownType = Animated(7);
    EXPECT_EQ(Shown(unknownType, 3, 1, 4), (std::vector<int32_t>{0, 1, 2, 2}));
}

TEST(AdvanceFrame, CyclicStartsAgainAtTheFirstValue) {
    Tvariable variable = Animated(AnimationCyclic);
    EXPECT_EQ(Shown(variable, 4, 1, 9), (std::vector<int32_t>{0, 1, 2, 3, 0, 1, 2, 3, 0}));
    Tvariable bigSteps = Animated(AnimationCyclic);
    EXPECT_EQ(Shown(bigSteps, 10, 4, 5), (std::vector<int32_t>{0, 4, 8, 0, 4}));
    EXPECT_TRUE(AdvanceFrame(bigSteps, 10, 4)) << "a cycle never comes to rest";
}

TEST(AdvanceFrame, BackAndForthShowsEachEndTwiceAndTurns) {
    Tvariable variable = Animated(AnimationBackAndForth);
    std::vector<bool> backward;
    std::vector<int32_t> frames;
    for (int i = 0; i < 10; ++i) {
        frames.push_back(variable.Frame);
        EXPECT_TRUE(AdvanceFrame(variable, 4, 1));
        backward.push_back(variable.Backward);
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{0, 1, 2, 3, 3, 2, 1, 0, 0, 1}));
    EXPECT_EQ(backward, (std::vector<bool>{false, false, false, true, true, true, true, false, false, false}));

    Tvariable bigSteps = Animated(AnimationBackAndForth);
    EXPECT_EQ(Shown(bigSteps, 10, 4, 8), (std::vector<int32_t>{0, 4, 8, 9, 5, 1, 0, 4}));
}

TEST(AdvanceFrame, NeverLeavesTheRecordedValues) {
    Tvariable empty = Animated(AnimationBackAndForth);
    empty.Frame = 5;
    EXPECT_FALSE(AdvanceFrame(empty, 0, 1));
    EXPECT_EQ(empty.Frame, 0);

    Tvariable single = Animated(AnimationBackAndForth);
    EXPECT_FALSE(AdvanceFrame(single, 1, 1)) << "one value cannot move";
    EXPECT_EQ(single.Frame, 0);

    Tvariable beyond = Animated(AnimationLinear);
    beyond.Frame = 40;  // the values were recomputed with fewer steps
    EXPECT_TRUE(AdvanceFrame(beyond, 5, 1)) << "the next tick shows another value than before";
    EXPECT_EQ(beyond.Frame, 4);

    Tvariable negative = Animated(AnimationCyclic);
    negative.Frame = -3;
    AdvanceFrame(negative, 5, 0);
    EXPECT_EQ(negative.Frame, 1) << "a step below one still moves by one";

    Tvariable huge = Animated(AnimationLinear);
    huge.Frame = INT32_MAX - 1;
    AdvanceFrame(huge, INT32_MAX, 50);
    EXPECT_EQ(huge.Frame, INT32_MAX - 1);
}

TEST(AdvanceAnimation, MovesOnlyAnimatedPlottedVariablesWithinTheRecordedSteps) {
    tsim sim;
    sim.StepCount = 5;
    for (const char* name : {"moves", "notAnimated", "notPlotted", "shortRun"}) {
        auto variable = std::make_unique<Tvariable>(Animated(AnimationLinear));
        variable->Name = name;
        variable->Values.assign(5, 1.0);
        sim.Variables.push_back(std::move(variable));
    }
    sim.Variables[1]->Animated = false;
    sim.Variables[2]->Plotted = false;
    sim.Variables[3]->Values.assign(2, 1.0);
    const std::vector<Picture>& pictures = sim.AnimationPictures;

    EXPECT_EQ(AnimatedValueCount(sim, *sim.Variables[0]), 5);
    EXPECT_EQ(AnimatedValueCount(sim, *sim.Variables[3]), 2);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(AdvanceAnimation(sim, 50));
    EXPECT_FALSE(AdvanceAnimation(sim, 50));
    EXPECT_EQ(sim.Variables[0]->Frame, 4);
    EXPECT_EQ(sim.Variables[1]->Frame, 0);
    EXPECT_EQ(sim.Variables[2]->Frame, 0);
    EXPECT_EQ(sim.Variables[3]->Frame, 1);

    sim.StepCount = 3;  // fewer steps than recorded: the step count limits
    sim.Variables[0]->Frame = 0;
    EXPECT_TRUE(AdvanceAnimation(sim, 20));
    EXPECT_EQ(sim.Variables[0]->Frame, 2);
    EXPECT_TRUE(pictures.empty()) << "no variable names a picture";
}

TEST(ResetAnimation, ForgetsPicturesAndStartsEveryVariableOnItsFirstValue) {
    tsim sim;
    sim.Variables.push_back(std::make_unique<Tvariable>(Animated(AnimationBackAndForth)));
    sim.Variables[0]->Frame = 3;
    sim.Variables[0]->PictureIndex = 0;
    sim.Variables[0]->Backward = true;
    sim.AnimationPictures = {SmallPicture(1)};
    const std::vector<Picture>& pictures = sim.AnimationPictures;
    EXPECT_TRUE(ResetAnimation(sim));
    EXPECT_TRUE(pictures.empty());
    EXPECT_EQ(sim.Variables[0]->Frame, 0);
    EXPECT_EQ(sim.Variables[0]->PictureIndex, -1);
    EXPECT_FALSE(sim.Variables[0]->Backward);

    sim.Variables[0]->Animated = false;
    EXPECT_FALSE(ResetAnimation(sim));
}

TEST(LoadAnimationPicture, TakesPictureTextThenFilesOfTheAniFolder) {
    TemporaryProgramFolder program;
    EXPECT_EQ(AnimationFolder(), program.folder().string() + "/ani/");

    const Picture red = SmallPicture(PackArgb(255, 255, 0, 0));
    const auto fromText = LoadAnimationPicture(GraphicToHexText(red));
    ASSERT_TRUE(fromText);
    EXPECT_EQ(fromText->Pixels, red.Pixels);

    const Picture blue = SmallPicture(PackArgb(255, 0, 0, 255));
    program.put("Auto.bmp", SavePicture(blue));
    program.put("kaputt.bmp", {'B', 'M', 1, 2, 3});
    const auto fromFile = LoadAnimationPicture("Auto.bmp");
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile->Pixels, blue.Pixels);
    EXPECT_TRUE(LoadAnimationPicture("auto.BMP")) << "names match without regard to case";
    EXPECT_TRUE(LoadAnimationPicture("C:\\Programme\\Quorvel\\ani\\Auto.bmp")) << "only the file name counts";

    EXPECT_FALSE(LoadAnimationPicture(""));
    EXPECT_FALSE(LoadAnimationPicture("fehlt.bmp"));
    EXPECT_FALSE(LoadAnimationPicture("kaputt.bmp"));
    EXPECT_FALSE(LoadAnimationPicture(".."));
    EXPECT_FALSE(LoadAnimationPicture("ani"));

    const auto bytes = SavePicture(blue);
    std::ofstream(program.folder() / "outside.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_FALSE(LoadAnimationPicture("../outside.bmp")) << "a document cannot reach beyond the ani folder";
}

TEST(LoadAnimationPictures, LoadsMissingPicturesOnceAndRetriesUnknownNames) {
    TemporaryProgramFolder program;
    program.put("a.png", SavePicture(MakePicture(PictureKind::Png, 1, 1, {PackArgb(255, 1, 2, 3)})));
    tsim sim;
    for (const char* picture : {"a.png", "b.png", "a.png"}) {
        auto variable = std::make_unique<Tvariable>(Animated(AnimationLinear));
        variable->Picture = picture;
        sim.Variables.push_back(std::move(variable));
    }
    sim.Variables[2]->Plotted = false;
    const std::vector<Picture>& pictures = sim.AnimationPictures;

    LoadAnimationPictures(sim);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].Kind, PictureKind::Png);
    EXPECT_EQ(sim.Variables[0]->PictureIndex, 0);
    EXPECT_EQ(sim.Variables[1]->PictureIndex, -1);
    EXPECT_EQ(sim.Variables[2]->PictureIndex, -1) << "a variable that is not plotted shows no picture";

    LoadAnimationPictures(sim);
    EXPECT_EQ(pictures.size(), 1u) << "a loaded picture is not loaded again";

    program.put("b.png", SavePicture(MakePicture(PictureKind::Png, 1, 1, {PackArgb(255, 3, 2, 1)})));
    sim.Variables[0]->PictureIndex = 7;  // the list was emptied behind its back
    LoadAnimationPictures(sim);
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(sim.Variables[1]->PictureIndex, 2);
    EXPECT_EQ(sim.Variables[0]->PictureIndex, 1);
    EXPECT_EQ(pictures[1].Pixels, pictures[0].Pixels);
}

}  // namespace
}  // namespace qv
