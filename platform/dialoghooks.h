// Message boxes and file dialogs go through here, so tests can answer them instead of a user.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

enum class MsgIcon { None, Information, Warning, Stop, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

struct MessageRecord {
    QString text;
    QString caption;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
};

enum class FileDialogKind { Open, Save, Directory };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString caption;
    QString directory;
    QString filter;
    // When set: the filter chosen in an open or save dialog ("" when cancelled); hooks may set it.
    QString* selectedFilter = nullptr;
};

// Shows a message box (or hands it to the installed hook) and returns the button pressed; Enter
// presses `defaultButton` when one is given.
MsgResult ShowMessage(QWidget* parent, const QString& text, const QString& caption,
                      MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok,
                      std::optional<MsgResult> defaultButton = std::nullopt);
// Asks for a file name; empty when cancelled.
QString AskFileName(QWidget* parent, const FileDialogRequest& request);

using MessageHook = std::function<MsgResult(const MessageRecord&)>;
using FileDialogHook = std::function<QString(const FileDialogRequest&)>;
// Installs a hook in place of the real dialogs (an empty function removes it) and returns the
// hook it replaces.
MessageHook SetMessageHook(MessageHook hook);
FileDialogHook SetFileDialogHook(FileDialogHook hook);

// Runs a dialog modally and returns its window-system result (QDialog::Accepted/Rejected). With a
// modal hook installed the hook gets the dialog instead, unshown: it fills the fields, calls the
// handlers a user would trigger and returns the result. Every modal dialog runs through here.
int RunModal(QDialog& dialog);
using ModalHook = std::function<int(QDialog&)>;
ModalHook SetModalHook(ModalHook hook);

// The colour and font dialogs; std::nullopt when cancelled. Hooks answer them in tests.
std::optional<QColor> AskColor(QWidget* parent, const QColor& initial);
std::optional<QFont> AskFont(QWidget* parent, const QFont& initial);
using ColorDialogHook = std::function<std::optional<QColor>(const QColor&)>;
using FontDialogHook = std::function<std::optional<QFont>(const QFont&)>;
ColorDialogHook SetColorDialogHook(ColorDialogHook hook);
FontDialogHook SetFontDialogHook(FontDialogHook hook);

// The print and page-setup dialogs on `printer`; false when cancelled. Hooks answer them in tests
// (a print hook typically points the printer at a PDF file).
bool AskPrint(QWidget* parent, QPrinter& printer);
bool AskPageSetup(QWidget* parent, QPrinter& printer);
using PrinterDialogHook = std::function<bool(QPrinter&)>;
PrinterDialogHook SetPrintDialogHook(PrinterDialogHook hook);
PrinterDialogHook SetPageSetupHook(PrinterDialogHook hook);
