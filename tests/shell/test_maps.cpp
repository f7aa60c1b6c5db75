#include "test_maps.h"

#include "map_file.h"
#include "map_lock.h"
#include "map_save.h"
#include "map_store.h"

#include <QFile>

#include <csignal>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void AddSquare(MapStore& store, float x, float y, float side, int type) {
    const FloatPoint outline[] = {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
    store.AddBlock(outline, type);
}

template <typename T>
void Add(std::vector<std::unique_ptr<T>>& list, std::unique_ptr<T> item) {
    list.push_back(std::move(item));
}

} // namespace

void FillTestTown(MapStore& store, const TestMapContents& contents) {
    store.m_strCountry = contents.country.toStdString();
    store.m_strState = contents.state.toStdString();
    store.m_strTown = contents.town.toStdString();
    store.ClearBlocks();
    AddSquare(store, -200, -200, 150, 1);
    AddSquare(store, 50, -200, 150, 2);
    AddSquare(store, -200, 50, 150, 3);
    AddSquare(store, 50, 50, 150, 1);

    auto street = [](const char* name, float zoom) {
        auto s = std::make_unique<CmCalles>();
        s->m_strName = name;
        s->m_fZoom = zoom;
        s->m_points = {{-300, 0}, {300, 0}};
        return s;
    };
    // Names already in name order, so the saved file keeps this order.
    Add(store.m_listStreets, street("Avenida Juárez", 7.5f));
    Add(store.m_listStreets, street("Calle Hidalgo", 3.0f));
    Add(store.m_listReferences, std::make_unique<CmRefe>(10, 20, 8, "Mercado"));
    Add(store.m_listReferences, std::make_unique<CmRefe>(-40, 60, 18, "Zócalo"));
    Add(store.m_listColonies, std::make_unique<CmColonias>(100, 100, 5, "Centro"));
    for (const char* name : {"Alameda", "", "Norte"}) {
        auto route = std::make_unique<CmVias>(Rgb(255, 0, 0));
        route->m_strName = name;
        route->m_points = {{0, 0}, {100, 100}};
        Add(store.m_listRoutes, std::move(route));
    }
    Add(store.m_listZones,
        std::make_unique<CmZonas>("Mercados", "Zona de abasto", store.m_counters));
    Add(store.m_listZones, std::make_unique<CmZonas>("Parques", "", store.m_counters));
    CmClasificados& category = store.m_directory.AddCategory("Farmacias");
    category.AddBusiness(std::make_unique<CmNegocios>(30, 40, 12, "Farmacia Luz", "Centro",
                                                      "555-0101", store.m_counters));
    category.AddBusiness(std::make_unique<CmNegocios>(60, 80, 16, "Botica Sol", "Norte", "555-0102",
                                                      store.m_counters));
    store.m_directory.AddCategory("Escuelas");
}

std::string WriteTestMap(const QString& path, const TestMapContents& contents) {
    MapStore store;
    FillTestTown(store, contents);
    std::string error;
    const std::string local = QFile::encodeName(path).toStdString();
    if (!SaveMapFile(store, local, {}, error))
        return error.empty() ? std::string("no se pudo guardar") : error;
    return {};
}

OtherEditor::OtherEditor() {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::pause();
        ::_exit(0);
    }
    m_pid = pid;
}

OtherEditor::~OtherEditor() {
    if (m_pid > 0) {
        ::kill(static_cast<pid_t>(m_pid), SIGKILL);
        ::waitpid(static_cast<pid_t>(m_pid), nullptr, 0);
    }
}

bool OtherEditor::Lock(const QString& mapPath) const {
    LockOwner owner = MapLock::Self();
    owner.user = "otra";
    owner.pid = m_pid;
    owner.start = 0;
    owner.since = 1700000000;
    QFile file(QString::fromStdString(MapLock::LockPath(QFile::encodeName(mapPath).toStdString())));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string text = FormatLock(owner);
    return file.write(text.data(), qint64(text.size())) == qint64(text.size());
}
