#pragma once
// The byte-exact text rules with which every path is built and rewritten.
// Texts are bytes in the ANSI code page; positions count bytes from 1.
//
// last_position and replace_all walk a text by characters: a byte of 0x80 or
// above begins a two-byte character whatever follows it, so a second byte of
// 0x5C (backslash) or 0x2E (full stop) is never taken for a character of its
// own. The other operations work on plain bytes.
#include <cstdint>
#include <string>

namespace velmora {

using Text = std::string;

// The number of bytes: length("a.txt") == 5.
std::int32_t length(const Text& text);

// The last count bytes; empty for count <= 0, the whole text for count >=
// length. May cut a two-byte character: right_part("abc", 2) == "bc".
Text right_part(const Text& text, std::int32_t count);

// 1-based position where the last occurrence of sought begins, tested only
// where a character begins; -1 when there is none (or sought is empty):
// last_position("a.b.c", ".") == 4.
std::int32_t last_position(const Text& text, const Text& sought);

// Every occurrence replaced, left to right, without overlap, the replacement
// never searched again: replace_all("aaa", "aa", "b") == "ba". An empty text
// or sought text gives the text unchanged.
Text replace_all(const Text& text, const Text& sought, const Text& replacement);

// a followed by b.
Text join(const Text& a, const Text& b);

// Same length and same bytes; case counts.
bool equals(const Text& a, const Text& b);

}  // namespace velmora
