#include "genefeatures.h"

#include "elapsed.h"

#include "binaryio.h"
#include "numbers.h"
#include "parser.h"
#include "progresssteps.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr std::string_view kCacheMagic = "JX-QuorbelFF01.00a";
constexpr std::string_view kCacheLabel = "cyto_gene_5.1.4";
constexpr size_t kMinCachedFeature = 5 * 4 + 4 * 4; // five numbers, four empty strings
constexpr int kCacheStrings = 4;                    // Name, Str[1..3]

int TypeCode(std::string_view type) {
    static constexpr std::string_view kTypes[] = {"GENE", "RNA", "CDS", "UTR", "PSEUDO"};
    for (int k = 0; k < 5; ++k)
        if (type == kTypes[k]) return k + 1;
    return 0;
}

// Chromosome of a text field: "X" 23, "Y" 24, else a whole number; 0 when it names none of 1..24
// (the map has no place for other chromosomes).
int ChromosomeOf(std::string_view field) {
    if (field == "X") return 23;
    if (field == "Y") return 24;
    int32_t c = 0;
    if (!ParseStrictInt(field, c) || c < 1 || c > kChromosomes) return 0;
    return c;
}

std::string& CacheText(tFeature& f, int k) {
    return k == 0 ? f.Name : f.Str[size_t(k)];
}
const std::string& CacheText(const tFeature& f, int k) {
    return k == 0 ? f.Name : f.Str[size_t(k)];
}

std::string OpenError(const std::string& fileName, int err) {
    return "Cannot read file: " + fileName + " (" + std::strerror(err) + ")";
}

// Features of a gene text, in a fresh list; false with `error` set.
bool ReadFeatureText(const std::string& fileName, tFList& fresh, std::string& error) {
    std::string text;
    int err = 0;
    if (!ReadWholeFile(fileName, text, err)) {
        error = OpenError(fileName, err);
        return false;
    }
    error = Utf16Refusal(text, fileName);
    if (!error.empty()) return false;
    fresh.assign(1, tFeature{});
    std::vector<std::string_view> lines, fields;
    auto field = [&](size_t k) { return k < fields.size() ? fields[k] : std::string_view(); };
    LineReader::SplitLines(text, lines);
    for (const std::string_view line : lines) {
        if (line.empty()) continue;

        SplitQuoted(line, '\t', fields);
        if (fields.size() < 10) continue;
        const int chr = ChromosomeOf(fields[1]);
        int32_t start = 0, stop = 0;
        const int type = TypeCode(field(11));
        if (chr == 0 || type == 0 || !ParseStrictInt(fields[2], start) ||
            !ParseStrictInt(fields[3], stop))
            continue;
        tFeature& f = fresh.emplace_back();
        f.Num[1] = float(chr);
        f.Num[2] = float(start);
        f.Num[3] = float(stop);
        f.Num[4] = fields[4] == "+" ? 1.0f : -1.0f;
        f.Num[5] = float(type);
        f.Name = fields[9];
        for (int k = 1; k <= 3; ++k) f.Str[size_t(k)] = field(size_t(9 + k));
    }
    const size_t count = fresh.size() - 1;
    if (count == 0) {
        error = "\"" + fileName +
                "\" holds no gene features (lines of at least 10 TAB-separated fields on "
                "chromosomes 1 to 22, X or Y, of type GENE, RNA, CDS, UTR or PSEUDO).";
        return false;
    }
    fresh[0].Num[1] = float(count);
    fresh.resize(count + 10);
    return true;
}

// Features of a cache file, in a fresh list, with the report lines; Loaded or the failure.
FeatureCacheStatus ReadCache(const std::string& fileName, tFList& fresh, int flag,
                             std::vector<std::string>& lines, std::string& error) {
    const Stopwatch clock;
    std::string bytes;
    int err = 0;
    if (!ReadWholeFile(fileName, bytes, err)) {
        error = OpenError(fileName, err);
        return err == ENOENT ? FeatureCacheStatus::Missing : FeatureCacheStatus::Unreadable;
    }
    auto corrupt = [&](const std::string& reason) {
        error = "Gene feature cache \"" + fileName + "\" is " + reason;
        return FeatureCacheStatus::Unreadable;
    };
    if (bytes.size() < kCacheMagic.size()) return corrupt("truncated");
    if (std::string_view(bytes).substr(0, kCacheMagic.size()) != kCacheMagic)
        return FeatureCacheStatus::WrongMagic;

    ByteCursor in(std::string_view(bytes).substr(kCacheMagic.size()));
    int32_t count = 0;
    std::string_view label;
    if (!in.I32(count) || !in.Text(label)) return corrupt("truncated");
    if (count < 0 || size_t(count) > in.Left() / kMinCachedFeature)
        return corrupt("corrupt (feature count " + std::to_string(count) + ")");

    std::string report = "Data file=\"" + fileName + "\"";
    fresh.assign(size_t(count) + 10, tFeature{});
    fresh[0].Num[1] = float(count);
    if (flag == 1) {
        report += ";cyto_gene; " + std::to_string(count) + " features; ";
        for (int i = 1; i <= count; ++i) {
            tFeature& f = fresh[size_t(i)];
            for (int k = 1; k <= 5; ++k) {
                int32_t v = 0;
                if (!in.I32(v)) return corrupt("truncated at feature " + std::to_string(i));
                f.Num[size_t(k)] = float(v);
            }
            for (int k = 0; k < kCacheStrings; ++k) {
                std::string_view s;
                if (!in.Text(s)) return corrupt("truncated at feature " + std::to_string(i));
                CacheText(f, k) = s;
            }
        }
    }
    if (flag == 1) lines.push_back("Loading gene feature list " + report + " ...");
    lines.push_back(report + clock.Line());
    return FeatureCacheStatus::Loaded;
}

} // namespace

bool ReadGeneFeatureText(const std::string& fileName, tFList& features, LogSink* log,
                         std::string& error) {
    tFList fresh;
    std::string line;
    try {
        if (!ReadFeatureText(fileName, fresh, error)) return false;
        line = std::to_string(FeatureCount(fresh)) + " features";
    } catch (const std::bad_alloc&) {
        error = NotEnoughMemoryText(fileName);
        return false;
    }
    features.swap(fresh);
    BumpDataVersion();
    Report(log).Add(std::move(line));
    return true;
}

bool WriteFeatureCache(const std::string& fileName, const tFList& features, int flag,
                       std::string& error) {
    const int count = FeatureCount(features);
    std::string out(kCacheMagic);
    AppendU32(out, uint32_t(count));
    if (flag == 1) {
        AppendText(out, kCacheLabel);
        for (int i = 1; i <= count; ++i) {
            const tFeature& f = features[size_t(i)];
            for (int k = 1; k <= 5; ++k) AppendU32(out, uint32_t(RoundToInt(f.Num[size_t(k)])));
            for (int k = 0; k < kCacheStrings; ++k) {
                const std::string& s = CacheText(f, k);
                if (s.size() > INT32_MAX) {
                    error = "Cannot write file: " + fileName + " (text too long)";
                    return false;
                }
                AppendText(out, s);
            }
        }
    }
    return WriteWholeFile(fileName, out, error);
}

FeatureCacheStatus ReadFeatureCache(const std::string& fileName, tFList& features, int flag,
                                    LogSink* log, std::string& error) {
    tFList fresh;
    std::vector<std::string> lines;
    FeatureCacheStatus status;
    try {
        status = ReadCache(fileName, fresh, flag, lines, error);
    } catch (const std::bad_alloc&) {
        error = NotEnoughMemoryText(fileName);
        return FeatureCacheStatus::Unreadable;
    }
    if (status != FeatureCacheStatus::Loaded) return status;
    features.swap(fresh);
    BumpDataVersion();
    if (log) log->AddLines(lines);
    return FeatureCacheStatus::Loaded;
}
