// "Imprimir guía..." from the editor: the options asked, the file chosen, the
// guide made on its worker thread while the editor waits, and the PDF as a
// reader finds it.

#include "command_table.h"
#include "editor_fixture.h"
#include "guide_print.h"
#include "map_window.h"
#include "modal_script.h"
#include "qt_helpers.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

namespace {} // namespace

class GuidePrintTest : public QObject {
    Q_OBJECT
private slots:
    void TheGuideIsAskedForMadeAndSaidToBeSaved() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        EditorFixture editor;
        QVERIFY(!editor.frame->Action(ID_FILE_PRINT_GUIDE)->isEnabled());
        QVERIFY(editor.OpenTestTown());
        QAction* command = editor.frame->Action(ID_FILE_PRINT_GUIDE);
        QVERIFY(command->isEnabled());
        QCOMPARE(command->text(), QStringLiteral("Imprimir &guía..."));

        const QString pdf = editor.Path(QStringLiteral("guia.pdf"));
        QString said;
        int shownScale = 0;
        {
            CModalScript answers({
                {Named("guiaDlg"),
                 [&](QWidget* dialog) {
                     auto* scale = dialog->findChild<QSpinBox*>(QStringLiteral("scale"));
                     auto* paper = dialog->findChild<QComboBox*>(QStringLiteral("paper"));
                     QVERIFY(scale && paper);
                     shownScale = scale->value();
                     scale->setValue(6);
                     paper->setCurrentIndex(paper->findText(QStringLiteral("Carta")));
                     ClickText(dialog, QStringLiteral("Aceptar"));
                 }},
                {{}, [&](QWidget* dialog) { ChooseFile(dialog, pdf); }},
                // The progress stays in front while the guide is made; then the notice.
                {MessageStarting(QStringLiteral("Se guardó")),
                 Answer(QStringLiteral("Aceptar"), &said)},
            });
            command->trigger();
            QCOMPARE(answers.Answered(), 3);
        }
        QCOMPARE(shownScale, 12);
        QCOMPARE(said, QStringLiteral("Se guardó la guía en guia.pdf."));
        QVERIFY(QFile::exists(pdf));
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Mitla")), qPrintable(text.left(400)));
        QVERIFY(text.contains(QStringLiteral("Índice de calles")));
        QVERIFY(text.contains(QStringLiteral("Avenida Juárez")));
    }

    void TheMapPlacesItsNamesAsTheGuideDoesWhenAsked() {
        EditorFixture editor;
        QAction* place = editor.frame->Action(ID_VIEW_PLACE_LABELS);
        QVERIFY(place->isCheckable() && !place->isChecked());
        QVERIFY(!editor.Map()->LabelPlacement());
        place->trigger();
        QVERIFY(editor.Map()->LabelPlacement() && place->isChecked());
        place->trigger();
        QVERIFY(!editor.Map()->LabelPlacement() && !place->isChecked());
    }

    void ACancelledGuideAsksNothingMore() {
        EditorFixture editor;
        QVERIFY(editor.OpenTestTown());
        {
            CModalScript answers{Cancel()};
            editor.frame->Action(ID_FILE_PRINT_GUIDE)->trigger();
            QCOMPARE(answers.Answered(), 1);
        }
        QVERIFY(editor.Files().filter(QStringLiteral(".pdf")).isEmpty());
    }
};

QTEST_MAIN(GuidePrintTest)
#include "guide_print_test.moc"
