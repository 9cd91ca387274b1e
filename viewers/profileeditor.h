// The profile editor: the user draws a response profile, one value per channel (a condition of
// the analysis), with the mouse, presets, a profile file, a pasted list or the mean of genes or
// header rows picked from a list.
//
// The caller creates it, calls SetChannelCount, fills the channel tables, the starting profile
// in ProfileValues and the fields below, runs it through RunModal and, when ResultCode is 0,
// reads ProfileValues[1..N].
#pragma once

#include "profileplot.h"

#include <QDialog>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

struct AnalysisMatrix;
class QAction;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QSplitter;
class QStringListModel;
class QTimer;
class QToolButton;

class TfPatternTemplate : public QDialog {
    Q_OBJECT

  public:
    static constexpr int32_t kMaxLabelRows = 110;
    static constexpr int kLabelLength = 50;

    explicit TfPatternTemplate(QWidget* parent = nullptr);

    // Sizes the channel tables for channels 1..n (entry 0 unused), all cleared.
    void SetChannelCount(int32_t n);
    int32_t ChannelCount() const { return channelCount_; }
    // Label row `row` (1..110) of channel c; channel 0 holds the names of the label rows. Texts
    // are cut to 50 characters; rows and channels outside the tables are ignored (read empty).
    void SetChannelLabel(int32_t c, int32_t row, const QString& text);
    QString ChannelLabel(int32_t c, int32_t row) const;
    // The highest label row set.
    int32_t LabelRowCount() const { return labelRows_; }

    // Channel tables [0..N].
    std::vector<float> ProfileValues;
    std::vector<int32_t> ChannelSelected; // 1: point selected for dragging
    std::vector<int32_t> ChannelColumn;   // member number of the condition feeding the channel
    std::vector<int32_t> ChannelGroup;    // colour code 1..9

    int32_t EditorMode = 0;  // 0 no list, 1 gene list, 2 header-row list
    int32_t ResultCode = -1; // 0 use the profile, -1 discard it
    QString AboutText;       // last line of the info box
    QString HelpBase;        // base of the help pages; empty: none
    QString MessageCaption;
    QString RegistryKey; // the caller's base key; empty: nothing stored
    const ::AnalysisMatrix* AnalysisMatrix = nullptr;

    int32_t GrabbedChannel = 0;
    int32_t LabelRow = 1;
    int32_t LabelColumn = 1;
    int32_t LabelHeight = 0;
    float GridStep = 1.0f;
    float ChannelStep = 0.0f;
    float ValueScale = 0.0f;
    float CurrentValue = 0.0f;
    float ValueLimit = 1.0f;

    // Widgets.
    QToolButton *ToolButton2, *ToolButton3, *ToolButton5, *ToolButton7, *ToolButton9, *ToolButton10,
        *ToolButton11, *ToolButton12, *ToolButton14, *ToolButton15;
    QComboBox* FileHistory_CB;
    QComboBox* CNames_CB;
    QWidget* Panel_Genes;
    QSplitter* Splitter1;
    QListView* List_GeneNames;
    QComboBox* Genes_CB_LabelBy;
    QComboBox* Genes_CB_Find;
    QToolButton* Button_FindGo;
    QMenu* POM_FindGene;
    QMenu* Find_POM;
    QWidget* PaintBox1;
    QPushButton *Button_OK, *Button_Cancel, *Button_Paste, *Button_Help;
    QLabel* StatusPanel[2];
    QTimer* Timer1;
    QMenu *File_Menu, *Profiles_Menu, *Help_Menu;

    // Handlers.
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    // Paints the whole paint box: the cached label layer, then the plot.
    void PaintBox1Paint(QPainter& painter, QSize size);
    // Mouse on the plot, in plot coordinates.
    void PB1MouseDown(int x, int y);
    void PB1MouseMove(int x, int y);
    void PB1MouseUp();
    void ToolButton2Click();
    void ToolButton3Click();
    void FileHistory_CBChange();
    void ToolButton5Click();
    void ToolButton7Click();
    void ToolButton9Click();
    void ToolButton10Click();
    void ToolButton11Click();
    void ToolButton12Click();
    void ToolButton14Click();
    void ToolButton15Click();
    void Profiles_Set(int tag);
    void CNames_CBChange();
    void List_GeneNamesClick();
    void Genes_CB_LabelByChange();
    void Genes_CB_FindClick();
    // A character typed in the find box; true when it was swallowed.
    bool Genes_CB_FindKeyPress(QChar key);
    void Button_FindGoClick();
    void POM_FindGene_FindClick(int tag);
    void Find_POM_CopyClick();
    void Find_POM_PasteClick();
    void Button_OKClick();
    void Button_CancelClick();
    void File_UpdateClick();
    void File_ExitClick();
    void Button_PasteClick();
    void Button_HelpClick();
    void Help_HelpClick();
    void Help_InfoClick();
    void Timer1Timer();

    // Loads a profile file into channels 1..; a file that is no valid profile is reported and
    // changes nothing.
    void LoadProfileFile(const QString& fileName);
    void AddRecentProfile(const QString& fileName);
    void FindProfileGenes(int32_t kind);
    // The layout of the plot in the paint box as last painted.
    ProfileLayout Layout() const;
    // Whether the "A" key is held.
    bool AKeyHeld() const { return aHeld_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    QWidget* BuildToolBar();
    QWidget* BuildGenePanel();
    void ReadSettings();
    void WriteSettings();
    void FillGeneList();
    void MeanProfile();
    void RescaleAndRepaint();
    void ShowChannelStatus(int32_t c);
    void RepaintPlot();
    int32_t LongestLabelWidth(int32_t row) const;

    int32_t channelCount_ = 0;
    int32_t labelRows_ = 0;
    std::vector<std::vector<QString>> labels_; // [channel][row]
    QStringListModel* geneModel_;
    std::vector<std::string> upperNames_; // the list's entries upper-cased, for the find
    bool settingSelection_ = false;
    bool aHeld_ = false;
    bool shown_ = false;
    // The label layer and what it was drawn for.
    QImage labelLayer_;
    struct LayerKey {
        QSize size;
        int32_t channels = -1, labelRow = 0, labelHeight = 0;
        float valueLimit = 0, gridStep = 0;
        bool operator==(const LayerKey&) const = default;
    } layerKey_;
};
