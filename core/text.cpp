#include "core/text.h"

#include <cstring>

namespace velmora {
namespace {

// Bytes of the character that begins at position i: two for a lead byte
// (0x80 and above, without consulting the code page's lead-byte table).
std::size_t character_size(const Text& text, std::size_t i) {
    return static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
}

bool matches_at(const Text& text, std::size_t i, const Text& sought) {
    return std::memcmp(text.data() + i, sought.data(), sought.size()) == 0;
}

}  // namespace

std::int32_t length(const Text& text) {
    return static_cast<std::int32_t>(text.size());
}

Text right_part(const Text& text, std::int32_t count) {
    if (count <= 0) return Text();
    if (static_cast<std::size_t>(count) >= text.size()) return text;
    return text.substr(text.size() - static_cast<std::size_t>(count));
}

std::int32_t last_position(const Text& text, const Text& sought) {
    std::int32_t result = -1;
    if (sought.empty()) return result;
    for (std::size_t i = 0; text.size() - i >= sought.size();) {
        if (matches_at(text, i, sought)) result = static_cast<std::int32_t>(i + 1);
        i += character_size(text, i);
        if (i >= text.size()) break;
    }
    return result;
}

Text replace_all(const Text& text, const Text& sought, const Text& replacement) {
    if (text.empty() || sought.empty()) return text;
    Text result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size() && text.size() - i >= sought.size()) {
        if (matches_at(text, i, sought)) {
            result += replacement;
            i += sought.size();
            continue;
        }
        // A lead byte that ends the text has no second byte; it is copied as
        // it stands (append clamps to the bytes that exist).
        std::size_t size = character_size(text, i);
        result.append(text, i, size);
        i += size;
    }
    if (i < text.size()) result.append(text, i, Text::npos);
    return result;
}

Text join(const Text& a, const Text& b) {
    Text result;
    result.reserve(a.size() + b.size());
    result += a;
    result += b;
    return result;
}

bool equals(const Text& a, const Text& b) {
    return a == b;
}

}  // namespace velmora
