#pragma once
// The open and save file dialogs every window uses. They return the bare file name the user
// chose (or "" on cancel) and hand the chosen folder back through `folder`.

#include <QList>
#include <QPair>
#include <QString>
#include <functional>

class QWidget;

namespace kasto {

enum class DialogMode { Oeffnen = 0, Speichern = 1 };

// What the platform dialog is asked to show.
struct DateiDialogAnfrage {
    QWidget *owner = nullptr;
    QString title;
    QString folder;                         // start folder; "" lets the platform choose
    QString defaultName;                    // offered in the name field
    QList<QPair<QString, QString>> filters; // label, pattern
    int selectedFilter = 1;                 // 1-based, always the first pair
    QString defaultExt;
    DialogMode mode = DialogMode::Oeffnen;
};

// "Label|Muster|Label|Muster" -> pairs. A trailing "|" and blanks inside labels are kept as the
// platform would see them; an empty pair ends the list.
QList<QPair<QString, QString>> filterPaare(const QString &filter);

QString DateiDialog(QWidget *owner, const QString &title, QString &folder, const QString &defaultName,
                    const QString &filter, const QString &defaultExt, DialogMode mode);
QString DateiOeffnen(QWidget *owner, const QString &title, QString &folder, const QString &defaultName,
                     const QString &filter, const QString &defaultExt);
QString DateiSpeichern(QWidget *owner, const QString &title, QString &folder,
                       const QString &defaultName, const QString &filter, const QString &defaultExt);

// The platform dialog: returns the chosen file's full path, or "" on cancel or failure.
using PlattformDateiDialog = std::function<QString(const DateiDialogAnfrage &)>;
void setPlattformDateiDialog(PlattformDateiDialog dialog); // empty: QFileDialog again

} // namespace kasto
