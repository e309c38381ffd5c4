// "Grafik" of the insert menu: a picture file made into a page object that
// fits the shown page and sits in its middle.
#pragma once

#include <filesystem>
#include <memory>

#include "drawing/bsbitmap.h"

namespace qv {

inline constexpr const char* NotABitmapText = "Diese Datei ist keine Bitmap-Datei.";

// Shrinks the object to the area's width, then to its height, keeping its
// proportions, and centres it in the area (all in cm).
void FitAndCentre(Tsimple& object, double areaWidth, double areaHeight);

// Null when the file is no picture this program reads (an old Windows
// metafile among them); the caller then says NotABitmapText.
std::unique_ptr<TBild> PictureForPage(const std::filesystem::path& file, double pageWidth, double pageHeight);

}  // namespace qv
