// The main window's data-file commands: loads and saves through its file dialogs, the gene list,
// and the recent CGH and expression matrices.
#include "cghexpressionmatrix.h"
#include "cghmatrixfile.h"
#include "dialoghooks.h"
#include "genefeatures.h"
#include "infotext.h"
#include "inputdialog.h"
#include "inputtext.h"
#include "mainwindow.h"
#include "menuitems.h"
#include "parser.h"
#include "progressscope.h"
#include "recentlist.h"
#include "records.h"
#include "selcol.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
const QString kAnyFile = QStringLiteral(";;Any file (*)");
const QString kCGHMatrixFilter = QStringLiteral("CGH-matrix (*.cgm)") + kAnyFile;

// Items 1..10 show the non-empty entries of the list; items of empty entries stay as they are.
void ShowRecentItems(const std::array<std::string, kRecentFiles + 1>& list,
                     std::array<QAction*, kRecentFiles + 1>& items) {
    for (int k = 1; k <= kRecentFiles; ++k)
        if (!list[k].empty()) ShowEntryItem(items[k], QString::fromStdString(list[k]));
}

void ShowRecentMissing(QWidget* parent, const QString& file) {
    ShowMessage(parent,
                QStringLiteral("Specified file:\n\n     ") + Quoted(file) +
                    QStringLiteral("\n\nEither file was deleted, moved or loaded\nfrom a not "
                                   "connected network resource"),
                QStringLiteral("JX-Quorbel - Load gene expression matrix"), MsgIcon::Stop);
}

// A loaded expression matrix is drawn; the view item shows it.
void ShowExpressionTrack(QAction* viewItem) {
    ExpData.ShowExpressionTrack = 1;
    viewItem->setChecked(true);
    BumpDataVersion();
}

bool FileExists(const QString& file) {
    const QFileInfo info(file);
    return info.exists() && info.isFile();
}
} // namespace

void TfQuorbelView::Loadhybridisationdata1Click() {
    OpenDialog.Title = QStringLiteral("Load hybridisation data file");
    OpenDialog.Filter = QStringLiteral("Agilent feature extraction (*.txt)") + kAnyFile;
    OpenDialog.FileName = QStringLiteral("*.txt");
    if (!OpenDialog.Execute(this)) return;
    const QString file = OpenDialog.FileName;
    std::string error, warning;
    FeatureFileLoad result;
    {
        const LoadScope follow(*this, LoadedData::Hybridisations);
        ProgressScope progress(this, 1, QString(), QStringLiteral("Loading data..."));
        result = LoadFeatureFileIntoFreeSlot(file, progress.Sink(), error, warning);
    }
    // Each refusal and warning names the file already.
    if (result == FeatureFileLoad::NoFreeSlot || result == FeatureFileLoad::Refused)
        ShowStop(this, error);
    if (!warning.empty()) ShowWarning(this, warning);
    RepaintMap();
}

void TfQuorbelView::LoadCGHExpressionMatrixClick() {
    OpenDialog.Title = QStringLiteral("Load CGH-Expression matrix");
    OpenDialog.Filter = QStringLiteral("Expression-matrix (*.txt)") + kAnyFile;
    if (!OpenDialog.Execute(this)) return;
    const QString file = OpenDialog.FileName;
    TInputDialog columns(this);
    columns.ShowOptions = 0;
    columns.Prompt =
        QStringLiteral("Define Columns : Position, Name, Gene, First-, Last-data columns");
    columns.Text = QStringLiteral("3,1,2,4,20");
    RunModal(columns);
    if (columns.ResultCode != 0) return;
    const std::vector<int32_t> c = CutIntegers(columns.Text.toStdString(), ",", 5);

    std::string error;
    bool loaded = false;
    {
        const LoadScope follow(*this, LoadedData::CGHDataSet);
        ProgressScope progress(this, 1, QStringLiteral("Load CGH expression matrix ") + file,
                               QStringLiteral("Loading data..."));
        Info(InfoLog, QStringLiteral("Trying to load CGH-Expression matrix ") + Quoted(file) +
                          QStringLiteral("  ....."));
        loaded = LoadMatrixColumns(c[0], c[1], c[2], c[3], c[4], file.toStdString(), CGHData, 1,
                                   error, progress.Sink(), &InfoLog);
    }
    if (!loaded) {
        Info(InfoLog, QString::fromStdString(error));
        ShowStop(this, error);
    }
    RepaintMap();
}

void TfQuorbelView::File_SaveCGHMatrixClick() {
    SaveDialog.Title = QStringLiteral("Save CGH_hybridisation matrix");
    SaveDialog.Filter = kCGHMatrixFilter;
    SaveDialog.FileName = QStringLiteral("*.cgm");
    if (!SaveDialog.Execute(this)) return;
    const QString file = SaveDialog.FileName;
    std::string error;
    bool saved = false;
    {
        ProgressScope progress(this, 1, QString(), QStringLiteral("Saving data..."));
        Info(InfoLog,
             QStringLiteral("Trying to save file  ") + Quoted(file) + QStringLiteral("  ....."));
        saved = WriteCGHMatrix(CGHData, file.toStdString(), progress.Sink(), &InfoLog, error);
    }
    if (!saved) {
        Info(InfoLog, QString::fromStdString(error));
        ShowStop(this, error);
    }
}

void TfQuorbelView::File_LoadCGHMatrixClick() {
    OpenDialog.Title = QStringLiteral("Load CGH_hybridisation matrix");
    OpenDialog.Filter = kCGHMatrixFilter;
    OpenDialog.FileName = QStringLiteral("*.cgm");
    if (!OpenDialog.Execute(this)) return;
    if (LoadCGHMatrixFile(OpenDialog.FileName) &&
        AddRecentEntry(std::span(CGHData.RecentFiles).subspan(1),
                       OpenDialog.FileName.toStdString()))
        UpdateCGHRecentMenu();
    RepaintMap();
}

void TfQuorbelView::LoadExpressionhybridisationdata1Click() {
    OpenDialog.Title = QStringLiteral("Load hybridisation data file");
    OpenDialog.Filter = QStringLiteral("Expression matrix (*.txt)") + kAnyFile;
    OpenDialog.FileName = QStringLiteral("*.txt");
    if (!OpenDialog.Execute(this)) return;
    const QString file = OpenDialog.FileName;
    {
        TdSelCol columns(this);
        columns.FileName = file;
        columns.EditCount = 5;
        columns.Mode = 0;
        const char* labels[] = {"Header row", "Header column", "Chromosome ID", "Start (bp)",
                                "Stop (bp)"};
        const int defaults[] = {ExpData.HeaderRows, ExpData.HeaderCols, 10, 11, 12};
        for (int i = 1; i <= 5; ++i) {
            columns.ColumnLabels[i] = QLatin1String(labels[i - 1]);
            columns.EditColumns[i] = static_cast<int16_t>(defaults[i - 1]);
        }
        columns.CurrentRow = ExpData.HeaderRows;
        columns.CurrentCol = ExpData.HeaderCols;
        columns.move(pos() + QPoint(10, 10));
        RunModal(columns);
        if (columns.ResultCode != 0) return;
        ExpData.HeaderRows = columns.Edit1Row;
        ExpData.HeaderCols = columns.Edit2Column;
        int32_t* fields[] = {&ExpData.ChrColumn, &ExpData.StartColumn, &ExpData.StopColumn};
        for (int i = 3; i <= 5; ++i) *fields[i - 3] = InputAsInteger(columns.Edit(i)->text());
    }
    const ExpressionMatrixEntry entry{file.toStdString(), ExpData.HeaderRows,  ExpData.HeaderCols,
                                      ExpData.ChrColumn,  ExpData.StartColumn, ExpData.StopColumn};
    // Listed before the load, as the file was asked for.
    if (AddRecentEntry(std::span(ExpData.RecentFiles).subspan(1), FormatExpressionEntry(entry)))
        UpdateExpRecentMenu();
    if (LoadExpressionMatrixFile(file)) {
        Info(InfoLog, QString::number(ExpData.GeneCount) +
                          QStringLiteral(" gene expression profiles loaded and assigned."));
        ShowExpressionTrack(POM_GEHM_View);
    }
    RepaintMap();
}

void TfQuorbelView::Util_DatFiles_Import_GeneListClick() {
    OpenDialog.Title = QStringLiteral("Import gene list");
    OpenDialog.Filter = QStringLiteral("EntrezGene (*.md)") + kAnyFile;
    OpenDialog.FileName = QStringLiteral("*.md");
    if (!OpenDialog.Execute(this) || OpenDialog.FilterIndex != 1) return;
    MemoryLog report;
    std::string error;
    if (!ReadGeneFeatureText(OpenDialog.FileName.toStdString(), FeatureLists[2], &report, error)) {
        ShowStop(this, error);
        return;
    }
    // The import's report takes the place of the Info text.
    Info_Memo->clear();
    InfoLog.AddLines(report.lines);
    BumpDataVersion();
    RepaintMap();
}

void TfQuorbelView::Util_DatFiles_Save_GeneListClick() {
    SaveDialog.Title = QStringLiteral("Save gene list");
    SaveDialog.Filter = QStringLiteral("Quorbel feature list (*.cfl)") + kAnyFile;
    SaveDialog.FileName = ProgramFolder + QStringLiteral("data/GeneList.cfl");
    if (!SaveDialog.Execute(this)) return;
    std::string error;
    if (!WriteFeatureCache(SaveDialog.FileName.toStdString(), FeatureLists[2], 1, error))
        ShowStop(this, error);
}

void TfQuorbelView::POM_CGH_RecentClick(QAction* item) {
    const QString file = item->data().toString();
    if (file.isEmpty()) return;
    if (!FileExists(file)) {
        ShowRecentMissing(this, file);
        return;
    }
    if (LoadCGHMatrixFile(file)) POM_CGH_View->setChecked(true);
    RepaintMap();
}

void TfQuorbelView::POM_GEHM_RecentFilesClick(QAction* item) {
    const QString text = item->data().toString();
    if (text.isEmpty()) return;
    const ExpressionMatrixEntry entry = ParseRecentExpressionEntry(text.toStdString());
    const QString file = QString::fromStdString(entry.File);
    if (!FileExists(file)) {
        ShowRecentMissing(this, file);
        return;
    }
    ExpData.HeaderRows = entry.HeaderRows;
    ExpData.HeaderCols = entry.HeaderCols;
    ExpData.ChrColumn = entry.ChrColumn;
    ExpData.StartColumn = entry.StartColumn;
    ExpData.StopColumn = entry.StopColumn;
    if (LoadExpressionMatrixFile(file)) ShowExpressionTrack(POM_GEHM_View);
    RepaintMap();
}

void TfQuorbelView::UpdateExpRecentMenu() {
    ShowRecentItems(ExpData.RecentFiles, POM_GEHM_RecentFiles);
}

void TfQuorbelView::UpdateCGHRecentMenu() {
    ShowRecentItems(CGHData.RecentFiles, POM_CGH_Recent);
}

void TfQuorbelView::ConnectFileCommands() {
    ConnectCommands<TfQuorbelView>(
        this,
        {
            {Loadhybridisationdata1, &TfQuorbelView::Loadhybridisationdata1Click},
            {LoadCGHExpressionMatrix, &TfQuorbelView::LoadCGHExpressionMatrixClick},
            {LoadExpressionhybridisationdata1,
             &TfQuorbelView::LoadExpressionhybridisationdata1Click},
            {POM_GEHM_LoadExpressionHybridisationData,
             &TfQuorbelView::LoadExpressionhybridisationdata1Click},
            {File_LoadCGHMatrix, &TfQuorbelView::File_LoadCGHMatrixClick},
            {POM_CGH_LoadCGHmatrix, &TfQuorbelView::File_LoadCGHMatrixClick},
            {File_SaveCGHMatrix, &TfQuorbelView::File_SaveCGHMatrixClick},
            {Util_DatFiles_Import_GeneList, &TfQuorbelView::Util_DatFiles_Import_GeneListClick},
            {Util_DatFiles_Save_GeneList, &TfQuorbelView::Util_DatFiles_Save_GeneListClick},
            {File_Exit, &TfQuorbelView::File_ExitClick},
        });
    ConnectItems(this, POM_CGH_Recent, &TfQuorbelView::POM_CGH_RecentClick);
    ConnectItems(this, POM_GEHM_RecentFiles, &TfQuorbelView::POM_GEHM_RecentFilesClick);
}
