#pragma once

// Map files made in code for the editor's tests.

#include <QString>

#include <string>

class MapStore;

struct TestMapContents {
    QString country = QStringLiteral("México");
    QString state = QStringLiteral("Oaxaca");
    QString town = QStringLiteral("Mitla");
};

// A small town: four blocks, streets (one traced at scale 7.5), references at
// scales 8 and 18, a colony, three routes of which the second has no name, two
// zones and a category with two businesses.
void FillTestTown(MapStore& store, const TestMapContents& contents);

// Writes the test town to `path` with the map code's own save. Empty on success,
// otherwise the reason.
std::string WriteTestMap(const QString& path, const TestMapContents& contents = {});

// Another editor on this computer, as a map's lock sees it: a process that
// runs until the object goes.
class OtherEditor {
public:
    OtherEditor();
    ~OtherEditor();
    OtherEditor(const OtherEditor&) = delete;
    OtherEditor& operator=(const OtherEditor&) = delete;

    long Pid() const { return m_pid; }
    // Writes the lock this editor would have beside the map at `mapPath`.
    bool Lock(const QString& mapPath) const;

private:
    long m_pid = 0;
};
