#pragma once

#include <QObject>

class TestMapWindow : public QObject {
    Q_OBJECT
private slots:
    void loadCentresOriginAtScaleThree();
    void zoomToolSteps_data();
    void zoomToolSteps();
    void zoomToolDoesNothingAtTheLimits();
    void zoomToolCentresTheClickedPoint();
    void keysMoveTheOrigin_data();
    void keysMoveTheOrigin();
    void sliderReleaseKeepsTheCentre_data();
    void sliderReleaseKeepsTheCentre();
    void navigateDragPansWithClosedHand();
    void panStepsMoveThePictureAndTheGuideFollows();
    void navigateRightClickCentresOrigin();
    void wheelZoomsKeepingThePointUnderTheMouse();
    void resizeKeepsOriginAndScale();
    void layerMessagesSetTheirSwitch_data();
    void layerMessagesSetTheirSwitch();
    void centerAtMessage();
    void locateItem_data();
    void locateItem();
    void locateBusinessShowsMarks();
    void locateIgnoresBadIndices();
    void zoneShowSelectsAndCentres();
    void zoneShowWithNothingClearsSelection();
    void zoneAssignTakesTheSelection();
    void toolCursors();
    void hoverReportsMapPoint();
    void hitBlockFindsTopmost();
    void leftPressTakesFocus();
    void closeMessagesCloseGuideAndPopup();
    void windowShowsWhiteBeforeAMapIsLoaded();
    void windowPaintsWhatRenderMapDraws();
};
