#include "listfilter.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// Entries "position TAB value" and lines "L<position>".
Lines Segments(const std::vector<int>& positions) {
    Lines entries, lines;
    for (int p : positions) {
        entries.push_back(std::to_string(p) + "\t0.5");
        lines.push_back("L" + std::to_string(p));
    }
    MemoryLog log;
    FindListSegments(entries, lines, &log, nullptr);
    return log.lines;
}

TEST(FindListSegments, ARunIsItsAnchorThroughItsLastEntryWithin) {
    EXPECT_EQ(Segments({10, 11, 12, 13}), (Lines{"Segment: 1-4", "L10", "L11", "L12", "L13"}));
    EXPECT_EQ(Segments({10, 11, 12, 13, 500}), (Lines{"Segment: 1-4", "L10", "L11", "L12", "L13"}));
    // Before a break, three entries within are needed; at the list's end one is enough.
    EXPECT_EQ(Segments({10, 11, 12, 500}), Lines{});
    EXPECT_EQ(Segments({500, 1000, 1001}), (Lines{"Segment: 2-3", "L1000", "L1001"}));
    EXPECT_EQ(Segments({1, 3, 5, 7, 100, 101, 102, 103}),
              (Lines{"Segment: 1-4", "L1", "L3", "L5", "L7", "Segment: 5-8", "L100", "L101", "L102",
                     "L103"}));
    EXPECT_EQ(Segments({10}), Lines{});
    EXPECT_EQ(Segments({}), Lines{});
}

TEST(FilterListByChromosome, GainsAndLossesOfEachChromosomeApart) {
    const auto line = [](int c, int probe, const std::string& regulation) {
        return "Chr-" + std::to_string(c) + "      " + std::to_string(probe) + "\t1.0\t2\t0.5\t" +
               regulation + "\tx";
    };
    Lines lines = {"report head",       "",
                   line(2, 10, " 0.3"), line(2, 11, "-0.3"),
                   line(2, 12, " 0.4"), line(1, 5, "-1.0"),
                   "Chr-2 13\tshort",   line(20, 7, "0.2"),
                   line(2, 13, "-0.2")};
    for (int p : {14, 15, 16}) lines.push_back(line(2, p, "-0.1"));
    lines.push_back("Chr-02 9\ta\tb\tc\td"); // not the key of chromosome 2
    MemoryLog log;
    FilterListByChromosome(lines, &log, nullptr);
    EXPECT_EQ(lines.front(), line(2, 10, " 0.3")); // the lines before the first "Chr" are gone
    Lines expected = {"13 lines loaded.",  "1 lines with fewer than five fields left out.",
                      "Filter UL 1",       "Filter UL 2",
                      "Segment: 1-2",      line(2, 10, " 0.3"),
                      line(2, 12, " 0.4"), "Segment: 1-5",
                      line(2, 11, "-0.3"), line(2, 13, "-0.2")};
    for (int p : {14, 15, 16}) expected.push_back(line(2, p, "-0.1"));
    for (int c = 3; c <= 24; ++c) expected.push_back("Filter UL " + std::to_string(c));
    EXPECT_EQ(log.lines, expected);

    Lines none = {"a", "b"};
    log.lines.clear();
    FilterListByChromosome(none, &log, nullptr);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(log.lines.front(), "2 lines loaded.");
    EXPECT_EQ(log.lines.size(), 25u);
}

} // namespace
