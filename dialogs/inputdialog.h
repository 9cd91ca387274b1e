// Asks for one line of text, with a history kept in the settings store, cleaned paste and drop
// of text, and an optional "Whole word" box.
#pragma once

#include "inputdialogbase.h"

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QGroupBox;
class QKeyEvent;
class QMenu;

class TInputDialog : public TInputDialogBase {
    Q_OBJECT
  public:
    explicit TInputDialog(QWidget* parent = nullptr);

    QGroupBox* Group_Options;
    QCheckBox* CB_WholeWord;
    QMenu* POM_List;
    QAction* Paste;
    QAction* Clear_History;

    QStringList History;      // earlier entries, most recent first; out: with the new text
    int32_t HistorySize = 20; // history values kept in the settings store
    int32_t HistoryIndex = 0; // out: 1-based position of Text when it was already known
    int32_t ShowOptions = 0;  // 1: show the option box
    QString RegistryKey;      // settings key of the history; empty = none stored
    uint8_t WholeWord = 0;    // out: state of "Whole word"

    void FormShow() override;
    void Button_OKClick() override;
    void PasteClick();
    // Returns true when the key was taken (Ctrl+V).
    bool CBKeyDown(QKeyEvent* event);
    void Clear_HistoryClick();
    void HandleDroppedFiles(const QStringList& files);

  protected:
    QString HelpCaption() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void AppendToCombo(const QString& text);
};
