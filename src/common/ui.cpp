#include "common/ui.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPoint>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kasto::ui {

namespace {
MsgBoxHandler &msgBoxHandler()
{
    static MsgBoxHandler h;
    return h;
}
ModalHandler &modalHandler()
{
    static ModalHandler h;
    return h;
}
MenuHandler &menuHandler()
{
    static MenuHandler h;
    return h;
}
} // namespace

QString appTitle()
{
    return u"Kasto"_s;
}

Answer MsgBox(QWidget *owner, const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    const QString shownTitle = title.isEmpty() ? appTitle() : title;
    if (msgBoxHandler())
        return msgBoxHandler()(owner, text, buttons, icon, shownTitle);

    QMessageBox box(owner);
    box.setWindowTitle(shownTitle);
    box.setText(text);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    if (buttons == Buttons::YesNo) {
        QPushButton *yes = box.addButton(u"&Ja"_s, QMessageBox::YesRole);
        box.addButton(u"&Nein"_s, QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

void setMsgBoxHandler(MsgBoxHandler handler)
{
    msgBoxHandler() = std::move(handler);
}

int execModal(QDialog *dialog)
{
    if (modalHandler())
        return modalHandler()(dialog);
    return dialog->exec();
}

void setModalHandler(ModalHandler handler)
{
    modalHandler() = std::move(handler);
}

void execMenu(QMenu *menu, const QPoint &globalPos)
{
    if (menuHandler()) {
        menuHandler()(menu, globalPos);
        return;
    }
    menu->exec(globalPos);
}

void setMenuHandler(MenuHandler handler)
{
    menuHandler() = std::move(handler);
}

void doEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace kasto::ui
