#include "common/dateilisten.h"
#include "common/fragedialoge.h"
#include "common/shared.h"
#include "create/frmzip.h"
#include "engine/zipcomponent.h"
#include "gui/scriptedui.h"
#include "main/frmentfernen.h"
#include "main/frmunzip.h"
#include "testutil.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString kFertig = u"            *** fertig ***"_s;

// Stored names of an archive, as Info-ZIP's unzip sees them.
QStringList stored(const QString &zip)
{
    const auto r = testutil::run(u"unzip"_s, {u"-Z1"_s, zip});
    QStringList names = QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts);
    names.sort();
    return names;
}

void mark(kasto::FileListBox *list, const QStringList &names)
{
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setSelected(names.contains(list->item(i)->text()));
}

void tick(QTreeWidget *list, const QStringList &names)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = list->topLevelItem(i);
        row->setCheckState(0, names.contains(frmUnzip::eintragName(row)) ? Qt::Checked : Qt::Unchecked);
    }
}

QStringList rows(QTreeWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names << frmUnzip::eintragName(list->topLevelItem(i));
    names.sort();
    return names;
}

} // namespace

class tst_ArchivBearbeiten : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_src;

    QString dir(const QString &name)
    {
        const QString d = m_tmp.filePath(name);
        QDir(d).removeRecursively();
        QDir().mkpath(d);
        return d;
    }

    // Names a new archive through "Neu" as a user would. True when the window stayed open
    // after "OK".
    bool neuesArchiv(frmUnzip &w, ScriptedUi &ui, const QString &folder, const QString &typed)
    {
        bool stayedOpen = false;
        ui.onModal = [&](QDialog *d) {
            auto *z = qobject_cast<frmZip *>(d);
            if (!z)
                return int(QDialog::Rejected);
            z->show();
            z->Dir1->setPath(folder);
            z->Text1->setText(typed);
            z->Command4->click();
            stayedOpen = z->isVisible();
            z->hide();
            return stayedOpen ? int(QDialog::Rejected) : int(QDialog::Accepted);
        };
        w.Command5->click();
        return stayedOpen;
    }

    // "Hinzufügen": `act` runs inside the shown window.
    void hinzufuegen(frmUnzip &w, ScriptedUi &ui, const std::function<void(frmZip *)> &act)
    {
        ui.onModal = [&, act](QDialog *d) {
            if (auto *z = qobject_cast<frmZip *>(d)) {
                z->show();
                z->Dir1->setPath(m_src);
                act(z);
                z->hide();
            } else if (auto *p = qobject_cast<kasto::SchreibPasswortDialog *>(d)) {
                p->Passwort->setText(u"geheim"_s);
                p->Wiederholung->setText(u"geheim"_s);
                p->accept();
            }
            return d->result();
        };
        w.Command4->setEnabled(true);
        w.Command4->click();
    }

    // Opens `zip` in the main window.
    void oeffnen(frmUnzip &w, ScriptedUi &ui, const QString &zip)
    {
        ui.fileAnswers << zip;
        w.Command6->click();
    }

    // "Entfernen" with a choice in the remove window (-1: its close box).
    void entfernen(frmUnzip &w, ScriptedUi &ui, int mode, const QString &pattern = QString())
    {
        ui.onModal = [=](QDialog *d) {
            auto *e = qobject_cast<frmEntfernen *>(d);
            if (!e)
                return int(QDialog::Rejected);
            e->show();
            if (!pattern.isNull())
                e->Text1->setText(pattern);
            if (mode < 0)
                e->close();
            else
                e->Command2[mode]->click();
            return int(QDialog::Accepted);
        };
        w.Command3->click();
    }

    QString fuenfer()
    {
        const QString d = dir(u"fuenf"_s);
        for (const char *n : {"a.txt", "b.bmp", "c.txt", "d.bmp", "e.txt"})
            testutil::writeFile(d + u'/' + QString::fromLatin1(n), QByteArray(n) + QByteArray(300, 'z'));
        const QString zip = m_tmp.filePath(u"fuenf.zip"_s);
        QFile::remove(zip);
        testutil::run(u"zip"_s, {u"-q"_s, u"-X"_s, zip, u"a.txt"_s, u"b.bmp"_s, u"c.txt"_s, u"d.bmp"_s, u"e.txt"_s},
                      d);
        return zip;
    }

private slots:
    void initTestCase()
    {
        if (!testutil::haveProgram(u"zip"_s) || !testutil::haveProgram(u"unzip"_s))
            QSKIP("Info-ZIP zip and unzip are needed to build and read the test archives");
        QVERIFY(m_tmp.isValid());
        m_src = m_tmp.filePath(u"quelle"_s);
        QVERIFY(testutil::writeFile(m_src + u"/a.txt"_s, "alpha"));
        QVERIFY(testutil::writeFile(m_src + u"/b.bmp"_s, QByteArray(4000, 'b')));
        QVERIFY(testutil::writeFile(m_src + u"/c.bmp"_s, testutil::randomBytes(2000, 3)));
        QVERIFY(testutil::writeFile(m_src + u"/.versteckt"_s, "system"));
        QVERIFY(testutil::writeFile(m_src + u"/unter/d.txt"_s, "delta"));
    }

    void init()
    {
        kasto::ArchivPfad.clear();
    }

    void newArchiveName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("file");
        QTest::newRow("two dots") << u"bericht.alt.zip"_s << u"bericht.alt.zip"_s;
        QTest::newRow("no dot") << u"bericht"_s << u"bericht.zip"_s;
        QTest::newRow("other extension") << u"bericht.txt"_s << u"bericht.zip"_s;
        QTest::newRow("folder part, no dot") << u"sub\\bericht"_s << u"sub\\bericht.zip"_s;
    }

    void newArchiveName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, file);
        const QString folder = dir(u"neu"_s);
        ScriptedUi ui;
        frmUnzip w;
        QVERIFY(!neuesArchiv(w, ui, folder, typed));
        QCOMPARE(ui.modalShown, QStringList{u"frmZip"_s});
        QCOMPARE(kasto::ArchivPfad, folder + u'/' + file);
        QCOMPARE(w.windowTitle(), u"Neues Archiv: "_s + kasto::ArchivPfad);
        QCOMPARE(frmZip::instance()->VFzip1->ZipFile(), kasto::ArchivPfad);
        for (QToolButton *b : {w.Command1, w.Command2, w.Command3, w.Command4})
            QVERIFY(b->isEnabled());
        QVERIFY(!w.Command9->isEnabled());
        QVERIFY(!QFile::exists(kasto::ArchivPfad)); // created by the first files added
        QCOMPARE(frmZip::instance()->windowTitle(), u"Name und Pfad für das neue Archiv wählen."_s);
    }

    void overwriteQuestion()
    {
        const QString folder = dir(u"ueber"_s);
        QVERIFY(testutil::writeFile(folder + u"/alt.zip"_s, "bestehend"));
        ScriptedUi ui;
        frmUnzip w;
        kasto::ArchivPfad = u"/vorher/offen.zip"_s;

        ui.boxAnswers << kasto::ui::Answer::No;
        QVERIFY(neuesArchiv(w, ui, folder, u"alt"_s)); // "Nein" keeps the window open
        QCOMPARE(ui.boxes.size(), 1);
        QVERIFY(ui.boxes.first().text.startsWith(u"Ein Archiv mit Namen alt.zip existiert bereit"_s));
        QCOMPARE(ui.boxes.first().buttons, kasto::ui::Buttons::YesNo);
        QCOMPARE(ui.boxes.first().title, u"Kasto"_s);
        QVERIFY(QFile::exists(folder + u"/alt.zip"_s));
        QCOMPARE(kasto::ArchivPfad, u"/vorher/offen.zip"_s);

        ui.boxAnswers << kasto::ui::Answer::Yes;
        QVERIFY(!neuesArchiv(w, ui, folder, u"alt"_s));
        QVERIFY(!QFile::exists(folder + u"/alt.zip"_s));
        QCOMPARE(kasto::ArchivPfad, folder + u"/alt.zip"_s);
    }

    void zipNameClick()
    {
        const QString folder = dir(u"klick"_s);
        QVERIFY(testutil::writeFile(folder + u"/Archiv.ZIP"_s, "x"));
        frmUnzip w;
        frmZip *z = frmZip::instance();
        z->vorbereiten(frmZip::Modus::NeuesArchiv);
        z->Dir1->setPath(folder);
        QCOMPARE(z->File1->count(), 1);
        z->File1->setCurrentRow(0);
        emit z->File1->itemClicked(z->File1->item(0));
        QCOMPARE(z->Text1->text(), u"Archiv"_s);
    }

    void addMarked()
    {
        const QString folder = dir(u"add1"_s);
        ScriptedUi ui;
        frmUnzip w;
        neuesArchiv(w, ui, folder, u"markiert"_s);
        const QString zip = kasto::ArchivPfad;

        // Nothing marked: a message, the window stays open, nothing is written.
        bool openAfter = false;
        hinzufuegen(w, ui, [&](frmZip *z) {
            z->Command3[0]->click();
            openAfter = z->isVisible();
        });
        QVERIFY(openAfter);
        QCOMPARE(ui.boxes.last().text, u"Es sind noch keine Dateien ausgewählt !"_s);
        QCOMPARE(ui.boxes.last().title, u"Kasto-Nachricht"_s);
        QVERIFY(!QFile::exists(zip));

        hinzufuegen(w, ui, [&](frmZip *z) {
            z->Check1->setChecked(false);
            mark(z->File1, {u"a.txt"_s, u"c.bmp"_s});
            z->Command3[0]->click();
        });
        QCOMPARE(stored(zip), (QStringList{u"a.txt"_s, u"c.bmp"_s}));
        QCOMPARE(w.ListView1->topLevelItemCount(), 2);
        QCOMPARE(w.windowTitle(), zip + u" -> 2 Dateie(n)"_s);
        QVERIFY(w.Command9->isEnabled());
        QVERIFY(frmZip::instance()->Label1->text().endsWith(QString(29, u' ') + u"*** fertig ***"_s));
    }

    void addAll_data()
    {
        QTest::addColumn<bool>("subfolders");
        QTest::addColumn<bool>("paths");
        QTest::addColumn<QStringList>("names");
        const QString p = QString(m_src).mid(1) + u'/'; // stored without the root
        QTest::newRow("flat, bare names") << false << false
                                          << QStringList{u"a.txt"_s, u"b.bmp"_s, u"c.bmp"_s};
        QTest::newRow("subfolders, bare names")
            << true << false << QStringList{u"a.txt"_s, u"b.bmp"_s, u"c.bmp"_s, u"d.txt"_s};
        QTest::newRow("subfolders, paths")
            << true << true
            << QStringList{p + u"a.txt"_s, p + u"b.bmp"_s, p + u"c.bmp"_s, p + u"unter/d.txt"_s};
    }

    void addAll()
    {
        QFETCH(bool, subfolders);
        QFETCH(bool, paths);
        QFETCH(QStringList, names);
        const QString folder = dir(u"add2"_s);
        ScriptedUi ui;
        frmUnzip w;
        neuesArchiv(w, ui, folder, u"alle"_s);
        hinzufuegen(w, ui, [&](frmZip *z) {
            z->Check1->setChecked(paths);
            z->Check2->setChecked(subfolders);
            z->Command3[1]->click();
        });
        // Hidden files count as system files and stay out.
        QCOMPARE(stored(kasto::ArchivPfad), names);
        QCOMPARE(w.windowTitle(), kasto::ArchivPfad + u" -> "_s + QString::number(names.size()) + u" Dateie(n)"_s);
        QCOMPARE(frmZip::instance()->Label1->text(), QString(29, u' ') + u"*** fertig ***"_s);
    }

    void addPatternAndSettingsCarryOver()
    {
        const QString folder = dir(u"add3"_s);
        ScriptedUi ui;
        frmUnzip w;
        neuesArchiv(w, ui, folder, u"muster"_s);
        hinzufuegen(w, ui, [&](frmZip *z) {
            QCOMPARE(z->Text2->text(), u"*.bmp"_s);
            QVERIFY(z->Check1->isChecked());
            z->Check1->setChecked(false);
            z->Text2->setText(u"  *.BMP "_s);
            z->Command3[2]->click();
        });
        QCOMPARE(stored(kasto::ArchivPfad), (QStringList{u"b.bmp"_s, u"c.bmp"_s}));
        // The window was only hidden: its settings are still there.
        hinzufuegen(w, ui, [&](frmZip *z) {
            QCOMPARE(z->Text2->text(), u"  *.BMP "_s);
            QVERIFY(!z->Check1->isChecked());
        });
    }

    void addWithPassword()
    {
        if (!testutil::haveProgram(u"7zz"_s))
            QSKIP("7zz is needed to check the encrypted archive");
        const QString folder = dir(u"add4"_s);
        ScriptedUi ui;
        frmUnzip w;
        neuesArchiv(w, ui, folder, u"geheim"_s);
        hinzufuegen(w, ui, [&](frmZip *z) {
            z->Check1->setChecked(false);
            z->Check4->setChecked(true);
            mark(z->File1, {u"a.txt"_s, u"b.bmp"_s, u"c.bmp"_s});
            z->Command3[0]->click();
        });
        // Asked once for all marked files, not once per file.
        QCOMPARE(ui.modalShown.count(u"SchreibPasswortDialog"_s), 1);
        const QString zip = kasto::ArchivPfad;
        QCOMPARE(testutil::run(u"7zz"_s, {u"t"_s, u"-pgeheim"_s, zip}).exitCode, 0);
        QVERIFY(testutil::run(u"7zz"_s, {u"t"_s, u"-pfalsch"_s, zip}).exitCode != 0);
    }

    void removeMarkedBottomUp()
    {
        const QString zip = fuenfer();
        ScriptedUi ui;
        frmUnzip w;
        oeffnen(w, ui, zip);
        QCOMPARE(w.ListView1->topLevelItemCount(), 5);
        tick(w.ListView1, {u"a.txt"_s, u"c.txt"_s, u"e.txt"_s});
        QStringList order;
        connect(frmZip::instance()->VFzip1, &ZipComponent::ProgressText, this, [&order](const QString &t) {
            if (t.startsWith(u"deleting: "_s))
                order << t.mid(10);
        });
        entfernen(w, ui, 0);
        // The list shows e, d, c, b, a from the top; removal starts at the bottom.
        QCOMPARE(order, (QStringList{u"a.txt"_s, u"c.txt"_s, u"e.txt"_s}));
        QCOMPARE(rows(w.ListView1), (QStringList{u"b.bmp"_s, u"d.bmp"_s}));
        QCOMPARE(stored(zip), (QStringList{u"b.bmp"_s, u"d.bmp"_s}));
        QCOMPARE(w.windowTitle(), zip + u" -> 2 Dateie(n)"_s);
        QVERIFY(w.statusText().endsWith(kFertig));
        QVERIFY(w.Command6->isEnabled() && w.Command1->isEnabled());
    }

    void removeEveryRow_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("all ticked") << 0;
        QTest::newRow("*.* with Ja") << 1;
    }

    void removeEveryRow()
    {
        QFETCH(int, mode);
        const QString zip = fuenfer();
        ScriptedUi ui;
        frmUnzip w;
        oeffnen(w, ui, zip);
        tick(w.ListView1, rows(w.ListView1));
        entfernen(w, ui, mode);
        if (mode == 1)
            QCOMPARE(ui.boxes.last().text, u"Sollen wirklich alle Dateien des Archivs "_s + zip + u" gelöscht werden ?"_s);
        QVERIFY(!QFile::exists(zip));
        QCOMPARE(w.ListView1->topLevelItemCount(), 0);
        QCOMPARE(w.statusText(),
                 u"Alle Dateien des Archivs "_s + zip + u" wurden entfernt. Das Archiv wurde gelöscht."_s);
        QCOMPARE(w.windowTitle(), u"KASTO - PackProgramm"_s + QString(78, u' ') + u"-wexlon-"_s);
        QCOMPARE(kasto::ArchivPfad, QString());
        QVERIFY(w.Command5->isEnabled() && w.Command6->isEnabled());
        for (QToolButton *b : {w.Command4, w.Command3, w.Command1, w.Command2, w.Command9})
            QVERIFY(!b->isEnabled());
    }

    void removePattern()
    {
        const QString zip = fuenfer();
        ScriptedUi ui;
        frmUnzip w;
        oeffnen(w, ui, zip);
        entfernen(w, ui, 2, u"  *.bmp "_s);
        QCOMPARE(ui.boxes.last().text,
                 u"Sollen wirklich alle Dateien mit der Dateiendung: *.bmp aus dem Archiv gelöscht werden ?"_s);
        QCOMPARE(ui.boxes.last().title, u"Kasto Kontrollabfrage"_s);
        QCOMPARE(ui.boxes.last().icon, kasto::ui::Icon::Question);
        QCOMPARE(stored(zip), (QStringList{u"a.txt"_s, u"c.txt"_s, u"e.txt"_s}));
        QCOMPARE(rows(w.ListView1), (QStringList{u"a.txt"_s, u"c.txt"_s, u"e.txt"_s}));
        QCOMPARE(w.windowTitle(), zip + u" -> 3 Dateie(n)"_s);
        // The window was only hidden: the pattern is offered again next time.
        QString offered;
        ui.boxAnswers << kasto::ui::Answer::No;
        ui.onModal = [&offered](QDialog *d) {
            auto *e = qobject_cast<frmEntfernen *>(d);
            offered = e->Text1->text();
            e->Command2[2]->click();
            return int(QDialog::Accepted);
        };
        w.Command3->click();
        QCOMPARE(offered, u"  *.bmp "_s);
    }

    void answeredNo()
    {
        const QString zip = fuenfer();
        ScriptedUi ui;
        frmUnzip w;
        oeffnen(w, ui, zip);
        ui.boxAnswers << kasto::ui::Answer::No;
        entfernen(w, ui, 1);
        QCOMPARE(w.statusText(), u"Es wurden keine Dateien entfernt. "_s + kFertig);
        QCOMPARE(w.windowTitle(), zip + u" -> 5 Dateie(n)"_s);
        QCOMPARE(stored(zip).size(), 5);
    }

    void noneTickedAndCloseBox()
    {
        const QString zip = fuenfer();
        ScriptedUi ui;
        frmUnzip w;
        oeffnen(w, ui, zip);
        entfernen(w, ui, 0);
        QCOMPARE(ui.boxes.last().text, u"Es sind keine Dateien zum Entfernen ausgewählt !"_s);
        QCOMPARE(w.statusText(), QString());
        QVERIFY(w.Command1->isEnabled());

        // The close box: no choice, nothing removed, the pattern is gone with the window.
        frmEntfernen::instance()->Text1->setText(u"*.txt"_s);
        tick(w.ListView1, {u"a.txt"_s});
        entfernen(w, ui, -1);
        QCOMPARE(stored(zip).size(), 5);
        QVERIFY(w.statusText().endsWith(kFertig));
        QTRY_COMPARE(frmEntfernen::instance()->Text1->text(), u"*.bmp"_s);
    }

    void emptyListNothingRemoved()
    {
        // A file that lists no entries: nothing removed, the file is kept.
        const QString bad = m_tmp.filePath(u"leer.zip"_s);
        QVERIFY(testutil::writeFile(bad, "kein Archiv"));
        ScriptedUi ui;
        frmUnzip w;
        oeffnen(w, ui, bad);
        ui.boxAnswers << kasto::ui::Answer::No;
        entfernen(w, ui, 1);
        QVERIFY(QFile::exists(bad));
        QCOMPARE(kasto::ArchivPfad, bad);
        QCOMPARE(w.statusText(), u"Es wurden keine Dateien entfernt. "_s);
        QVERIFY(w.Command6->isEnabled() && w.Command5->isEnabled());
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(tst_ArchivBearbeiten)
#include "tst_archivbearbeiten.moc"
