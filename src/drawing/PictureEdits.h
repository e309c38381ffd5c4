// What the "Grafik" dialog does to a placed picture: mirroring, a quarter
// turn, grey levels, transparency and cropping.
//
// Every edit starts from the object's unchanged pixels, so a preview shown
// any number of times and the final OK give the same picture: each chosen
// change is applied exactly once.
#pragma once

#include "util/Picture.h"

#include <cstdint>

namespace qv {

class PictureHolder;
class TBild;

// Pixels cut off each side.
struct CropAmounts {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool Any() const { return Left != 0 || Top != 0 || Right != 0 || Bottom != 0; }
};

// At least one pixel stays on each axis: left and top are limited to the
// size less one, right and bottom to what left and top leave; negative
// amounts count as none.
CropAmounts ClampCrop(CropAmounts crop, int width, int height);

struct PictureChoices {
    bool MirrorUpDown = false;
    bool MirrorLeftRight = false;
    bool QuarterTurn = false;  // the right edge becomes the top edge
    bool Grey = false;
    bool Transparent = false;
    uint32_t TransparentColour = 0;  // red in the low byte, as a bitmap stores it

    bool ChangesPixels() const { return MirrorUpDown || MirrorLeftRight || QuarterTurn || Grey; }
};

// A pixel's colour (0xAARRGGBB) with red in the low byte.
uint32_t ColourRefOf(uint32_t argb);

// The colour a bitmap leaves out when transparent, red in the low byte.
uint32_t OwnTransparentColour(const PictureHolder& picture);

// The original with the chosen mirroring, turn and grey levels, in that
// order; the result has no file image.
Picture EditedPixels(const Picture& original, const PictureChoices& choices);

// The box on the page in cm.
struct PictureBox {
    double X = 0;
    double Y = 0;
    double Width = 0;
    double Height = 0;
};

// Places the object in box and gives it the edited, cropped picture. A
// picture without pixels (a metafile, bytes that do not decode) is only
// placed. Without pixel changes and crop the picture keeps its file bytes.
// Crop amounts are clamped against the edited picture; the box then shrinks
// to the kept part, so the kept pixels stay where they were on the page.
void ApplyPictureEdits(TBild& bild, const PictureChoices& choices, CropAmounts crop, const PictureBox& box);

}  // namespace qv
