// Every reader of outside files under a lowered address-space limit, in a child process: a file
// too large for the memory left is refused with "Not enough memory" and changes nothing, and a
// crafted file cannot make a reader take more memory than its bytes can hold.
#include "addresslimit.h"
#include "binaryio.h"
#include "cghexpressionmatrix.h"
#include "cghmatrixfile.h"
#include "expressionmatrix.h"
#include "featureextraction.h"
#include "genefeatures.h"
#include "ideogram.h"

#include "testfiles.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

constexpr size_t kHeadroom = size_t(256) << 20;

// A file of `size` zero bytes that takes no room on disk.
std::string SparseFile(const std::string& name, const std::string& head, off_t size) {
    const std::string path = TestPath(name);
    std::ofstream(path, std::ios::binary) << head;
    EXPECT_EQ(::truncate(path.c_str(), size), 0);
    return path;
}

std::string Record(const std::string& text) {
    std::string body, record;
    AppendText(body, text);
    AppendU32(record, uint32_t(body.size()));
    return record + body;
}

// The header of a CGH matrix file with `hnum` hybridisations and `probes` on chromosome 1.
std::string MatrixHeader(int hnum, int probes) {
    std::string names = "File names";
    for (int h = 1; h <= hnum; ++h) names += "\th" + std::to_string(h);
    return Record("JX-QB_V1.001") + Record("CNum\t1") + Record("HNum\t" + std::to_string(hnum)) +
           Record("ONum1\t" + std::to_string(probes)) + Record(names) + Record("////");
}

// Runs every reader under the limit; the number of readers that misbehaved.
int ReadUnderALimit(const std::string& zeros, const std::string& text, const std::string& matrix,
                    const std::string& empty) {
    auto data = std::make_unique<tCGH_DataSet>();
    ClearCGHDataSet(*data);
    tHeatmap heatmap;
    tFList list(3);
    tGenomeLayout layout;
    int32_t type = 7;
    if (!LimitAddressSpace(kHeadroom)) std::_Exit(100);
    struct Case {
        const char* reader;
        std::function<bool(std::string&)> read;
    };
    const Case cases[] = {
        {".cgm", [&](std::string& e) { return ReadCGHMatrix(*data, matrix, nullptr, nullptr, e); }},
        {".cgm set",
         [&](std::string& e) {
             CGHMatrixLoad load = LoadCGHMatrixDataSet(*data, matrix, nullptr);
             e = load.error;
             return load.ok;
         }},
        {"feature extraction",
         [&](std::string& e) {
             data->Hyb[1].FileName = zeros;
             const bool ok = LoadAgilentFeatureFile(*data, 1, nullptr, nullptr, e);
             data->Hyb[1].FileName.clear();
             return ok;
         }},
        {"ideogram",
         [&](std::string& e) {
             return ReadIdeogramFile(text + kNCBIIdeogramColumns, list, layout, type, nullptr, e);
         }},
        {"gene text", [&](std::string& e) { return ReadGeneFeatureText(zeros, list, nullptr, e); }},
        {"gene cache",
         [&](std::string& e) {
             return ReadFeatureCache(zeros, list, 1, nullptr, e) == FeatureCacheStatus::Loaded;
         }},
        {"expression matrix",
         [&](std::string& e) { return LoadExpressionMatrix(heatmap, zeros, 1, 13, e) >= 0; }},
        {"CGH-expression matrix",
         [&](std::string& e) { return LoadMatrixColumns(1, 0, 0, 2, 3, zeros, *data, 1, e); }},
    };
    int failures = 0;
    for (const Case& c : cases) {
        std::string error;
        const bool loaded = c.read(error);
        const bool unchanged = data->HNum == 0 && data->Hyb[1].Chr[1].Size() == 0 &&
                               heatmap.GeneCount == 0 && list.size() == 3 && type == 7;
        if (loaded || error.find("Not enough memory") == std::string::npos || !unchanged) {
            std::fprintf(stderr, "%s: %s\n", c.reader, error.c_str());
            ++failures;
        }
    }
    std::string error;
    if (!ReadCGHMatrix(*data, empty, nullptr, nullptr, error)) {
        std::fprintf(stderr, "no hybridisations: %s\n", error.c_str());
        ++failures;
    }
    return failures;
}

TEST(OutOfMemory, ReadersRefuseWhatDoesNotFitAndChangeNothing) {
    if (!kAddressLimitWorks) GTEST_SKIP() << "no address-space limit under the address sanitizer";
    // Far more than the headroom, with the room the allocator keeps in reserve: 5 GB.
    const off_t huge = off_t(5) << 30;
    const std::string zeros = SparseFile("oom_zeros", "", huge);
    // As large, but text for its first megabyte: a reader that refuses NUL bytes reads it whole.
    const std::string text = SparseFile("oom_text", std::string(size_t(1) << 20, '\n'), huge);
    // 50 hybridisations of 1,000,000 probes need 4.6 GB; the file's size allows the counts.
    const std::string matrix = SparseFile("oom_matrix.cgm", MatrixHeader(50, 1000000), huge);
    // 8,000,000 empty probe records of no hybridisation: 32 MB, which once took 2 GB.
    std::string noHyb = MatrixHeader(0, 8000000);
    noHyb.append(size_t(8000000) * 4, '\0');
    const std::string empty = WriteTestFile("oom_nohyb.cgm", noHyb);

    EXPECT_EXIT(std::_Exit(ReadUnderALimit(zeros, text, matrix, empty)),
                ::testing::ExitedWithCode(0), "");
}

} // namespace
