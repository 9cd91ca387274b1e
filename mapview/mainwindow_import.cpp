// The main window's data of its own making: the DSB import, the list filter, random CGH data and
// the coloured-chromosome demonstration.
#include "bandpattern.h"
#include "dialoghooks.h"
#include "dsbfile.h"
#include "featureextraction.h"
#include "infotext.h"
#include "listfilter.h"
#include "mainwindow.h"
#include "menuitems.h"
#include "progressscope.h"
#include "randomdata.h"
#include "records.h"

#include <QCheckBox>
#include <memory>

namespace {
// Appended to the settings key by the demonstration, so that its run is stored apart.
const QString kDemoKey = QStringLiteral("Quorbel\\");
} // namespace

void TfQuorbelView::POM_CGH_PellaurisDSBdata1Click() {
    OpenDialog.Title = QStringLiteral("Inport Pellauri's DSB data");
    OpenDialog.Filter = QStringLiteral("Tab delimited text (*.txt);;Any file (*)");
    if (!OpenDialog.Execute(this)) return;
    const LoadScope follow(*this, LoadedData::Hybridisations);
    // The file is read whole before it takes a slot: a refused file changes nothing.
    auto dsb = std::make_unique<DSBData>();
    std::string error;
    bool read = false;
    {
        ProgressScope progress(this, 1, OpenDialog.Title, QStringLiteral("Loading data..."));
        read = ReadDSBDataFile(OpenDialog.FileName.toStdString(), *dsb, progress.Sink(), error);
    }
    const std::string warning = dsb->Warning; // the import takes over the rest
    if (read && ImportDSBData(CGHData, std::move(*dsb), &InfoLog, error) > 0) {
        if (!warning.empty()) ShowWarning(this, warning);
        return;
    }
    Info(InfoLog, QString::fromStdString(error));
    if (error != kLoadCancelled) ShowStop(this, error);
}

void TfQuorbelView::RunListFilter(std::vector<std::string>& lines) {
    ProgressScope progress(this, 0, QStringLiteral("List filter"), QStringLiteral("Filtering..."));
    FilterListByChromosome(lines, &InfoLog, progress.Sink());
}

void TfQuorbelView::Listfilter1Click() {
    const QString file = ProgramFolder + QStringLiteral("data/Match-List.txt");
    std::vector<std::string> lines;
    std::string error;
    if (!ReadListFile(file.toStdString(), lines, error)) {
        ShowStop(this, error);
        return;
    }
    Info(InfoLog, QString::number(lines.size()) + QStringLiteral(" lines loaded."));
    RunListFilter(lines);
}

void TfQuorbelView::Utilities_RandomDataClick() {
    {
        const LoadScope follow(*this, LoadedData::CGHDataSet);
        FillRandomCGHData(CGHData, GenomeLayout);
    }
    POM_CGH_DataType_Raw->setChecked(CGHData.DataType != 2);
    POM_CGH_DataType_Processed->setChecked(CGHData.DataType == 2);
    RepaintMap();
}

void TfQuorbelView::Util_Demo_ColouredChromosomesClick() {
    const BandPattern demo = DemoBandPattern();
    PatternNames.clear();
    for (const std::string& name : demo.Names) PatternNames.append(QString::fromStdString(name));
    PatternValues = demo.Values;
    POM_Ideogram_ColouredChromosomes->setVisible(true);
    PaletteScaleKind = 3;
    ColouredChromosomeMode = true;
    PaletteMin = 0.0f;
    PaletteMax = 2.0f;
    Panel_Colourbar->setVisible(true);
    Pref_CB_AutoLoad_GeneFeatures->setChecked(false);
    // Once: a second run keeps the key of the first.
    if (!RegistryKey.endsWith(QLatin1Char('\\') + kDemoKey)) RegistryKey += kDemoKey;
    BuildColourPalette(PaletteColours, 2);
    RepaintMap();
}

void TfQuorbelView::ConnectImportCommands() {
    ConnectCommands<TfQuorbelView>(
        this,
        {
            {POM_CGH_PellaurisDSBdata1, &TfQuorbelView::POM_CGH_PellaurisDSBdata1Click},
            {Listfilter1, &TfQuorbelView::Listfilter1Click},
            {Utilities_RandomData, &TfQuorbelView::Utilities_RandomDataClick},
            {Util_Demo_ColouredChromosomes, &TfQuorbelView::Util_Demo_ColouredChromosomesClick},
        });
}
