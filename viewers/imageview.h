// The image viewer: a BMP or PNG picture zoomed in steps with scroll bars. A PNG brings the HTML
// image map beside it: the areas name their genes in the status bar and open their pathway page
// on a double click; a pasted gene list outlines the areas holding its genes.
//
// Callers hand in a picture with SetPicture, set the caption and call ApplyZoom (the plot scan
// uses level -3); the window frees itself when closed.
#pragma once

#include "imagemap.h"

#include <QImage>
#include <QMainWindow>
#include <QStringList>
#include <vector>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QSlider;
class QTabWidget;
class QToolButton;
class PaintPane;

class TImageView : public QMainWindow {
    Q_OBJECT
  public:
    explicit TImageView(QWidget* parent = nullptr);

    QString FileName;
    QString PendingText; // gene text handed in for paste kinds 10 and 12; emptied when read
    int ZoomLevel = 1;
    int HitArea = 0; // 1-based area under the mouse, 0 none
    int PasteKind = 0;
    std::vector<ImageMapArea> Areas;
    GenePaste Genes; // the pasted genes with their mean regulation and p-value
    float PThreshold = 1.0f;
    int ShowPValuePanel = 1;
    QString BaseAddress; // put before each area's href path (setting "Pathway site")
    QImage Picture;      // shown, with the markings
    QImage BackUp_Image; // the unmarked picture

    QToolButton* ToolButton2; // zoom in
    QToolButton* ToolButton3; // zoom out
    QToolButton* ToolButton6; // copy
    QWidget* Panel_pValue;
    QAction* Panel_pValueAction; // the panel's place in the tool bar, which shows or hides it
    QSlider* TrackBar_pValue;
    QLineEdit* Edit_pValue;
    QTabWidget* PageControl;
    PaintPane* Image1; // the visible part of the zoomed picture
    QScrollBar* SB_Hor;
    QScrollBar* SB_Vert;
    QPlainTextEdit* Memo;
    QPushButton* BitBtn_Clear;
    QAction* Edit_PasteGeneList;       // Tag 0
    QAction* Edit_PasteRegulationList; // Tag 2
    QLabel* StatusPanel0;
    QLabel* StatusPanel1;

    int AreaCount() const { return static_cast<int>(Areas.size()); }
    // The size the picture is shown at (Image1's stretched size).
    QSize ZoomedSize() const { return zoomed_; }

    // A caller's picture: shown and kept as the unmarked copy; no image map.
    void SetPicture(const QImage& picture);
    // Sizes the shown picture for `level`, makes it the zoom level and logs the sizes.
    void ApplyZoom(int level);
    // Mode 1 BMP, 2 PNG with its image map. False (with a message, nothing changed) on failure,
    // also when memory runs out.
    bool LoadImage(int mode, const QString& file);
    // The areas of the image map beside the picture; none when it cannot be read. Throws
    // std::bad_alloc when memory runs out.
    std::vector<ImageMapArea> LoadImageMap(const QString& picture) const;
    // Kind 0 or 10 a gene list, 2 or 12 a gene/regulation list; 0 and 2 read the clipboard.
    void PasteGeneList(int kind);
    void MarkGeneAreas();

    void FormShow();
    void File_OpenClick();
    void File_SaveAsClick();
    void File_ExitClick();
    void ToolButton2Click();
    void ToolButton3Click();
    void SB_HorChange();
    void SB_VertChange();
    // Mouse position in Image1's (zoomed picture) pixels.
    void Image1MouseMove(int x, int y);
    void Image1DblClick();
    void Edit_PasteGeneListClick(int tag);
    void TrackBar_pValueChange();
    void ToolButton6Click();
    void BitBtn_ClearClick();
    void Help_InfoClick();
    void HandleDroppedImage(const QStringList& files);

  protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildControls();
    void UpdateScrollRange();
    void Log(const QString& line);
    void PaintImage(class QPainter& painter);
    QSize zoomed_{1, 1};
};
