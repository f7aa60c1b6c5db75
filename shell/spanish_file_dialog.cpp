#include "spanish_file_dialog.h"

#include <QCoreApplication>

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
                        save ? QCoreApplication::translate("FileDialog", "Guardar en:")
                             : QCoreApplication::translate("FileDialog", "Buscar en:"));
    dialog.setLabelText(QFileDialog::FileName,
                        QCoreApplication::translate("FileDialog", "Nombre:"));
    dialog.setLabelText(QFileDialog::FileType, QCoreApplication::translate("FileDialog", "Tipo:"));
    dialog.setLabelText(QFileDialog::Accept,
                        save ? QCoreApplication::translate("FileDialog", "Guardar")
                             : QCoreApplication::translate("FileDialog", "Abrir"));
    dialog.setLabelText(QFileDialog::Reject, QCoreApplication::translate("FileDialog", "Cancelar"));
}
