#include "expressionmatrix.h"
#include "numbers.h"
#include "testfiles.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

// Sets a locale that writes "1,5" for the length of a test.
class GermanLocale {
  public:
    GermanLocale() {
        const char* old = std::setlocale(LC_ALL, nullptr);
        saved_ = old ? old : "C";
        ok = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~GermanLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    bool ok;

  private:
    std::string saved_;
};

class CancelAfter : public ProgressSink {
  public:
    explicit CancelAfter(int steps) : left_(steps) {}
    void SetMaximum(int max) override { maximum = max; }
    void SetPosition(int pos) override { position = pos; }
    void Pump() override { --left_; }
    bool Cancelled() const override { return left_ < 0; }
    int maximum = 0, position = -1;

  private:
    int left_;
};

// A heat map as the main window has it before a load: reader settings and a previous matrix.
tHeatmap Prepared(int chrColumn, int startColumn, int stopColumn) {
    tHeatmap h;
    h.ChrColumn = chrColumn;
    h.StartColumn = startColumn;
    h.StopColumn = stopColumn;
    return h;
}

void ExpectSameMatrix(const tHeatmap& a, const tHeatmap& b) {
    EXPECT_EQ(a.FileName, b.FileName);
    EXPECT_EQ(a.SampleCount, b.SampleCount);
    EXPECT_EQ(a.GeneCount, b.GeneCount);
    EXPECT_EQ(a.HeaderRows, b.HeaderRows);
    EXPECT_EQ(a.HeaderCols, b.HeaderCols);
    EXPECT_EQ(a.HeaderRowsRead, b.HeaderRowsRead);
    EXPECT_EQ(a.Data, b.Data);
    EXPECT_EQ(a.Header, b.Header);
    EXPECT_EQ(a.SampleOrder, b.SampleOrder);
    ASSERT_EQ(a.GAnno.size(), b.GAnno.size());
    for (size_t g = 0; g < a.GAnno.size(); ++g) EXPECT_EQ(a.GAnno[g].Str, b.GAnno[g].Str);
}

const char kSmall[] = "Gene\tChr\tA\tB\n"
                      "desc\tx\tdA\tdB\n"
                      "grp\ty\t1\t2\t99\n"
                      "g1\t1\t1.5\t2.5\n"
                      "g2\tX\t3\t4\n"
                      "\n"
                      "g3\tMT\t5\t6\n"
                      "g4\t24\t7\t8\t9\n";

TEST(LoadExpressionMatrix, ReadsHeaderRowsAnnotationAndValues) {
    tHeatmap h = Prepared(2, 1, 1);
    std::string error;
    MemoryLog log;
    const std::string file = WriteTestFile("expr_small.txt", kSmall);
    ASSERT_EQ(LoadExpressionMatrix(h, file, 3, 2, error, nullptr, &log), 4) << error;
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(h.SampleCount, 2);
    EXPECT_EQ(h.GeneCount, 4); // the empty line has no gene number
    EXPECT_EQ(h.HeaderRowsRead, 3);
    EXPECT_EQ(h.HeaderRows, 3);
    EXPECT_EQ(h.HeaderCols, 2);
    EXPECT_EQ(h.FileName, file);
    EXPECT_EQ(h.DisplayStep, 5);
    EXPECT_EQ(h.DisplayScale, 1.0f);
    EXPECT_EQ(h.SampleOrder[0], 2);
    EXPECT_EQ(h.SampleOrder[1], 1);
    EXPECT_EQ(h.SampleOrder[2], 2);
    EXPECT_EQ(h.SampleOrder[3], 0);

    EXPECT_EQ(h.GAnno[0].Str[1], "Gene");
    EXPECT_EQ(h.GAnno[0].Str[2], "Chr");
    EXPECT_TRUE(h.GAnno[0].Str[3].empty());
    ASSERT_EQ(h.Header.size(), 4u); // the header row's extra cell found no sample
    EXPECT_EQ(h.Header[0][1], "Gene");
    EXPECT_EQ(h.Header[1][1], "A");
    EXPECT_EQ(h.Header[0][2], "desc");
    EXPECT_EQ(h.Header[2][2], "dB");
    EXPECT_EQ(h.Header[1][3], "1");
    EXPECT_EQ(h.Header[2][3], "2");

    ASSERT_EQ(h.Data.size(), 4u);
    for (const auto& row : h.Data) ASSERT_EQ(row.size(), 6u);
    const int chr[] = {0, 1, 23, 0, 24};
    const float a[] = {0, 1.5f, 3, 0, 7};
    const float b[] = {0, 2.5f, 4, 0, 8};
    for (int g = 1; g <= 4; ++g) {
        EXPECT_EQ(h.GAnno[g].Chr, chr[g]) << g;
        EXPECT_EQ(h.Data[1][g], a[g]) << g;
        EXPECT_EQ(h.Data[2][g], b[g]) << g;
        EXPECT_EQ(h.Data[0][g], chr[g] ? 1.0f : 0.0f) << g; // MT has no p-value
    }
    EXPECT_EQ(h.GAnno[3].Str[1], "g3");
    EXPECT_EQ(h.GAnno[3].Str[2], "MT");
    EXPECT_EQ(h.Data[3][4], 0.0f); // the extra cell of g4 went nowhere
    ASSERT_EQ(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[1], "2 samples, 4 genes");
    EXPECT_NE(log.lines[2].find("s elapsed time"), std::string::npos);
}

TEST(LoadExpressionMatrix, LineEndsQuotesShortRowsAndNonNumbersUnderAGermanLocale) {
    const GermanLocale german;
    ASSERT_TRUE(german.ok) << "scripts/setup-deps.sh installs de_DE.UTF-8";
    tHeatmap h = Prepared(2, 3, 4);
    std::string error;
    const std::string text = "Name\tChr\tStart\tStop\tS1\tS2\tS3\tS4\r\n"
                             "short\r"                                    // no position yet
                             "\"a\tb\"\t3\t100\t200\t1.5\tNA\tNaN\t1,5\n" // quoted TAB
                             "carried\r\n"                                // takes 3, 100, 200
                             "c\t4\t300\t-2e3\t abc\t2.5x\tinf\t-0.125\n" // stop carried
                             "d\tY\t\t\t\t1e39\t\t7";
    ASSERT_EQ(LoadExpressionMatrix(h, WriteTestFile("expr_forms.txt", text), 1, 4, error), 5)
        << error;
    EXPECT_EQ(h.SampleCount, 4);
    EXPECT_EQ(h.GAnno[1].Chr, 0);
    EXPECT_EQ(h.Data[0][1], 0.0f);
    EXPECT_EQ(h.GAnno[2].Str[1], "\"a\tb\"");
    EXPECT_EQ(h.GAnno[2].Chr, 3);
    EXPECT_EQ(h.Data[1][2], 1.5f);
    EXPECT_EQ(h.Data[2][2], 0.0f);
    EXPECT_EQ(h.Data[3][2], 0.0f);
    EXPECT_EQ(h.Data[4][2], 1.0f); // "1,5": the valid beginning
    EXPECT_EQ(h.GAnno[3].Str[1], "carried");
    EXPECT_EQ(h.GAnno[3].Chr, 3);
    EXPECT_EQ(h.GAnno[3].Start, 100);
    EXPECT_EQ(h.GAnno[3].Stop, 200);
    EXPECT_EQ(h.Data[0][3], 1.0f);
    EXPECT_EQ(h.GAnno[4].Chr, 4);
    EXPECT_EQ(h.GAnno[4].Start, 300);
    EXPECT_EQ(h.GAnno[4].Stop, -2); // a whole number: the valid beginning of "-2e3"
    EXPECT_EQ(h.Data[1][4], 0.0f);
    EXPECT_EQ(h.Data[2][4], 2.5f);
    EXPECT_EQ(h.Data[3][4], 0.0f);
    EXPECT_EQ(h.Data[4][4], -0.125f);
    EXPECT_EQ(h.GAnno[5].Chr, 24);
    EXPECT_EQ(h.GAnno[5].Start, 0);
    EXPECT_EQ(h.Data[1][5], 0.0f);
    EXPECT_EQ(h.Data[2][5], std::numeric_limits<float>::max()); // never an infinity
    EXPECT_EQ(h.Data[4][5], 7.0f);
}

// A matrix large enough for several threads, with rows that carry the position over from the
// row before them at many chunk borders, and rows off the chromosomes.
TEST(LoadExpressionMatrix, LargeMatricesReadAlikeOnEveryThread) {
    const int genes = 6000, samples = 37; // about 3 MB: several pieces of the parallel read
    std::string text = "Name\tChr\tPos\tEnd";
    for (int s = 1; s <= samples; ++s) text += "\tS" + std::to_string(s);
    text += "\nGroup\n";
    std::vector<std::vector<float>> expected(samples + 1, std::vector<float>(genes + 1));
    std::vector<int> chr(genes + 1), start(genes + 1);
    char buf[32];
    for (int g = 1; g <= genes; ++g) {
        text += "gene" + std::to_string(g);
        if (g % 64 == 1 && g > 1) { // short row: the previous position, no values
            chr[g] = chr[g - 1];
            start[g] = start[g - 1];
            text += "\n";
            continue;
        }
        chr[g] = g % 50 == 0 ? 0 : g % 24 + 1;
        start[g] = g * 1000;
        text += (chr[g] ? "\t" + std::to_string(chr[g]) : "\tUn") + "\t" +
                std::to_string(start[g]) + "\t" + std::to_string(start[g] + 10);
        for (int s = 1; s <= samples; ++s) {
            const double v = std::sin(g * 0.37 + s) * std::pow(10.0, s % 7 - 3);
            std::string cell(
                buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 9).ptr);
            // Two decimal commas, on different threads: the report names the first in the file.
            if ((g == 3001 || g == 5003) && s == 5) cell = "1,5";
            text += "\t" + cell;
            if (chr[g]) expected[s][g] = static_cast<float>(ParseLenientFloat(cell));
        }
        text += "\n";
    }
    tHeatmap h = Prepared(2, 3, 4);
    std::string error;
    CancelAfter progress(1 << 30);
    std::string warning;
    const std::string file = WriteTestFile("expr_large.txt", text);
    ASSERT_EQ(LoadExpressionMatrix(h, file, 2, 4, error, &progress, nullptr, &warning), genes)
        << error;
    EXPECT_EQ(warning, "Value cells that are no numbers in full were read by their valid beginning "
                       "or as 0: 2 in \"" +
                           file + "\", the first at line 3003, column 9: \"1,5\".");
    EXPECT_EQ(progress.maximum, 1000);
    EXPECT_GT(progress.position, 400);
    for (int g = 1; g <= genes; ++g) {
        ASSERT_EQ(h.GAnno[g].Chr, chr[g]) << g;
        ASSERT_EQ(h.GAnno[g].Start, chr[g] ? start[g] : 0) << g;
        ASSERT_EQ(h.Data[0][g], chr[g] ? 1.0f : 0.0f) << g;
        for (int s = 1; s <= samples; ++s) ASSERT_EQ(h.Data[s][g], expected[s][g]) << g << "," << s;
    }

    // A position column the rows never reach is refused: no gene would lie on a chromosome.
    const std::pair<tHeatmap, std::string> refused[] = {
        {Prepared(0, 3, 4), "the Chromosome ID column is 0, but only annotation columns 1 to 4"},
        {Prepared(2, 5, 4), "the Start column is 5, but only annotation columns 1 to 4"}};
    for (auto [none, reason] : refused) {
        EXPECT_EQ(LoadExpressionMatrix(none, WriteTestFile("expr_large.txt", text), 2, 4, error),
                  -1);
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_EQ(none.GeneCount, 0);
    }
}

TEST(LoadExpressionMatrix, AtMostAThousandSamples) {
    auto matrix = [](int samples) {
        std::string text = "Name\tChr";
        for (int s = 1; s <= samples; ++s) text += "\tS" + std::to_string(s);
        text += "\ng\t1";
        for (int s = 1; s <= samples; ++s) text += "\t" + std::to_string(s);
        return text + "\n";
    };
    tHeatmap h = Prepared(2, 1, 1);
    std::string error;
    ASSERT_EQ(LoadExpressionMatrix(h, WriteTestFile("expr_1000.txt", matrix(1000)), 1, 2, error), 1)
        << error;
    EXPECT_EQ(h.SampleCount, 1000);
    EXPECT_EQ(h.SampleOrder[1000], 1000);
    EXPECT_EQ(h.Data[1000][1], 1000.0f);

    const tHeatmap before = h;
    EXPECT_EQ(LoadExpressionMatrix(h, WriteTestFile("expr_1001.txt", matrix(1001)), 1, 2, error),
              -1);
    EXPECT_NE(error.find("1001 samples"), std::string::npos) << error;
    ExpectSameMatrix(h, before);
}

TEST(LoadExpressionMatrix, RefusedFilesLeaveTheHeatMapAsItWas) {
    tHeatmap h = Prepared(2, 1, 1);
    std::string error;
    ASSERT_EQ(LoadExpressionMatrix(h, WriteTestFile("expr_keep.txt", kSmall), 3, 2, error), 4);
    const tHeatmap before = h;

    struct Case {
        const char* name;
        std::string text;
        int headerRows, headerCols;
        bool message;
    };
    const Case cases[] = {
        {"no sample column", kSmall, 3, 4, true},
        {"no genes below the header", kSmall, 8, 2, true},
        {"only empty lines below the header", "Gene\tChr\tA\n\n\r\n\n", 1, 2, true},
        {"no header row", kSmall, 0, 2, true},
        {"negative annotation columns", kSmall, 3, -1, true},
        {"empty line 1", "\nGene\tChr\tA\ng\t1\t2\n", 1, 2, true},
        {"empty file", "", 3, 2, false},
    };
    for (const Case& c : cases) {
        error.clear();
        EXPECT_EQ(LoadExpressionMatrix(h, WriteTestFile("expr_bad.txt", c.text), c.headerRows,
                                       c.headerCols, error),
                  -1)
            << c.name;
        EXPECT_EQ(!error.empty(), c.message) << c.name << ": " << error;
        ExpectSameMatrix(h, before);
    }
    EXPECT_EQ(LoadExpressionMatrix(h, "/nonexistent/matrix.txt", 3, 2, error), -1);
    EXPECT_NE(error.find("Cannot open"), std::string::npos);
    ExpectSameMatrix(h, before);
    EXPECT_EQ(LoadExpressionMatrix(h, std::filesystem::temp_directory_path().string(), 3, 2, error),
              -1);
    EXPECT_NE(error.find("Cannot read"), std::string::npos);
    ExpectSameMatrix(h, before);

    CancelAfter cancel(0);
    EXPECT_EQ(
        LoadExpressionMatrix(h, WriteTestFile("expr_cancel.txt", kSmall), 3, 2, error, &cancel),
        -1);
    EXPECT_EQ(error, "Loading cancelled.");
    ExpectSameMatrix(h, before);
}

tHeatmap Values(std::vector<std::vector<float>> perGene) {
    tHeatmap h;
    h.GeneCount = static_cast<int>(perGene.size());
    h.SampleCount = static_cast<int>(perGene[0].size());
    h.Data.assign(h.SampleCount + 2, std::vector<float>(h.GeneCount + 2, 0.0f));
    for (int g = 1; g <= h.GeneCount; ++g) {
        h.Data[0][g] = 0.5f;
        for (int s = 1; s <= h.SampleCount; ++s) h.Data[s][g] = perGene[g - 1][s - 1];
    }
    return h;
}

TEST(HeatmapTransforms, MeanNormalisationDividesEachGeneByItsMean) {
    tHeatmap h = Values({{2, 4, 6}, {-1, 1, 0}, {0, 0, 0}});
    HeatmapMeanNormalise(h);
    EXPECT_FLOAT_EQ(h.Data[1][1], 0.5f);
    EXPECT_FLOAT_EQ(h.Data[2][1], 1.0f);
    EXPECT_FLOAT_EQ(h.Data[3][1], 1.5f);
    EXPECT_EQ(h.Data[1][2], -1.0f); // mean 0: divided by 1
    EXPECT_EQ(h.Data[2][2], 1.0f);
    EXPECT_EQ(h.Data[1][3], 0.0f);
    EXPECT_EQ(h.Data[0][1], 0.5f); // the p-values stay

    // The sum is a single: 1e8 + 1 is 1e8, so the mean is 1 / 4, not 2 / 4.
    tHeatmap single = Values({{1e8f, 1, -1e8f, 1}});
    HeatmapMeanNormalise(single);
    EXPECT_EQ(single.Data[2][1], 4.0f);

    tHeatmap empty;
    HeatmapMeanNormalise(empty); // no samples: nothing to divide
    tHeatmap lying = Values({{2, 4}});
    lying.SampleCount = 50; // counts beyond the arrays (4 x 3 here) are not followed
    lying.GeneCount = 50;
    HeatmapMeanNormalise(lying); // mean of 2, 4 and the spare sample's 0
    HeatmapLog2(lying);
    EXPECT_EQ(lying.Data[1][1], 0.0f);
    EXPECT_EQ(lying.Data[2][1], 1.0f);
}

TEST(HeatmapTransforms, LogarithmsOfTheValues) {
    tHeatmap h = Values({{8, 0, -2, std::nanf("")}});
    HeatmapLog2(h);
    EXPECT_EQ(h.Data[1][1], 3.0f);
    EXPECT_EQ(h.Data[2][1], 0.0f);
    EXPECT_EQ(h.Data[3][1], 0.0f);
    EXPECT_EQ(h.Data[4][1], 0.0f);
    EXPECT_EQ(h.Data[0][1], 0.5f);

    tHeatmap t = Values({{1, 0, -1, 40, -50}});
    HeatmapLog10ToLog2(t);
    EXPECT_NEAR(t.Data[1][1], 3.3219281f, 1e-5);
    EXPECT_EQ(t.Data[2][1], 0.0f);
    EXPECT_NEAR(t.Data[3][1], -3.3219281f, 1e-5);
    EXPECT_NEAR(t.Data[4][1], std::log2(3.3e38), 1e-4); // the saturated power
    EXPECT_NEAR(t.Data[5][1], -166.0964f, 1e-3);        // no logarithm of an underflowed 0
}

} // namespace
