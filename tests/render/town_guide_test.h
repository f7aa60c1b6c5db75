#pragma once

#include <QObject>

class TestTownGuide : public QObject {
    Q_OBJECT
private slots:
    void stoppedGuideLeavesTheOldFileAsItWas();
};
