// Runs the list filter over generated regulation lines and prints the time:
// bench_listfilter [LINES=1000000] [SEED=1]. The lines are laid out as the regulation filter
// writes them: runs of neighbouring probes of one direction, chromosome after chromosome.
#include "benchtime.h"
#include "listfilter.h"
#include "numbers.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {
class CountingLog : public LogSink {
  public:
    void AddLines(const std::vector<std::string>& lines) override {
        ++batches;
        count += lines.size();
    }
    size_t batches = 0, count = 0;
};

class PumpCounter : public ProgressSink {
  public:
    void SetMaximum(int) override {}
    void SetPosition(int) override {}
    void Pump() override { ++pumps; }
    bool Cancelled() const override { return false; }
    size_t pumps = 0;
};
} // namespace

int main(int argc, char** argv) {
    const size_t total = argc > 1 ? std::stoull(argv[1]) : 1000000;
    std::mt19937 rng(argc > 2 ? static_cast<uint32_t>(std::stoul(argv[2])) : 1);
    std::vector<std::string> lines = {"Group-regulation filtering", "Probe\tPos(MB)\t#"};
    const size_t perChromosome = total / 24 + 1;
    for (int c = 1; c <= 24 && lines.size() < total; ++c) {
        int probe = 0;
        for (size_t k = 0; k < perChromosome && lines.size() < total;) {
            probe += 1 + static_cast<int>(rng() % 40);
            const int run = 1 + static_cast<int>(rng() % 20);
            const char* sign = rng() % 2 ? "-" : " ";
            for (int r = 0; r < run && k < perChromosome; ++r, ++k, ++probe) {
                std::string number = std::to_string(probe);
                number.insert(0, 7 - std::min<size_t>(7, number.size()), ' ');
                lines.push_back("Chr-" + std::to_string(c) + number + "\t" +
                                FormatFixedWidth(probe * 0.01, 7, 3) + "\t3\t  0.60\t" + sign +
                                "0.412\t0.400;0.420;\t0.040;0.042;\t1;2;");
            }
        }
    }
    CountingLog log;
    PumpCounter progress;
    const size_t n = lines.size();
    const double ms = Time(1, [&] { FilterListByChromosome(lines, &log, &progress); });
    std::printf("lines %zu\nreport lines %zu in %zu batches\npumps %zu\nfilter %.3f s\n", n,
                log.count, log.batches, progress.pumps, ms / 1000);
    return 0;
}
