// Reads and imports a DSB data file and prints the time: bench_dsb_import [FILE]. Without FILE a
// 1,000,000-line file is generated in /tmp first.
#include "benchtime.h"
#include "dsb_file_writer.h"
#include "dsbfile.h"

#include <cstdio>
#include <memory>
#include <string>

int main(int argc, char** argv) {
    const std::string file = argc > 1 ? argv[1] : "/tmp/qb_bench_dsb_1m.txt";
    if (argc < 2 && !WriteDSBFile(file, 1000000, 1)) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return 1;
    }
    auto data = std::make_unique<tCGH_DataSet>();
    DSBData dsb;
    std::string error;
    bool ok = false;
    const double ms = Time(1, [&] {
        ok = ReadDSBDataFile(file, dsb, nullptr, error) &&
             ImportDSBData(*data, std::move(dsb), nullptr, error) == 1;
    });
    if (!ok) {
        std::fprintf(stderr, "import failed: %s\n", error.c_str());
        return 1;
    }
    long probes = 0;
    for (int c = 1; c <= kChromosomes; ++c) probes += data->Hyb[1].Chr[c].Count();
    std::printf("file %s\nprobes %ld\nread and import %.3f s\n", file.c_str(), probes, ms / 1000);
    return 0;
}
