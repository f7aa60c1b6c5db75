#include "spanish_file_dialog.h"

void SetUpFileDialog(QFileDialog& dialog, FileDialogKind kind) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const bool save = kind == FileDialogKind::Save;
    if (save) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(kind == FileDialogKind::OpenMany ? QFileDialog::ExistingFiles
                                                            : QFileDialog::ExistingFile);
    }
    dialog.setLabelText(QFileDialog::LookIn,
                        save ? QStringLiteral("Guardar en:") : QStringLiteral("Buscar en:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
    dialog.setLabelText(QFileDialog::Accept,
                        save ? QStringLiteral("Guardar") : QStringLiteral("Abrir"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
}
