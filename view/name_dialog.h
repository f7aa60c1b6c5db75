#pragma once

// Asks for one name. The same dialog names and renames streets, references,
// colonies and routes, names the route whose outline was just traced (in
// capitals), and names or renames a business category; only the title, the
// prompt and the layout differ.

#include "dialog_base.h"

class CNombreDlg : public CDialogBase {
    Q_OBJECT
public:
    enum class Kind {
        Name,        // "Edición nombre"
        NewRoute,    // "Nueva ruta", in capitals
        NewCategory, // "Nueva categoria"
    };

    explicit CNombreDlg(QWidget* parent = nullptr) : CNombreDlg(Kind::Name, parent) {}
    explicit CNombreDlg(Kind kind, QWidget* parent = nullptr);

    Kind GetKind() const { return m_kind; }

    QString m_strName;

protected:
    void OnInitDialog() override;
    void SaveData() override;

private:
    Kind m_kind;
    QLineEdit* m_pName = nullptr;
};
