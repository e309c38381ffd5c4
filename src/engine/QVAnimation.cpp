#include "engine/QVAnimation.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "engine/QVSim.h"
#include "util/Cp1252.h"
#include "util/PictureCodec.h"
#include "util/PictureText.h"
#include "util/TextHelpers.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

bool MovesOnTick(const Tvariable& variable) { return variable.Plotted && variable.Animated; }

// Old documents may name the file with the folders of the machine it was made
// on, in either separator.
std::string LastNamePart(const std::string& name) {
    const auto cut = name.find_last_of("/\\");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

// Only ASCII letters are folded; other bytes of the UTF-8 names must agree.
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::optional<fs::path> FindInFolder(const fs::path& folder, const std::string& fileName) {
    std::error_code error;
    if (fs::is_regular_file(folder / fileName, error)) return folder / fileName;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (SameNameIgnoringCase(it->path().filename().string(), fileName) && it->is_regular_file(error))
            return it->path();
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return std::nullopt;
    return bytes;
}

std::optional<Picture> LoadPictureFile(const std::string& name) {
    const std::string fileName = Cp1252ToUtf8(LastNamePart(name));
    if (fileName.empty() || fileName == "." || fileName == "..") return std::nullopt;
    const auto path = FindInFolder(AnimationFolder(), fileName);
    if (!path) return std::nullopt;
    const auto bytes = ReadWholeFile(*path);
    return bytes ? ReadAnyPicture(*bytes) : std::nullopt;
}

}  // namespace

int32_t AnimationStep(int32_t animationInterval) {
    if (animationInterval <= 0 || animationInterval >= ShortestAnimationTick) return 1;
    int32_t step = ShortestAnimationTick / animationInterval;
    const int32_t twiceRest = 2 * (ShortestAnimationTick % animationInterval);
    if (twiceRest > animationInterval || (twiceRest == animationInterval && step % 2 == 1)) ++step;
    return step;
}

int32_t AnimatedValueCount(const tsim& sim, const Tvariable& variable) {
    const auto recorded = static_cast<int64_t>(variable.Values.size());
    return static_cast<int32_t>(std::clamp<int64_t>(sim.StepCount, 0, recorded));
}

bool ResetAnimation(tsim& sim) {
    sim.AnimationPictures.clear();
    bool anyAnimated = false;
    for (auto& variable : sim.Variables) {
        variable->PictureIndex = -1;
        variable->Frame = 0;
        // Backward is kept in documents; left set, a new back-and-forth run
        // would stand still on its first value for one tick.
        variable->Backward = false;
        anyAnimated = anyAnimated || variable->Animated;
    }
    return anyAnimated;
}

bool AdvanceFrame(Tvariable& variable, int32_t valueCount, int32_t step) {
    if (valueCount <= 0) {
        variable.Frame = 0;
        return false;
    }
    // 64 bits so that a frame near the largest step count cannot overflow.
    const int64_t last = valueCount - 1;
    const int64_t shown = variable.Frame;
    const int64_t frame = std::clamp<int64_t>(shown, 0, last);
    const int64_t by = std::max<int32_t>(step, 1);
    int64_t next = 0;
    bool endless = last > 0;
    switch (variable.AnimationType) {
        case AnimationCyclic:
            next = frame + by > last ? 0 : frame + by;
            break;
        case AnimationBackAndForth:
            next = variable.Backward ? frame - by : frame + by;
            if (next > last || next < 0) {
                next = std::clamp<int64_t>(next, 0, last);
                variable.Backward = !variable.Backward;
            }
            break;
        default:
            next = std::min(frame + by, last);
            endless = false;
            break;
    }
    variable.Frame = static_cast<int32_t>(next);
    return endless || next != shown;
}

std::string AnimationFolder() { return FindDataFolder("ani"); }

std::optional<Picture> LoadAnimationPicture(const std::string& picture) {
    if (picture.empty()) return std::nullopt;
    if (auto fromText = HexTextToGraphic(picture)) return fromText;
    return LoadPictureFile(picture);
}

void LoadAnimationPictures(tsim& sim) {
    std::vector<Picture>& pictures = sim.AnimationPictures;
    for (auto& variable : sim.Variables) {
        if (!MovesOnTick(*variable)) continue;
        if (variable->PictureIndex >= 0 && static_cast<std::size_t>(variable->PictureIndex) < pictures.size()) continue;
        variable->PictureIndex = -1;
        if (auto picture = LoadAnimationPicture(variable->Picture)) {
            pictures.push_back(std::move(*picture));
            variable->PictureIndex = static_cast<int32_t>(pictures.size() - 1);
        }
    }
}

bool AdvanceAnimation(tsim& sim, int32_t animationInterval) {
    LoadAnimationPictures(sim);
    const int32_t step = AnimationStep(animationInterval);
    bool moving = false;
    for (auto& variable : sim.Variables) {
        if (!MovesOnTick(*variable)) continue;
        moving = AdvanceFrame(*variable, AnimatedValueCount(sim, *variable), step) || moving;
    }
    return moving;
}

}  // namespace qv
