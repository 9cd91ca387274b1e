#include "toolcommands.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using Mark = ToolCommandResult::DataTypeMark;

struct Fixture {
    std::unique_ptr<tCGH_DataSet> cgh = std::make_unique<tCGH_DataSet>();
    tHeatmap exp;
    tStat cghStat, expStat;
    tGenomeLayout layout;
    tFList genes;
    int first = 1, last = 25;
    std::vector<bool> list;
    MemoryLog log;

    Fixture() {
        ClearCGHDataSet(*cgh);
        layout.ChromosomeCount = 24;
    }
    ToolCommandResult Run(int code, int arg, bool withList = false) {
        ToolCommandContext ctx{*cgh, exp, cghStat, expStat, layout, genes, first, last};
        ctx.listSelection = withList ? &list : nullptr;
        ctx.log = &log;
        return RunToolCommand(ctx, code, arg);
    }
};

struct ViewCase {
    int code, arg;
    float gainBefore;
    int startBefore;
    float gainAfter;
    int startAfter;
    bool repaint;
};

TEST(ToolCommands, GainAndDisplayStartFollowTheTable) {
    const ViewCase cases[] = {
        {3020, 10, 1.0f, 50, 0.9f, 50, true},
        {3020, 100, 1.0f, 50, 0.001f, 50, true},
        {3020, 10, 0.001f, 50, 0.001f, 50, false},
        {3021, 0, 2.5f, 50, 1.0f, 50, true},
        {3021, 0, 1.0f, 50, 1.0f, 50, false},
        {3022, 50, 2.0f, 50, 3.0f, 50, true},
        {3010, 100, 1.0f, 50, 1.0f, 10, true},
        {3010, 5, 1.0f, 12, 1.0f, 10, true},
        {3011, 50, 1.0f, 50, 1.0f, 50, false},
        {3011, 80, 1.0f, 50, 1.0f, 80, true},
        {3011, -7, 1.0f, 10, 1.0f, 10, false},
        {3012, 20, 1.0f, 50, 1.0f, 70, true},
        {3012, 2147483647, 1.0f, 50, 1.0f, 10000, true},
        {3010, -2147483647 - 1, 1.0f, 50, 1.0f, 10000, true},
    };
    for (const ViewCase& c : cases) {
        Fixture f;
        f.cgh->Gain = c.gainBefore;
        f.cgh->DisplayStart = c.startBefore;
        const ToolCommandResult r = f.Run(c.code, c.arg);
        EXPECT_FLOAT_EQ(f.cgh->Gain, c.gainAfter) << c.code << " " << c.arg;
        EXPECT_EQ(f.cgh->DisplayStart, c.startAfter) << c.code << " " << c.arg;
        EXPECT_EQ(r.repaint, c.repaint) << c.code << " " << c.arg;
    }
}

TEST(ToolCommands, RepeatedGainReductionStopsAtTheFloor) {
    Fixture f;
    for (int i = 0; i < 200; ++i) f.Run(3020, 10);
    EXPECT_FLOAT_EQ(f.cgh->Gain, 0.001f);
}

TEST(ToolCommands, AlphaComesFromTheTrackBarPosition) {
    Fixture f;
    EXPECT_TRUE(f.Run(2000, 200).repaint);
    EXPECT_FLOAT_EQ(f.cghStat.Alpha, 0.01f);
    f.Run(2000, 0);
    EXPECT_FLOAT_EQ(f.cghStat.Alpha, 1.0f);
    f.Run(2010, 130);
    EXPECT_NEAR(f.expStat.Alpha, 0.0501187, 1e-6);
}

TEST(ToolCommands, ActiveFlagsAcceptOnlyExistingHybridisations) {
    Fixture f;
    EXPECT_FALSE(f.Run(3001, 31).repaint);
    EXPECT_EQ(f.cgh->Hyb[3].Active, 1);
    f.Run(3001, 30);
    EXPECT_EQ(f.cgh->Hyb[3].Active, 0);
    f.Run(3001, 511); // hybridisation 51
    f.Run(3001, -11);
    f.Run(3001, 1); // hybridisation 0
    EXPECT_EQ(f.cgh->Hyb[0].Active, 0);
}

TEST(ToolCommands, ParametersAndDisplaySwitches) {
    Fixture f;
    const std::pair<int, int32_t tCGH_DataSet::*> params[] = {
        {3041, &tCGH_DataSet::TestParam1}, {3042, &tCGH_DataSet::TestParam2},
        {3043, &tCGH_DataSet::TestParam3}, {3044, &tCGH_DataSet::TestParam4},
        {3051, &tCGH_DataSet::TestParam5}, {3052, &tCGH_DataSet::TestParam6},
        {3053, &tCGH_DataSet::TestParam3}, {3054, &tCGH_DataSet::TestParam4}};
    int value = 7;
    for (const auto& [code, field] : params) {
        EXPECT_FALSE(f.Run(code, ++value).repaint);
        EXPECT_EQ((*f.cgh).*field, value) << code;
    }
    f.Run(3031, 2);
    f.Run(3031, 3);
    f.Run(3031, 4);
    EXPECT_EQ(f.cgh->ShowSingleProbes, 0);
    EXPECT_EQ(f.cgh->ShowProcessed, 1);
    EXPECT_EQ(f.cgh->ShowGroups, 1);
    EXPECT_TRUE(f.Run(3031, 9).repaint);
    EXPECT_EQ(f.cgh->ShowSingleProbes, 0);
    EXPECT_TRUE(f.Run(3030, 2).repaint);
    EXPECT_FALSE(f.Run(3030, 2).repaint);
    EXPECT_TRUE(f.Run(3000, 0).repaint);
    EXPECT_FALSE(f.Run(4242, 1).repaint);
}

TEST(ToolCommands, ExpressionDisplayCommands) {
    Fixture f;
    f.exp.DisplayStep = 5;
    f.Run(1000, 3);
    EXPECT_EQ(f.exp.DisplayStep, 8);
    f.Run(1000, -100);
    EXPECT_EQ(f.exp.DisplayStep, 1);
    f.Run(1000, 0);
    EXPECT_EQ(f.exp.DisplayStep, 5);
    f.exp.DisplayScale = 1.0f;
    EXPECT_FALSE(f.Run(1001, 0).repaint);
    EXPECT_FALSE(f.Run(1001, -50).repaint);
    EXPECT_FLOAT_EQ(f.exp.DisplayScale, 1.0f);
    f.Run(1001, 250);
    EXPECT_FLOAT_EQ(f.exp.DisplayScale, 2.5f);
    EXPECT_FALSE(f.Run(1002, 2).repaint); // no such column yet
    f.exp.GAnno.resize(3);
    f.exp.GAnno[0].Str[2] = "Symbol";
    EXPECT_TRUE(f.Run(1002, 2).repaint);
    EXPECT_EQ(f.exp.DisplayMode, 2);
    EXPECT_EQ(f.exp.DisplayFlag, 1);
    EXPECT_FALSE(f.Run(1002, 21).repaint);
    f.Run(1003, 0);
    EXPECT_EQ(f.exp.DisplayFlag, 0);
}

TEST(ToolCommands, ChromosomeListSelectionChoosesWhatIsDrawn) {
    Fixture f;
    f.list.assign(24, false);
    f.list[2] = f.list[6] = f.list[11] = true;
    EXPECT_TRUE(f.Run(1100, 1, true).repaint);
    EXPECT_EQ(f.first, 1);
    EXPECT_EQ(f.last, 24);
    EXPECT_EQ(f.layout.Selected[3] + f.layout.Selected[7] + f.layout.Selected[12], 3);
    EXPECT_EQ(f.layout.Selected[1], 0);

    f.list.assign(24, false);
    f.list[6] = true;
    f.Run(1100, 1, true);
    EXPECT_EQ(f.first, 7);
    EXPECT_EQ(f.last, 7);

    EXPECT_FALSE(f.Run(1100, 2, true).repaint);
    // No list: the flags stay as they are.
    f.layout.Selected[9] = 1;
    f.Run(1100, 1, false);
    EXPECT_EQ(f.first, 1);
    EXPECT_EQ(f.last, 24);
}

TEST(ToolCommands, SmoothingCommandsSwitchToProcessedEvenWithoutARoutine) {
    Fixture f;
    ToolCommandResult r = f.Run(3100, 20007);
    EXPECT_TRUE(r.repaint);
    EXPECT_EQ(r.mark, Mark::Processed);
    EXPECT_EQ(f.cgh->DataType, 2);
    EXPECT_TRUE(f.log.lines.empty());
    f.Run(1010, 0);
    EXPECT_TRUE(f.log.lines.empty()); // width below 1 runs no routine
    r = f.Run(1011, 1);
    EXPECT_EQ(r.mark, Mark::Raw);
    EXPECT_EQ(f.cgh->DataType, 0);
    EXPECT_FALSE(f.log.lines.empty());
}

} // namespace

namespace {

TEST(ToolCommands, HeatmapTransformsRepaintOnlyForKnownArguments) {
    Fixture f;
    EXPECT_FALSE(f.Run(1004, 5).repaint);
    EXPECT_FALSE(f.Run(1004, 0).repaint);
    EXPECT_TRUE(f.Run(1004, 2).repaint);
}

TEST(ToolCommands, WindowFilterRunsOnTheTestParametersAndCounts) {
    Fixture f;
    f.cgh->HNum = 1;
    f.cgh->Hyb[1].FileName = "a.txt";
    tCGHProbeArray& a = f.cgh->Hyb[1].Chr[1];
    a.Resize(22);
    a.SetCount(20);
    for (int i = 1; i <= 20; ++i) {
        a.Set(2, i, 1000.0f * i);
        a.Set(15, i, i >= 9 && i <= 11 ? 0.001f : 0.5f);
        a.Set(17, i, a.Get(15, i));
    }
    f.cghStat.Alpha = 0.01f;
    f.Run(3041, 5);
    f.Run(3042, 3);
    EXPECT_TRUE(f.Run(3040, 0).repaint);
    EXPECT_EQ(a.Get(17, 10), 0.001f);
    EXPECT_EQ(a.Get(17, 9), 0.001f); // its window 7..11 holds three too
    EXPECT_EQ(a.Get(17, 8), 1.0f);
    EXPECT_EQ(f.cghStat.SignificantCount, 3);
    bool reported = false;
    for (const std::string& line : f.log.lines) reported |= line == "CID=1 OID=10 #=3";
    EXPECT_TRUE(reported);
}

} // namespace
