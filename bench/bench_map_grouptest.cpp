// Times the main window's CGH group test after its dialog closes (the test, the member lists, the
// Info line and the map render) over 50 hybridisations of PROBES probes each (default
// 1,000,000), groups 1..25 against 26..50: bench_map_grouptest [IDEOGRAM [PROBES]].
#include "benchapp.h"
#include "benchtime.h"
#include "dialoghooks.h"
#include "groupselector.h"
#include "grouptests.h"
#include "mainwindow.h"
#include "mapbench.h"
#include "records.h"
#include "synthetic_cgh.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// Puts conditions first..last into `group` as the user would.
void Assign(TdGroupSelector& d, int group, int first, int last) {
    std::vector<bool> marks(size_t(d.ConditionCount));
    for (int i = first; i <= last; ++i) marks[size_t(i - 1)] = true;
    d.SetMarks(marks);
    d.List_Group->setCurrentRow(group - 1);
    d.Button_ConditionsToGroupClick();
}

} // namespace

int main(int argc, char** argv) {
    BenchApplication app(argc, argv);
    const int probes = argc > 2 ? std::atoi(argv[2]) : 1000000;

    TfQuorbelView w;
    w.resize(1600, 1000);
    w.show();
    QApplication::processEvents();
    if (!LoadBenchIdeogram(argc > 1 ? argv[1] : "")) return 1;
    std::vector<synthetic::Region> gains;
    for (int h = 1; h <= 25; ++h) gains.push_back({h, 8, 0, 60000000, 0.5f});
    synthetic::Fill(CGHData, probes, kMaxHybridisations, gains, 0.3, "hyb");
    BumpDataVersion();
    w.POM_CGH_View->setChecked(true);
    w.MapView_PB1Paint();

    Clock::time_point closed;
    SetModalHook([&](QDialog& dialog) {
        auto& d = static_cast<TdGroupSelector&>(dialog);
        d.FormShow();
        {
            const QSignalBlocker block(d.Groups_SE_Number);
            d.Groups_SE_Number->setValue(2);
            d.rebuildGroupList();
        }
        Assign(d, 1, 1, 25);
        Assign(d, 2, 26, 50);
        d.BB_RunOK(d.BitBtn_OK);
        closed = Clock::now();
        return int(QDialog::Accepted);
    });
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        w.Anal_Stat_CGH_GroupTestingClick();
        best = std::min(best,
                        std::chrono::duration<double, std::milli>(Clock::now() - closed).count());
    }
    std::printf("CGH group test command, %d hybridisations x %d probes, two groups of 25: "
                "%.1f ms after the dialog closes (best of 5; %d significant)\n",
                kMaxHybridisations, probes, best, CGHStat.SignificantCount);
    // Its two large parts on their own.
    tStat stat = CGHStat;
    const double test = BestTime(5, [&] { CGHGroupTest(stat, CGHData); });
    const double render = BestTime(5, [&] {
        BumpDataVersion();
        w.MapView_PB1Paint();
    });
    std::printf("  of which the test %.1f ms and the map render %.1f ms\n", test, render);
    return 0;
}
