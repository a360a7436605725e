#include "gui/scriptedui.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

ScriptedUi::ScriptedUi()
{
    kasto::ui::setMsgBoxHandler([this](QWidget *, const QString &text, kasto::ui::Buttons buttons,
                                       kasto::ui::Icon icon, const QString &title) {
        boxes.append({text, title, buttons, icon});
        if (!boxAnswers.isEmpty())
            return boxAnswers.takeFirst();
        return buttons == kasto::ui::Buttons::YesNo ? kasto::ui::Answer::Yes : kasto::ui::Answer::Ok;
    });
    kasto::setPlattformDateiDialog([this](const kasto::DateiDialogAnfrage &a) {
        fileRequests.append(a);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    });
    kasto::ui::setModalHandler([this](QDialog *d) {
        modalShown.append(d->objectName());
        const int result = onModal ? onModal(d) : int(QDialog::Rejected);
        d->setResult(result);
        return result;
    });
    kasto::ui::setMenuHandler([this](QMenu *menu, const QPoint &) {
        QStringList items;
        for (QAction *a : menu->actions()) {
            if (a->isVisible())
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        menusShown.append(items);
    });
}

ScriptedUi::~ScriptedUi()
{
    kasto::ui::setMsgBoxHandler({});
    kasto::setPlattformDateiDialog({});
    kasto::ui::setModalHandler({});
    kasto::ui::setMenuHandler({});
}
