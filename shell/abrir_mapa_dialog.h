#pragma once

// "Abrir mapa": the catalogue of the map files in the program directory, each
// shown with the country, state and town it declares, sorted by them. Files
// that do not read as maps follow, greyed and not selectable, with the reason.

#include <QDialog>
#include <QString>

class QListWidget;

class CAbrirMapaDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAbrirMapaDlg(const QString& programDir, QWidget* parent = nullptr);

    // The catalogue line of a map: the three texts and, after "=", its path.
    static QString CatalogueLine(const QString& country, const QString& state, const QString& town,
                                 const QString& path);

    QListWidget* List() const { return m_pList; }

    // The full path of the chosen map; set by OK.
    QString m_strPath;

public slots:
    // Takes the selected line; with none the dialog stays open.
    void accept() override;

private:
    void FillList(const QString& programDir);

    QListWidget* m_pList = nullptr;
};
