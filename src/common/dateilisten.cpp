#include "common/dateilisten.h"

#include "common/pfad.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QStorageInfo>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace kasto {

namespace {

DriveListBox::Provider &provider()
{
    static DriveListBox::Provider p;
    return p;
}

bool istWurzel(const QString &path)
{
    return QDir(path).isRoot() || (path.size() == 3 && path.at(1) == u':');
}

} // namespace

QString anzeigePfad(const QString &folder)
{
    QString p = QDir::toNativeSeparators(QDir::cleanPath(folder));
    if (p.size() == 2 && p.at(1) == u':')
        p += QDir::separator(); // "C:" is the drive root
    return p;
}

// ---------------------------------------------------------------- drives

DriveListBox::DriveListBox(QWidget *parent)
    : QComboBox(parent)
{
    addItems(drives());
    setDrive(QDir::currentPath());
    connect(this, &QComboBox::activated, this, [this](int) { emit driveChanged(drive()); });
}

void DriveListBox::setProvider(Provider p)
{
    provider() = std::move(p);
}

QStringList DriveListBox::drives()
{
    if (provider())
        return provider()();
    QStringList roots;
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes()) {
        if (!s.isValid())
            continue;
        const QString root = anzeigePfad(s.rootPath());
        // Kernel file systems are no drives a user would pick.
        if (root.startsWith(u"/proc"_s) || root.startsWith(u"/sys"_s) || root.startsWith(u"/dev"_s)
            || root.startsWith(u"/run"_s))
            continue;
        if (!roots.contains(root))
            roots << root;
    }
    if (!roots.contains(fallbackDrive()))
        roots << fallbackDrive();
    roots.sort();
    return roots;
}

QString DriveListBox::fallbackDrive()
{
    return QDir::rootPath();
}

bool DriveListBox::isReady(const QString &drive)
{
    const QFileInfo fi(drive);
    return fi.isDir() && fi.isReadable();
}

QString DriveListBox::drive() const
{
    return currentText();
}

QString DriveListBox::driveOf(const QString &path) const
{
    const QString p = anzeigePfad(path);
    QString best;
    for (int i = 0; i < count(); ++i) {
        const QString d = itemText(i);
        const QString prefix = mitTrenner(d);
        if ((p == d || mitTrenner(p).startsWith(prefix)) && d.size() > best.size())
            best = d;
    }
    return best;
}

void DriveListBox::setDrive(const QString &path)
{
    const QString d = driveOf(path);
    const int i = findText(d);
    if (i >= 0 && i != currentIndex()) {
        setCurrentIndex(i);
        emit driveChanged(d);
    }
}

// ---------------------------------------------------------------- folders

DirListBox::DirListBox(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit entryClicked(entryPath(item)); });
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { setPath(entryPath(item)); });
    setPath(QDir::currentPath());
}

QString DirListBox::entryPath(const QListWidgetItem *item) const
{
    return item ? item->data(Qt::UserRole).toString() : QString();
}

bool DirListBox::setPath(const QString &folder)
{
    const QFileInfo fi(folder);
    if (!fi.isDir() || !fi.isReadable())
        return false;
    const QString p = anzeigePfad(fi.absoluteFilePath());
    const bool changed = p != m_path;
    m_path = p;
    refresh();
    if (changed)
        emit Change(m_path);
    return true;
}

void DirListBox::refresh()
{
    clear();
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon opened = style()->standardIcon(QStyle::SP_DirOpenIcon);

    // The chain from the root down to the open folder.
    QStringList chain;
    QDir d(m_path);
    chain.prepend(anzeigePfad(d.absolutePath()));
    while (!d.isRoot() && d.cdUp())
        chain.prepend(anzeigePfad(d.absolutePath()));

    int depth = 0;
    for (const QString &p : chain) {
        const QString label = depth == 0 ? p : QDir(p).dirName();
        auto *item = new QListWidgetItem(opened, QString(depth * 2, u' ') + label, this);
        item->setData(Qt::UserRole, p);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QFileInfoList subs = QDir(m_path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                          QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &s : subs) {
        auto *item = new QListWidgetItem(closed, QString(depth * 2, u' ') + s.fileName(), this);
        item->setData(Qt::UserRole, anzeigePfad(s.absoluteFilePath()));
    }
}

// ---------------------------------------------------------------- files

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_path = anzeigePfad(QDir::currentPath());
    refresh();
}

void FileListBox::setPath(const QString &folder)
{
    m_path = anzeigePfad(folder);
    refresh();
}

void FileListBox::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

void FileListBox::refresh()
{
    clear();
    QStringList filters = m_pattern.split(u';', Qt::SkipEmptyParts);
    for (QString &f : filters) {
        f = f.trimmed();
        if (f == u"*.*"_s)
            f = u"*"_s; // every file, with or without a dot
    }
    QDir dir(m_path);
    dir.setNameFilters(filters);
    dir.setFilter(QDir::Files); // hidden (system) files stay out, as in any file list
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    addItems(dir.entryList());
}

QStringList FileListBox::markedNames() const
{
    QStringList names;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            names << item(i)->text();
    }
    return names;
}

void FileListBox::unmarkAll()
{
    clearSelection();
}

void FileListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        emit rightButtonPressed();
        return;
    }
    QListWidget::mousePressEvent(event);
}

} // namespace kasto
