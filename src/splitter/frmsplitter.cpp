#include "splitter/frmsplitter.h"

#include "common/pfad.h"
#include "common/shared.h"
#include "common/stddialoge.h"
#include "common/ui.h"
#include "splitter/fenster.h"
#include "splitter/frminfo.h"
#include "splitter/splitter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
namespace sp = kasto::splitter;
using kasto::ui::Buttons;
using kasto::ui::Icon;
using kasto::ui::MsgBox;

namespace {

QPointer<frmSplitter> s_splitter;

constexpr int kClientWidth = 389;
constexpr int kClientHeight = 385;

// "Is the text a number?" in the regional notation, or in the plain one.
bool alsZahl(const QString &text, double *wert)
{
    bool ok = false;
    const QString t = text.trimmed();
    *wert = QLocale::system().toDouble(t, &ok);
    if (!ok)
        *wert = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(*wert);
}

} // namespace

frmSplitter::frmSplitter(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    s_splitter = this;
    setObjectName(u"frmSplitter"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption());
    setWindowIcon(QIcon(u":/icons/splitter.svg"_s));
    setMouseTracking(true);
    // Narrow sans faces first: the layout is in pixels, made for a small 8-point font.
    QFont f = font();
    f.setFamilies({u"MS Sans Serif"_s, u"Arial"_s, u"Liberation Sans"_s, u"Nimbus Sans"_s, u"Helvetica"_s,
                   f.family()});
    f.setPixelSize(11);
    setFont(f);
    resize(kClientWidth, kClientHeight);

    QFont ueberschrift;
    ueberschrift.setFamilies({u"Times New Roman"_s, u"Liberation Serif"_s, u"Nimbus Roman"_s, u"DejaVu Serif"_s});
    ueberschrift.setStyleHint(QFont::Serif);
    ueberschrift.setPointSize(14);
    ueberschrift.setItalic(true);

    // Split half.
    Label3 = label("Label3", u"Datei splitten"_s, 140, 4, 103, 21);
    ueberschriftSetzen(Label3, ueberschrift);
    Label1 = label("Label1", u"Zu splittende Datei auswählen- >"_s, 8, 39, 184, 13);
    schmal(Label1);
    Command3 = bildKnopf("Command3", u"waehlen"_s, {192, 33, 33, 20});
    Text1 = textfeld("Text1", {4, 56, 225, 19});
    Shape2 = rahmen("Shape2", {5, 78, 225, 83});
    Label2 = label("Label2", u"Dateifragmentgröße (in kBytes):"_s, 8, 84, 155, 13);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(u"Combo1"_s);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->addItems({u"1420"_s, u"720"_s, u"512"_s, u"360"_s, u"256"_s});
    Combo1->setEditText(u"1420"_s);
    Combo1->setToolTip(u"Es können hier auch eigene Fragmentgrössen eingegeben werden"_s);
    Combo1->setGeometry(165, 80, 61, 21);
    Check1 = new QCheckBox(u"Batchdatei erzeugen ?"_s, this);
    Check1->setObjectName(u"Check1"_s);
    Check1->setGeometry(7, 102, 160, 17);
    Label9 = label("Label9", u"Quelldatei (Byte) :"_s, 8, 124, 218, 13);
    Label10 = label("Label10", u"Fragmente (Byte):"_s, 8, 144, 218, 13);
    Label11 = label("Label11", u"Erzeugte Dateifragmente:"_s, 240, 32, 145, 13);
    List2 = liste("List2", {240, 48, 141, 82});
    Command1 = new QPushButton(u"  Splitten"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Command1->setGeometry(240, 132, 141, 29);
    Picture1 = bild("Picture1", u"splitten"_s, Command1, 16, 8);
    Line1 = new QFrame(this);
    Line1->setObjectName(u"Line1"_s);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(0, 167, 399, 3);

    // Join half.
    Label4 = label("Label4", u"Dateifragmente zusammenfügen"_s, 76, 172, 247, 21);
    ueberschriftSetzen(Label4, ueberschrift);
    Label13 = label("Label13", u"Erstes Fragment (*._001) auswählen ->"_s, 8, 200, 184, 13);
    schmal(Label13);
    Command8 = bildKnopf("Command8", u"waehlen"_s, {192, 195, 33, 19});
    Text2 = textfeld("Text2", {4, 216, 225, 19});
    Label6 = label("Label6", u"Dateifragmente:"_s, 244, 216, 137, 13);
    List1 = liste("List1", {240, 232, 141, 82});
    Shape1 = rahmen("Shape1", {5, 237, 225, 87});
    Label16 = label("Label16", u"Zusammengefügte Datei:"_s, 8, 245, 217, 17);
    Label14 = label("Label14", u"00"_s, 8, 260, 217, 17);
    Label17 = label("Label17", u"Dateigrösse (Byte):"_s, 8, 273, 217, 17);
    Label15 = label("Label15", u"l15"_s, 8, 288, 217, 17);
    Label5 = label("Label5", u"l5"_s, 8, 301, 217, 17);
    Command4 = new QPushButton(u"  Zusammenfügen"_s, this);
    Command4->setObjectName(u"Command4"_s);
    Command4->setGeometry(240, 320, 141, 29);
    Picture2 = bild("Picture2", u"zusammen"_s, Command4, 7, 8);

    // Bottom row.
    Command6 = new QPushButton(u"End"_s, this);
    Command6->setObjectName(u"Command6"_s);
    Command6->setGeometry(4, 328, 45, 21);
    Command5 = bildKnopf("Command5", u"info"_s, {56, 328, 41, 21});
    Command7 = new QPushButton(u"crc32"_s, this);
    Command7->setObjectName(u"Command7"_s);
    Command7->setGeometry(128, 328, 47, 21);
    Command2 = new QPushButton(u"Clear"_s, this);
    Command2->setObjectName(u"Command2"_s);
    Command2->setGeometry(184, 328, 47, 21);
    Label12 = label("Label12", u"Label12"_s, 344, 352, 37, 13);
    Label12->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label8 = label("Label8", QString(), -8, 368, 401, 17);
    Label8->setAlignment(Qt::AlignCenter);
    Label8->setStyleSheet(u"color: blue;"_s);

    File1 = new QListWidget(this);
    File1->setObjectName(u"File1"_s);
    File1->hide();

    QFont fett = Command1->font();
    fett.setBold(true);
    Command4->setFont(fett);
    fett.setPixelSize(16); // 12 points
    Command1->setFont(fett);
    for (QWidget *w : std::initializer_list<QWidget *>{Check1, Command1, Command2, Command3, Command4, Command6,
                                                       Command7, Text1, Text2, Picture1, Picture2}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    connect(Command1, &QPushButton::clicked, this, &frmSplitter::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSplitter::Command2_Click);
    connect(Command3, &QToolButton::clicked, this, &frmSplitter::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmSplitter::Command4_Click);
    connect(Command5, &QToolButton::clicked, this, &frmSplitter::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &frmSplitter::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &frmSplitter::Command7_Click);
    connect(Command8, &QToolButton::clicked, this, &frmSplitter::Command8_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmSplitter::List1_DblClick);
    connect(Combo1, &QComboBox::editTextChanged, this, &frmSplitter::Combo1_Change);

    // Loading.
    kasto::splitter::zentrieren(this);
    Label5->clear();
    Label12->clear();
    Label15->clear();
    Label14->clear();
    Fragmentgroesse = Combo1->currentText().toInt();
    ListenRand = width() - List1->width();
    setOrdner(QDir::currentPath());
    knoepfe();
}

frmSplitter::~frmSplitter() = default;

frmSplitter *frmSplitter::zeigen()
{
    return kasto::splitter::einmalZeigen(s_splitter);
}

frmSplitter *frmSplitter::instance()
{
    return s_splitter;
}

QString frmSplitter::caption()
{
    return u"Dateisplitter (für Dateien bis max. 2 GByte)"_s;
}

QString frmSplitter::Nurdatei(const QString &path)
{
    return sp::Nurdatei(path);
}

QString frmSplitter::NurName(const QString &path)
{
    return sp::NurName(path);
}

void frmSplitter::me_refresh()
{
    repaint();
}

QLabel *frmSplitter::label(const char *name, const QString &text, int x, int y, int w, int h)
{
    auto *l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(x, y, w, h);
    return l;
}

QToolButton *frmSplitter::bildKnopf(const char *name, const QString &icon, const QRect &r)
{
    auto *b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(QIcon(u":/splitter/%1.svg"_s.arg(icon)));
    b->setGeometry(r);
    return b;
}

QLineEdit *frmSplitter::textfeld(const char *name, const QRect &r)
{
    auto *t = new QLineEdit(this);
    t->setObjectName(QString::fromLatin1(name));
    t->setGeometry(r);
    return t;
}

// A grey rectangle drawn on the window, as the shapes of the design.
QFrame *frmSplitter::rahmen(const char *name, const QRect &r)
{
    auto *f = new QFrame(this);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(r);
    f->setStyleSheet(u"QFrame#%1 { border: 1px solid grey; }"_s.arg(f->objectName()));
    return f;
}

// Light yellow with blue text; its help text shows wherever the mouse moves over it.
QListWidget *frmSplitter::liste(const char *name, const QRect &r)
{
    auto *l = new QListWidget(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(r);
    l->setStyleSheet(u"QListWidget { background: rgb(255,254,219); color: blue; }"_s);
    l->setMouseTracking(true);
    l->viewport()->setMouseTracking(true);
    l->viewport()->installEventFilter(this);
    return l;
}

// Narrows a label's face until its text fits the designed width (faces wider than the old one).
void frmSplitter::schmal(QLabel *l)
{
    QFont f = l->font();
    f.setStretch(QFont::Unstretched);
    for (int stretch = 100; stretch >= 80 && QFontMetrics(f).horizontalAdvance(l->text()) > l->width(); stretch -= 4)
        f.setStretch(stretch - 4);
    l->setFont(f);
}

// Blue italic serif, kept centred where the design put it whatever the face's width.
void frmSplitter::ueberschriftSetzen(QLabel *l, const QFont &font)
{
    l->setFont(font);
    l->setStyleSheet(u"color: blue;"_s);
    const int mitte = l->geometry().center().x();
    const QSize s = l->sizeHint();
    l->setGeometry(mitte - s.width() / 2, l->y(), s.width(), std::max(l->height(), s.height()));
}

// A 16 x 16 picture lying on a button; a click on it runs the button's command.
QLabel *frmSplitter::bild(const char *name, const QString &icon, QWidget *auf, int x, int y)
{
    auto *l = new QLabel(auf);
    l->setObjectName(QString::fromLatin1(name));
    l->setPixmap(QIcon(u":/splitter/%1.svg"_s.arg(icon)).pixmap(16, 16));
    l->setGeometry(x, y, 16, 16);
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

void frmSplitter::hourglass()
{
    setCursor(Qt::WaitCursor);
    me_refresh();
}

void frmSplitter::normalPointer()
{
    setCursor(Qt::ArrowCursor);
}

void frmSplitter::setBusy(bool busy)
{
    m_busy = busy;
    knoepfe();
}

// While a split or join runs, no second command may start: the pending events run meanwhile.
void frmSplitter::knoepfe()
{
    Command1->setEnabled(m_splitOk && !m_busy);
    Command4->setEnabled(m_joinOk && !m_busy);
    Command2->setEnabled(m_clearOk && !m_busy);
    Command3->setEnabled(!m_busy);
    Command8->setEnabled(!m_busy);
    Command6->setEnabled(!m_busy);
}

void frmSplitter::setLabel12(const QString &text)
{
    // Grows to the left: its right edge stays under the lists' right edge.
    const int rechts = List1->geometry().right();
    Label12->setText(text);
    const int w = std::max(37, Label12->fontMetrics().horizontalAdvance(text) + 4);
    Label12->setGeometry(rechts - w + 1, 352, w, 13);
}

void frmSplitter::setOrdner(const QString &ordner)
{
    m_ordner = ordner;
    File1Refresh();
}

void frmSplitter::File1Refresh()
{
    File1->clear();
    File1->addItems(sp::ordnerListe(m_ordner));
}

// --- Events --------------------------------------------------------------------------------

bool frmSplitter::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && Command3->isEnabled())
        Command3->setFocus();
    return QWidget::event(e);
}

void frmSplitter::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (isMinimized() || !List1)
        return;
    if (width() > ListenRand)
        List1->resize(int(width() - ListenRand), List1->height());
    List2->resize(List1->width(), List2->height());
    setLabel12(Label12->text());
}

void frmSplitter::closeEvent(QCloseEvent *e)
{
    // The split and join loops run inside this window; it must outlive them.
    if (m_busy) {
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

void frmSplitter::mouseMoveEvent(QMouseEvent *e)
{
    // Only the bare window (frames and the line are drawn on it) clears the help line; moves
    // that controls pass on keep their text.
    QWidget *unter = childAt(e->position().toPoint());
    if (!unter || unter == Shape1 || unter == Shape2 || unter == Line1)
        hover(this);
    QWidget::mouseMoveEvent(e);
}

bool frmSplitter::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
        QObject *control = watched;
        if (watched == List1->viewport())
            control = List1;
        else if (watched == List2->viewport())
            control = List2;
        hover(control);
    }
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        if (watched == Picture1 && Picture1->isEnabled()) {
            Picture1_Click();
            return true;
        }
        if (watched == Picture2 && Picture2->isEnabled()) {
            Picture2_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void frmSplitter::hover(QObject *over)
{
    if (over == Picture1)
        over = Command1;
    else if (over == Picture2)
        over = Command4;
    if (over == Text1 || over == Text2) {
        // A long path can be read in full.
        auto *t = static_cast<QLineEdit *>(over);
        t->setToolTip(t->text());
        if (over == Text2)
            return;
    }
    static const QList<QPair<const char *, QString>> texte = {
        {"Check1", u"Falls auf Zielrechner Programm Splitter nicht vorhanden."_s},
        {"Command1", u"Zerlegt die ausgewählte Datei in Dateifragmente."_s},
        {"Command2", u"Die Dateifragmente werden vom Datenträger gelöscht ."_s},
        {"Command3", u"Öffnet die zu splittende Datei."_s},
        {"Command4", u"Die Dateifragmente werden zusammengefügt."_s},
        {"Command6", u"Beendet das Programm."_s},
        {"Command7", u"Ermittelt die CRC32 Prüfsumme für eine Datei ."_s},
        {"List1", u"Doppel-Click entfernt nicht benötigte Dateifragmente aus der Dateifragmentliste."_s},
        {"List2", u"Liste der erzeugten Dateifragmente."_s},
        {"Text1", u"Zeigt Name und Pfad der zu splittenden Datei."_s},
    };
    if (over == this) {
        Label8->clear();
        return;
    }
    for (const auto &[name, text] : texte) {
        if (over->objectName() == QLatin1StringView(name)) {
            Label8->setText(text);
            schmal(Label8);
            return;
        }
    }
}

// --- Size box ------------------------------------------------------------------------------

void frmSplitter::Combo1_Change()
{
    double wert = 0;
    // Outside the 32-bit range counts as no usable number.
    if (alsZahl(Combo1->currentText(), &wert) && std::abs(wert) <= std::numeric_limits<int>::max()) {
        Fragmentgroesse = int(std::nearbyint(wert)); // halves to the even neighbour
        m_splitOk = true;
        knoepfe();
        return;
    }
    m_splitOk = false;
    knoepfe();
    MsgBox(this, u"Fragmentgröße kein numerischer Wert !"_s, Buttons::Ok, Icon::Exclamation,
           u"Splitter-Nachricht"_s);
}

// --- Choosing files ------------------------------------------------------------------------

void frmSplitter::Command3_Click()
{
    QString ordner = QDir::currentPath();
    const QString name = kasto::DateiOeffnen(this, u"Die zu splittende Datei öffnen"_s, ordner, QString(),
                                             u"Alle Dateien|*.*"_s, u"*.*"_s);
    ordner = kasto::mitTrenner(ordner);
    if (!name.isEmpty()) {
        kasto::ArchivPfad = ordner + name;
        Text1->setText(ordner + name);
    } else {
        Text1->clear();
        Label9->setText(u"Quelldatei  (Byte):"_s);
    }
    setOrdner(ordner);
    if (name.isEmpty())
        return;
    Label9->setText(u"Quelldatei  (Byte): "_s + sp::groesse(QFileInfo(ordner + name).size()));
    Label11->setText(u"Erzeugte Dateifragmente:"_s);
    Label6->setText(u"Dateifragmente:"_s);
    setLabel12(QString());
    Label5->clear();
    Label14->clear();
    Label15->clear();
    Text2->clear();
    List2->clear();
    List1->clear();
    m_joinOk = false;
    knoepfe();
}

void frmSplitter::Command8_Click()
{
    List1->clear();
    QString ordner = QDir::currentPath();
    const QString name =
        kasto::DateiOeffnen(this, u"Erstes DateiFragment \"*._001\" auswählen"_s, ordner, QString(),
                            u"1. Dateifragment (*._001)|*._001*"_s, u"*._001*"_s);
    ordner = kasto::mitTrenner(ordner);
    if (!name.isEmpty()) {
        kasto::ArchivPfad = ordner + name;
        Text2->setText(ordner + name);
    } else {
        Text2->clear();
    }
    setOrdner(ordner);
    fuellen2(ordner + name);
}

void frmSplitter::fuellen2(const QString &path)
{
    List1->clear();
    QStringList namen;
    for (int i = 0; i < File1->count(); ++i)
        namen << File1->item(i)->text();
    namen = sp::fragmenteVon(namen, path);
    List1->addItems(namen);
    setLabel12(u"Fragmente zusammen (Byte): "_s + sp::groesse(sp::summeGroessen(m_ordner, namen)));
    Label6->setText(u"Dateifragmente:"_s + QString::number(List1->count()));
    if (List1->count() > 0) {
        m_joinOk = true;
        knoepfe();
    }
}

void frmSplitter::List1_DblClick()
{
    const int row = List1->currentRow();
    if (row < 0)
        return; // nothing selected: nothing to remove
    delete List1->takeItem(row);
    Label6->setText(u"Dateifragmente:"_s + QString::number(List1->count()));
    QStringList namen;
    for (int i = 0; i < List1->count(); ++i)
        namen << List1->item(i)->text();
    setLabel12(QString::number(List1->count()) + u" Fragmente zusammen (Byte): "_s
               + sp::groesse(sp::summeGroessen(m_ordner, namen)));
}

// --- Split ---------------------------------------------------------------------------------

void frmSplitter::Picture1_Click()
{
    Command1_Click();
}

void frmSplitter::Command1_Click()
{
    if (m_busy)
        return;
    hourglass();
    Label11->setText(u"Dateifragmente:"_s);
    Label6->setText(u"Dateifragmente:"_s);
    for (QLabel *l : {Label5, Label14, Label15, Label9, Label10})
        l->clear();
    setLabel12(QString());
    List2->clear();

    const QString quelle = Text1->text();
    if (quelle.isEmpty() || !QFileInfo(quelle).isFile()) {
        MsgBox(this, sp::texte::keineQuelle(), Buttons::Ok, Icon::Exclamation, u"Datei-Splitter Nachricht !"_s);
        Command3->setFocus();
        normalPointer();
        return;
    }
    // Fragments lie beside the source; a typed path takes the fragment folder with it.
    const QString quellOrdner = QFileInfo(quelle).absolutePath();
    if (QFileInfo(m_ordner).absoluteFilePath() != quellOrdner)
        setOrdner(quellOrdner);

    sp::SplitAuftrag a;
    a.quelle = quelle;
    a.fragmentKB = Fragmentgroesse;
    a.batch = Check1->isChecked();
    a.gestartet = [this](qint64 laenge, int) {
        Label9->setText(u"Quelldatei  (Byte): "_s + sp::groesse(laenge));
    };
    a.vorFragment = [this, &quelle](int k, int gesamt) {
        kasto::ui::doEvents();
        List2->addItem(Nurdatei(sp::fragmentPfad(quelle, k)).toLower());
        Label11->setText(u"Dateifragmente: %1 von %2"_s.arg(k).arg(gesamt));
        me_refresh();
    };
    a.pause = [] { kasto::ui::doEvents(); };

    setBusy(true);
    const sp::SplitErgebnis e = sp::splitten(a);
    setBusy(false);

    switch (e.status) {
    case sp::SplitStatus::Ok:
        break;
    case sp::SplitStatus::KeineQuelle: // vanished meanwhile
        MsgBox(this, sp::meldung(e), Buttons::Ok, Icon::Exclamation, u"Datei-Splitter Nachricht !"_s);
        Command3->setFocus();
        normalPointer();
        return;
    case sp::SplitStatus::GroesseNull:
        MsgBox(this, sp::meldung(e), Buttons::Ok, Icon::None, caption());
        Combo1->setFocus();
        normalPointer();
        return;
    case sp::SplitStatus::ZuVieleFragmente:
        MsgBox(this, sp::meldung(e), Buttons::Ok, Icon::Critical, u"Splitter-Info"_s);
        normalPointer();
        return;
    case sp::SplitStatus::ZuWenigSpeicher:
        MsgBox(this, sp::meldung(e), Buttons::Ok, Icon::Critical, u"Splitter - Info"_s);
        List2->clear();
        normalPointer();
        return;
    case sp::SplitStatus::NichtSchreibbar:
        MsgBox(this, sp::meldung(e), Buttons::Ok, Icon::Information, u"Splitter-Info"_s);
        List2->clear();
        normalPointer();
        return;
    case sp::SplitStatus::Fehler:
        MsgBox(this, sp::meldung(e), Buttons::Ok, Icon::Critical, u"Splitter-Info"_s);
        List2->clear();
        normalPointer();
        return;
    }

    // The last, shorter fragment is listed after it was written.
    if (e.geschrieben > e.volle)
        List2->addItem(e.fragmente.constLast().toLower());
    Label10->setText(u"Fragmente (Byte): "_s + sp::groesse(e.geschriebenBytes));
    Label11->setText(u"Dateifragmente: %1 von %2"_s.arg(e.geschrieben).arg(e.gesamt));
    File1Refresh();
    fuellen2(quelle);
    if (List1->count() > 0) {
        Text2->setText(kasto::mitTrenner(m_ordner) + List1->item(0)->text());
        m_joinOk = true;
        knoepfe();
    }
    if (!e.batch.isEmpty())
        MsgBox(this, sp::texte::batchErzeugt(e.batch), Buttons::Ok, Icon::Information, u"Splitter-Info"_s);
    normalPointer();
}

// --- Join ----------------------------------------------------------------------------------

void frmSplitter::Picture2_Click()
{
    Command4_Click();
}

void frmSplitter::Command4_Click()
{
    if (m_busy)
        return;
    hourglass();
    Label5->clear();
    Label14->clear();
    Label15->clear();

    const auto ende = [this] {
        normalPointer();
        File1Refresh();
        m_joinOk = true;
        knoepfe();
    };
    if (List1->count() == 0) {
        MsgBox(this, sp::texte::leereListe(), Buttons::Ok, Icon::Exclamation, u"Splitter-Info"_s);
        ende();
        return;
    }
    const QString angebot = List1->item(0)->text().chopped(5);
    QString ordner;
    const QString name = kasto::DateiSpeichern(this, u"Zusammengefügte Datei speichern unter"_s, ordner, angebot,
                                               u"Alle Dateien|*.*"_s, QString());
    if (name.isEmpty()) {
        ende();
        return;
    }
    hourglass();
    const QString ziel = kasto::mitTrenner(ordner) + name;
    Label14->setText(name);

    sp::JoinAuftrag a;
    a.ordner = m_ordner;
    for (int i = 0; i < List1->count(); ++i)
        a.eintraege << List1->item(i)->text();
    a.ziel = ziel;
    a.vorFragment = [this](int i) {
        kasto::ui::doEvents();
        if (i < 7)
            List1->setCurrentRow(i);
        const QString eintrag = List1->item(i)->text();
        const int nummer = sp::fragmentNummer(eintrag);
        Label5->setText(u"add Fragment: %1 von %2"_s.arg(nummer > 0 ? nummer : i + 1).arg(List1->count()));
        me_refresh();
    };
    a.pause = [] { kasto::ui::doEvents(); };

    setBusy(true);
    const sp::JoinErgebnis e = sp::verbinden(a);
    setBusy(false);

    switch (e.status) {
    case sp::JoinStatus::Ok:
        List1->setCurrentRow(List1->count() - 1);
        Label5->setText(Label5->text() + u", fertig!"_s);
        Label15->setText(sp::groesse(e.laenge));
        break;
    case sp::JoinStatus::LeereListe:
    case sp::JoinStatus::FragmentFehlt:
    case sp::JoinStatus::ZielIstFragment:
        MsgBox(this, sp::meldung(e), Buttons::Ok, Icon::Exclamation, u"Splitter-Info"_s);
        break;
    case sp::JoinStatus::Fehler:
        MsgBox(this, sp::meldung(e), Buttons::Ok, Icon::Critical, u"Splitter-Info"_s);
        break;
    }
    m_clearOk = true;
    ende();
}

// --- Bottom row ----------------------------------------------------------------------------

void frmSplitter::Command2_Click()
{
    if (m_busy)
        return;
    if (MsgBox(this, u"Dateifragmente jetzt  löschen ?"_s, Buttons::YesNo, Icon::Question,
               u"Dateisplitter Kontroll-Abfrage"_s)
        != kasto::ui::Answer::Yes)
        return;
    for (int i = 0; i < List1->count(); ++i) {
        const QString pfad = kasto::mitTrenner(m_ordner) + List1->item(i)->text();
        if (QFileInfo(pfad).isFile()) {
            QFile::setPermissions(pfad, QFile::permissions(pfad) | QFile::WriteOwner);
            if (!QFile::remove(pfad))
                return; // ends silently, the rest stays
        }
    }
    List1->clear();
    File1Refresh();
    Label11->setText(u"Erzeugte Dateifragmente:"_s);
    Label6->setText(u"Dateifragmente:"_s);
    setLabel12(QString());
    Label5->clear();
    List2->clear();
    m_clearOk = false;
    knoepfe();
}

void frmSplitter::Command5_Click()
{
    frmInfo::zeigen();
}

void frmSplitter::Command6_Click()
{
    close();
}

void frmSplitter::Command7_Click()
{
    QString ordner = QDir::currentPath();
    const QString name = kasto::DateiOeffnen(this, u"Die zu prüfende Datei wählen"_s, ordner, QString(),
                                             u"Alle Dateien|*.*"_s, u"*.*"_s);
    ordner = kasto::mitTrenner(ordner);
    if (name.isEmpty())
        return;
    const QString pfad = ordner + name;
    kasto::ArchivPfad = pfad;
    hourglass();
    QString fehler;
    const QString wert = sp::DateiCRC32(oCRC, pfad, &fehler);
    normalPointer();
    if (wert.isEmpty()) {
        MsgBox(this, fehler, Buttons::Ok, Icon::Critical, u"CRC32 - Prüfung"_s);
        return;
    }
    MsgBox(this, u"Die CRC32 Prüfsumme der Datei "_s + Nurdatei(pfad) + u" lautet: "_s + wert, Buttons::Ok,
           Icon::Information, u"CRC32 - Prüfung"_s);
}
