#include "common/stddialoge.h"

#include "common/pfad.h"

#include <QDir>
#include <QFileDialog>

using namespace Qt::StringLiterals;

namespace kasto {

namespace {

PlattformDateiDialog &plattform()
{
    static PlattformDateiDialog d;
    return d;
}

QString qtDateiDialog(const DateiDialogAnfrage &a)
{
    QFileDialog dlg(a.owner, a.title, a.folder);
    // The label is shown exactly as the caller wrote it; Qt reads the pattern from the
    // bracket we append and hides it again.
    QStringList nameFilters;
    for (const auto &[label, pattern] : a.filters)
        nameFilters << u"%1 (%2)"_s.arg(label, QString(pattern).replace(u';', u' '));
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty())
        dlg.selectNameFilter(nameFilters.value(a.selectedFilter - 1));
    if (a.mode == DialogMode::Oeffnen) {
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
    } else {
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
    }
    // A wildcard "extension" such as "*.*" means none.
    if (!a.defaultExt.isEmpty() && !a.defaultExt.contains(u'*') && !a.defaultExt.contains(u'?'))
        dlg.setDefaultSuffix(a.defaultExt.startsWith(u'.') ? a.defaultExt.mid(1) : a.defaultExt);
    if (!a.defaultName.isEmpty())
        dlg.selectFile(a.defaultName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dlg.selectedFiles().constFirst());
}

} // namespace

QList<QPair<QString, QString>> filterPaare(const QString &filter)
{
    // Like the platform list: the text ends with an empty pair, and a pair with an empty label
    // ends the list.
    const QStringList parts = (filter + u"||"_s).split(u'|');
    QList<QPair<QString, QString>> pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts.at(i).isEmpty())
            break;
        pairs.append({parts.at(i), parts.at(i + 1)});
    }
    return pairs;
}

QString DateiDialog(QWidget *owner, const QString &title, QString &folder, const QString &defaultName,
                    const QString &filter, const QString &defaultExt, DialogMode mode)
{
    DateiDialogAnfrage a;
    a.owner = owner;
    a.title = title;
    a.folder = folder;
    a.defaultName = defaultName;
    a.filters = filterPaare(filter);
    a.selectedFilter = 1;
    a.defaultExt = defaultExt;
    a.mode = mode;

    const QString path = plattform() ? plattform()(a) : qtDateiDialog(a);
    if (path.isEmpty())
        return QString();

    const QString name = DateiName(path);
    if (name.isEmpty())
        return QString(); // a folder is no file choice
    folder = path.left(path.size() - name.size());
    // The chosen folder becomes the current one: the callers reopen there next time.
    QDir::setCurrent(folder);
    return name;
}

QString DateiOeffnen(QWidget *owner, const QString &title, QString &folder, const QString &defaultName,
                     const QString &filter, const QString &defaultExt)
{
    return DateiDialog(owner, title, folder, defaultName, filter, defaultExt, DialogMode::Oeffnen);
}

QString DateiSpeichern(QWidget *owner, const QString &title, QString &folder,
                       const QString &defaultName, const QString &filter, const QString &defaultExt)
{
    return DateiDialog(owner, title, folder, defaultName, filter, defaultExt, DialogMode::Speichern);
}

void setPlattformDateiDialog(PlattformDateiDialog dialog)
{
    plattform() = std::move(dialog);
}

} // namespace kasto
