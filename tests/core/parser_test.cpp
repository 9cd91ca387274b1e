#include "parser.h"

#include "testfiles.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string WriteTemp(const std::string& name, const std::string& bytes) {
    return WriteTestFile("parser_" + name, bytes);
}

std::vector<std::string> ReadAll(const std::string& file) {
    LineReader r;
    std::string error;
    EXPECT_TRUE(r.Open(file, error)) << error;
    std::vector<std::string> lines;
    std::string line;
    while (r.ReadBufferedLine(line)) lines.push_back(line);
    EXPECT_TRUE(r.EndOfInput());
    return lines;
}

TEST(CutToken, CutsAtTheFirstDelimiter) {
    std::string s = "1,2,3", t;
    CutToken(s, ",", t);
    EXPECT_EQ(t, "1");
    EXPECT_EQ(s, "2,3");
    s = "3";
    CutToken(s, ",", t);
    EXPECT_EQ(t, "3");
    EXPECT_EQ(s, "");
    s = "a::b::c";
    CutToken(s, "::", t);
    EXPECT_EQ(t, "a");
    EXPECT_EQ(s, "b::c");
    s = "chr7:1000-2000";
    CutToken(s, ":", t);
    EXPECT_EQ(t, "chr7");
    EXPECT_EQ(s, "1000-2000");
}

TEST(SplitQuoted, KeepsQuotedDelimitersAndTrailingEmptyItem) {
    std::vector<std::string> items;
    SplitQuoted("a,b,", ',', items);
    EXPECT_EQ(items, (std::vector<std::string>{"a", "b", ""}));
    SplitQuoted("\"x,y\",z", ',', items);
    EXPECT_EQ(items, (std::vector<std::string>{"\"x,y\"", "z"}));
    SplitQuoted("\"a\tb\"\tc", '\t', items);
    EXPECT_EQ(items, (std::vector<std::string>{"\"a\tb\"", "c"}));
    SplitQuoted("", ',', items);
    EXPECT_TRUE(items.empty());
    SplitQuoted("plain", ',', items);
    EXPECT_EQ(items, (std::vector<std::string>{"plain"}));
}

TEST(LineReader, DeliversEveryLineWhateverItsEnding) {
    EXPECT_EQ(ReadAll(WriteTemp("ends", "a\r\nb\n\r\n\nlast")),
              (std::vector<std::string>{"a", "b", "", "", "last"}));
    EXPECT_EQ(ReadAll(WriteTemp("final", "one\ntwo\n")), (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(ReadAll(WriteTemp("empty", "")).empty());
    // Only the first CR of a line is removed.
    EXPECT_EQ(ReadAll(WriteTemp("cr", "a\rb\r\n")), (std::vector<std::string>{"ab\r"}));
}

TEST(LineReader, ShortFilesYieldAllTheirLines) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "line " + std::to_string(i) + "\r\n";
    ASSERT_LT(text.size(), 1000u);
    const auto lines = ReadAll(WriteTemp("short", text));
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines.back(), "line 49");
}

TEST(LineReader, LinesAcrossBlockBoundariesAndLongerThanABlockComeBackWhole) {
    std::string text;
    std::vector<std::string> expected;
    for (int i = 0; text.size() < 800000; ++i) {
        std::string line(static_cast<size_t>(i % 97) * 13, static_cast<char>('a' + i % 26));
        line += std::to_string(i);
        expected.push_back(line);
        text += line + "\n";
    }
    const std::string huge(600000, 'h');
    expected.push_back(huge);
    text += huge + "\r\n";
    expected.push_back("tail");
    text += "tail";
    EXPECT_EQ(ReadAll(WriteTemp("blocks", text)), expected);
}

TEST(LineReader, MissingFileIsAnError) {
    LineReader r;
    std::string error;
    EXPECT_FALSE(r.Open("/nonexistent/qb/file.txt", error));
    EXPECT_FALSE(error.empty());
    std::string line;
    EXPECT_FALSE(r.ReadBufferedLine(line));
    EXPECT_TRUE(r.EndOfInput());
    error.clear();
    EXPECT_FALSE(r.Open(std::filesystem::temp_directory_path().string(), error)); // a folder
    EXPECT_FALSE(error.empty());
}

} // namespace

namespace {

TEST(LineReader, LinesEndingExactlyAtTheBlockBoundaryAndViewsMatchStrings) {
    // Line ends fall just before, on and just after the 256,000-byte block edge.
    for (size_t firstLength : {255998u, 255999u, 256000u, 256001u}) {
        std::string text(firstLength - 2, 'a');
        text += "\r\nsecond\r\n\r\nthird";
        const std::string file = WriteTemp("edge", text);
        EXPECT_EQ(ReadAll(file), (std::vector<std::string>{std::string(firstLength - 2, 'a'),
                                                           "second", "", "third"}))
            << firstLength;
        LineReader r;
        std::string error;
        ASSERT_TRUE(r.Open(file, error));
        std::string_view v;
        int lines = 0;
        while (r.Next(v)) ++lines;
        EXPECT_EQ(lines, 4);
        EXPECT_EQ(r.Consumed(), r.FileSize());
    }
}

TEST(SplitQuoted, StopsAtMaxItemsWithTheRestInTheLastItem) {
    std::vector<std::string_view> items;
    SplitQuoted("a\tb\t\"c\td\"\te\tf", '\t', items, 3);
    EXPECT_EQ(items, (std::vector<std::string_view>{"a", "b", "\"c\td\"\te\tf"}));
    SplitQuoted("a\tb", '\t', items, 1);
    EXPECT_EQ(items, (std::vector<std::string_view>{"a\tb"}));
    SplitQuoted("a\tb", '\t', items, 0);
    EXPECT_TRUE(items.empty());
    // Fields across the eight-byte words of the scan, quotes included.
    const std::string row = "0123456\t\"x\ty\"\t\t0123456789abcdef\t\"\"\tz\t";
    SplitQuoted(row, '\t', items);
    EXPECT_EQ(items, (std::vector<std::string_view>{"0123456", "\"x\ty\"", "", "0123456789abcdef",
                                                    "\"\"", "z", ""}));
    std::vector<std::string> strings;
    SplitQuoted(row, '\t', strings);
    EXPECT_EQ(strings.size(), items.size());
    for (size_t max = 1; max <= 8; ++max) {
        SplitQuoted(row, '\t', items, max);
        EXPECT_EQ(items.size(), std::min<size_t>(max, 7)) << max;
        EXPECT_EQ(items.back().data() + items.back().size(), row.data() + row.size()) << max;
    }
}

} // namespace
