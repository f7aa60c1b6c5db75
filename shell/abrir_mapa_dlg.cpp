#include "abrir_mapa_dlg.h"

#include "map_file.h"

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

namespace {

constexpr int kPathRole = Qt::UserRole + 1;
// Column starts in horizontal dialog units, as the catalogue was first laid out.
constexpr int kTabStops[] = {75, 160};

int DialogUnitsToPixels(const QFontMetrics& metrics, int units) {
    return units * metrics.averageCharWidth() / 4;
}

// Draws the three header texts of a line in their columns; the path after the
// tab is never shown.
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
        painter->setPen(option.palette.color(
            option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        for (int i = 0; i < 3 && i < fields.size(); ++i) {
            const int right = i < 2 ? rect.left() + starts[i + 1] - 4 : rect.right();
            const QRect cell(rect.left() + starts[i], rect.top(), right - rect.left() - starts[i],
                             rect.height());
            painter->drawText(cell, Qt::AlignVCenter | Qt::AlignLeft,
                              metrics.elidedText(fields[i], Qt::ElideRight, cell.width()));
        }
        painter->restore();
    }
};

} // namespace

QString CAbrirMapaDlg::CatalogueLine(const QString& country, const QString& state,
                                     const QString& town, const QString& path) {
    return QStringLiteral("%1\t%2\t%3\t=%4").arg(country, state, town, path);
}

CAbrirMapaDlg::CAbrirMapaDlg(const QString& programDir, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("abrirMapaDlg"));
    setWindowTitle(QStringLiteral("Abrir mapa"));

    auto* caption = new QLabel(QStringLiteral("Mapas disponibles en el sistema:"), this);
    auto* header = new QFrame(this);
    header->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const QFontMetrics metrics = fontMetrics();
    const char* titles[3] = {"Pais", "Estado", "Población"};
    const int starts[3] = {0, DialogUnitsToPixels(metrics, kTabStops[0]),
                           DialogUnitsToPixels(metrics, kTabStops[1])};
    for (int i = 0; i < 3; ++i) {
        auto* title = new QLabel(QString::fromUtf8(titles[i]), header);
        title->move(starts[i] + 5, 1);
    }
    header->setFixedHeight(metrics.height() + 4);

    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("list1021"));
    m_pList->setSortingEnabled(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pList->setItemDelegate(new CatalogueDelegate(m_pList));
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CAbrirMapaDlg::accept);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("button1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
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
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("*.map")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        // Regular files only, and only the exact lower-case extension.
        if (!entry.isFile() || !entry.fileName().endsWith(QLatin1String(".map"), Qt::CaseSensitive))
            continue;
        const QString path = entry.absoluteFilePath();
        MapHeader header;
        std::string error;
        // A file that does not read is left out; the others are still offered.
        if (!ReadMapHeader(QFile::encodeName(path).toStdString(), header, error))
            continue;
        auto* item = new QListWidgetItem(CatalogueLine(QString::fromStdString(header.country),
                                                       QString::fromStdString(header.state),
                                                       QString::fromStdString(header.town), path));
        // The path is kept apart too: a header text may itself hold an "=".
        item->setData(kPathRole, path);
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
