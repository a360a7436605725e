// The main window's archive operations: opening and listing, extracting and testing.

#include "main/frmunzip.h"

#include "common/fragedialoge.h"
#include "common/pfad.h"
#include "common/shared.h"
#include "common/stddialoge.h"
#include "common/ui.h"
#include "engine/unzipcomponent.h"
#include "main/form2.h"

#include <QDir>
#include <QHeaderView>
#include <QMenuBar>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeWidget>

#include <exception>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QString kFertig = u"            *** fertig ***"_s;

// Rows sort by the text of the key column, letters without regard to case.
int vergleiche(const QTreeWidgetItem &a, const QTreeWidgetItem &b, int column)
{
    return a.text(column).compare(b.text(column), Qt::CaseInsensitive);
}

class EintragZeile : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override
    {
        return vergleiche(*this, other, treeWidget() ? treeWidget()->sortColumn() : 0) < 0;
    }
};

enum Spalte { Name = 0, DatumZeit = 1, Original = 2, Komprimiert = 3, Ratio = 4, Pfad = 5 };

QString zweistellig(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

QString frmUnzip::datumText(int day, int month, int year, int hour, int minute)
{
    const QString century = year >= 80 ? u"19"_s : u"20"_s;
    return zweistellig(day) + u'.' + zweistellig(month) + u'.' + century + zweistellig(year) + u"  "_s
           + zweistellig(hour) + u':' + zweistellig(minute);
}

QString frmUnzip::groesseText(qint64 size)
{
    return QString::number(size).rightJustified(10, u' ');
}

QString frmUnzip::ratioText(int ratio)
{
    return QString::number(ratio).rightJustified(3, u' ') + u'%';
}

QString frmUnzip::eintragName(const QTreeWidgetItem *row)
{
    return row->text(Pfad) + row->text(Name);
}

int frmUnzip::markierteZeilen() const
{
    int n = 0;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        if (ListView1->topLevelItem(i)->checkState(Name) == Qt::Checked)
            ++n;
    }
    return n;
}

void frmUnzip::setupComponent(UnzipComponent *component)
{
    connect(component, &UnzipComponent::FileInfo, this, &frmUnzip::VFunzip_FileInfo);
    connect(component, &UnzipComponent::StatusText, this, &frmUnzip::setStatusText);
    connect(component, &UnzipComponent::Progress, this,
            [this](qint64 current, qint64 total, const QString &) { VFunzip_Progress(current, total); });
    component->idle = [] { kasto::ui::doEvents(); };
    component->passwortFrage = [this](const kasto::engine::LesePasswortFrage &f) {
        return kasto::frageLesePasswort(this, f);
    };
    component->ueberschreibenFrage = [this](const QString &datei) {
        return kasto::frageUeberschreiben(this, datei);
    };
}

// One row per entry, inserted at the top.
void frmUnzip::VFunzip_FileInfo(qint64 size, qint64 packedSize, int ratio, int month, int day, int year,
                                int hour, int minute, const QString &name, const QString &path)
{
    auto *row = new EintragZeile;
    row->setText(Name, name);
    row->setText(DatumZeit, datumText(day, month, year, hour, minute));
    row->setText(Original, groesseText(size));
    row->setText(Komprimiert, groesseText(packedSize));
    row->setText(Ratio, ratioText(ratio));
    row->setText(Pfad, path);
    row->setCheckState(Name, Qt::Unchecked);
    row->setTextAlignment(DatumZeit, Qt::AlignHCenter | Qt::AlignVCenter);
    row->setTextAlignment(Original, Qt::AlignRight | Qt::AlignVCenter);
    row->setTextAlignment(Komprimiert, Qt::AlignRight | Qt::AlignVCenter);
    row->setTextAlignment(Ratio, Qt::AlignHCenter | Qt::AlignVCenter);
    ListView1->insertTopLevelItem(sortedPlace(row), row);
}

// Unsorted, a new row goes to the top; sorted, to its place in the current order.
int frmUnzip::sortedPlace(const QTreeWidgetItem *row) const
{
    if (!m_sorted)
        return 0;
    int lo = 0;
    int hi = ListView1->topLevelItemCount();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const int c = vergleiche(*ListView1->topLevelItem(mid), *row, m_sortColumn);
        const bool before = m_sortOrder == Qt::AscendingOrder ? c <= 0 : c >= 0;
        if (before)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// A current value of 0 sets the maximum first; values the bar cannot take are ignored.
void frmUnzip::VFunzip_Progress(qint64 current, qint64 total)
{
    if (current == 0) {
        if (total <= 0)
            return;
        // The bar counts in int: very large totals are scaled down.
        m_progressScale = total / std::numeric_limits<int>::max() + 1;
        ProgressBar1->setMaximum(int(total / m_progressScale));
    }
    if (current < 0)
        return;
    const qint64 value = current / m_progressScale;
    if (value > ProgressBar1->maximum())
        return;
    ProgressBar1->setValue(int(value));
}

void frmUnzip::ListView1_ColumnClick(int column)
{
    if (column == DatumZeit)
        return;
    for (int i = 0; i < ListView1->columnCount(); ++i)
        ListView1->headerItem()->setIcon(i, QIcon());
    m_sortColumn = column;
    if (m_sortOrder == Qt::AscendingOrder) {
        m_sortOrder = Qt::DescendingOrder;
        ListView1->headerItem()->setIcon(column, QIcon(u":/icons/pfeil_unten.svg"_s));
    } else {
        m_sortOrder = Qt::AscendingOrder;
        ListView1->headerItem()->setIcon(column, QIcon(u":/icons/pfeil_oben.svg"_s));
    }
    m_sorted = true;
    ListView1->sortItems(m_sortColumn, m_sortOrder);
}

void frmUnzip::open_Click()
{
    if (m_busy)
        return;
    oeffnen();
}

void frmUnzip::Command6_Click()
{
    if (m_busy)
        return;
    setCursor(Qt::WaitCursor);
    oeffnen();
    if (!kasto::ArchivPfad.isEmpty())
        zeigeDateienCaption();
}

void frmUnzip::oeffnen()
{
    ProgressBar1->setValue(0);
    QString folder = QDir::currentPath();
    const QString name = kasto::DateiOeffnen(this, u"ZIP-Archiv öffnen "_s, folder, QString(),
                                             u"ZIP-Archive (*.zip)"_s + u"|*.zip| Alle Dateien (*.*)|*.*"_s,
                                             u"*.*"_s);
    folder = kasto::mitTrenner(folder);
    if (!name.isEmpty()) {
        kasto::ArchivPfad = folder + name;
        setCursor(Qt::WaitCursor);
        setStatusText(u"Öffne Archiv: "_s + kasto::ArchivPfad + u" ..."_s);
        ref();
        VFunzip1->setZipFile(kasto::ArchivPfad);
        ListView1->clear();
        m_sorted = false;
        setBusy(true);
        guarded([this] { VFunzip1->ListArchive(); });
        setBusy(false);
        setWindowTitle(u"Archiv: "_s + kasto::ArchivPfad);
        enable({Command1, Command2, Command3, Command4, Command9}, true);
    }
    if (statusText().startsWith(u"Lade"_s))
        setStatusText(u"Archiv geladen."_s);
    if (statusText().contains(u"extra bytes"_s))
        setStatusText(statusText().mid(41, 51) + u", SFX-Archiv"_s);
    normalPointer();
}

void frmUnzip::enable(const QList<QToolButton *> &group, bool on)
{
    for (QToolButton *b : group)
        b->setEnabled(on);
}

// While a component works, pending events run (the window stays painted). The disabled buttons
// keep a second operation from starting; the menu bar and the popup are held off the same way.
void frmUnzip::setBusy(bool busy)
{
    m_busy = busy;
    menuBar()->setEnabled(!busy);
}

void frmUnzip::fertig()
{
    setStatusText(statusText() + kFertig);
}

bool frmUnzip::guarded(const std::function<void()> &work)
{
    QString fehler;
    try {
        work();
        return true;
    } catch (const std::exception &e) {
        fehler = QString::fromLocal8Bit(e.what());
    } catch (...) {
        fehler = u"unbekannter Fehler"_s;
    }
    kasto::ui::MsgBox(this, u"Der Vorgang wurde wegen eines Fehlers abgebrochen:\n"_s + fehler,
                      kasto::ui::Buttons::Ok, kasto::ui::Icon::Critical, u"Kasto-Nachricht"_s);
    return false;
}

// Calls the component once per ticked row, from the top; the rows are read afresh each time.
void frmUnzip::jedeMarkierteZeile(const std::function<void(const QString &)> &call)
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = ListView1->topLevelItem(i);
        if (row->checkState(Name) == Qt::Checked)
            call(eintragName(row));
    }
}

// Extraction: the folder chooser, then `work` on the first component. Returns false after a cancel.
bool frmUnzip::entpacken(const QList<QToolButton *> &group, const std::function<void()> &work)
{
    enable(group, false);
    {
        Form2 chooser(this);
        kasto::ui::execModal(&chooser);
    }
    if (kasto::UnzipOrdner.isEmpty()) {
        enable(group, true);
        return false;
    }
    VFunzip1->setTargetFolder(kasto::UnzipOrdner);
    ref();
    setBusy(true);
    guarded(work);
    setBusy(false);
    return true;
}

// Testing on the second component, pointed at the current archive afresh.
void frmUnzip::testen(const std::function<void()> &work)
{
    setCursor(Qt::WaitCursor);
    const QList<QToolButton *> group{Command3, Command1, Command4, Command5, Command6, Command2};
    enable(group, false);
    if (!kasto::ArchivPfad.isEmpty() && ListView1->topLevelItemCount() > 0) {
        VFunzip2->setZipFile(kasto::ArchivPfad);
        VFunzip2->setTestOnly(true);
        setBusy(true);
        guarded(work);
        setBusy(false);
        VFunzip2->setTestOnly(false);
    }
    enable(group, true);
    fertig();
    normalPointer();
}

bool frmUnzip::nichtsMarkiert(const QString &meldung)
{
    if (markierteZeilen() > 0)
        return false;
    kasto::ui::MsgBox(this, meldung, kasto::ui::Buttons::Ok, kasto::ui::Icon::Exclamation, u"Kasto-Nachricht"_s);
    unsetCursor();
    return true;
}

void frmUnzip::Command1_Click()
{
    if (m_busy || nichtsMarkiert(u"Es sind keine Dateien zum Entpacken ausgewählt !"_s))
        return;
    const QList<QToolButton *> group{Command3, Command2, Command4, Command5, Command6, Command9};
    if (!entpacken(group, [this] { jedeMarkierteZeile([this](const QString &n) { VFunzip1->ExtractFile(n); }); }))
        return;
    enable(group, true);
    fertig();
    normalPointer();
}

void frmUnzip::Command2_Click()
{
    if (m_busy)
        return;
    const QList<QToolButton *> group{Command3, Command1, Command4, Command5, Command6, Command9};
    if (!entpacken(group, [this] { VFunzip1->ExtractAll(); }))
        return;
    ProgressBar1->setValue(0);
    enable(group, true);
    fertig();
    normalPointer();
}

void frmUnzip::Command9_Click()
{
    if (m_busy)
        return;
    testen([this] { VFunzip2->ExtractAll(); });
}

void frmUnzip::mnuTest_Click()
{
    if (m_busy || nichtsMarkiert(u"Es ist keine Datei(en) zum Testen ausgewählt !"_s))
        return;
    testen([this] { jedeMarkierteZeile([this](const QString &n) { VFunzip2->ExtractFile(n); }); });
}
