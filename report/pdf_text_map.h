#pragma once

// The text a PDF reader copies or searches comes from each font's ToUnicode map, not
// from the glyphs it shows. Qt's PDF writer builds that map by looking, for every glyph,
// for the lowest code point the font draws with it. Chinese fonts draw a Kangxi radical
// and its ideograph with the same glyph, so "身" would be copied as "⾝" (U+2FDD) and a
// blank as a tab. The view repairs the file it has just written: every map entry whose
// code point the caller names is replaced by the code point the caller says was drawn.

#include <QByteArray>

#include <functional>

namespace report {

// `drawn(c)`: the code point actually drawn with the glyph that the map names `c`, or
// `c` itself. Only uncompressed ToUnicode streams of a PDF with a classic cross-reference
// table (what Qt writes) are rewritten; anything else comes back unchanged, so the
// repair never breaks a file it does not understand.
QByteArray RepairPdfTextMap(const QByteArray& pdf, const std::function<char32_t(char32_t)>& drawn);

} // namespace report
