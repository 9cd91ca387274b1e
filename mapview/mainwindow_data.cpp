// The main window's data loading: CGH matrices, expression matrices, the gene-feature cache,
// dropped files, and the track switches these loads turn on.
#include "cghmatrixfile.h"
#include "cghtransforms.h"
#include "dialoghooks.h"
#include "droppedfiles.h"
#include "expressionmatrix.h"
#include "featureextraction.h"
#include "filedrop.h"
#include "genefeatures.h"
#include "grouptests.h"
#include "infotext.h"
#include "mainwindow.h"
#include "menuitems.h"
#include "menutoggle.h"
#include "progressscope.h"
#include "records.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>

bool TfQuorbelView::IsActiveForm() const {
    return isActiveWindow() || QApplication::activeWindow() == nullptr;
}

TfQuorbelView::LoadScope::LoadScope(TfQuorbelView& window, LoadedData kind)
    : window_(window), kind_(kind), version_(DataVersion) {}

TfQuorbelView::LoadScope::~LoadScope() {
    if (DataVersion != version_) window_.DataLoaded(kind_);
}

void TfQuorbelView::DataLoaded(LoadedData kind) {
    // Hybridisations added beside the tested ones leave the test of hybridisation 1 standing.
    if (kind == LoadedData::CGHDataSet) {
        ClearTestResults(CGHStat, 0.0f); // no CGH alpha before a CGH test
        // Also where a failed load freed the probes rather than replacing the data set.
        CGHData.TestSlot = TestSlotContent::PValues;
    } else if (kind == LoadedData::Expression) {
        ClearTestResults(ExpStat, 1.0f); // an untested matrix draws whole
    }
    for (TfQuorbelView* w : {this, OtherInstance()}) {
        if (!w) continue;
        w->ToolFollowsLoad(kind);
        w->HistogramsFollowLoad(kind);
    }
}

bool TfQuorbelView::LoadCGHMatrixFile(const QString& fileName) {
    const LoadScope follow(*this, LoadedData::CGHDataSet);
    ProgressScope progress(
        this, 1, QStringLiteral("Load CGH matrix ") + Quoted(QFileInfo(fileName).fileName()),
        QStringLiteral("Loading data..."));
    const CGHMatrixLoad load =
        LoadCGHMatrixDataSet(CGHData, fileName.toStdString(), progress.Sink());
    InfoLog.AddLines(load.report);
    if (!load.ok) {
        Info(InfoLog, QString::fromStdString(load.error));
        ShowMessage(this, QString::fromStdString(load.error), QStringLiteral("Quorbel"),
                    MsgIcon::Stop);
    }
    return load.ok;
}

bool TfQuorbelView::LoadExpressionMatrixFile(const QString& fileName) {
    const LoadScope follow(*this, LoadedData::Expression);
    ProgressScope progress(this, 1, QStringLiteral("Load expression matrix"),
                           QStringLiteral("Loading data..."));
    std::string error, warning;
    const int genes =
        LoadExpressionMatrix(ExpData, fileName.toStdString(), ExpData.HeaderRows,
                             ExpData.HeaderCols, error, progress.Sink(), &InfoLog, &warning);
    if (genes < 0 && !error.empty()) {
        Info(InfoLog, QString::fromStdString(error));
        ShowMessage(this, QString::fromStdString(error), QStringLiteral("Quorbel"), MsgIcon::Stop);
    }
    if (!warning.empty()) ShowWarning(this, warning);
    return genes >= 0;
}

void TfQuorbelView::LoadGeneFeatureCache() {
    const QString file = ProgramFolder + QStringLiteral("data/GeneList.cfl");
    std::string error;
    switch (ReadFeatureCache(file.toStdString(), FeatureLists[2], 1, &InfoLog, error)) {
    case FeatureCacheStatus::Missing:
        Info(InfoLog, QStringLiteral("No gene-feature list ") + Quoted(file) +
                          QStringLiteral(": the map shows no genes."));
        break;
    case FeatureCacheStatus::Unreadable:
        ShowMessage(this, QString::fromStdString(error), QStringLiteral("Quorbel"), MsgIcon::Stop);
        break;
    case FeatureCacheStatus::Loaded:
    case FeatureCacheStatus::WrongMagic:
        break;
    }
}

void TfQuorbelView::POM_CGH_ViewClick() {
    POM_CGH_View->setChecked(!POM_CGH_View->isChecked());
    // The names box is drawn on the map with the track; no second box over it.
    RepaintMap();
    if (POM_CGH_View->isChecked()) POM_CGH_ToolClick();
}

void TfQuorbelView::TB_CGHClick() {
    POM_CGH_ViewClick();
}

void TfQuorbelView::POM_CGH_DataType_Click(int tag) {
    POM_CGH_DataType_Raw->setChecked(tag == 1);
    POM_CGH_DataType_Processed->setChecked(tag == 2);
    CGHData.DataType = tag;
    BumpDataVersion();
    RepaintMap();
}

void TfQuorbelView::POM_Genes_ViewClick() {
    POM_Genes_View->setChecked(!POM_Genes_View->isChecked());
    if (IsActiveForm()) RepaintMap();
}

void TfQuorbelView::TB_GenesClick() {
    POM_Genes_ViewClick();
}

void TfQuorbelView::POM_Gene_Click(int tag) {
    if (tag < 1 || tag > 5) return;
    POM_Gene[tag]->setChecked(!POM_Gene[tag]->isChecked());
    if (IsActiveForm()) RepaintMap();
}

void TfQuorbelView::POM_Genes_GeneNamesClick() {
    POM_Genes_GeneNames->setChecked(!POM_Genes_GeneNames->isChecked());
    if (IsActiveForm()) RepaintMap();
}

void TfQuorbelView::POM_GEHM_ViewClick() {
    if (!IsActiveForm()) return;
    ExpData.ShowExpressionTrack = ExpData.ShowExpressionTrack ? 0 : 1;
    POM_GEHM_View->setChecked(ExpData.ShowExpressionTrack != 0);
    BumpDataVersion();
    RepaintMap();
}

void TfQuorbelView::TB_GEMatClick() {
    POM_GEHM_ViewClick();
}

void TfQuorbelView::dragEnterEvent(QDragEnterEvent* event) {
    AcceptFileDrag(event);
}

void TfQuorbelView::dropEvent(QDropEvent* event) {
    if (MayStartCommand()) FilesDropped(TakeDroppedFiles(event));
}

void TfQuorbelView::FilesDropped(const QStringList& names) {
    const DroppedFiles dropped = ClassifyDroppedFiles(names);
    if (dropped.kind == DroppedFiles::None) return;
    if (dropped.kind == DroppedFiles::CGHMatrix) {
        if (!LoadCGHMatrixFile(dropped.matrix)) return;
    } else if (!LoadDroppedFeatureFiles(dropped.texts)) {
        return;
    }
    POM_CGH_View->setChecked(false);
    POM_CGH_ViewClick();
}

TfQuorbelView::FeatureFileLoad TfQuorbelView::LoadFeatureFileIntoFreeSlot(const QString& name,
                                                                          ProgressSink* progress,
                                                                          std::string& error,
                                                                          std::string& warning) {
    Info(InfoLog,
         QStringLiteral("Trying to load file  ") + Quoted(name) + QStringLiteral("  ....."));
    const int previousHNum = CGHData.HNum;
    const int slot = FindFreeHybridisationSlot(CGHData, 0);
    if (slot < 1) {
        error = kNoFreeSlotText;
        Info(InfoLog, QString::fromUtf8(kNoFreeSlotText));
        return FeatureFileLoad::NoFreeSlot;
    }
    CGHData.Hyb[slot].FileName = name.toStdString();
    if (!LoadAgilentFeatureFile(CGHData, slot, &InfoLog, progress, error, &warning)) {
        // The slot stays free; nothing of the file is kept.
        CGHData.Hyb[slot].FileName.clear();
        CGHData.HNum = previousHNum;
        Info(InfoLog, QString::fromStdString(error));
        return error == kLoadCancelled ? FeatureFileLoad::Cancelled : FeatureFileLoad::Refused;
    }
    ZTransformHybridisations(CGHData, &InfoLog);
    return FeatureFileLoad::Loaded;
}

bool TfQuorbelView::LoadDroppedFeatureFiles(const QStringList& files) {
    const LoadScope follow(*this, LoadedData::Hybridisations);
    QStringList refused, warnings;
    bool ranToTheEnd = true;
    {
        ProgressScope progress(this, 2, QString(), QStringLiteral("Loading data..."));
        progress.Window().ProgressBar2->setMaximum(static_cast<int>(files.size()) + 1);
        for (int i = 1; i <= files.size() && ranToTheEnd; ++i) {
            const QString& name = files[i - 1];
            progress.Window().ProgressBar2->setValue(i);
            progress.Window().Label2->setText(QStringLiteral("Loading file %1: ").arg(i) +
                                              Quoted(name));
            QApplication::processEvents();
            std::string error, warning;
            switch (LoadFeatureFileIntoFreeSlot(name, progress.Sink(), error, warning)) {
            case FeatureFileLoad::Loaded:
                if (!warning.empty()) warnings << QString::fromStdString(warning);
                break;
            case FeatureFileLoad::Refused:
                refused << QString::fromStdString(error); // it names the file
                break;
            case FeatureFileLoad::NoFreeSlot:
                progress.Window().Finish();
                ShowMessage(this, QString::fromUtf8(kNoFreeSlotText), QStringLiteral("Quorbel"),
                            MsgIcon::Stop);
                ranToTheEnd = false;
                break;
            case FeatureFileLoad::Cancelled:
                ranToTheEnd = false;
                break;
            }
        }
    }
    if (!refused.isEmpty()) {
        ShowMessage(this,
                    QStringLiteral("These files were not loaded:\n\n") +
                        refused.join(QLatin1Char('\n')),
                    QStringLiteral("Quorbel"), MsgIcon::Stop);
    }
    if (!warnings.isEmpty()) ShowWarning(this, warnings.join(QStringLiteral("\n\n")));
    return ranToTheEnd;
}

void TfQuorbelView::ConnectDataCommands() {
    ConnectToggleItem(this, POM_CGH_View, Command(this, [this] { POM_CGH_ViewClick(); }));
    ConnectToggleItem(this, POM_Genes_View, Command(this, [this] { POM_Genes_ViewClick(); }));
    for (int k = 1; k <= 5; ++k)
        ConnectToggleItem(this, POM_Gene[k], Command(this, [this, k] { POM_Gene_Click(k); }));
    ConnectToggleItem(this, POM_Genes_GeneNames,
                      Command(this, [this] { POM_Genes_GeneNamesClick(); }));
    ConnectToggleItem(this, POM_GEHM_View, Command(this, [this] { POM_GEHM_ViewClick(); }));
    ConnectCommand(this, POM_CGH_DataType_Raw, [this] { POM_CGH_DataType_Click(1); });
    ConnectCommand(this, POM_CGH_DataType_Processed, [this] { POM_CGH_DataType_Click(2); });
    ConnectCommands<TfQuorbelView>(
        this, {
                  {TB_CGH, &TfQuorbelView::TB_CGHClick},
                  {TB_Genes, &TfQuorbelView::TB_GenesClick},
                  {TB_GEMat, &TfQuorbelView::TB_GEMatClick},
                  {POM_CGH_Tool, &TfQuorbelView::POM_CGH_ToolClick},
                  {POM_ExpMat_ShowExpTool, &TfQuorbelView::POM_ExpMat_ShowExpToolClick},
              });
}
