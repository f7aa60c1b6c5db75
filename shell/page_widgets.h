#pragma once

// Controls shared by the property pages, named by their control numbers so
// that they can be found ("button1004", "list1001").

class QListWidget;
class QPushButton;
class QString;
class QWidget;

QPushButton* MakePageButton(const QString& text, int id, QWidget* parent);
QListWidget* MakePageList(QWidget* parent);
