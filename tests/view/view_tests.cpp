// Runs every view test class in one headless application.

#include "map_renderer_test.h"
#include "map_transform_test.h"
#include "map_window_test.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    {
        TestMapTransform t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        TestMapWindow t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        TestMapRenderer t;
        failed += QTest::qExec(&t, argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
