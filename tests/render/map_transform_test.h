#pragma once

#include <QObject>

class TestMapTransform : public QObject {
    Q_OBJECT
private slots:
    void mulDivRoundsHalfAwayFromZero();
    void extents_data();
    void extents();
    void conversionsAtScaleTen();
    void conversionsRoundLikeTheDesktop();
    void roundTripWithinOnePixelAtEveryScale();
    void centeringPutsThePointAtTheCentre();
    void visibleRectIsNormalised();
    void qtransformAgreesWithConversions();
    void equalityComparesTheInputs();
    void impossibleScaleStillConverts();
};
