// Writes synthetic feature-extraction files of any size in the scanner's export layout, for the
// benchmark and the reader's tests: preamble blocks (TYPE, FEPARAMS, STATS and their DATA rows,
// "*" separators), a FEATURES column-name row and one DATA row of 43 TAB-separated fields per
// feature, CR LF line ends. Positions are spread over chromosomes 1..22, X and Y in random (array)
// order; about 2 % of the rows are controls, a few rows stop after 15 to 22 fields and one
// probe names its chromosome "chrx" (which reaches no chromosome).
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

struct FeatureFileSummary {
    int64_t rows = 0;                        // DATA rows of the feature block
    int64_t probeRows = 0;                   // of them non-control: the reader's "features"
    std::array<int64_t, 25> perChromosome{}; // probe rows stored on chromosome 1..24
    int64_t bytes = 0;
};

namespace featurefile {

// GRCh38 chromosome lengths, so probes spread as on a real array.
inline constexpr std::array<int32_t, 25> kLengths = {
    0,         248956422, 242193529, 198295559, 190214555, 181538259, 170805979,
    159345973, 145138636, 138394717, 133797422, 135086622, 133275309, 114364328,
    107043718, 101991189, 90338345,  83257441,  80373285,  58617616,  64444167,
    46709983,  50818468,  156040895, 57227415};

class Line {
  public:
    void Tab() { text_ += '\t'; }
    void Add(std::string_view s) { text_ += s; }
    void Int(int64_t v) {
        char buf[24];
        text_.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    }
    void Fixed(double v, int decimals) {
        char buf[64];
        text_.append(
            buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr);
    }
    void Sci(double v) {
        char buf[64];
        text_.append(buf,
                     std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 5).ptr);
    }
    void End() { text_ += "\r\n"; }
    std::string& Text() { return text_; }

  private:
    std::string text_;
};

inline void Row(Line& out, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (std::string_view f : fields) {
        if (!first) out.Tab();
        out.Add(f);
        first = false;
    }
    out.End();
}

inline void Preamble(Line& out) {
    Row(out, {"TYPE", "text", "text", "integer", "float", "text", "text", "text", "integer"});
    Row(out, {"FEPARAMS", "Protocol_Name", "Scan_ScannerName", "Scan_NumChannels", "Grid_Angle",
              "Grid_Name", "Scan_Date", "FeatureExtractor_Version", "DyeNorm_Method"});
    Row(out, {"DATA", "CGH_Protocol", "SCANNER01", "2", "0.0012", "GRID_1M", "01-01-2026",
              "10.7.3.1", "1"});
    Row(out, {"*"});
    Row(out, {"TYPE", "float", "float", "float", "integer", "integer", "float", "float", "text",
              "integer", "float", "float", "float", "float", "float", "float", "integer"});
    Row(out, {"STATS", "gDarkOffsetAverage", "rDarkOffsetAverage", "gAvgSig2BkgeQC", "gNumSatFeat",
              "rNumSatFeat", "DerivativeOfLogRatioSD", "gNonCtrlMedPrcntCVBGSubSig",
              "AnyColorPrcntFeatNonUnifOL", "gNegCtrlNumInliers", "rAvgSig2BkgeQC",
              "gSpatialDetrendRMSFit", "rSpatialDetrendRMSFit", "gMedPrcntCVBGSubSig",
              "rMedPrcntCVBGSubSig", "gLocalBGInlierNetAve", "NumOutliers"});
    // A preamble DATA row of more than 15 fields whose field 7 is no control flag.
    Row(out, {"DATA", "22.1", "24.8", "182.4", "0", "3", "0.153", "5.2", "0.02", "1280", "210.7",
              "4.1", "3.9", "6.2", "5.8", "31.2", "12"});
    Row(out, {"*"});
}

inline void FeatureHeader(Line& out) {
    static constexpr std::string_view names[] = {"FEATURES",
                                                 "FeatureNum",
                                                 "Row",
                                                 "Col",
                                                 "accessions",
                                                 "chr_coord",
                                                 "SubTypeMask",
                                                 "ControlType",
                                                 "ProbeName",
                                                 "GeneName",
                                                 "SystematicName",
                                                 "Description",
                                                 "PositionX",
                                                 "PositionY",
                                                 "LogRatio",
                                                 "LogRatioError",
                                                 "PValueLogRatio",
                                                 "gSurrogateUsed",
                                                 "rSurrogateUsed",
                                                 "gIsFound",
                                                 "rIsFound",
                                                 "gProcessedSignal",
                                                 "rProcessedSignal",
                                                 "gProcessedSigError",
                                                 "rProcessedSigError",
                                                 "gNumPixOLHi",
                                                 "rNumPixOLHi",
                                                 "gNumPixOLLo",
                                                 "rNumPixOLLo",
                                                 "gMedianSignal",
                                                 "rMedianSignal",
                                                 "gBGMedianSignal",
                                                 "rBGMedianSignal",
                                                 "gBGPixSDev",
                                                 "rBGPixSDev",
                                                 "gIsSaturated",
                                                 "rIsSaturated",
                                                 "gIsFeatNonUnifOL",
                                                 "rIsFeatNonUnifOL",
                                                 "gIsBGNonUnifOL",
                                                 "rIsBGNonUnifOL",
                                                 "gIsWellAboveBG",
                                                 "rIsWellAboveBG"};
    Line types;
    for (size_t i = 0; i < std::size(names); ++i) {
        if (i) out.Tab(), types.Tab();
        out.Add(names[i]);
        types.Add(i == 0 ? "TYPE" : i >= 8 && i <= 11 ? "text" : "float");
    }
    types.End();
    out.End();
    out.Text().insert(0, types.Text());
}

} // namespace featurefile

// Writes `probes` feature rows (deterministic for a seed); the summary says what a reader must
// find. Files of one seed and different non-zero `valueSeed`s hold the same probes with other
// values, as hybridisations of one array design do. Returns false when the file cannot be
// written.
inline bool WriteFeatureFile(const std::string& path, int64_t probes, uint32_t seed,
                             FeatureFileSummary& summary, uint32_t valueSeed = 0) {
    using namespace featurefile;
    summary = FeatureFileSummary();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::mt19937_64 rng(seed);
    std::mt19937_64 valueRng(valueSeed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::array<double, 25> cumulative{};
    double total = 0;
    for (int c = 1; c <= 24; ++c) cumulative[c] = total += kLengths[c];

    Line out;
    Preamble(out);
    {
        Line header;
        FeatureHeader(header);
        out.Add(header.Text());
    }
    const int64_t shortEvery = 9973; // a few rows stop after 15..22 fields
    const int64_t chrxRow = probes / 2 + 1;
    bool ok = true;
    for (int64_t i = 1; i <= probes; ++i) {
        const bool control = unit(rng) < 0.02;
        int chr = 1;
        const double at = unit(rng) * total;
        while (chr < 24 && at >= cumulative[chr]) ++chr;
        const int64_t start = 1 + static_cast<int64_t>(unit(rng) * (kLengths[chr] - 100));
        const double ratio = (unit(valueSeed ? valueRng : rng) - 0.5) * 2.0;
        int fields = 43;
        if (i % shortEvery == 0) fields = 15 + static_cast<int>(i / shortEvery % 8);

        Line& l = out;
        l.Add("DATA\t");
        l.Int(i), l.Tab();
        l.Int((i - 1) / 1000 + 1), l.Tab();
        l.Int((i - 1) % 1000 + 1), l.Tab();
        l.Add(control ? "" : "ref|NM_0"), l.Int(i % 100000), l.Tab();
        l.Tab(); // chr_coord
        l.Add("0\t");
        l.Add(control ? (i % 2 ? "1" : "-1") : "0"), l.Tab();
        l.Add("QB_P"), l.Int(1000000 + i), l.Tab();
        l.Add("G"), l.Int(i % 20000), l.Tab();
        if (control) {
            l.Add("ctrl_"), l.Int(i % 50);
        } else {
            l.Add(i == chrxRow ? "chrx" : chr == 23 ? "chrX" : chr == 24 ? "chrY" : "chr");
            if (chr < 23 && i != chrxRow) l.Int(chr);
            l.Add(":"), l.Int(start), l.Add("-"), l.Int(start + 59);
        }
        l.Tab();
        l.Add(i % 3 ? "probe near G" : "intergenic"), l.Int(i % 20000), l.Tab();
        l.Fixed(unit(rng) * 8000, 3), l.Tab();
        l.Fixed(unit(rng) * 8000, 3), l.Tab();
        l.Sci(ratio), l.Tab();
        l.Sci(unit(rng) * 0.2);
        for (int k = 16; k < fields; ++k) {
            l.Tab();
            if (k == 16)
                l.Sci(unit(rng));
            else if (k <= 20)
                l.Add("1");
            else if (k <= 24)
                l.Fixed(unit(rng) * 20000, 2);
            else
                l.Int(static_cast<int64_t>(unit(rng) * 400));
        }
        l.End();

        ++summary.rows;
        if (!control) {
            ++summary.probeRows;
            if (i != chrxRow) ++summary.perChromosome[chr];
        }
        if (out.Text().size() > (1u << 22)) {
            ok = ok &&
                 std::fwrite(out.Text().data(), 1, out.Text().size(), file) == out.Text().size();
            summary.bytes += static_cast<int64_t>(out.Text().size());
            out.Text().clear();
        }
    }
    ok = ok && std::fwrite(out.Text().data(), 1, out.Text().size(), file) == out.Text().size();
    summary.bytes += static_cast<int64_t>(out.Text().size());
    return std::fclose(file) == 0 && ok;
}
