// The profile editor's commands: profile files, the pasted list, the gene list and its find,
// help and the closing buttons.
#include "profileeditor.h"

#include "analysismatrix.h"
#include "dialoghooks.h"
#include "inputtext.h"
#include "jxdorvdec.h"
#include "profilefile.h"
#include "profilemodel.h"
#include "system.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QTimer>
#include <span>

namespace {
const QString kProfileFilter = QStringLiteral("Textfile (*.prf);;Anyfile (*)");

// Puts `text` at the top of the box's list unless the list holds it already (in any case).
void AddToTopUnlessPresent(QComboBox& box, const QString& text) {
    for (int i = 0; i < box.count(); ++i)
        if (box.itemText(i).compare(text, Qt::CaseInsensitive) == 0) return;
    box.insertItem(0, text);
}
} // namespace

void TfPatternTemplate::ToolButton2Click() {
    const QString chosen = AskFileName(
        this, {FileDialogKind::Save, QStringLiteral("Save profile"), QString(), kProfileFilter});
    if (chosen.isEmpty()) return;
    const std::string target = ProfileFileName(chosen.toStdString());
    std::string error;
    if (!WriteProfileFile(target, std::span<const float>(ProfileValues).subspan(1), error)) {
        ShowMessage(this, QString::fromStdString(error), MessageCaption, MsgIcon::Warning);
        return;
    }
    AddRecentProfile(QString::fromStdString(target));
}

void TfPatternTemplate::ToolButton3Click() {
    const QString chosen = AskFileName(
        this, {FileDialogKind::Open, QStringLiteral("Load profile"), QString(), kProfileFilter});
    if (!chosen.isEmpty()) LoadProfileFile(chosen);
}

void TfPatternTemplate::FileHistory_CBChange() {
    const QString chosen = FileHistory_CB->currentText();
    if (!chosen.isEmpty()) LoadProfileFile(chosen);
}

void TfPatternTemplate::LoadProfileFile(const QString& fileName) {
    ProfileFileData file;
    std::string error;
    if (!ReadProfileFile(fileName.toStdString(), channelCount_, file, error)) {
        ShowMessage(this,
                    QStringLiteral("Could not load the profile file\n%1\n\n%2")
                        .arg(fileName, QString::fromStdString(error)),
                    MessageCaption, MsgIcon::Warning);
        return;
    }
    if (file.Count != channelCount_ &&
        ShowMessage(this,
                    QStringLiteral("Number of profile channels does not\nmatch loaded expression "
                                   "matrix.\n\nContinue anyway ?"),
                    QStringLiteral("JX-Dorv"), MsgIcon::Question, MsgButtons::YesNo,
                    MsgResult::No) != MsgResult::Yes)
        return;
    std::copy(file.Values.begin(), file.Values.end(), ProfileValues.begin() + 1);
    RescaleAndRepaint();
    AddRecentProfile(fileName);
}

void TfPatternTemplate::AddRecentProfile(const QString& fileName) {
    AddToTopUnlessPresent(*FileHistory_CB, fileName);
}

void TfPatternTemplate::Button_PasteClick() {
    PasteProfileValues(QGuiApplication::clipboard()->text().toStdString(), ProfileValues);
}

void TfPatternTemplate::List_GeneNamesClick() {
    MeanProfile();
}

void TfPatternTemplate::MeanProfile() {
    if (!AnalysisMatrix || (EditorMode != 1 && EditorMode != 2)) return;
    std::vector<int32_t> picked; // list entries, 1-based: genes or header rows
    for (const QItemSelectionRange& range : List_GeneNames->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row) picked.push_back(row + 1);
    const bool changed =
        EditorMode == 1
            ? ProfileMeanOfGenes(*AnalysisMatrix, ChannelColumn, picked, ProfileValues)
            : ProfileMeanOfHeaderRows(*AnalysisMatrix, ChannelColumn, picked, ProfileValues);
    if (changed) RescaleAndRepaint();
}

void TfPatternTemplate::Genes_CB_LabelByChange() {
    LabelColumn = Genes_CB_LabelBy->currentIndex() + 1;
    if (EditorMode == 1) FillGeneList();
}

void TfPatternTemplate::Genes_CB_FindClick() {
    FindProfileGenes(kFindContains);
}

bool TfPatternTemplate::Genes_CB_FindKeyPress(QChar key) {
    const bool ctrl = CtrlDown(), shift = ShiftDown();
    if ((ctrl && key == QChar(22)) || (shift && key == QLatin1Char('-'))) {
        Find_POM_PasteClick();
        return true;
    }
    if (key == QLatin1Char('\r') && !ctrl && !shift) {
        FindProfileGenes(kFindContains);
        return true; // Enter finds; it does not press the default button
    }
    return false;
}

void TfPatternTemplate::Button_FindGoClick() {
    FindProfileGenes(kFindContains);
}

void TfPatternTemplate::POM_FindGene_FindClick(int tag) {
    FindProfileGenes(tag);
}

void TfPatternTemplate::FindProfileGenes(int32_t kind) {
    const QString text = Genes_CB_Find->currentText();
    if (text.isEmpty()) return;
    QItemSelectionModel& selection = *List_GeneNames->selectionModel();
    std::vector<uint8_t> marked(upperNames_.size(), 0);
    for (const QItemSelectionRange& range : selection.selection())
        for (int row = range.top(); row <= range.bottom(); ++row) marked[size_t(row)] = 1;
    const int32_t found = ::FindProfileGenes(upperNames_, text.toStdString(), kind, marked);

    // One selection of runs: selecting 55,000 entries one by one takes seconds.
    QItemSelection runs;
    for (size_t i = 0; i < marked.size();) {
        if (!marked[i]) {
            ++i;
            continue;
        }
        const size_t first = i;
        while (i < marked.size() && marked[i]) ++i;
        runs.select(geneModel_->index(int(first)), geneModel_->index(int(i - 1)));
    }
    settingSelection_ = true;
    selection.select(runs, QItemSelectionModel::ClearAndSelect);
    settingSelection_ = false;
    MeanProfile();

    StatusPanel[1]->setText(QStringLiteral(" %1 genes found.").arg(found));
    Timer1->start();
    AddToTopUnlessPresent(*Genes_CB_Find, text);
    Genes_CB_Find->setEditText(text);
}

void TfPatternTemplate::Find_POM_CopyClick() {
    QLineEdit* edit = Genes_CB_Find->lineEdit();
    if (edit->hasSelectedText())
        edit->copy();
    else
        QGuiApplication::clipboard()->setText(edit->text());
}

void TfPatternTemplate::Find_POM_PasteClick() {
    Genes_CB_Find->setEditText(CleanPastedText(QGuiApplication::clipboard()->text()));
}

void TfPatternTemplate::Button_OKClick() {
    ResultCode = 0;
    accept();
}

void TfPatternTemplate::Button_CancelClick() {
    ResultCode = -1;
    reject();
}

void TfPatternTemplate::File_UpdateClick() {
    Button_OKClick();
}

void TfPatternTemplate::File_ExitClick() {
    Button_CancelClick();
}

void TfPatternTemplate::Button_HelpClick() {
    Help_HelpClick();
}

void TfPatternTemplate::Help_HelpClick() {
    if (HelpBase.isEmpty())
        Help_InfoClick();
    else
        OpenUrl(HelpBase + QStringLiteral("ptm_prof_edit.htm"));
}

void TfPatternTemplate::Help_InfoClick() {
    ShowMessage(this,
                QStringLiteral("Profile editor V1.02\nfrom 21.06.2007\n\nimplemented by\n") +
                    AboutText,
                MessageCaption, MsgIcon::Information);
}

void TfPatternTemplate::Timer1Timer() {
    StatusPanel[1]->clear();
    Timer1->stop();
}
