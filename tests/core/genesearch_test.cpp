#include "genesearch.h"

#include <gtest/gtest.h>

namespace {

tFList Genes() {
    const char* names[] = {"HPRT1", "HPRTP2", "NAPRT1", "GAPDH", "ALPHA", "A"};
    tFList genes(std::size(names) + 1);
    genes[0].Num[1] = float(std::size(names));
    for (size_t i = 1; i < genes.size(); ++i) {
        genes[i].Name = names[i - 1];
        genes[i].Num[1] = float(i);
        genes[i].Num[2] = 248956416.0f;
        genes[i].Str = {"", "a", "b", "c"};
    }
    return genes;
}

std::string Marked(const tFList& genes) {
    std::string s;
    for (size_t i = 1; i < genes.size(); ++i)
        if (genes[i].Num[15] == 1.0f) s += (s.empty() ? "" : " ") + genes[i].Name;
    return s;
}

TEST(GeneSearch, WildcardsAtEitherEndWithoutRegardToCase) {
    const struct {
        const char* text;
        const char* marked;
        int sum;
    } cases[] = {
        {"hprt*", "HPRT1 HPRTP2", 2},
        {"*prt1", "HPRT1 NAPRT1", 2},
        {"*prt*", "HPRT1 HPRTP2 NAPRT1", 3},
        {"gapdh", "GAPDH", 1},
        {"*a", "ALPHA A", 2}, // the part also occurs earlier in ALPHA
        {"*", "", 0},
        {"**", "", 0},
        {"a*", "ALPHA A", 2},
        {"\tgapdh\r\n  hprt1 GAPDH ", "HPRT1 GAPDH", 3}, // found by two words: counted twice
        {"", "", 0},
    };
    tFList genes = Genes();
    for (const auto& c : cases) {
        genes[4].Num[15] = 1.0f; // a mark of the last search goes
        EXPECT_EQ(SearchGeneNames(genes, CleanSearchText(c.text), nullptr), c.sum) << c.text;
        EXPECT_EQ(Marked(genes), c.marked) << c.text;
    }
}

TEST(GeneSearch, ReportNamesEachFeatureFoundAndTheSum) {
    tFList genes = Genes();
    MemoryLog log;
    EXPECT_EQ(SearchGeneNames(genes, CleanSearchText(" gapdh\t*x "), &log), 1);
    ASSERT_EQ(log.lines.size(), 5u);
    EXPECT_EQ(log.lines[0], "");
    EXPECT_EQ(log.lines[1], "Searching for \"gapdh *x\"");
    EXPECT_EQ(log.lines[2], "4 - GAPDH; Chr=4; Start=248956416 - a, b, c");
    EXPECT_EQ(log.lines[3], "1 matches found");
    EXPECT_EQ(log.lines[4].size(), std::string("     0.000s elapsed time.").size());
    EXPECT_EQ(log.lines[4].substr(10), "s elapsed time.");
}

} // namespace
