#include "document/InsertedPicture.h"

#include <cmath>

namespace qv {

void FitAndCentre(Tsimple& object, double areaWidth, double areaHeight) {
    double width = std::abs(object.Width()), height = std::abs(object.Height());
    if (width > areaWidth && width > 0) {
        height *= areaWidth / width;
        width = areaWidth;
    }
    if (height > areaHeight && height > 0) {
        width *= areaHeight / height;
        height = areaHeight;
    }
    object.SetWidth(width);
    object.SetHeight(height);
    object.SetX((areaWidth - width) / 2);
    object.SetY((areaHeight - height) / 2);
}

std::unique_ptr<TBild> PictureForPage(const std::filesystem::path& file, double pageWidth, double pageHeight) {
    TBild::FileResult result = TBild::CreateFromFile(file);
    if (result.Bild) FitAndCentre(*result.Bild, pageWidth, pageHeight);
    return std::move(result.Bild);
}

}  // namespace qv
