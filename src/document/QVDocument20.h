// Documents of the older version 20: read and converted into the current
// form (one simulation "Quorvel20", text boxes, remembered curves). They are
// never written.
#pragma once

#include "document/QVDocument.h"

namespace qv {

// Reads the rest of a version-20 document after its signature. Throws
// StreamError on damaged data.
TDocument LoadVersion20(InStream& in);

}  // namespace qv
