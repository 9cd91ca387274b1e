// The ideogram file choice on the Preferences page and the Help menu: the about box and the
// update of the program from its distribution site.
#include "dialoghooks.h"
#include "ideogram.h"
#include "mainwindow.h"
#include "menuitems.h"
#include "programupdate.h"
#include "progressscope.h"
#include "records.h"
#include "selcol.h"
#include "system.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral("Quorbel");

const QString kUpdateQuestion = QStringLiteral(
    "Quorbel will try to download a new program version\nfrom Kelv distribution site.\n\n"
    "Present Quorbel version will be renamed to \"*.exe_old\".\nAfter download the new version "
    "will be started.\n\n!!!! The logged-in user MUST have:\n\n          file-delete and -write "
    "prvilegies\n\non the folder where Quorbel executable is located !!!!\n\nDo you want to "
    "continue ?");

} // namespace

void TfQuorbelView::ConnectHelpCommands() {
    ConnectCommands<TfQuorbelView>(
        this, {
                  {Help_Info, &TfQuorbelView::Help_InfoClick},
                  {Help_UpdateQuorbel, &TfQuorbelView::Help_UpdateQuorbelClick},
              });
    connect(Pref_BB_IdeogramSelect, &QPushButton::clicked, this,
            Command(this, [this] { Pref_BB_IdeogramSelectClick(); }));
}

void TfQuorbelView::Pref_BB_IdeogramSelectClick() {
    const QString shown = Pref_CB_IdeogramFile->currentText();
    const qsizetype slash = shown.lastIndexOf(QLatin1Char('/'));
    // The main window's one open dialog: a later command that sets nothing finds it as left here.
    OpenDialog.Title = QStringLiteral("Load Ideogram data file");
    OpenDialog.Filter = QStringLiteral("NCBI ideogram (*)");
    OpenDialog.FileName = slash >= 0 ? shown.left(slash + 1) : QString();
    if (!OpenDialog.Execute(this)) return;
    const QString file = OpenDialog.FileName;

    TdSelCol columns(this);
    columns.FileName = file;
    columns.Mode = 4;
    columns.CurrentRow = 2;
    columns.CurrentCol = 1;
    // First row and chromosome stay 0 until the user picks them in the preview.
    constexpr int16_t kColumns[] = {0, 0, 2, 3, 6, 7, 8, 9, 10};
    for (int i = 1; i <= 9; ++i) columns.EditColumns[static_cast<size_t>(i)] = kColumns[i - 1];
    RunModal(columns);
    // A cancel, or a file and column string the reader refuses, leaves the working one in place.
    if (columns.ResultCode != 0) return;
    QString spec = file + QLatin1Char(';');
    for (int i = 1; i <= 9; ++i)
        spec += QString::number(columns.EditColumns[static_cast<size_t>(i)]) + QLatin1Char(',');
    std::string error;
    if (!ReadIdeogramFile(spec.toStdString(), FeatureLists[1], GenomeLayout, IdeogramType, &InfoLog,
                          error)) {
        ShowMessage(this,
                    QStringLiteral("Could not load Ideogram data file\n\n") +
                        QString::fromStdString(error),
                    QStringLiteral("Kelv"), MsgIcon::Stop);
        return;
    }
    IdeogramFile = spec;
    Pref_CB_IdeogramFile->setEditText(spec);
    RepaintMap();
}

void TfQuorbelView::Help_InfoClick() {
    ShowMessage(this,
                QStringLiteral("JX-Quorbel\nCGH and expression map viewer\n\nV0.81a from "
                               "09.12.2026\n\nimplemented by\nthe JX-Quorbel developers"),
                kCaption, MsgIcon::Information);
}

void TfQuorbelView::Help_UpdateQuorbelClick() {
    if (UpdateSiteAddress.isEmpty()) {
        ShowMessage(this,
                    QStringLiteral("This build of Quorbel has no distribution site to download "
                                   "a new version from.\n\nNothing was changed."),
                    kCaption, MsgIcon::Information);
        return;
    }
    if (ShowMessage(this, kUpdateQuestion, kCaption, MsgIcon::Question, MsgButtons::YesNo) !=
        MsgResult::Yes) {
        Beep();
        return;
    }
    StatusBar1_Panels[1]->setText(QStringLiteral("Trying to download new version of Quorbel ..."));
    QApplication::processEvents();
    QString base = UpdateSiteAddress;
    if (!base.endsWith(QLatin1Char('/'))) base += QLatin1Char('/');
    const QString address = base + QStringLiteral("bin/") + QFileInfo(ProgramFile).fileName();
    UpdateResult result;
    {
        ProgressScope progress(this, 1, QStringLiteral("Update Quorbel"), address);
        result = UpdateProgramFile(address, ProgramFile, progress.Sink());
    }
    StatusBar1_Panels[1]->clear();
    if (!result.ok) {
        ShowMessage(this,
                    QStringLiteral("The new version of Quorbel could not be installed:\n\n") +
                        result.reason + QStringLiteral("\n\nThe present program is unchanged."),
                    kCaption, MsgIcon::Stop);
        return;
    }
    // The settings are written as on every close, so the new program starts with them.
    QWidget* main = IsDetailViewer && parentWidget() ? parentWidget() : this;
    main->close();
    if (!RestartProgram(ProgramFile, {QStringLiteral("\\new")}))
        ShowMessage(nullptr,
                    QStringLiteral("The new version of Quorbel is installed but could not be "
                                   "started; please start it again."),
                    kCaption, MsgIcon::Stop);
}
