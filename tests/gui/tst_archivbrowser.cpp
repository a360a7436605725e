#include "common/fragedialoge.h"
#include "common/shared.h"
#include "engine/statustexte.h"
#include "engine/unzipcomponent.h"
#include "gui/scriptedui.h"
#include "main/form2.h"
#include "main/frmunzip.h"
#include "sfx/sfxkonvert.h"
#include "testutil.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString kFertig = u"            *** fertig ***"_s;

QStringList column(QTreeWidget *list, int col)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(col);
    return texts;
}

void tick(QTreeWidget *list, const QString &name)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(0) == name)
            list->topLevelItem(i)->setCheckState(0, Qt::Checked);
    }
}

// Answers Form2 with `folder` ("" = Abbrechen), the password dialog with `password`, and the
// overwrite question with `overwrite`.
void answerDialogs(ScriptedUi &ui, const QString &folder, const QString &password = QString(),
                   kasto::engine::Ueberschreiben overwrite = kasto::engine::Ueberschreiben::Nein)
{
    ui.onModal = [=](QDialog *d) {
        if (auto *f = qobject_cast<Form2 *>(d)) {
            if (folder.isEmpty()) {
                f->Command2->click();
            } else {
                f->Text1->setText(folder);
                f->Command1->click();
            }
        } else if (auto *p = qobject_cast<kasto::LesePasswortDialog *>(d)) {
            p->Passwort->setText(password);
            p->accept();
        } else if (auto *u = qobject_cast<kasto::UeberschreibenDialog *>(d)) {
            using A = kasto::engine::Ueberschreiben;
            (overwrite == A::Ja ? u->Ja : overwrite == A::JaAlle ? u->JaAlle
                                      : overwrite == A::Nein ? u->Nein : u->NeinKeine)->click();
        }
        return d->result();
    };
}

} // namespace

class tst_ArchivBrowser : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_zip;    // a.txt, b.txt, sub/c.txt in this order
    QString m_src;

    QString makeZip(const QString &name, const QStringList &args)
    {
        const QString path = m_tmp.filePath(name);
        QFile::remove(path);
        const auto r = testutil::run(u"zip"_s, QStringList{u"-q"_s, u"-X"_s} << args, m_src);
        Q_UNUSED(r);
        return path;
    }

    void open(frmUnzip &w, ScriptedUi &ui, const QString &path, bool viaButton = true)
    {
        ui.fileAnswers << path;
        if (viaButton)
            w.Command6->click();
        else
            w.open->trigger();
    }

private slots:
    void initTestCase()
    {
        if (!testutil::haveProgram(u"zip"_s))
            QSKIP("Info-ZIP zip is not installed: these tests build their archives with it");
        QVERIFY(m_tmp.isValid());
        m_src = m_tmp.filePath(u"src"_s);
        QVERIFY(testutil::writeFile(m_src + u"/a.txt"_s, "alpha\n"));
        QVERIFY(testutil::writeFile(m_src + u"/b.txt"_s, QByteArray(5000, 'b')));
        QVERIFY(testutil::writeFile(m_src + u"/sub/c.txt"_s, testutil::randomBytes(3000, 7)));
        m_zip = m_tmp.filePath(u"abc.zip"_s);
        const auto r = testutil::run(u"zip"_s, {u"-q"_s, u"-X"_s, m_zip, u"a.txt"_s, u"b.txt"_s, u"sub/c.txt"_s},
                                     m_src);
        QCOMPARE(r.exitCode, 0);
    }

    void init()
    {
        kasto::ArchivPfad.clear();
        kasto::UnzipOrdner.clear();
    }

    void rowTexts_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("date");
        QTest::newRow("99") << 99 << u"05.03.1999  14:07"_s;
        QTest::newRow("80") << 80 << u"05.03.1980  14:07"_s;
        QTest::newRow("79") << 79 << u"05.03.2079  14:07"_s;
        QTest::newRow("4") << 4 << u"05.03.2004  14:07"_s;
        QTest::newRow("0") << 0 << u"05.03.2000  14:07"_s;
    }

    void rowTexts()
    {
        QFETCH(int, year);
        QFETCH(QString, date);
        QCOMPARE(frmUnzip::datumText(5, 3, year, 14, 7), date);
    }

    void sizeAndRatioTexts()
    {
        QCOMPARE(frmUnzip::groesseText(0), QString(9, u' ') + u"0"_s);
        QCOMPARE(frmUnzip::groesseText(1234), u"      1234"_s);
        QCOMPARE(frmUnzip::groesseText(12345678901LL), u"12345678901"_s); // longer: in full
        QCOMPARE(frmUnzip::ratioText(5), u"  5%"_s);
        QCOMPARE(frmUnzip::ratioText(45), u" 45%"_s);
        QCOMPARE(frmUnzip::ratioText(100), u"100%"_s);
    }

    void openFromButton()
    {
        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, m_zip);
        QCOMPARE(ui.fileRequests.size(), 1);
        const auto &req = ui.fileRequests.first();
        QCOMPARE(req.title, u"ZIP-Archiv öffnen "_s);
        QCOMPARE(req.filters.first().first, u"ZIP-Archive (*.zip)"_s);
        QCOMPARE(req.filters.at(1).first, u" Alle Dateien (*.*)"_s);

        QCOMPARE(kasto::ArchivPfad, m_zip);
        // Reported a, b, c: shown c, b, a.
        QCOMPARE(column(w.ListView1, 0), (QStringList{u"c.txt"_s, u"b.txt"_s, u"a.txt"_s}));
        QCOMPARE(column(w.ListView1, 5), (QStringList{u"sub/"_s, QString(), QString()}));
        QCOMPARE(w.ListView1->topLevelItem(1)->text(2), u"      5000"_s);
        QCOMPARE(w.statusText(), u"Archiv geladen."_s);
        QCOMPARE(w.windowTitle(), m_zip + u" -> 3 Dateie(n)"_s);
        for (QToolButton *b : {w.Command1, w.Command2, w.Command3, w.Command4, w.Command9})
            QVERIFY(b->isEnabled());
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    }

    void openFromMenuAndCancel()
    {
        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, m_zip, false);
        QCOMPARE(w.windowTitle(), u"Archiv: "_s + m_zip);

        // Cancel from the button: list and path stay, the caption is rebuilt from them.
        w.setStatusText(u"vorher"_s);
        open(w, ui, QString());
        QCOMPARE(kasto::ArchivPfad, m_zip);
        QCOMPARE(w.ListView1->topLevelItemCount(), 3);
        QCOMPARE(w.windowTitle(), m_zip + u" -> 3 Dateie(n)"_s);
        QCOMPARE(w.statusText(), u"vorher"_s);
    }

    void sfxArchive()
    {
        // Leading bytes before the first entry, as a self-extractor has them.
        const QString sfx = m_tmp.filePath(u"sfx.exe"_s);
        QVERIFY(testutil::writeFile(sfx, QByteArray(12345, 'M') + testutil::readFile(m_zip)));
        ScriptedUi ui;
        frmUnzip w;
        QString last;
        connect(w.VFunzip1, &UnzipComponent::StatusText, this, [&last](const QString &t) { last = t; });
        open(w, ui, sfx);
        QVERIFY(last.contains(u"extra bytes"_s));
        QVERIFY(last.mid(41, 51).contains(u"12345"_s));
        QCOMPARE(w.statusText(), last.mid(41, 51) + u", SFX-Archiv"_s);
        QCOMPARE(w.ListView1->topLevelItemCount(), 3);
    }

    void kastoSfxListsAndExtracts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Windows stub") << u"selbst.exe"_s;
        QTest::newRow("Linux stub") << u"selbst.run"_s;
    }

    void kastoSfxListsAndExtracts()
    {
        QFETCH(QString, name);
        const QString sfx = m_tmp.filePath(name);
        QVERIFY(kasto::ZipNachSfx(m_zip, sfx).ok);
        const qint64 stub = kasto::sfxStubLaenge(sfx);
        QVERIFY(stub > 0);

        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, sfx);
        QCOMPARE(w.ListView1->topLevelItemCount(), 3);
        QVERIFY(w.statusText().endsWith(u", SFX-Archiv"_s));
        QVERIFY2(w.statusText().contains(QString::number(stub)), qPrintable(w.statusText()));

        QTemporaryDir target;
        answerDialogs(ui, target.path());
        w.Command2->click();
        QCOMPARE(testutil::readFile(target.filePath(u"sub/c.txt"_s)), testutil::randomBytes(3000, 7));
        QCOMPARE(testutil::readFile(target.filePath(u"a.txt"_s)), QByteArray("alpha\n"));
    }

    void notAZip()
    {
        const QString bad = m_tmp.filePath(u"kein.zip"_s);
        QVERIFY(testutil::writeFile(bad, "das ist kein Archiv"));
        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, bad);
        QCOMPARE(w.ListView1->topLevelItemCount(), 0);
        QVERIFY(w.statusText().contains(u"kein.zip"_s));
        QVERIFY(!w.statusText().startsWith(u"Lade"_s));
        QVERIFY(w.Command9->isEnabled()); // the buttons follow the choice, not the result
    }

    void sorting()
    {
        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, m_zip);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QHeaderView *header = w.ListView1->header();
        const auto click = [&](int col) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(col) + 10, header->height() / 2));
        };
        const auto arrows = [&] {
            QList<bool> has;
            for (int i = 0; i < 6; ++i)
                has << !w.ListView1->headerItem()->icon(i).isNull();
            return has;
        };

        click(0); // "Name": descending, down arrow
        QCOMPARE(column(w.ListView1, 0), (QStringList{u"c.txt"_s, u"b.txt"_s, u"a.txt"_s}));
        QCOMPARE(w.sortOrder(), Qt::DescendingOrder);
        QCOMPARE(arrows(), (QList<bool>{true, false, false, false, false, false}));

        click(0); // again: ascending, up arrow
        QCOMPARE(column(w.ListView1, 0), (QStringList{u"a.txt"_s, u"b.txt"_s, u"c.txt"_s}));
        QCOMPARE(w.sortOrder(), Qt::AscendingOrder);

        click(5); // "Pfad": the order flips again, the arrow moves
        QCOMPARE(w.sortColumn(), 5);
        QCOMPARE(w.sortOrder(), Qt::DescendingOrder);
        QCOMPARE(column(w.ListView1, 5).first(), u"sub/"_s);
        QCOMPARE(arrows(), (QList<bool>{false, false, false, false, false, true}));

        click(1); // "Datum/Zeit": nothing
        QCOMPARE(w.sortColumn(), 5);
        QCOMPARE(w.sortOrder(), Qt::DescendingOrder);
        QCOMPARE(arrows(), (QList<bool>{false, false, false, false, false, true}));

        click(2); // ascending now; sizes sort by their padded text, which is their numeric order
        QCOMPARE(column(w.ListView1, 0), (QStringList{u"a.txt"_s, u"c.txt"_s, u"b.txt"_s}));

        // Listing again while sorted (as after adding or removing): each row takes its sorted place.
        w.ListView1->clear();
        w.VFunzip1->ListArchive();
        QCOMPARE(column(w.ListView1, 0), (QStringList{u"a.txt"_s, u"c.txt"_s, u"b.txt"_s}));

        // Opening switches sorting off: rows come in reversed again.
        open(w, ui, m_zip);
        QVERIFY(!w.isSorted());
        QCOMPARE(column(w.ListView1, 0), (QStringList{u"c.txt"_s, u"b.txt"_s, u"a.txt"_s}));
    }

    void listHint()
    {
        frmUnzip w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton);
        QCOMPARE(w.ListView1->toolTip(), u"Rechter MausClick öffnet ein KontextMenü"_s);
        QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton);
        QCOMPARE(w.ListView1->toolTip(), QString());
        QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton);
        QCOMPARE(w.ListView1->toolTip(), QString());
    }

    void progressEvents()
    {
        ScriptedUi ui;
        frmUnzip w;
        emit w.VFunzip1->Progress(0, 0, QString()); // total 0: ignored, no message
        QCOMPARE(w.ProgressBar1->maximum(), 100);
        emit w.VFunzip1->Progress(0, 50, QString());
        QCOMPARE(w.ProgressBar1->maximum(), 50);
        emit w.VFunzip1->Progress(20, 50, QString());
        QCOMPARE(w.ProgressBar1->value(), 20);
        emit w.VFunzip1->Progress(60, 50, QString()); // above the maximum: left as it was
        QCOMPARE(w.ProgressBar1->value(), 20);
        emit w.VFunzip1->Progress(0, 6'000'000'000LL, QString()); // beyond int: scaled
        emit w.VFunzip1->Progress(3'000'000'000LL, 6'000'000'000LL, QString());
        QCOMPARE(w.ProgressBar1->value() * 2, w.ProgressBar1->maximum());
        QVERIFY(ui.boxes.isEmpty());
    }

    void extractMarked()
    {
        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, m_zip);
        for (const QString &n : {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s})
            tick(w.ListView1, n);
        // A highlighted row without a tick does not count.
        QTemporaryDir target;
        answerDialogs(ui, u"  "_s + target.path() + u" "_s);
        QStringList calls;
        connect(w.VFunzip1, &UnzipComponent::StatusText, this, [&calls](const QString &t) {
            if (t.startsWith(kasto::engine::texte::entpacke(QString()).left(8)))
                calls << t;
        });
        w.Command1->click();
        QCOMPARE(ui.modalShown, QStringList{u"Form2"_s});
        QCOMPARE(calls, (QStringList{kasto::engine::texte::entpacke(u"sub/c.txt"_s),
                                     kasto::engine::texte::entpacke(u"b.txt"_s),
                                     kasto::engine::texte::entpacke(u"a.txt"_s)}));
        QCOMPARE(testutil::readFile(target.filePath(u"a.txt"_s)), QByteArray("alpha\n"));
        QCOMPARE(testutil::readFile(target.filePath(u"b.txt"_s)), QByteArray(5000, 'b'));
        QCOMPARE(testutil::readFile(target.filePath(u"sub/c.txt"_s)), testutil::randomBytes(3000, 7));
        QVERIFY(w.statusText().endsWith(kFertig));
        QVERIFY(w.Command2->isEnabled() && w.Command6->isEnabled());
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    }

    void extractAllIgnoresTicks()
    {
        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, m_zip);
        tick(w.ListView1, u"a.txt"_s);
        QTemporaryDir target;
        answerDialogs(ui, target.path());
        w.Command2->click();
        QVERIFY(QFile::exists(target.filePath(u"b.txt"_s)));
        QVERIFY(QFile::exists(target.filePath(u"sub/c.txt"_s)));
        QCOMPARE(w.ProgressBar1->value(), 0);
        QVERIFY(w.statusText().endsWith(kFertig));
    }

    void cancelInForm2()
    {
        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, m_zip);
        tick(w.ListView1, u"a.txt"_s);
        answerDialogs(ui, QString());
        w.setStatusText(u"unverändert"_s);
        w.Command1->click();
        QCOMPARE(ui.modalShown, QStringList{u"Form2"_s});
        QCOMPARE(w.statusText(), u"unverändert"_s);
        for (QToolButton *b : {w.Command3, w.Command2, w.Command4, w.Command5, w.Command6, w.Command9})
            QVERIFY(b->isEnabled());
    }

    void nothingMarked_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("message");
        QTest::newRow("Unzip") << 0 << u"Es sind keine Dateien zum Entpacken ausgewählt !"_s;
        QTest::newRow("popup unzip") << 1 << u"Es sind keine Dateien zum Entpacken ausgewählt !"_s;
        QTest::newRow("popup test") << 2 << u"Es ist keine Datei(en) zum Testen ausgewählt !"_s;
    }

    void nothingMarked()
    {
        QFETCH(int, way);
        QFETCH(QString, message);
        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, m_zip);
        w.ListView1->topLevelItem(0)->setSelected(true); // highlighted, not ticked
        if (way == 0)
            w.Command1->click();
        else
            (way == 1 ? w.mnuPentpack : w.mnuTest)->trigger();
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.first().text, message);
        QCOMPARE(ui.boxes.first().title, u"Kasto-Nachricht"_s);
        QCOMPARE(ui.boxes.first().icon, kasto::ui::Icon::Exclamation);
        QVERIFY(ui.modalShown.isEmpty());
        QVERIFY(!w.statusText().endsWith(kFertig));
    }

    void testWithCrcError_data()
    {
        QTest::addColumn<bool>("marked");
        QTest::newRow("TestZip") << false;
        QTest::newRow("test marked") << true;
    }

    void testWithCrcError()
    {
        QFETCH(bool, marked);
        // A stored entry with one flipped byte in its data: only the CRC can tell.
        const QString dir = m_tmp.filePath(u"crc"_s);
        QVERIFY(testutil::writeFile(dir + u"/daten.txt"_s, QByteArray(2000, 'x')));
        const QString zip = m_tmp.filePath(u"crc.zip"_s);
        QFile::remove(zip);
        QCOMPARE(testutil::run(u"zip"_s, {u"-q"_s, u"-0"_s, u"-X"_s, zip, u"daten.txt"_s}, dir).exitCode, 0);
        QByteArray bytes = testutil::readFile(zip);
        const qsizetype at = bytes.indexOf(QByteArray(100, 'x'));
        QVERIFY(at > 0);
        bytes[at + 50] = 'y';
        QVERIFY(testutil::writeFile(zip, bytes));

        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, zip);
        QCOMPARE(w.ListView1->topLevelItemCount(), 1);
        if (marked) {
            tick(w.ListView1, u"daten.txt"_s);
            w.mnuTest->trigger();
        } else {
            w.Command9->click();
        }
        QVERIFY2(w.statusText().contains(kasto::engine::texte::grundCrc()), qPrintable(w.statusText()));
        QVERIFY(w.statusText().endsWith(kFertig));
        QVERIFY(!w.VFunzip2->TestOnly());
        QCOMPARE(w.VFunzip2->ZipFile(), zip);
        QVERIFY(w.Command1->isEnabled());
    }

    void testAllOnEmptyList()
    {
        frmUnzip w;
        kasto::ArchivPfad = m_zip;
        w.setStatusText(u"x"_s + kFertig);
        w.Command9->setEnabled(true);
        w.Command9->click();
        QCOMPARE(w.statusText(), u"x"_s + kFertig + kFertig);
        QVERIFY(!w.VFunzip2->TestOnly());
    }

    void passwordAndOverwrite()
    {
        const QString dir = m_tmp.filePath(u"pw"_s);
        QVERIFY(testutil::writeFile(dir + u"/geheim.txt"_s, "streng geheim"));
        const QString zip = m_tmp.filePath(u"pw.zip"_s);
        QFile::remove(zip);
        QCOMPARE(testutil::run(u"zip"_s, {u"-q"_s, u"-X"_s, u"-P"_s, u"sesam"_s, zip, u"geheim.txt"_s}, dir).exitCode,
                 0);
        QTemporaryDir target;
        QVERIFY(testutil::writeFile(target.filePath(u"geheim.txt"_s), "alt"));

        ScriptedUi ui;
        frmUnzip w;
        open(w, ui, zip);
        // "Nein" keeps the existing file.
        answerDialogs(ui, target.path(), u"sesam"_s, kasto::engine::Ueberschreiben::Nein);
        w.Command2->click();
        QCOMPARE(testutil::readFile(target.filePath(u"geheim.txt"_s)), QByteArray("alt"));
        // "Ja" replaces it with the decrypted entry.
        ui.modalShown.clear();
        answerDialogs(ui, target.path(), u"sesam"_s, kasto::engine::Ueberschreiben::Ja);
        w.Command2->click();
        QVERIFY(ui.modalShown.contains(u"LesePasswortDialog"_s));
        QVERIFY(ui.modalShown.contains(u"UeberschreibenDialog"_s));
        QCOMPARE(testutil::readFile(target.filePath(u"geheim.txt"_s)), QByteArray("streng geheim"));
    }
};

QTEST_MAIN(tst_ArchivBrowser)
#include "tst_archivbrowser.moc"
