#pragma once

#include <QObject>

class TestMapRenderer : public QObject {
    Q_OBJECT
private slots:
    void blockFillFollowsTypeAndSwitch();
    void selectedBlockIsLightRed();
    void outlineIsLightGrey();
    void largeBlockAroundTheViewIsDrawn();
    void laterBlocksPaintOverEarlierOnes();
    void streetNamesOnlyAboveScaleTen_data();
    void streetNamesOnlyAboveScaleTen();
    void placementKeepsTheMoreImportantOfNamesThatMeet();
    void placedNamesDrawAsIfTheOthersWereNotThere();
    void referenceOutsideTheViewIsNotDrawn();
    void referenceIconAndName();
    void tracedStreetVisibility_data();
    void tracedStreetVisibility();
    void routeAndStations();
    void businessesOnlyWithMarksAndNotOnTheAxes();
    void bandRectangleIsRedOnePixel();
    void hitTestMatchesAFullScan();
    void cullingChangesNoPixel_data();
    void cullingChangesNoPixel();
    void panStepsMatchAFullRedraw_data();
    void panStepsMatchAFullRedraw();
    void rasterFillTakesPixelCentres();
    void rasterLineLeavesOutItsLastPixel();
    void rasterClipsLongLinesExactly();
    void rasterAgreesWithThePainter();
};
