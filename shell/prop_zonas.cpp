#include "prop_zonas.h"

#include "codepage.h"
#include "map_document.h"
#include "map_store.h"
#include "message_box.h"
#include "messages.h"
#include "page_widgets.h"
#include "zona_dialog.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QString UpperName(const QString& name) {
    return QString::fromStdString(ToUpperCp1252(name.toStdString()));
}

} // namespace

CPropZonas::CPropZonas(CMapDocument& document, QWidget* parent)
    : QWidget(parent), m_store(document.Store()), m_pHistory(&document.History()) {
    setObjectName(QStringLiteral("propZonas"));
    setWindowTitle(tr("Zonas"));
    m_pList = MakePageList(this);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pNotes = new QPlainTextEdit(this);
    m_pNotes->setObjectName(QStringLiteral("edit1098"));
    m_pNotes->setReadOnly(true);
    m_pNotes->setFixedHeight(70);
    m_pNew = MakePageButton(tr("Nueva"), 1010, this);
    m_pEdit = MakePageButton(tr("Editar"), 1004, this);
    m_pDelete = MakePageButton(tr("Eliminar"), 1005, this);
    m_pAssign = MakePageButton(tr("Asignar"), 1084, this);

    // Four buttons side by side do not fit the panel with room around their
    // texts; two rows of two do.
    auto* buttons = new QGridLayout;
    QPushButton* const order[] = {m_pNew, m_pEdit, m_pDelete, m_pAssign};
    for (int i = 0; i < 4; ++i)
        buttons->addWidget(order[i], i / 2, i % 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_pList, 1);
    layout->addWidget(m_pNotes);
    layout->addLayout(buttons);

    OnLineChosen(m_pList, this, [this] { OnSelChange(); });
    connect(m_pNew, &QPushButton::clicked, this, &CPropZonas::OnNew);
    connect(m_pEdit, &QPushButton::clicked, this, &CPropZonas::OnEdit);
    connect(m_pDelete, &QPushButton::clicked, this, &CPropZonas::OnDelete);
    connect(m_pAssign, &QPushButton::clicked, this, &CPropZonas::OnAssign);
}

void CPropZonas::ShowZone(int hide, int show) {
    SendMessageToDescendants(m_pFrame, UM_ZONE_SHOW, hide, show);
}

void CPropZonas::ShowNotes(const QString& notes) {
    m_strNotes = notes;
    m_pNotes->setPlainText(m_strNotes);
}

void CPropZonas::Refill() {
    ShowZone(m_nShownZone, -1);
    m_nShownZone = -1;
    // No line stays chosen, so no zone's notes stay shown (an undone zone's least of all).
    ShowNotes(QString());
    const QSignalBlocker quiet(m_pList);
    m_pList->clear();
    for (const auto& zone : m_store.m_listZones)
        m_pList->addItem(QString::fromStdString(zone->m_strName));
}

void CPropZonas::OnSelChange() {
    const int row = SelectedRow(m_pList);
    if (row < 0 || static_cast<std::size_t>(row) >= m_store.m_listZones.size())
        return;
    const CmZonas& zone = *m_store.m_listZones[static_cast<std::size_t>(row)];
    ShowNotes(QString::fromStdString(zone.m_strNotes));
    // A zone without blocks has nothing to show; the map stays where it is.
    ShowZone(m_nShownZone, zone.m_blockIds.empty() ? -1 : row);
    m_nShownZone = row;
}

void CPropZonas::OnNew() {
    CZonaDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    MapEdit edit(m_store);
    edit.Insert(0, std::make_unique<CmZonas>(dialog.m_strName.toStdString(),
                                             dialog.m_strNotes.toStdString(), edit.Counters()));
    ApplyEdit(m_pHistory, m_store, tr("Nueva zona"), std::move(edit));
    // The shown zone moved one line down.
    if (m_nShownZone >= 0)
        ++m_nShownZone;
    Refill();
}

void CPropZonas::OnEdit() {
    const int row = SelectedRow(m_pList);
    if (row < 0 || static_cast<std::size_t>(row) >= m_store.m_listZones.size())
        return;
    const CmZonas& zone = *m_store.m_listZones[static_cast<std::size_t>(row)];
    CZonaDlg dialog(this);
    dialog.m_strName = QString::fromStdString(zone.m_strName);
    dialog.m_strNotes = QString::fromStdString(zone.m_strNotes);
    if (dialog.exec() != QDialog::Accepted)
        return;
    MapEdit edit(m_store);
    edit.Change<CmZonas>(static_cast<std::size_t>(row), [&](CmZonas& changed) {
        changed.m_strName = dialog.m_strName.toStdString();
        changed.m_strNotes = dialog.m_strNotes.toStdString();
    });
    ApplyEdit(m_pHistory, m_store, tr("Editar zona"), std::move(edit));
    Refill();
    const int line = FindLineIgnoringCase(m_pList, dialog.m_strName);
    if (line < 0)
        return;
    // The zone on that line is shown as if chosen, and the page remembers it,
    // so that choosing another zone later takes its blocks off the map.
    const CmZonas& shown = *m_store.m_listZones[static_cast<std::size_t>(line)];
    const int show = shown.m_blockIds.empty() ? -1 : line;
    ShowZone(m_nShownZone, show);
    m_nShownZone = show;
    SelectRowQuietly(m_pList, line);
    ShowNotes(QString::fromStdString(shown.m_strNotes));
}

void CPropZonas::OnDelete() {
    const int row = SelectedRow(m_pList);
    if (row < 0 || static_cast<std::size_t>(row) >= m_store.m_listZones.size())
        return;
    const QString name = UpperName(m_pList->item(row)->text());
    if (!AskYesNo(this, tr("¿Está seguro de eliminar la zona %1").arg(name)))
        return;
    ShowZone(row, -1);
    // Deleting a zone with blocks is allowed: the blocks simply belong to no zone.
    MapEdit edit(m_store);
    edit.Remove<CmZonas>(static_cast<std::size_t>(row));
    ApplyEdit(m_pHistory, m_store, tr("Eliminar zona"), std::move(edit));
    m_nShownZone = -1;
    Refill();
    ShowNotes(QString());
}

void CPropZonas::OnAssign() {
    const int row = SelectedRow(m_pList);
    if (row < 0 || static_cast<std::size_t>(row) >= m_store.m_listZones.size())
        return;
    const QString name = UpperName(m_pList->item(row)->text());
    if (!m_store.m_listZones[static_cast<std::size_t>(row)]->m_blockIds.empty()) {
        ShowMessage(this, tr("Esta zona ya tiene asignados elementos. Eliminela primeramente"),
                    QMessageBox::NoIcon);
        return;
    }
    if (!AskYesNo(this, tr("¿Está seguro de asignar la selección a la zona %1").arg(name)))
        return;
    // The map window holds the selection and makes the zone's step of it.
    SendMessageToDescendants(m_pFrame, UM_ZONE_ASSIGN, 0, row);
}

bool CPropZonas::event(QEvent* event) {
    const CUserMessage* message = CUserMessage::From(event);
    if (!message || message->Message() != UM_ZONE_UNSELECT)
        return QWidget::event(event);
    {
        const QSignalBlocker quiet(m_pList);
        m_pList->clearSelection();
    }
    ShowNotes(QString());
    return true;
}
