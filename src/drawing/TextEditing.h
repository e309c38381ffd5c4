// Changes to a rich text's characters: plain-text content, inserting and
// deleting, sizes, glyph rules and the caret position under a point.
#pragma once

#include "drawing/TextBody.h"

#include <cstddef>
#include <string>

namespace qv {

// A character typed into the text: its own size and outline come from the text.
TcharWithAttr NewChar(const TextBody& text, uint8_t code);

// One character per byte that is a paragraph end (13) or printable (>= 32);
// other bytes are skipped. Then the glyph rules for all.
void SetText(TextBody& text, const std::string& cp1252);
// The typed characters, paragraph ends as 13 ("\r").
std::string GetText(const TextBody& text);

// Inserts at index (clamped to the text) and re-applies the glyph rules to
// the word around it.
void InsertChar(TextBody& text, std::size_t index, const TcharWithAttr& ch);
// Removes the character; true when it ended a line. Out of range does nothing.
bool DeleteChar(TextBody& text, std::size_t index);

// Scales every size and shift to a new base size.
void SetAllSizes(TextBody& text, double size);

// The handwriting fonts' joining and kerning tables are external data this
// program does not have, so a glyph is the typed character; only the quote
// replacement changes glyphs: a typed " alternately opens and closes.
void ApplyGlyphRules(TextBody& text, std::size_t from, std::size_t to);

// The caret index nearest to a pixel point relative to the box (the text
// is laid out first where it is not).
int CaretFromPoint(TextBody& text, double boxWidth, int x, int y, double pixelsPerCmX, double pixelsPerCmY);

}  // namespace qv
