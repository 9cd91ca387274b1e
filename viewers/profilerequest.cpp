#include "profilerequest.h"

#include "dialoghooks.h"
#include "profileeditor.h"

bool RunProfileEditor(QWidget* parent, ProfileEditorRequest& request) {
    TfPatternTemplate editor(parent);
    editor.setFont(request.Font);
    const auto n = static_cast<int32_t>(request.Channels.size());
    editor.SetChannelCount(n);
    editor.EditorMode = request.EditorMode;
    editor.HelpBase = request.HelpBase;
    editor.MessageCaption = request.MessageCaption;
    editor.RegistryKey = request.RegistryKey;
    if (!request.AboutText.isEmpty()) editor.AboutText = request.AboutText; // else its own
    editor.AnalysisMatrix = request.Matrix;
    for (qsizetype row = 0; row < request.RowNames.size(); ++row)
        editor.SetChannelLabel(0, int32_t(row + 1), request.RowNames[row]);
    for (int32_t k = 1; k <= n; ++k) {
        const ProfileEditorRequest::Channel& channel = request.Channels[size_t(k - 1)];
        for (qsizetype row = 0; row < channel.Labels.size(); ++row)
            editor.SetChannelLabel(k, int32_t(row + 1), channel.Labels[row]);
        editor.ChannelColumn[size_t(k)] = channel.Column;
        editor.ChannelGroup[size_t(k)] = channel.Group;
        editor.ProfileValues[size_t(k)] = channel.Level;
    }
    RunModal(editor);
    if (editor.ResultCode != 0) return false;
    for (int32_t k = 1; k <= n; ++k)
        request.Channels[size_t(k - 1)].Level = editor.ProfileValues[size_t(k)];
    return true;
}
