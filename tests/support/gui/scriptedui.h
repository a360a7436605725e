#pragma once
// Answers the modal questions of the windows in place of a user and records what was asked.
// One instance per test function: the constructor installs the handlers, the destructor
// restores the real dialogs.

#include "common/stddialoge.h"
#include "common/ui.h"

#include <QList>
#include <QString>
#include <functional>

class QDialog;
class QMenu;

struct ScriptedUi {
    struct Box {
        QString text;
        QString title;
        kasto::ui::Buttons buttons;
        kasto::ui::Icon icon;
    };

    ScriptedUi();
    ~ScriptedUi();
    ScriptedUi(const ScriptedUi &) = delete;
    ScriptedUi &operator=(const ScriptedUi &) = delete;

    // Message boxes: answers are taken in order; when none is left a box answers Ok / Yes.
    QList<kasto::ui::Answer> boxAnswers;
    QList<Box> boxes;

    // File dialogs: full paths returned in order ("" = cancel); none left = cancel.
    QList<QString> fileAnswers;
    QList<kasto::DateiDialogAnfrage> fileRequests;

    // Modal windows: called with the dialog; returns its result. Default: reject.
    std::function<int(QDialog *)> onModal;
    QList<QString> modalShown; // objectNames

    // Popup menus: the texts of the visible items, separators as "-".
    QList<QStringList> menusShown;
};
