#include <QTest>
class ShellTest : public QObject {
    Q_OBJECT
};
QTEST_MAIN(ShellTest)
#include "shell_test.moc"
