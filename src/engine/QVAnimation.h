// The animation of a simulation's curves without the window around it: which
// value each animated curve shows, how it moves on one timer tick, and where
// its picture comes from.
//
// The loaded pictures belong to the simulation (tsim::AnimationPictures); a
// variable's PictureIndex points into that list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "util/Picture.h"

namespace qv {

class tsim;
struct Tvariable;

// Values of Tvariable::AnimationType; anything else moves like linear.
inline constexpr int32_t AnimationLinear = 0;
inline constexpr int32_t AnimationCyclic = 1;
inline constexpr int32_t AnimationBackAndForth = 2;

// The timer never runs faster, whatever interval the chart asks for (ms).
inline constexpr int32_t ShortestAnimationTick = 50;

// How many values a curve moves per tick: 1 from an interval of 50 ms on,
// since the timer never runs faster than that; below it, 50 / interval
// rounded to the nearest whole number, halves to the even one (20 ms gives 2).
int32_t AnimationStep(int32_t animationInterval);

// The number of values an animation of this variable can show: the step
// count, but never more than were recorded.
int32_t AnimatedValueCount(const tsim& sim, const Tvariable& variable);

// Prepares a new start: forgets the loaded pictures, puts every variable on
// its first value, moving forwards. True when any variable is animated.
bool ResetAnimation(tsim& sim);

// Moves one variable's Frame by step values within 0 … valueCount − 1.
// Linear stops at the last value, cyclic starts again at the first, back and
// forth turns round at either end (toggling Backward) so that each end is
// shown twice. True when a later tick will show another value; false once a
// linear animation rests on its last value or there is nothing to move.
bool AdvanceFrame(Tvariable& variable, int32_t valueCount, int32_t step);

// The folder animation pictures named by file are taken from: "ani/" beside
// the program (or where an installed or a build-tree program finds it).
std::string AnimationFolder();

// The picture a variable's Picture text stands for: the picture text itself
// when it is one, otherwise a picture file of that name in the animation
// folder. A name with folders ("C:\Programme\ani\auto.bmp") counts by its last
// part only, so a document cannot reach files elsewhere; the name is matched
// without regard to case when no file has it exactly, as on Windows.
std::optional<Picture> LoadAnimationPicture(const std::string& picture);

// Loads the picture of every animated plotted variable that has none loaded
// yet (PictureIndex −1 or not an index of the simulation's pictures) and
// appends it to them. A variable whose picture cannot be found keeps PictureIndex −1
// and is tried again on the next call.
void LoadAnimationPictures(tsim& sim);

// One tick for one simulation: loads missing pictures, then advances every
// animated plotted variable. True while any of them still moves, so the
// caller knows when the animation has come to rest.
bool AdvanceAnimation(tsim& sim, int32_t animationInterval);

}  // namespace qv
