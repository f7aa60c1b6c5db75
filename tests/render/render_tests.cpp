// Runs every render test class in one headless application.

#include "map_renderer_test.h"
#include "map_transform_test.h"
#include "town_guide_test.h"

#include <QGuiApplication>
#include <QTest>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    int failed = 0;
    {
        TestMapTransform t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        TestMapRenderer t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        TestTownGuide t;
        failed += QTest::qExec(&t, argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
