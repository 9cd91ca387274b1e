#include "parser.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string WriteTemp(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() / ("qb_parser_" + name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
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
}

} // namespace
