#include "drawing/TextDefaults.h"

namespace qv {

TextDefaultValues& TextDefaults() {
    static TextDefaultValues defaults;
    return defaults;
}

}  // namespace qv
