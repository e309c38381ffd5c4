// The record of a rich text's own fields, which follows the line-object
// record of a `ttext`, and the record of one character.
#pragma once

#include "drawing/TextBody.h"
#include "util/StreamIO.h"

namespace qv {

bool WriteTextFields(OutStream& out, const TextBody& text);
// Raises StreamError on a damaged record. Sets AutoSize false and clears
// ScriptRoom, the selection and the caret; stored layout caches stay valid.
void ReadTextFields(InStream& in, TextBody& text);

void WriteChar(OutStream& out, const TcharWithAttr& ch);
TcharWithAttr ReadChar(InStream& in);

}  // namespace qv
