#include "ideogrambands.h"

#include "numbers.h"

#include <algorithm>

namespace {
struct BandNumbers {
    int chr, arm, band, sub, subSub;
};

BandNumbers Numbers(const tFeature& f) {
    return {RoundToInt(f.Num[1]), RoundToInt(f.Num[2]), RoundToInt(f.Num[3]), RoundToInt(f.Num[4]),
            RoundToInt(f.Num[5])};
}

std::string ChromosomeText(int c, const char* other) {
    if (c >= 1 && c <= 22) return std::to_string(c);
    if (c == 23) return "x";
    if (c == 24) return "y";
    return other;
}

std::string ArmText(int arm) {
    return arm == 1 ? "p" : arm == 2 ? "q" : "";
}

// A letter given by its character code, when that is a printable ASCII character.
std::string Letter(int code) {
    return code > 32 && code < 127 ? std::string(1, static_cast<char>(code)) : std::string();
}

bool Within(const tFeature& inner, const tFeature& outer) {
    return inner.Num[8] >= outer.Num[8] && inner.Num[9] <= outer.Num[9];
}
} // namespace

BandLevel LevelOfBand(const tFeature& f) {
    const BandNumbers n = Numbers(f);
    if (n.arm > 0 && n.band == 0) return kLevelArms;
    if (n.band <= 0 || n.band >= 1000) return kLevelNone;
    if (n.sub == 0) return n.band < 10 ? kLevelRegions : kLevelBands;
    if (n.sub > 0 && n.subSub == 0) return kLevelSubBands;
    if (n.sub > 0 && n.sub < 1000 && n.subSub > 0) return kLevelSubSubBands;
    return kLevelNone;
}

std::vector<ShownBand> SelectShownBands(const tFList& bands, int c, int resolution,
                                        int ideogramType) {
    std::vector<ShownBand> shown;
    const int count = FeatureCount(bands);
    std::vector<int> ofChromosome;
    for (int i = 1; i <= count; ++i)
        if (RoundToInt(bands[i].Num[1]) == c) ofChromosome.push_back(i);
    if (ideogramType == 2) {
        for (int i : ofChromosome) shown.push_back({i, resolution});
        return shown;
    }
    const bool fillIn = resolution == kLevelSubBands || resolution == kLevelSubSubBands;
    // A coarser row is drawn where none of the finer levels up to the chosen one has a row.
    const auto finerInside = [&](int i, int level) {
        return std::any_of(ofChromosome.begin(), ofChromosome.end(), [&](int j) {
            const int l = LevelOfBand(bands[j]);
            return l > level && l <= resolution && Within(bands[j], bands[i]);
        });
    };
    for (int i : ofChromosome) {
        const int level = LevelOfBand(bands[i]);
        if (level == resolution && level != kLevelNone)
            shown.push_back({i, level});
        else if (fillIn && level >= kLevelBands && level < resolution && !finerInside(i, level))
            shown.push_back({i, level});
    }
    return shown;
}

std::string BandName(const tFeature& f, int level, int ideogramType) {
    const BandNumbers n = Numbers(f);
    std::string name = ChromosomeText(n.chr, "") + ArmText(n.arm);
    if (ideogramType == 2) {
        name += Letter(64 + n.band / 10);
        if (n.band % 10 > 0) name += std::to_string(n.band % 10);
        if (n.sub > 0) name += "." + std::to_string(n.sub);
        return name;
    }
    switch (level) {
    case kLevelRegions:
    case kLevelBands:
        return name + std::to_string(n.band);
    case kLevelSubBands:
        return name + std::to_string(n.band) + "." + std::to_string(n.sub);
    case kLevelSubSubBands:
        return name + std::to_string(n.band) + "." + std::to_string(n.sub) + Letter(96 + n.subSub);
    default:
        return name;
    }
}

std::vector<std::string> AllShownBandNames(const tFList& bands, int chromosomeCount,
                                           int ideogramType) {
    std::vector<std::string> names;
    for (const int resolution :
         {kLevelArms, kLevelRegions, kLevelBands, kLevelSubBands, kLevelSubSubBands})
        for (int c = 1; c <= chromosomeCount; ++c)
            for (const ShownBand& b : SelectShownBands(bands, c, resolution, ideogramType))
                names.push_back(
                    BandName(bands[static_cast<size_t>(b.Index)], b.Level, ideogramType));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::vector<std::string> DumpIdeogram(const tFList& bands, int tag) {
    std::vector<std::string> lines;
    const int count = FeatureCount(bands);
    for (int i = 1; i <= count; ++i) {
        const tFeature& f = bands[i];
        const BandNumbers n = Numbers(f);
        if (n.arm != 1 && n.arm != 2) continue;
        const bool listed =
            (tag == 2 && n.band == 0) || (tag == 3 && n.band > 0 && n.band < 1000 && n.sub == 0);
        if (!listed) continue;
        std::string line = ChromosomeText(n.chr, "nn") + ArmText(n.arm);
        if (tag == 3) line += std::to_string(n.band);
        for (int k : {8, 9, 10, 11}) line += "\t" + FormatFixed(f.Num[k], 0);
        lines.push_back(std::move(line));
    }
    return lines;
}
