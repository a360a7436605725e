#pragma once
// Every modal interaction of the windows goes through these functions, so that tests can
// answer in place of a user and read what was asked. Without a handler installed they show
// the real Qt dialog.

#include <QString>
#include <functional>

class QDialog;
class QMenu;
class QPoint;
class QWidget;

namespace kasto::ui {

enum class Icon { None, Information, Exclamation, Question, Critical };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// Application title, the title of a box that has none of its own.
QString appTitle();

// A modal message box. An empty title shows the application title.
Answer MsgBox(QWidget *owner, const QString &text, Buttons buttons = Buttons::Ok,
              Icon icon = Icon::None, const QString &title = QString());

using MsgBoxHandler = std::function<Answer(QWidget *owner, const QString &text, Buttons buttons,
                                           Icon icon, const QString &title)>;
void setMsgBoxHandler(MsgBoxHandler handler); // empty: the real box again

// Runs a dialog modally and returns its result (QDialog::Accepted / Rejected).
int execModal(QDialog *dialog);
using ModalHandler = std::function<int(QDialog *dialog)>;
void setModalHandler(ModalHandler handler);

// Opens a popup menu at a global position and waits until it closes.
void execMenu(QMenu *menu, const QPoint &globalPos);
using MenuHandler = std::function<void(QMenu *menu, const QPoint &globalPos)>;
void setMenuHandler(MenuHandler handler);

// Lets pending window events run once (repaints, clicks); used by long loops.
void doEvents();

} // namespace kasto::ui
