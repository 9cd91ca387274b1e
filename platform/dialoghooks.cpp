#include "dialoghooks.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <utility>

namespace {
MessageHook& MessageHookRef() {
    static MessageHook hook;
    return hook;
}
FileDialogHook& FileHookRef() {
    static FileDialogHook hook;
    return hook;
}

ModalHook& ModalHookRef() {
    static ModalHook hook;
    return hook;
}

ColorDialogHook& ColorHookRef() {
    static ColorDialogHook hook;
    return hook;
}
FontDialogHook& FontHookRef() {
    static FontDialogHook hook;
    return hook;
}
PrinterDialogHook& PrintHookRef() {
    static PrinterDialogHook hook;
    return hook;
}
PrinterDialogHook& PageSetupHookRef() {
    static PrinterDialogHook hook;
    return hook;
}

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}
QMessageBox::StandardButton ToQt(MsgResult button) {
    switch (button) {
    case MsgResult::Cancel:
        return QMessageBox::Cancel;
    case MsgResult::Yes:
        return QMessageBox::Yes;
    case MsgResult::No:
        return QMessageBox::No;
    case MsgResult::Ok:
        break;
    }
    return QMessageBox::Ok;
}
} // namespace

MessageHook SetMessageHook(MessageHook hook) {
    return std::exchange(MessageHookRef(), std::move(hook));
}
FileDialogHook SetFileDialogHook(FileDialogHook hook) {
    return std::exchange(FileHookRef(), std::move(hook));
}

MsgResult ShowMessage(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon,
                      MsgButtons buttons, std::optional<MsgResult> defaultButton) {
    if (MessageHookRef()) return MessageHookRef()({text, caption, icon, buttons});
    QMessageBox box(ToQt(icon), caption, text, ToQt(buttons), parent);
    if (defaultButton) box.setDefaultButton(ToQt(*defaultButton));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    default:
        return buttons == MsgButtons::OkCancel || buttons == MsgButtons::Ok ? MsgResult::Ok
                                                                            : MsgResult::Cancel;
    }
}

QString AskFileName(QWidget* parent, const FileDialogRequest& request) {
    if (FileHookRef()) return FileHookRef()(request);
    switch (request.kind) {
    case FileDialogKind::Save:
        return QFileDialog::getSaveFileName(parent, request.caption, request.directory,
                                            request.filter, request.selectedFilter);
    case FileDialogKind::Directory:
        return QFileDialog::getExistingDirectory(parent, request.caption, request.directory);
    case FileDialogKind::Open:
        break;
    }
    return QFileDialog::getOpenFileName(parent, request.caption, request.directory, request.filter,
                                        request.selectedFilter);
}

ModalHook SetModalHook(ModalHook hook) {
    return std::exchange(ModalHookRef(), std::move(hook));
}

int RunModal(QDialog& dialog) {
    if (ModalHookRef()) return ModalHookRef()(dialog);
    return dialog.exec();
}

ColorDialogHook SetColorDialogHook(ColorDialogHook hook) {
    return std::exchange(ColorHookRef(), std::move(hook));
}
FontDialogHook SetFontDialogHook(FontDialogHook hook) {
    return std::exchange(FontHookRef(), std::move(hook));
}

std::optional<QColor> AskColor(QWidget* parent, const QColor& initial) {
    if (ColorHookRef()) return ColorHookRef()(initial);
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<QFont> AskFont(QWidget* parent, const QFont& initial) {
    if (FontHookRef()) return FontHookRef()(initial);
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) return std::nullopt;
    return f;
}

PrinterDialogHook SetPrintDialogHook(PrinterDialogHook hook) {
    return std::exchange(PrintHookRef(), std::move(hook));
}
PrinterDialogHook SetPageSetupHook(PrinterDialogHook hook) {
    return std::exchange(PageSetupHookRef(), std::move(hook));
}

bool AskPrint(QWidget* parent, QPrinter& printer) {
    if (PrintHookRef()) return PrintHookRef()(printer);
    QPrintDialog dialog(&printer, parent);
    return RunModal(dialog) == QDialog::Accepted;
}

bool AskPageSetup(QWidget* parent, QPrinter& printer) {
    if (PageSetupHookRef()) return PageSetupHookRef()(printer);
    QPageSetupDialog dialog(&printer, parent);
    return RunModal(dialog) == QDialog::Accepted;
}
