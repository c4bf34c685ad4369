// The text rules and compute_new_path, from tables of the cases that decide
// which name a file gets.
#include "core/text.h"

#include <gtest/gtest.h>

#include "core/rename.h"

namespace velmora {
namespace {

// 乗 is 81 5C in code page 936: its second byte is a backslash.
const Text kJou = "\x81\x5C";
// A two-byte character whose second byte is a full stop.
const Text kDotTrail = "\x81\x2E";

TEST(TextRules, LengthCountsBytes) {
    EXPECT_EQ(length(""), 0);
    EXPECT_EQ(length("a.txt"), 5);
    EXPECT_EQ(length(kJou + "a"), 3);
}

TEST(TextRules, RightPart) {
    struct Case {
        const char* label;
        Text text;
        std::int32_t count;
        Text expected;
    } cases[] = {
        {"count past the length gives the whole text", "abc", 5, "abc"},
        {"count equal to the length gives the whole text", "abc", 3, "abc"},
        {"zero gives the empty text", "abc", 0, ""},
        {"a negative count gives the empty text", "abc", -1, ""},
        {"the last bytes", "abc", 2, "bc"},
        {"cuts a two-byte character in two", "a" + kJou, 1, "\x5C"},
        {"the empty text stays empty", "", 3, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(right_part(c.text, c.count), c.expected);
    }
}

TEST(TextRules, LastPosition) {
    struct Case {
        const char* label;
        Text text;
        Text sought;
        std::int32_t expected;
    } cases[] = {
        {"no full stop", "readme", ".", -1},
        {"the third of three full stops", "a.b.c.d", ".", 6},
        {"a backslash only as a second byte is not found", "D:" + kJou, "\\", -1},
        {"a real backslash after a second-byte one", kJou + "\\x", "\\", 3},
        {"a full stop only as a second byte is not found", "a" + kDotTrail + "b", ".", -1},
        {"a match at the very start", ".x", ".", 1},
        {"a match as the last byte", "ab.", ".", 3},
        {"several bytes sought", "a.txt.txt", ".txt", 6},
        {"sought longer than the text", "ab", "abc", -1},
        {"the empty text", "", ".", -1},
        {"a lead byte ending the text does not run past it", "a.\x81", ".", 2},
        {"case counts", "A.TXT", ".txt", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(last_position(c.text, c.sought), c.expected);
    }
}

TEST(TextRules, ReplaceAll) {
    struct Case {
        const char* label;
        Text text, sought, replacement, expected;
    } cases[] = {
        {"every occurrence, left to right", "a.txt.txt", ".txt", "TAG.txt", "aTAG.txtTAG.txt"},
        {"occurrences never overlap", "aaa", "aa", "b", "ba"},
        {"the replacement is not searched again", "ab", "a", "aa", "aab"},
        {"case counts", "A.TXT", ".txt", "X", "A.TXT"},
        {"an empty sought text changes nothing", "abc", "", "X", "abc"},
        {"an empty replacement deletes", "x_tmp_tmp", "tmp", "", "x__"},
        {"an empty text stays empty", "", "a", "b", ""},
        {"no match at a second byte", kJou + "x", "\\x", "Y", kJou + "x"},
        {"a match right after a two-byte character", kJou + "\\x", "\\x", "Y", kJou + "Y"},
        {"a lone lead byte at the end is kept", "ab\x80", "x", "y", "ab\x80"},
        {"a lone lead byte at the end is kept when something was replaced", "ax\x80", "x", "",
         "a\x80"},
        {"bytes shorter than sought are kept", "abc", "bcd", "X", "abc"},
        {"the whole text", "abc", "abc", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(replace_all(c.text, c.sought, c.replacement), c.expected);
    }
}

TEST(TextRules, JoinAndEquals) {
    EXPECT_EQ(join("", ""), "");
    EXPECT_EQ(join("D:\\d", "\\"), "D:\\d\\");
    EXPECT_TRUE(equals("", ""));
    EXPECT_FALSE(equals("", " "));
    EXPECT_FALSE(equals("a", "A"));
    EXPECT_TRUE(equals(kJou, "\x81\\"));
}

TEST(NewPath, BothRules) {
    struct Case {
        const char* label;
        Text path;
        Rule rule;
        Text tag, filter, expected;
    } cases[] = {
        {"suffix before the extension", "D:\\d\\a.txt", Rule::suffix, "TAG", "", "D:\\d\\aTAG.txt"},
        {"prefix before the name", "D:\\d\\a.txt", Rule::prefix, "TAG", "", "D:\\d\\TAGa.txt"},
        {"the extension occurs twice", "D:\\d\\a.txt.txt", Rule::suffix, "TAG", "",
         "D:\\d\\aTAG.txtTAG.txt"},
        {"the anchor also in a folder name", "D:\\b.txt\\a.txt", Rule::suffix, "TAG", "",
         "D:\\bTAG.txt\\aTAG.txt"},
        {"no full stop in the name: the anchor spans a folder", "D:\\ver.2\\readme", Rule::suffix,
         "TAG", "", "D:\\verTAG.2\\readme"},
        {"no full stop in the path: unchanged", "D:\\d\\readme", Rule::suffix, "TAG", "",
         "D:\\d\\readme"},
        {"the name also inside a folder name", "D:\\ab\\b", Rule::prefix, "TAG", "",
         "D:\\aTAGb\\TAGb"},
        {"case counts in folder names", "D:\\A\\a", Rule::prefix, "TAG", "", "D:\\A\\TAGa"},
        {"the filter cuts into the tag", "D:\\d\\a.txt", Rule::suffix, "TAB", "B",
         "D:\\d\\aTA.txt"},
        {"the filter is exact as to case", "D:\\d\\a.txt", Rule::suffix, "TAG", "TXT",
         "D:\\d\\aTAG.txt"},
        {"the filter also leaves folders", "D:\\tmp\\x_tmp.txt", Rule::suffix, "TAG", "tmp",
         "D:\\\\x_TAG.txt"},
        {"the tag a second time", "D:\\d\\aTAG.txt", Rule::suffix, "TAG", "", "D:\\d\\aTAGTAG.txt"},
        {"no backslash: the whole path is the name", "a.txt", Rule::prefix, "TAG", "", "TAGa.txt"},
        {"empty tag and filter: unchanged", "D:\\d\\a.txt", Rule::prefix, "", "", "D:\\d\\a.txt"},
        {"a name with a second byte 0x5C stays whole", "D:\\d\\" + kJou + "x", Rule::prefix, "T",
         "", "D:\\d\\T" + kJou + "x"},
        {"a name with a second byte 0x2E has no extension", "D:\\d.e\\a" + kDotTrail + "b",
         Rule::suffix, "T", "", "D:\\dT.e\\a" + kDotTrail + "b"},
        {"a name ending in the one-byte 0x80 keeps it under a filter", "D:\\d\\a.t\x80",
         Rule::suffix, "T", "zz", "D:\\d\\aT.t\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(compute_new_path(c.path, c.rule, c.tag, c.filter), c.expected);
    }
}

}  // namespace
}  // namespace velmora
