#include "abrir_mapa_dialog.h"

#include "display_order.h"
#include "map_file.h"
#include "problem_text.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int kPathRole = Qt::UserRole + 1;
// Column starts in horizontal dialog units, as the catalogue was first laid out.
constexpr int kTabStops[] = {75, 160};

int DialogUnitsToPixels(const QFontMetrics& metrics, int units) {
    return units * metrics.averageCharWidth() / 4;
}

// Draws the three header texts of a line in their columns; the path after the
// tab is never shown. A file that did not read shows its name and the reason.
class CatalogueDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

        const QStringList fields = index.data(Qt::DisplayRole).toString().split(QLatin1Char('\t'));
        const QFontMetrics metrics(option.font);
        const int starts[3] = {0, DialogUnitsToPixels(metrics, kTabStops[0]),
                               DialogUnitsToPixels(metrics, kTabStops[1])};
        const QRect rect = option.rect.adjusted(3, 0, -3, 0);
        painter->save();
        const bool readable = index.flags() & Qt::ItemIsEnabled;
        painter->setPen(option.palette.color(
            readable ? QPalette::Active : QPalette::Disabled,
            option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        for (int i = 0; i < 3 && i < fields.size(); ++i) {
            // The reason a file did not read takes the two last columns.
            const bool last = i == 2 || (!readable && i == 1);
            const int right = last ? rect.right() : rect.left() + starts[i + 1] - 4;
            const QRect cell(rect.left() + starts[i], rect.top(), right - rect.left() - starts[i],
                             rect.height());
            painter->drawText(cell, Qt::AlignVCenter | Qt::AlignLeft,
                              metrics.elidedText(fields[i], Qt::ElideRight, cell.width()));
        }
        painter->restore();
    }
};

// A line of the catalogue before it is shown: what it is sorted by.
struct CatalogueEntry {
    QString country;
    QString state;
    QString town;
    QString path;
};

bool EntryLess(const CatalogueEntry& a, const CatalogueEntry& b) {
    for (auto field : {&CatalogueEntry::country, &CatalogueEntry::state, &CatalogueEntry::town,
                       &CatalogueEntry::path}) {
        if (const int order = CompareForDisplay(a.*field, b.*field); order != 0)
            return order < 0;
    }
    return false;
}

} // namespace

QString CAbrirMapaDlg::CatalogueLine(const QString& country, const QString& state,
                                     const QString& town, const QString& path) {
    return QStringLiteral("%1\t%2\t%3\t=%4").arg(country, state, town, path);
}

CAbrirMapaDlg::CAbrirMapaDlg(const QString& programDir, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("abrirMapaDlg"));
    setWindowTitle(tr("Abrir mapa"));

    auto* caption = new QLabel(tr("Mapas disponibles en el sistema:"), this);
    auto* header = new QFrame(this);
    header->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const QFontMetrics metrics = fontMetrics();
    const char* titles[3] = {QT_TR_NOOP("Pais"), QT_TR_NOOP("Estado"), QT_TR_NOOP("Población")};
    const int starts[3] = {0, DialogUnitsToPixels(metrics, kTabStops[0]),
                           DialogUnitsToPixels(metrics, kTabStops[1])};
    for (int i = 0; i < 3; ++i) {
        auto* title = new QLabel(tr(titles[i]), header);
        title->move(starts[i] + 5, 1);
    }
    header->setFixedHeight(metrics.height() + 4);

    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("list1021"));
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pList->setItemDelegate(new CatalogueDelegate(m_pList));
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CAbrirMapaDlg::accept);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("button1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("button2"));
    connect(ok, &QPushButton::clicked, this, &CAbrirMapaDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->addWidget(caption);
    layout->addWidget(header);
    layout->addWidget(m_pList, 1);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    // Wider than the first layout: town names are often long.
    resize(std::max(DialogUnitsToPixels(metrics, 265), 600), metrics.height() * 22);

    FillList(programDir);
}

void CAbrirMapaDlg::FillList(const QString& programDir) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QDir dir(programDir.isEmpty() ? QStringLiteral(".") : programDir);
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("*.map")}, QDir::Files | QDir::Hidden, QDir::Name);
    std::vector<CatalogueEntry> maps;
    std::vector<std::pair<QString, QString>> unreadable; // path, reason
    for (const QFileInfo& file : files) {
        // Regular files only, and only the exact lower-case extension.
        if (!file.isFile() || !file.fileName().endsWith(QLatin1String(".map"), Qt::CaseSensitive))
            continue;
        const QString path = file.absoluteFilePath();
        MapHeader header;
        Problem error;
        if (ReadMapHeader(QFile::encodeName(path).toStdString(), header, error))
            maps.push_back({QString::fromStdString(header.country),
                            QString::fromStdString(header.state),
                            QString::fromStdString(header.town), path});
        else
            unreadable.emplace_back(path, ProblemText(error));
    }
    std::sort(maps.begin(), maps.end(), EntryLess);
    for (const CatalogueEntry& map : maps) {
        auto* item = new QListWidgetItem(CatalogueLine(map.country, map.state, map.town, map.path));
        // The path is kept apart too: a header text may itself hold an "=".
        item->setData(kPathRole, map.path);
        item->setToolTip(map.path);
        m_pList->addItem(item);
    }
    // The files that are no maps stay in sight, so that a person knows why a
    // town is missing, but they cannot be chosen.
    for (const auto& [path, reason] : unreadable) {
        auto* item = new QListWidgetItem(
            tr("%1\tNo se puede abrir: %2").arg(QFileInfo(path).fileName(), reason));
        item->setFlags(Qt::NoItemFlags);
        item->setToolTip(path);
        m_pList->addItem(item);
    }
    QApplication::restoreOverrideCursor();
}

void CAbrirMapaDlg::accept() {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    if (selected.isEmpty())
        return;
    m_strPath = selected.front()->data(kPathRole).toString();
    QDialog::accept();
}
