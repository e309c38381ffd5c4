#include "drawing/ObjectReader.h"

#include "charts/QVLegend.h"
#include "charts/bsgraf3d.h"
#include "drawing/BSSline.h"
#include "drawing/bsbitmap.h"
#include "drawing/bskomplex.h"
#include "drawing/bspoly.h"
#include "drawing/bspunkt.h"
#include "drawing/bstext.h"

namespace qv {

std::unique_ptr<Tsimple> ReadObject(InStream& in, uint8_t tag) {
    switch (tag & 0x7F) {
        case TagLine: return std::make_unique<TLine>(in);
        case TagKomplex:
        case TagTemporaryGroup: return std::make_unique<TKomplex>(in);
        case TagPoly: return std::make_unique<TPoly>(in);
        case TagBezier: return std::make_unique<TBezier>(in);
        case TagPunkt: return std::make_unique<TPunkt>(in);
        case TagBild: return std::make_unique<TBild>(in);
        case TagText: return std::make_unique<ttext>(in);
        case TagLegend: return std::make_unique<tlegend>(in);
        case TagAxis3D: return std::make_unique<Taxis3D>(in);
        case TagGraf3d: return std::make_unique<Tgraf3d>(in);
        // Classes of the other drawing modules join here, one line each.
        default: throw WrongObjectError();
    }
}

}  // namespace qv
