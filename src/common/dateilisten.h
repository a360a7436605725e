#pragma once
// The drive list, folder list and file list shared by the folder chooser and the add-files
// window. Paths are shown as the platform writes them.

#include <QComboBox>
#include <QListWidget>
#include <functional>

namespace kasto {

// Drop-down list of the machine's drives: on Linux the mount points.
class DriveListBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveListBox(QWidget *parent = nullptr);

    QString drive() const;
    // Selects the drive that holds `path` (the longest matching mount point). Emits driveChanged
    // when the selection changes.
    void setDrive(const QString &path);
    // The drive that holds `path`.
    QString driveOf(const QString &path) const;

    // The drives to offer; tests replace the machine's list.
    using Provider = std::function<QStringList()>;
    static void setProvider(Provider provider);
    static QStringList drives();
    // The drive every fallback goes to ("C:" on the old platform).
    static QString fallbackDrive();
    // A drive is ready when its root can be read.
    static bool isReady(const QString &drive);

signals:
    void driveChanged(const QString &drive);
};

// Folder tree list: the folders from the root down to the open folder, then the open folder's
// subfolders. A single click highlights, a double click opens.
class DirListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit DirListBox(QWidget *parent = nullptr);

    // The open folder, without a trailing separator except for a root.
    QString path() const { return m_path; }
    // Opens `folder`; false (nothing changes) when it cannot be read. Emits Change.
    bool setPath(const QString &folder);
    // Full path of a list entry.
    QString entryPath(const QListWidgetItem *item) const;
    // Re-reads the subfolders of the open folder.
    void refresh();

signals:
    void Change(const QString &path);      // the open folder changed
    void entryClicked(const QString &path); // single click on an entry

private:
    QString m_path;
};

// File list of one folder, filtered by a pattern ("*.zip", several separated by ";"),
// with extended multiple selection.
class FileListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit FileListBox(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &folder);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);
    void refresh();
    // Names of the marked entries in list order.
    QStringList markedNames() const;
    void unmarkAll();

signals:
    void rightButtonPressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};

// A folder path as the lists show it: native separators, no trailing separator but for a root.
QString anzeigePfad(const QString &folder);

} // namespace kasto
