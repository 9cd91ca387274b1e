#include "tabletext.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A grid of `cols` x `rows` with `cells` given as {col, row, text}.
struct Put {
    int32_t col, row;
    std::string text;
};
TextTable Grid(int32_t cols, int32_t rows, const std::vector<Put>& cells) {
    TextTable t;
    t.SetSize(cols, rows);
    for (const Put& p : cells) t.SetCell(p.col, p.row, p.text);
    return t;
}

std::vector<std::string> Column(const TextTable& t, int32_t col) {
    std::vector<std::string> cells;
    for (int32_t r = 0; r < t.RowCount(); ++r) cells.emplace_back(t.Cell(col, r));
    return cells;
}

TEST(TableText, Utf8CheckTellsWellFormedSequences) {
    const std::pair<std::string, bool> cases[] = {{"plain", true},
                                                  {"f\xc3\xbcr", true},
                                                  {"caf\xe9", false},
                                                  {"\xe2\x82\xac", true},
                                                  {"\xc0\xaf", false},
                                                  {"\xed\xa0\x80", false},
                                                  {"\xf4\x90\x80\x80", false},
                                                  {"\xf0\x9f\x98\x80", true},
                                                  {"\xe2\x82", false}};
    for (const auto& [bytes, valid] : cases) EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
    std::string out;
    AppendAsUtf8(out, "caf\xe9");
    EXPECT_EQ(out, "caf\xc3\xa9");
}

TEST(TableText, SaveWritesTheUsedExtentWithoutEmptyRows) {
    EXPECT_EQ(TableSaveText(Grid(5, 5, {{4, 1, "X"}, {2, 3, "Y"}, {0, 4, "row number only"}})),
              "\t\t\tX\r\n\tY\t\t\r\n");
    EXPECT_EQ(TableSaveText(Grid(5, 5, {{0, 0, "edges"}, {3, 0, "are not"}})), "");
}

TEST(TableText, FillEmptiesStaleCellsKeepsTheEdgesAndReadsEveryLineEnd) {
    TextTable t = Grid(
        30, 40,
        {{0, 0, "corner"}, {2, 0, "head"}, {0, 2, "two"}, {25, 30, "stale"}, {3, 1, "stale too"}});
    const std::string data = "a\tb\rc\n\r\nd\t\te\r\nlast";
    const TableTextShape shape = MeasureTableText(data);
    EXPECT_EQ(shape.Lines, 5);
    EXPECT_EQ(shape.MaxFields, 3);
    FillTableText(t, data, 30, shape.Lines + 10);
    EXPECT_EQ(t.RowCount(), 15);
    EXPECT_EQ(Column(t, 1), (std::vector<std::string>{"", "a", "c", "", "d", "last", "", "", "", "",
                                                      "", "", "", "", ""}));
    EXPECT_EQ(t.Cell(2, 1), "b");
    EXPECT_EQ(t.Cell(3, 4), "e");
    EXPECT_EQ(t.Cell(3, 1), "");
    EXPECT_EQ(t.Cell(25, 30), "");
    EXPECT_EQ(t.Cell(0, 0), "corner");
    EXPECT_EQ(t.Cell(2, 0), "head");
    EXPECT_EQ(t.Cell(0, 2), "two");
    EXPECT_EQ(MeasureTableText("").Lines, 0);
}

TEST(TableText, AnUneditedRectangularFileSavesBackByteForByte) {
    const std::string file =
        "ID\tName\tValue\r\n1\tal\xe9\t3.5\r\n2\tb\xc3\xa9r\t\r\n3\t\t-1e3\r\n";
    const TableTextShape shape = MeasureTableText(file);
    TextTable t = Grid(5, 5, {});
    FillTableText(t, file, static_cast<int32_t>(shape.MaxFields + 10),
                  static_cast<int32_t>(shape.Lines + 10));
    EXPECT_EQ(TableSaveText(t), file);
}

TEST(TableText, PasteCleansFieldsAndNeverGrowsTheGrid) {
    TextTable t = Grid(5, 5, {{3, 3, "kept"}});
    PasteTableText(t, "a\tb\r\nc", 3, 1);
    EXPECT_EQ(t.Cell(3, 1), "a");
    EXPECT_EQ(t.Cell(4, 1), "b");
    EXPECT_EQ(t.Cell(3, 2), "c");
    EXPECT_EQ(t.Cell(3, 3), "kept");
    // One blank per character above 126 or below 33; a field past the grid is dropped; a
    // closing line break starts no line that would empty a cell.
    PasteTableText(t, "f\xc3\xbcr x\x01y\tz\tbeyond\r\n", 3, 3);
    EXPECT_EQ(t.Cell(3, 3), "f r x y");
    EXPECT_EQ(t.Cell(4, 3), "z");
    EXPECT_EQ(t.Cell(3, 4), "");
    EXPECT_EQ(t.ColCount(), 5);
    EXPECT_EQ(t.RowCount(), 5);
}

TEST(TableText, CopiesKeepTheLastColumnAndGiveUtf8) {
    const TextTable t = Grid(6, 5,
                             {{0, 1, "1"},
                              {2, 1, "x"},
                              {0, 2, "2"},
                              {4, 2, "caf\xe9"},
                              {0, 3, "3"},
                              {5, 3, "unmarked"},
                              {1, 4, "b"}});
    EXPECT_EQ(MarkedRowsText(t, {false, true, true, false, false}),
              "1\t\tx\t\t\r\n2\t\t\t\tcaf\xc3\xa9");
    // Empty leading cells leave no field, later ones do; the row past the grid ends the text
    // with a break.
    EXPECT_EQ(MarkedColumnsText(t, {false, true, true, false, false, false}),
              "x\r\n\r\n\r\nb\t\r\n");
    EXPECT_EQ(WholeTableText(t), "1\t\tx\t\t\t\r\n2\t\t\t\tcaf\xc3\xa9\t\r\n3\t\t\t\t\tunmarked\r\n"
                                 "\tb\t\t\t\t");
}

TEST(TableText, SortOrdersAreStableAndNumeric) {
    TextTable t = Grid(2, 4, {{1, 1, "3"}, {1, 2, "10"}, {1, 3, "2"}});
    EXPECT_EQ(NumericRowOrder(t, 1, 1, false), (std::vector<int32_t>{3, 1, 2}));
    EXPECT_EQ(NumericRowOrder(t, 1, 1, true), (std::vector<int32_t>{2, 1, 3}));
    // Equal keys, text among them reading as 0, keep their order both ways.
    t = Grid(2, 5, {{1, 1, "x"}, {1, 2, "0"}, {1, 3, "-1"}, {1, 4, "0.0"}});
    EXPECT_EQ(NumericRowOrder(t, 1, 1, false), (std::vector<int32_t>{3, 1, 2, 4}));
    EXPECT_EQ(NumericRowOrder(t, 1, 1, true), (std::vector<int32_t>{1, 2, 4, 3}));
    // A long reversed table ends sorted (the old bubble passes stopped after 1000).
    TextTable big;
    big.SetSize(2, 5001);
    for (int32_t r = 1; r <= 5000; ++r) big.SetCell(1, r, std::to_string(5001 - r));
    big.ReorderRows(1, NumericRowOrder(big, 1, 1, false));
    for (int32_t r = 1; r <= 5000; ++r) ASSERT_EQ(big.Cell(1, r), std::to_string(r));
}

TEST(TableText, RowsAndColumnsInsertDeleteMoveAndTranspose) {
    TextTable t = Grid(4, 5,
                       {{0, 1, "r1"},
                        {0, 2, "r2"},
                        {0, 3, "r3"},
                        {0, 4, "r4"},
                        {1, 0, "c1"},
                        {2, 0, "c2"},
                        {3, 0, "c3"},
                        {3, 2, "x"}});
    t.InsertRowsBefore({false, false, true, true});
    EXPECT_EQ(Column(t, 0), (std::vector<std::string>{"", "r1", "", "r2", "", "r3", "r4"}));
    t.DeleteRows({false, false, true, false, true});
    EXPECT_EQ(Column(t, 0), (std::vector<std::string>{"", "r1", "r2", "r3", "r4"}));
    t.InsertColsBefore({false, false, false, true});
    EXPECT_EQ(t.ColCount(), 5);
    EXPECT_EQ(t.Cell(4, 2), "x");
    EXPECT_EQ(t.Cell(3, 2), "");
    t.DeleteCols({false, true, false, true});
    EXPECT_EQ(t.ColCount(), 3);
    EXPECT_EQ(t.Cell(1, 0), "c2");
    EXPECT_EQ(t.Cell(2, 2), "x");
    t.MoveRow(1, 3);
    EXPECT_EQ(Column(t, 0), (std::vector<std::string>{"", "r2", "r3", "r1", "r4"}));
    t.MoveCol(2, 0);
    EXPECT_EQ(t.Cell(0, 1), "x");
    EXPECT_EQ(t.Cell(1, 1), "r2");
    t.Transpose();
    EXPECT_EQ(t.ColCount(), 5);
    EXPECT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.Cell(1, 0), "x");
    EXPECT_EQ(t.Cell(1, 1), "r2");
    EXPECT_EQ(t.Cell(0, 2), "c2");
}

TEST(TableText, CellsReplacedManyTimesStayIntactAndSmall) {
    TextTable t = Grid(3, 2, {});
    for (int i = 0; i < 20000; ++i) {
        t.SetCell(0, 1, std::string(static_cast<size_t>(i % 50), 'a'));
        t.SetCell(2, 1, "n" + std::to_string(i));
    }
    EXPECT_EQ(t.Cell(0, 1), std::string(19999 % 50, 'a'));
    EXPECT_EQ(t.Cell(2, 1), "n19999");
    EXPECT_LT(t.MemoryBytes(), 20000u);
    EXPECT_EQ(UsedRowExtent(t), 2);
    EXPECT_EQ(UsedRowExtent(Grid(3, 4, {{1, 1, "a"}, {2, 2, "b"}, {0, 3, "only column 0"}})), 3);
}

} // namespace
