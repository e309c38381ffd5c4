// The memory budget for recorded values: the bounds of a shared computer
// (address-space limit, control group) and not only its physical memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "LimitedChild.h"
#include "engine/MemoryBudget.h"
#include "engine/QVCompile.h"
#include "engine/QVSim.h"

namespace qv {
namespace {

class ControlGroupFolder : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() / ("qv-cgroup-" + std::to_string(getpid()));
        std::filesystem::remove_all(root_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    void write(const std::filesystem::path& file, const std::string& text) {
        std::filesystem::create_directories((root_ / file).parent_path());
        std::ofstream(root_ / file) << text << '\n';
    }
    std::filesystem::path root_;
};

TEST_F(ControlGroupFolder, RoomBelowTheLimitOfEitherVersion) {
    write("user/pupil/memory.max", "1000000");
    write("user/pupil/memory.current", "300000");
    EXPECT_EQ(ControlGroupRoom("0::/user/pupil\n", root_), 700000u);

    // Version 1: the memory controller's own hierarchy; a limit that is no
    // limit is written as a number near 2^63.
    write("memory/class/memory.limit_in_bytes", "2000000");
    write("memory/class/memory.usage_in_bytes", "2500000");
    EXPECT_EQ(ControlGroupRoom("5:cpu:/\n4:memory:/class\n", root_), 0u);
    write("memory/class/memory.limit_in_bytes", "9223372036854771712");
    EXPECT_EQ(ControlGroupRoom("4:memory:/class\n", root_), std::nullopt);

    // In a container the group's files are at the root of the mount.
    write("memory.max", "4096");
    EXPECT_EQ(ControlGroupRoom("0::/not/visible/here\n", root_), 4096u);
    write("memory.max", "max");
    EXPECT_EQ(ControlGroupRoom("0::/not/visible/here\n", root_), std::nullopt);
    EXPECT_EQ(ControlGroupRoom("", root_), std::nullopt);
}

TEST(MemoryBudget, HalfOfTheSmallestRoom) {
    EXPECT_EQ(BudgetWithin({8000, std::nullopt, std::nullopt}), 4000u);
    EXPECT_EQ(BudgetWithin({8000, 1000, std::nullopt}), 500u);
    EXPECT_EQ(BudgetWithin({8000, 1000, 600}), 300u);
}

TEST(MemoryBudget, AnAddressSpaceLimitRefusesTheRunInsteadOfFailing) {
    if (!QV_ADDRESS_SPACE_LIMITS) GTEST_SKIP() << "address-space limits do not work with the sanitizers";
    constexpr uint64_t Room = 256u << 20;
    const int code = RunWithAddressSpaceRoom(Room, [] {
        if (RecordedValuesBudget() > Room / 2) return 1;
        // 40 million passes of one variable: 320 MB, more than the room.
        tsim sim;
        sim.Program = {"X := X + 1"};
        sim.StepCount = 40'000'000;
        CompileProgram(sim.Program, false);
        sim.TakeVariables(1);
        sim.Variables[0]->Plotted = true;
        PollThrottle poll(nullptr);
        const RunResult result = sim.Simulate(poll, false);
        return result.OutOfMemory && result.CompletedSteps == 0 ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
}  // namespace qv
