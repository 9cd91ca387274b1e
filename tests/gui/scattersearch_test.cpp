#include "scattersearch.h"

#include <gtest/gtest.h>

namespace {

struct Points {
    std::vector<std::string> annotations{"GeneID"};
    std::vector<float> x{0}, y{0};
    std::vector<int32_t> flags{0};
    void Add(std::string a, float xv = 1, float yv = 1) {
        annotations.push_back(std::move(a));
        x.push_back(xv);
        y.push_back(yv);
        flags.push_back(0);
    }
    AnnotationSearch Search(const std::string& query) {
        AnnotationIndex index;
        index.Build(annotations);
        return SearchAnnotation(annotations, index, x, y, flags, int32_t(x.size() - 1), query);
    }
    std::vector<int> Marked() const {
        std::vector<int> m;
        for (size_t i = 1; i < flags.size(); ++i)
            if (flags[i]) m.push_back(int(i));
        return m;
    }
};

TEST(ScatterSearch, TermsMarkByKind) {
    Points p;
    p.Add("lo");            // 1
    p.Add("Slow");          // 2
    p.Add("GAPDH");         // 3
    p.Add("xorfy");         // 4
    p.Add("ABAB");          // 5
    p.Add("2.5", 4, 2);     // 6: x / y = 2
    p.Add("n1", 1, 4);      // 7: x / y = 0.25
    p.Add("n2", 5, 0);      // 8: y = 0
    p.Add("");              // 9: never matches
    p.Add("\"a b\"", 1, 1); // 10
    p.Add("abc");           // 11
    const struct {
        std::string query;
        std::vector<int> marked;
    } cases[] = {
        {"lo", {1}},
        {"\\c lo", {1, 2}},
        {"gap* *orf*", {3, 4}},
        {"*AB", {5}}, // a true suffix, though "AB" occurs earlier
        {"\\R>=2", {6}},
        {"\\LR<=-1", {7}},
        {"\\LR>=100", {}}, // y = 0 is no ratio
        {"\\>=2.5", {6}},  // non-numbers read 0
        {"\\<= 0", {1, 2, 3, 4, 5, 7, 8, 10, 11}},
        {"\"a b\"", {10}}, // quotes keep the blank and stay in the term
        {"* gap", {}},     // an empty term matches nothing
    };
    for (const auto& c : cases) {
        p.flags.assign(p.flags.size(), 0);
        p.Search(c.query);
        EXPECT_EQ(p.Marked(), c.marked) << c.query;
    }
    p.flags.assign(p.flags.size(), 0);
    p.Search("abc");
    p.Search("\\k lo"); // keeps the earlier mark
    EXPECT_EQ(p.Marked(), (std::vector<int>{1, 11}));
}

TEST(ScatterSearch, ReportCountsEveryMatchAndListsTwenty) {
    Points p;
    for (int i = 1; i <= 25; ++i) p.Add("g\t" + std::to_string(i) + "\r\n");
    p.Add("other");
    const AnnotationSearch r = p.Search("\\c G");
    EXPECT_EQ(r.Matches, 25);
    ASSERT_EQ(r.LogLines.size(), 2u + 25 + 3);
    EXPECT_EQ(r.LogLines[0], " ");
    EXPECT_EQ(r.LogLines[1], "Seaching genes for \"\\c G\"");
    EXPECT_EQ(r.LogLines[2], "     1\tg; 1");
    EXPECT_EQ(r.LogLines[27], "25 matches found");
    EXPECT_NE(r.LogLines[28].find("s elapsed time"), std::string::npos);
    EXPECT_EQ(r.Message.rfind("Searching for \"\\c G\"\n\n25 matches found\n\n     1\tg; 1\n", 0),
              0u);
    EXPECT_NE(r.Message.find("    20\tg; 20\n     ...... see Log tab-sheet for more"),
              std::string::npos);
    EXPECT_EQ(r.Message.find("    21\t"), std::string::npos);

    const AnnotationSearch twice = p.Search("other OTHER");
    EXPECT_EQ(twice.Matches, 2); // counted once per term
    EXPECT_EQ(twice.Message, "Searching for \"other OTHER\"\n\n2 matches found\n\n    26\tother\n"
                             "    26\tother");
    EXPECT_TRUE(p.Search("").Message.empty());
}

} // namespace
