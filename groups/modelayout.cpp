#include "modelayout.h"

namespace {
using P = LayoutPart;
QString S(const char* text) {
    return QString::fromUtf8(text);
}

ModeLayout Row(int first, int last, QStringList captions, QString distribution, int groupCount,
               std::vector<std::pair<P, bool>> parts) {
    ModeLayout row;
    row.first = first;
    row.last = last;
    row.captions = std::move(captions);
    row.distribution = std::move(distribution);
    row.groupCount = groupCount;
    row.parts = std::move(parts);
    return row;
}

std::vector<ModeLayout> BuildTable() {
    const QString kaplanMeier = S("Show Kaplan-Meier survival curves from selected conditions");
    const std::vector<std::pair<P, bool>> normalise{{P::ParameterPage, false},
                                                    {P::GroupNumberBox, false},
                                                    {P::SelfBox, true},
                                                    {P::RunButton, false}};
    const std::vector<std::pair<P, bool>> virtualPool{
        {P::ParameterPage, false}, {P::GroupNumberBox, false}, {P::RunButton, false}};
    const std::vector<std::pair<P, bool>> geneTool{{P::ParameterPage, false},
                                                   {P::ScriptButton, false},
                                                   {P::OKButton, false},
                                                   {P::ValueControls, true}};
    const std::vector<std::pair<P, bool>> sam{{P::PermutationBox, true}, {P::S0Controls, true}};
    auto withParts = [](std::vector<std::pair<P, bool>> base,
                        std::initializer_list<std::pair<P, bool>> more) {
        base.insert(base.end(), more);
        return base;
    };
    std::vector<ModeLayout> t;
    t.push_back(Row(0, 0, {}, {}, 0, {{P::ParameterPage, false}}));
    t.push_back(Row(2000, 2000, {}, {}, 0,
                    {{P::GroupsPanel, false},
                     {P::SaveLoadBox, false},
                     {P::ParameterPage, false},
                     {P::CGHPage, true},
                     {P::ScriptButton, false},
                     {P::RunButton, false}}));
    t.push_back(Row(2001, 2001, {}, {}, 0,
                    {{P::ParameterPage, false}, {P::GroupsTab, false}, {P::ExpressionPage, true}}));
    // Mode 1 adds its group-dependent parts in the dialog.
    t.push_back(Row(1, 1, {}, S("t-Distribution"), 0, {{P::SamPanel, true}, {P::PValueBox, true}}));
    t.push_back(Row(2, 2, {S("ANOVA")}, S("f-Distribution"), 0,
                    {{P::SamPanel, true}, {P::PValueBox, true}}));
    t.push_back(Row(3, 3, {S("U-/Mann-Whitney-test")}, S("Rank-sum Distribution"), 2, {}));
    t.push_back(Row(5, 6, {}, {}, 0, {{P::PairsBox, true}, {P::GroupBox, false}}));
    t.push_back(Row(20, 20, {S("Regression response - PTM")}, S("Correlaion coefficient"), 1,
                    {{P::QuantResponseBox, true}}));
    t.push_back(Row(200, 200, {S("Kruskal-Wallis test")}, S("H-Distribution"), 0, {}));
    ModeLayout twoFactor =
        Row(210, 210, {S("2-factor ANOVA")}, S("f-Distribution"), 0, {{P::FactorControls, true}});
    twoFactor.groupLabel = S("Factor1 #");
    t.push_back(twoFactor);
    t.push_back(Row(4, 4, {}, {}, 0, sam));
    t.push_back(Row(10, 10, {S("Quantitative response SAM")}, {}, 0,
                    withParts(sam, {{P::QuantResponseBox, true}, {P::ResponseType, true}})));
    t.push_back(Row(11, 11, {S("Quantitative response SAM")}, {}, 0,
                    withParts(sam, {{P::QuantResponseBox, true}})));
    t.push_back(Row(100, 101, {kaplanMeier}, {}, 0, {{P::KaplanMeierBoxes, true}}));
    for (int mode = 102, groups = 3; mode <= 104; ++mode, --groups)
        t.push_back(Row(mode, mode, {kaplanMeier}, {}, groups, {{P::KaplanMeierBoxes, true}}));
    t.push_back(Row(300, 300, {}, {}, 1, {{P::KMeansBox, true}}));
    t.push_back(Row(310, 310, {}, {}, 1, {{P::PCABox, true}}));
    t.push_back(Row(311, 311, {}, {}, 1, {{P::PCABox, true}, {P::AssignmentBox, false}}));
    ModeLayout plots = Row(1000, 1009, {S("Select conditons and display scatterplots")}, {}, 1,
                           {{P::ParameterPage, false},
                            {P::PlotButtons, true},
                            {P::SaveLoadBox, false},
                            {P::RecentGroupings, false},
                            {P::RunButton, false},
                            {P::OKButton, false}});
    plots.groupBoxTitle = S("Gene annotation");
    plots.keepsGroupList = true;
    t.push_back(plots);
    ModeLayout bar = Row(1010, 1010, {}, {}, 0,
                         {{P::ScriptButton, false}, {P::OKButton, false}, {P::XYButton, true}});
    bar.xyCaption = S("&Bar");
    t.push_back(bar);
    t.push_back(Row(1020, 1020, {}, {}, 0,
                    {{P::ScriptButton, false},
                     {P::GroupNumberBox, false},
                     {P::GroupsPanel, false},
                     {P::RecentGroupings, false},
                     {P::RunButton, false},
                     {P::OKButton, true}}));
    const char* pools[3] = {"Hybridisation pools", "Median hybridisation pools",
                            "Geometric hybridisation pools"};
    const char* means[3] = {"ARITHMETIC mean", "MEDIAN mean", "GEOMETRIC mean"};
    QStringList normaliseCaptions, centreCaptions, virtualNormalise, virtualCentre;
    for (int k = 0; k < 3; ++k) {
        normaliseCaptions << S("Normalise genes: By hybridisations / ") + S(pools[k]);
        centreCaptions << S("Centre genes: By hybridisations / ") + S(pools[k]);
        virtualNormalise << S("Virtual pool normalise genes: ") + S(means[k]);
        virtualCentre << S("Virtual pool centre genes: ") + S(means[k]);
    }
    t.push_back(Row(1100, 1102, normaliseCaptions, {}, 2, normalise));
    t.push_back(Row(1110, 1112, centreCaptions, {}, 2, normalise));
    t.push_back(Row(1120, 1122, virtualNormalise, {}, 1, virtualPool));
    t.push_back(Row(1125, 1127, virtualCentre, {}, 1, virtualPool));
    t.push_back(Row(1201, 1206,
                    {S("Normalise hybs: Total intensity"),
                     S("Normalise hybs: Total rank (~median) intensity)"),
                     S("Normalise hybs: Mean variance"), S("Normalise hybs: z-transformation"),
                     S("Qunatile normalisation"), S("Rank cenering")},
                    {}, 1,
                    {{P::ParameterPage, false},
                     {P::GroupNumberBox, true},
                     {P::RunButton, false},
                     {P::ScriptButton, false}}));
    ModeLayout nanFilter =
        Row(3001, 3001, {S("Filter genes containing \"NAN\" values")}, {}, 0, geneTool);
    nanFilter.valueLabel = S("Threshold");
    t.push_back(nanFilter);
    ModeLayout medianFilter =
        Row(3002, 3003, {S("Filter genes with median larger Threshold")}, {}, 0, geneTool);
    medianFilter.valueLabel = S("Threshold");
    t.push_back(medianFilter);
    ModeLayout constant = Row(3101, 3101, {S("Data imputation: Impute constant")}, {}, 0, geneTool);
    constant.valueLabel = S("Constant:");
    t.push_back(constant);
    t.push_back(Row(3102, 3102, {S("Data imputation: Row average")}, {}, 0, geneTool));
    t.push_back(Row(3103, 3103, {S("Data imputation: Hot deck")}, {}, 0, geneTool));
    ModeLayout similar =
        Row(3104, 3104, {S("Data imputation: k most simular genes")}, {}, 0, geneTool);
    similar.valueLabel = S("# of genes:");
    similar.value = 10;
    t.push_back(similar);
    t.push_back(Row(3201, 3201, {S("Swap sign ( Column * -1)")}, {}, 0,
                    withParts(geneTool, {{P::ValueControls, false}})));
    similar.first = similar.last = 3204;
    t.push_back(similar);
    return t;
}
} // namespace

QString ModeLayout::Caption(int mode) const {
    if (captions.size() == 1) return captions[0];
    const int k = mode - first;
    return k >= 0 && k < captions.size() ? captions[k] : QString();
}

const ModeLayout* FindModeLayout(int mode) {
    static const std::vector<ModeLayout> table = BuildTable();
    for (const ModeLayout& row : table)
        if (mode >= row.first && mode <= row.last) return &row;
    return nullptr;
}

bool FillsGroupOne(int mode, int groupCount) {
    return (mode == 1 && groupCount == 1) || mode == 10 || mode == 11 || mode == 20 ||
           mode == 300 || mode == 310 || mode == 311;
}
