// The editing dialogs driven as a user drives them: typing, Enter, clicks and
// answering the dialogs and questions they open.

#include "categorias_dialog.h"
#include "color_window.h"
#include "estacion_dialog.h"
#include "marca_dialog.h"
#include "modal_script.h"
#include "name_dialog.h"
#include "qt_helpers.h"
#include "records.h"
#include "ruta_color_dialog.h"
#include "zona_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Types `text` key by key, letters beyond ASCII included (QTest::keyClicks
// takes ASCII only).
void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            const auto key = Qt::Key(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
        }
    }
}

template <typename T>
T* Control(QWidget& dlg, const char* name) {
    T* control = dlg.findChild<T*>(QString::fromLatin1(name));
    if (!control)
        qWarning("no control %s", name);
    return control;
}

bool ShowActive(QWidget& dlg) {
    dlg.show();
    dlg.activateWindow();
    return QTest::qWaitForWindowActive(&dlg);
}

// A step that answers the next modal window of type T.
template <typename T>
CModalScript::Step On(std::function<void(T*)> act) {
    return {[](QWidget* modal) { return qobject_cast<T*>(modal) != nullptr; },
            [act](QWidget* modal) { act(qobject_cast<T*>(modal)); }};
}

// A step that answers the next one-name dialog and notes whether it was the
// new-category one.
CModalScript::Step OnCategoryDialog(std::function<void(CNombreDlg*)> act, bool* newCategory) {
    return On<CNombreDlg>([act, newCategory](CNombreDlg* modal) {
        act(modal);
        *newCategory = modal->GetKind() == CNombreDlg::Kind::NewCategory;
    });
}

// Types `name` into the new-category dialog and presses OK.
std::function<void(CNombreDlg*)> TypeCategory(const QString& name) {
    return [name](CNombreDlg* modal) {
        auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("edit1014"));
        edit->selectAll();
        Type(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

QStringList DirectoryNames(const CmDirectorio& dir) {
    QStringList names;
    for (const auto& c : dir.m_listCategories)
        names << QString::fromStdString(c->m_strName);
    return names;
}

QColor SampleColour(CRutaColorDlg& dlg) {
    CColorWnd* sample = dlg.ColorSample();
    const QImage image = sample->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void nameDialogShowsPresetAndOkIsDefault();
    void nameDialogCancelKeepsMember();
    void marksEnterMovesFocusAndKeepsDialogOpen();
    void marksNameIsCapitalised();
    void zoneEnterMovesFocusAndNotesKeepLineBreaks();
    void newRouteNameIsCapitalised();
    void stationReadsNameAndFinishFlag();
    void dialogsCarryTheirTexts();
    void categoriesListedSortedAndEnterStaysOpen();
    void categoryInOtherCaseIsRefused();
    void newCategoryGoesToDirectoryHeadAndListOrder();
    void renameKeepsListSorted();
    void deleteAsksAndRemovesFromDirectory();
    void editAndDeleteWithoutSelectionDoNothing();
    void colourStartsRedAndReleaseSetsColour();
    void colourKeyboardChangesNothing();
    void colourDragSetsSliderValue();
};

void DialogsTest::cleanup() {
    // A poller left over by a failed case must not answer the next case's
    // windows with the old case's variables.
    for (QTimer* poller :
         qApp->findChildren<QTimer*>(QStringLiteral("answerPoller"), Qt::FindDirectChildrenOnly))
        delete poller;
}

void DialogsTest::nameDialogShowsPresetAndOkIsDefault() {
    CNombreDlg dlg;
    dlg.m_strName = QStringLiteral("Av. Juárez");
    QVERIFY(ShowActive(dlg));
    auto* edit = Control<QLineEdit>(dlg, "edit1014");
    QCOMPARE(edit->text(), QStringLiteral("Av. Juárez"));
    QTest::keyClick(edit, Qt::Key_End);
    Type(edit, QStringLiteral(" Norte"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.m_strName, QStringLiteral("Av. Juárez Norte"));
}

void DialogsTest::nameDialogCancelKeepsMember() {
    CNombreDlg dlg;
    dlg.m_strName = QStringLiteral("Hidalgo");
    QVERIFY(ShowActive(dlg));
    Type(Control<QLineEdit>(dlg, "edit1014"), QStringLiteral("xyz"));
    QTest::mouseClick(Control<QPushButton>(dlg, "button2"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(dlg.m_strName, QStringLiteral("Hidalgo"));
}

void DialogsTest::marksEnterMovesFocusAndKeepsDialogOpen() {
    CMarcaDlg dlg;
    dlg.m_strTelefono = QStringLiteral("555-01");
    QVERIFY(ShowActive(dlg));
    auto* name = Control<QLineEdit>(dlg, "edit1014");
    auto* phone = Control<QLineEdit>(dlg, "edit1016");
    auto* address = Control<QPlainTextEdit>(dlg, "edit1017");
    QVERIFY(Control<QPushButton>(dlg, "button1013") != nullptr);
    QVERIFY(!Control<QPushButton>(dlg, "button1013")->isVisible());
    QCOMPARE(phone->text(), QStringLiteral("555-01"));
    QCOMPARE(dlg.focusWidget(), name);

    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.focusWidget(), phone);
    QTest::keyClick(phone, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.focusWidget(), address);

    // In the address Enter breaks the line.
    Type(address, QStringLiteral("Calle 1"));
    QTest::keyClick(address, Qt::Key_Return);
    Type(address, QStringLiteral("Centro"));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.focusWidget(), address);

    QTest::mouseClick(Control<QPushButton>(dlg, "button1"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_strDomicilio, QStringLiteral("Calle 1\nCentro"));
    QCOMPARE(dlg.m_strTelefono, QStringLiteral("555-01"));
}

void DialogsTest::marksNameIsCapitalised() {
    CMarcaDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* name = Control<QLineEdit>(dlg, "edit1014");
    Type(name, QStringLiteral("panadería ñandú straße"));
    QCOMPARE(name->text(), QStringLiteral("PANADERÍA ÑANDÚ STRAßE"));
    // Typing in the middle keeps the cursor where the user put it.
    name->setCursorPosition(0);
    Type(name, QStringLiteral("la "));
    QCOMPARE(name->text(), QStringLiteral("LA PANADERÍA ÑANDÚ STRAßE"));
    QCOMPARE(name->cursorPosition(), 3);
    // The telephone edit is left as typed.
    auto* phone = Control<QLineEdit>(dlg, "edit1016");
    Type(phone, QStringLiteral("ext. 5"));
    QCOMPARE(phone->text(), QStringLiteral("ext. 5"));
    QTest::mouseClick(Control<QPushButton>(dlg, "button1"), Qt::LeftButton);
    QCOMPARE(dlg.m_strNombre, QStringLiteral("LA PANADERÍA ÑANDÚ STRAßE"));
}

void DialogsTest::zoneEnterMovesFocusAndNotesKeepLineBreaks() {
    CZonaDlg dlg;
    dlg.m_strName = QStringLiteral("Norte");
    dlg.m_strNotes = QStringLiteral("uno\ndos");
    QVERIFY(ShowActive(dlg));
    auto* name = Control<QLineEdit>(dlg, "edit1014");
    auto* notes = Control<QPlainTextEdit>(dlg, "edit1098");
    QCOMPARE(notes->toPlainText(), QStringLiteral("uno\ndos"));
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.focusWidget(), notes);
    notes->moveCursor(QTextCursor::End);
    QTest::keyClick(notes, Qt::Key_Return);
    Type(notes, QStringLiteral("tres"));
    QVERIFY(dlg.isVisible());
    // Tab leaves the notes instead of inserting a tab.
    QTest::keyClick(notes, Qt::Key_Tab);
    QVERIFY(dlg.focusWidget() != notes);
    QCOMPARE(notes->toPlainText(), QStringLiteral("uno\ndos\ntres"));
    QTest::mouseClick(Control<QPushButton>(dlg, "button1"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_strName, QStringLiteral("Norte"));
    QCOMPARE(dlg.m_strNotes, QStringLiteral("uno\ndos\ntres"));
}

void DialogsTest::newRouteNameIsCapitalised() {
    CNombreDlg dlg(CNombreDlg::Kind::NewRoute);
    QVERIFY(ShowActive(dlg));
    auto* edit = Control<QLineEdit>(dlg, "edit1014");
    Type(edit, QStringLiteral("ruta álamo-peñón 2"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_strName, QStringLiteral("RUTA ÁLAMO-PEÑÓN 2"));
}

void DialogsTest::stationReadsNameAndFinishFlag() {
    CEstacionDlg dlg;
    QCOMPARE(dlg.m_bFinish, false);
    QVERIFY(ShowActive(dlg));
    auto* check = Control<QCheckBox>(dlg, "check1052");
    QVERIFY(!check->isChecked());
    Type(Control<QLineEdit>(dlg, "edit1051"), QStringLiteral("Mercado"));
    QTest::mouseClick(check, Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(dlg, "button1"), Qt::LeftButton);
    QCOMPARE(dlg.m_strName, QStringLiteral("Mercado"));
    QCOMPARE(dlg.m_bFinish, true);
}

void DialogsTest::dialogsCarryTheirTexts() {
    CmDirectorio dir;
    CNombreDlg name;
    CMarcaDlg marks;
    CZonaDlg zone;
    CCategoriasDlg categories(dir);
    CNombreDlg newCategory(CNombreDlg::Kind::NewCategory);
    CNombreDlg newRoute(CNombreDlg::Kind::NewRoute);
    CEstacionDlg station;
    CRutaColorDlg colour;
    struct Row {
        QDialog* dlg;
        QString title;
        QStringList buttons;
    };
    const Row rows[] = {
        {&name, "Edición nombre", {"OK", "Cancelar"}},
        {&marks, "Marcas", {"OK", "Cancelar"}},
        {&zone, "Edición zonas", {"OK", "Cancelar"}},
        {&categories,
         "Categorias para marcas personales",
         {"Nueva", "Editar", "Eliminar", "Salir"}},
        {&newCategory, "Nueva categoria", {"OK", "Cancelar"}},
        {&newRoute, "Nueva ruta", {"OK", "Cancel"}},
        {&station, "Insertar estación", {"OK", "Cancel"}},
        {&colour, "Rutas con estaciones", {"OK", "Cancel"}},
    };
    for (const Row& row : rows) {
        QCOMPARE(row.dlg->windowTitle(), row.title);
        QStringList visible;
        for (QPushButton* b : row.dlg->findChildren<QPushButton*>())
            if (!b->isHidden())
                visible << b->text();
        QCOMPARE(visible, row.buttons);
        // Every control lies inside its dialog.
        for (QWidget* w : row.dlg->findChildren<QWidget*>())
            if (w->parentWidget() == row.dlg && !w->isHidden())
                QVERIFY2(row.dlg->rect().contains(w->geometry()), qPrintable(row.title));
    }
}

void DialogsTest::categoriesListedSortedAndEnterStaysOpen() {
    CmDirectorio dir;
    dir.AddCategory("farmacias");
    dir.AddCategory("Bancos");
    dir.AddCategory("Ñoquis");
    dir.AddCategory("Álamos");
    dir.AddCategory("Ópticas");
    CCategoriasDlg dlg(dir);
    QVERIFY(ShowActive(dlg));
    auto* list = Control<QListWidget>(dlg, "list1001");
    QCOMPARE(Lines(list), QStringList({"Álamos", "Bancos", "farmacias", "Ñoquis", "Ópticas"}));
    QCOMPARE(dlg.focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(dlg.isVisible());
    QVERIFY(dlg.focusWidget() != list);
    QCOMPARE(dlg.focusWidget(), Control<QPushButton>(dlg, "button1010"));
    // "Salir" ends the dialog without touching the directory.
    QTest::mouseClick(Control<QPushButton>(dlg, "button1012"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(dir.m_listCategories.size(), 5u);
}

void DialogsTest::categoryInOtherCaseIsRefused() {
    CmDirectorio dir;
    dir.AddCategory("Cafés");
    CCategoriasDlg dlg(dir);
    QSignalSpy changes(&dlg, &CCategoriasDlg::DirectoryChanged);
    QVERIFY(ShowActive(dlg));

    bool newCategory = false;
    QString message;
    int buttons = 0;
    QString okText;
    CModalScript script({OnCategoryDialog(TypeCategory(QStringLiteral("CAFÉS")), &newCategory),
                         On<QMessageBox>([&](QMessageBox* box) {
                             message = box->text();
                             buttons = int(box->buttons().size());
                             box->button(QMessageBox::Ok)->click();
                             okText = box->button(QMessageBox::Ok)->text();
                         })});
    QTest::mouseClick(Control<QPushButton>(dlg, "button1010"), Qt::LeftButton);
    QVERIFY(script.Done());
    QVERIFY(newCategory);
    QCOMPARE(message, QStringLiteral("Esta categoria ya existe"));
    QCOMPARE(buttons, 1);
    QCOMPARE(okText, QStringLiteral("Aceptar"));
    QCOMPARE(Lines(Control<QListWidget>(dlg, "list1001")), QStringList({"Cafés"}));
    QCOMPARE(DirectoryNames(dir), QStringList({"Cafés"}));
    QCOMPARE(changes.count(), 0);
    QVERIFY(dlg.isVisible());
}

void DialogsTest::newCategoryGoesToDirectoryHeadAndListOrder() {
    CmDirectorio dir;
    dir.AddCategory("Zapaterías");
    dir.AddCategory("Abarrotes");
    CCategoriasDlg dlg(dir);
    QSignalSpy changes(&dlg, &CCategoriasDlg::DirectoryChanged);
    QVERIFY(ShowActive(dlg));
    bool newCategory = false;
    {
        CModalScript script(
            {OnCategoryDialog(TypeCategory(QStringLiteral("médicos")), &newCategory)});
        QTest::mouseClick(Control<QPushButton>(dlg, "button1010"), Qt::LeftButton);
        QVERIFY(script.Done());
    }
    QVERIFY(newCategory);
    QCOMPARE(Lines(Control<QListWidget>(dlg, "list1001")),
             QStringList({"Abarrotes", "médicos", "Zapaterías"}));
    QCOMPARE(DirectoryNames(dir), QStringList({"médicos", "Abarrotes", "Zapaterías"}));
    QVERIFY(dir.m_listCategories.front()->m_listBusinesses.empty());
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes[0][0].value<CCategoriasDlg::Change>(), CCategoriasDlg::Change::Added);
    QCOMPARE(changes[0][2].toString(), QStringLiteral("médicos"));

    // Cancelling the new-category dialog changes nothing.
    newCategory = false;
    {
        CModalScript script({OnCategoryDialog(
            [](CNombreDlg* modal) {
                Type(modal->findChild<QLineEdit*>(QStringLiteral("edit1014")), "Otra");
                modal->findChild<QPushButton*>(QStringLiteral("button2"))->click();
            },
            &newCategory)});
        QTest::mouseClick(Control<QPushButton>(dlg, "button1010"), Qt::LeftButton);
        QVERIFY(script.Done());
    }
    QVERIFY(newCategory);
    QCOMPARE(dir.m_listCategories.size(), 3u);
    QCOMPARE(changes.count(), 1);
}

void DialogsTest::renameKeepsListSorted() {
    CmDirectorio dir;
    dir.AddCategory("Hoteles");
    dir.AddCategory("Farmacias");
    dir.AddCategory("Bancos");
    dir.m_listCategories.back()->AddBusiness(std::make_unique<CmNegocios>());
    CCategoriasDlg dlg(dir);
    QSignalSpy changes(&dlg, &CCategoriasDlg::DirectoryChanged);
    QVERIFY(ShowActive(dlg));
    auto* list = Control<QListWidget>(dlg, "list1001");
    list->setCurrentRow(2); // Hoteles

    QString preset;
    bool newCategory = false;
    CModalScript script({OnCategoryDialog(
        [&](CNombreDlg* modal) {
            preset = modal->findChild<QLineEdit*>(QStringLiteral("edit1014"))->text();
            TypeCategory(QStringLiteral("Albergues"))(modal);
        },
        &newCategory)});
    QTest::mouseClick(Control<QPushButton>(dlg, "button1004"), Qt::LeftButton);
    QVERIFY(script.Done());
    QVERIFY(newCategory);
    QCOMPARE(preset, QStringLiteral("Hoteles"));
    QCOMPARE(Lines(list), QStringList({"Albergues", "Bancos", "Farmacias"}));
    // Renamed in place: same position in the directory, businesses kept.
    QCOMPARE(DirectoryNames(dir), QStringList({"Bancos", "Farmacias", "Albergues"}));
    QCOMPARE(dir.m_listCategories.back()->m_listBusinesses.size(), 1u);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes[0][0].value<CCategoriasDlg::Change>(), CCategoriasDlg::Change::Renamed);
    QCOMPARE(changes[0][1].toString(), QStringLiteral("Hoteles"));
    QCOMPARE(changes[0][2].toString(), QStringLiteral("Albergues"));
}

void DialogsTest::deleteAsksAndRemovesFromDirectory() {
    CmDirectorio dir;
    dir.AddCategory("Cines");
    dir.AddCategory("Bancos");
    dir.SelectCategory("Bancos");
    CCategoriasDlg dlg(dir);
    QSignalSpy changes(&dlg, &CCategoriasDlg::DirectoryChanged);
    QSignalSpy aboutToDelete(&dlg, &CCategoriasDlg::CategoryAboutToBeDeleted);
    QVERIFY(ShowActive(dlg));
    auto* list = Control<QListWidget>(dlg, "list1001");
    list->setCurrentRow(1); // Cines

    auto answer = [](QMessageBox::StandardButton button, QString* question) {
        return [button, question](QMessageBox* box) {
            *question = box->text();
            QCOMPARE(box->button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Sí"));
            box->button(button)->click();
        };
    };
    QString question;
    {
        CModalScript no({On<QMessageBox>(answer(QMessageBox::No, &question))});
        QTest::mouseClick(Control<QPushButton>(dlg, "button1005"), Qt::LeftButton);
        QVERIFY(no.Done());
    }
    QCOMPARE(question, QStringLiteral("¿Esta seguro de eliminar la categoria y todas las marcas "
                                      "y rutas que pertenecen a ésta?"));
    QCOMPARE(dir.m_listCategories.size(), 2u);
    QCOMPARE(list->count(), 2);
    QCOMPARE(changes.count(), 0);

    {
        CModalScript yes({On<QMessageBox>(answer(QMessageBox::Yes, &question))});
        QTest::mouseClick(Control<QPushButton>(dlg, "button1005"), Qt::LeftButton);
        QVERIFY(yes.Done());
    }
    QCOMPARE(DirectoryNames(dir), QStringList({"Bancos"}));
    QCOMPARE(Lines(list), QStringList({"Bancos"}));
    QVERIFY(dir.m_pCurrent == nullptr);
    QCOMPARE(aboutToDelete.count(), 1);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes[0][0].value<CCategoriasDlg::Change>(), CCategoriasDlg::Change::Deleted);
    QCOMPARE(changes[0][1].toString(), QStringLiteral("Cines"));
}

void DialogsTest::editAndDeleteWithoutSelectionDoNothing() {
    CmDirectorio dir;
    dir.AddCategory("Bancos");
    CCategoriasDlg dlg(dir);
    QVERIFY(ShowActive(dlg));
    for (const char* id : {"button1004", "button1005"}) {
        // Anything that opened would hold the click until closed.
        CModalScript watch{};
        QTest::mouseClick(Control<QPushButton>(dlg, id), Qt::LeftButton);
        QTest::qWait(150);
        QVERIFY2(watch.Unexpected() == 0, id);
    }
    QCOMPARE(DirectoryNames(dir), QStringList({"Bancos"}));
}

void DialogsTest::colourStartsRedAndReleaseSetsColour() {
    CRutaColorDlg dlg;
    QVERIFY(ShowActive(dlg));
    QCOMPARE(dlg.m_crColor, Rgb(255, 0, 0));
    QCOMPARE(SampleColour(dlg), QColor(255, 0, 0));
    auto* red = Control<QSlider>(dlg, "slider1047");
    auto* green = Control<QSlider>(dlg, "slider1048");
    QCOMPARE(red->value(), 255);
    QCOMPARE(green->maximum(), 255);
    QVERIFY(
        dlg.ColorSample()->geometry().intersects(Control<QWidget>(dlg, "frame1038")->geometry()));

    // Put the green slider on 128 with the keyboard, then let the mouse go of it.
    green->setFocus();
    QTest::keyClick(green, Qt::Key_Home);
    for (int i = 0; i < 128; ++i)
        QTest::keyClick(green, Qt::Key_Right);
    QCOMPARE(green->value(), 128);
    const QPoint handle = SliderHandleCentre(green);
    QTest::mousePress(green, Qt::LeftButton, Qt::NoModifier, handle);
    QTest::mouseRelease(green, Qt::LeftButton, Qt::NoModifier, handle);
    QCOMPARE(green->value(), 128);
    QCOMPARE(dlg.m_crColor, Rgb(255, 128, 0));
    QCOMPARE(dlg.m_crColor, Color(0x000080ff));
    QCOMPARE(SampleColour(dlg), QColor(255, 128, 0));

    Type(Control<QLineEdit>(dlg, "edit1014"), QStringLiteral("Ruta 7"));
    QTest::mouseClick(Control<QPushButton>(dlg, "button1"), Qt::LeftButton);
    QCOMPARE(dlg.m_strName, QStringLiteral("Ruta 7"));
    QCOMPARE(dlg.m_crColor, Rgb(255, 128, 0));
}

void DialogsTest::colourKeyboardChangesNothing() {
    CRutaColorDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* blue = Control<QSlider>(dlg, "slider1049");
    auto* red = Control<QSlider>(dlg, "slider1047");
    blue->setFocus();
    QTest::keyClick(blue, Qt::Key_End);
    red->setFocus();
    QTest::keyClick(red, Qt::Key_PageDown);
    QCOMPARE(blue->value(), 255);
    QVERIFY(red->value() < 255);
    QCOMPARE(dlg.m_crColor, Rgb(255, 0, 0));
    QCOMPARE(SampleColour(dlg), QColor(255, 0, 0));
}

void DialogsTest::colourDragSetsSliderValue() {
    CRutaColorDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* blue = Control<QSlider>(dlg, "slider1049");
    const QPoint start = SliderHandleCentre(blue);
    const QPoint end(blue->width() / 2, start.y());
    QTest::mousePress(blue, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(blue, (start + end) / 2);
    QTest::mouseMove(blue, end);
    // Nothing is taken while the handle is still held.
    QVERIFY(blue->value() > 0);
    QCOMPARE(dlg.m_crColor, Rgb(255, 0, 0));
    QTest::mouseRelease(blue, Qt::LeftButton, Qt::NoModifier, end);
    const int value = blue->value();
    QVERIFY(value > 64 && value < 192);
    QCOMPARE(dlg.m_crColor, Rgb(255, 0, value));
    QCOMPARE(SampleColour(dlg), QColor(255, 0, value));
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
