// Feeds arbitrary bytes to the image-map reader and, split at the first NUL, to the gene-list
// paste; then marks the areas and hit-tests their corners.
#include "imagemap.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t nul = bytes.find('\0');
    const std::string_view html = bytes.substr(0, nul);
    const std::string_view genes = nul == std::string_view::npos ? bytes : bytes.substr(nul + 1);
    std::vector<ImageMapArea> areas = ReadImageMap(html, "https://db.example");
    for (const ImageMapArea& a : areas) {
        if (std::abs(int64_t(a.X1)) > 2 * kMapCoordinateLimit) std::abort();
        if (!a.Link.empty() && a.Link.compare(0, 19, "https://db.example/") != 0) std::abort();
        FindArea(areas, a.X1, a.Y1);
    }
    for (int32_t kind : {0, 12}) {
        const GenePaste paste = ParseGeneList(genes, kind);
        if (paste.GeneList.size() != paste.RegulationMeans.size()) std::abort();
        for (const std::string& g : paste.GeneList)
            if (FindGene(paste, g) < 0) std::abort();
        GenePasteReport(paste);
        for (const AreaOutline& o : GeneAreaOutlines(areas, paste, 2))
            if (o.Area < 1 || o.Area > int32_t(areas.size())) std::abort();
    }
    return 0;
}
