#pragma once

// "Imprimir guía...": the printed town guide from the editor. A dialog asks
// for the scale, the paper and its orientation, a file dialog for the PDF; the
// guide is then made on a worker thread while a progress dialog counts its
// pages and offers to stop it, which leaves no file.

#include "guide_layout.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class MapStore;
class QComboBox;
class QSpinBox;

class CGuiaDlg : public QDialog {
    Q_OBJECT
public:
    explicit CGuiaDlg(QWidget* parent = nullptr);
    GuideOptions Options() const;

private:
    QSpinBox* m_pScale = nullptr;
    QComboBox* m_pPaper = nullptr;
    QComboBox* m_pOrientation = nullptr;
};

// Asks, makes the guide of `store` (with `picture` on its cover) and says how
// it went; `folder` is where the file dialog starts.
void PrintTownGuide(QWidget* parent, const MapStore& store,
                    const std::vector<std::uint8_t>& picture, const QString& folder);

// Makes the guide at `path` on a worker thread, showing the progress in a
// dialog over `parent`; false with the reason (empty when stopped there).
bool MakeTownGuide(QWidget* parent, const MapStore& store, const std::vector<std::uint8_t>& picture,
                   const GuideOptions& options, const QString& path, QString& error);
