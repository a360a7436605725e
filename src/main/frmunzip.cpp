#include "main/frmunzip.h"

#include "common/fragedialoge.h"
#include "common/shared.h"
#include "common/ui.h"
#include "sfx/frmsfx.h"
#include "splitter/frmsplitter.h"
#include "engine/unzipcomponent.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

frmUnzip *s_instance = nullptr;

// Pixel layout of the client area (15 twips a pixel).
constexpr int kClientWidth = 650;
constexpr int kClientHeight = 318;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 57;
constexpr int kButtonStep = 72;
constexpr int kListTop = 56;
constexpr int kBarHeight = 17;
// The list leaves 1 px on the right and 93 px of the client height for buttons and bars,
// which is the outer-window margin of 9 x 147 px less the window frame.
constexpr int kListMarginX = 1;
constexpr int kListMarginY = 93;

} // namespace

frmUnzip::frmUnzip(QWidget *parent)
    : QMainWindow(parent)
{
    s_instance = this;
    setObjectName(u"frmUnzip"_s);
    setWindowTitle(startCaption());
    setWindowIcon(QIcon(u":/icons/kasto.svg"_s));
    // Sizable, minimise button, no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    m_central = new QWidget(this);
    m_central->setObjectName(u"client"_s);
    m_central->setMouseTracking(true);
    m_central->installEventFilter(this);
    setCentralWidget(m_central);

    Command5 = makeButton("Command5", u"Neu"_s, u"Neues Archiv anlegen"_s, u"neu"_s, 0, true);
    Command6 = makeButton("Command6", u"Öffnen"_s, u"Ein bestehendes Archiv öffnen"_s, u"oeffnen"_s, 1, true);
    Command4 = makeButton("Command4", u"Hinzufügen"_s, u"Dateien zu einem Archiv hinzufügen"_s,
                          u"hinzufuegen"_s, 2, false);
    Command3 = makeButton("Command3", u"Entfernen "_s, u"Markierte Dateien aus dem Archiv entfernen."_s,
                          u"entfernen"_s, 3, false);
    Command1 = makeButton("Command1", u"Unzip"_s, u"Markierte Dateien entpacken"_s, u"unzip"_s, 4, false);
    Command2 = makeButton("Command2", u"Unzip (alles)"_s, u"Alle Dateien entpacken"_s, u"unzip_alles"_s, 5,
                          false);
    Command8 = makeButton("Command8", u"Splitter"_s,
                          u"Zip-Archiv oder beliebige Dateien aufteilen (z.B. auf Diskettengröße)."_s,
                          u"splitter"_s, 6, true);
    Command9 = makeButton("Command9", u"TestZip"_s, u"Testet ein geöffnetes ZipArchiv"_s, u"testzip"_s, 7,
                          false);
    Command7 = makeButton("Command7", u"SFX"_s,
                          u"Erzeugt aus einem ZipArchiv (*.zip) ein selbstentpackendes ZipArchiv (*.exe)"_s,
                          u"sfx"_s, 8, true);

    connect(Command8, &QToolButton::clicked, this, &frmUnzip::Command8_Click);

    ListView1 = new QTreeWidget(m_central);
    ListView1->setObjectName(u"ListView1"_s);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->setGeometry(0, kListTop, 649, 225);
    {
        // The column widths were made for a small list font; the date column must at least
        // show a whole date and time in the font of this machine.
        QFont f = ListView1->font();
        f.setPointSizeF(8);
        ListView1->setFont(f);
    }
    ListView1->setMouseTracking(true);
    ListView1->viewport()->setMouseTracking(true);
    ListView1->viewport()->installEventFilter(this);
    ListView1->installEventFilter(this);
    {
        const QStringList headers{u"Name"_s, u"Datum/Zeit"_s, u"Größe original"_s, u"Größe kompr."_s,
                                  u"Ratio"_s, u"Pfad"_s};
        const Qt::Alignment align[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignRight,
                                       Qt::AlignHCenter, Qt::AlignLeft};
        ListView1->setColumnCount(int(headers.size()));
        ListView1->setHeaderLabels(headers);
        int widths[] = {143, 107, 93, 96, 60, 140};
        // What the date column needs beyond its design width comes off the path column, so
        // the columns still fit the list.
        const int dateWidth = ListView1->fontMetrics().horizontalAdvance(u"00.00.0000  00:00"_s) + 16;
        const int extra = std::clamp(dateWidth - widths[1], 0, 60);
        widths[1] += extra;
        widths[5] -= extra;
        for (int i = 0; i < headers.size(); ++i) {
            ListView1->setColumnWidth(i, widths[i]);
            ListView1->headerItem()->setTextAlignment(i, align[i] | Qt::AlignVCenter);
        }
        ListView1->header()->setStretchLastSection(false);
        // Sorting is ours (the arrows, the flipping order, the ignored date column): the view's
        // own sorting stays off, so a header click never sorts behind our back.
        ListView1->setSortingEnabled(false);
        ListView1->header()->setSortIndicatorShown(false);
        ListView1->header()->setSectionsClickable(true);
    }
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, &frmUnzip::ListView1_ColumnClick);
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { showListPopup(ListView1->viewport()->mapToGlobal(pos)); });

    ProgressBar1 = new QProgressBar(m_central);
    ProgressBar1->setObjectName(u"ProgressBar1"_s);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    StatusBar1 = new QStatusBar(m_central);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    StatusBar1->setSizeGripEnabled(false);
    m_panel = new QLabel(StatusBar1);
    m_panel->setObjectName(u"Panel1"_s);
    m_panel->setTextFormat(Qt::PlainText);
    StatusBar1->addWidget(m_panel, 1);

    // Menus.
    mfile = menuBar()->addMenu(u"&Datei"_s);
    mfile->setObjectName(u"mfile"_s);
    neu = mfile->addAction(u"&Neues ZipArchiv erstellen"_s);
    neu->setObjectName(u"neu"_s);
    open = mfile->addAction(u"ZipArchiv &Öffnen"_s);
    open->setObjectName(u"open"_s);
    mfile->addSeparator()->setObjectName(u"seperator1"_s);
    end = mfile->addAction(u"&Beenden"_s);
    end->setObjectName(u"end"_s);
    connect(end, &QAction::triggered, this, &QWidget::close);

    questionmark = menuBar()->addMenu(u"&?"_s);
    questionmark->setObjectName(u"questionmark"_s);
    questionmark->addSeparator()->setObjectName(u"sepaerator2"_s);
    about = questionmark->addAction(u"&Info"_s);
    about->setObjectName(u"about"_s);
    questionmark->addSeparator()->setObjectName(u"Seperator3"_s);
    connect(about, &QAction::triggered, this, &frmUnzip::about_Click);
    connect(Command7, &QToolButton::clicked, this, &frmUnzip::Command7_Click);
    connect(open, &QAction::triggered, this, &frmUnzip::open_Click);

    // The list's context menu; never shown in the menu bar.
    mnuPopUp = new QMenu(u"&PopUp"_s, this);
    mnuPopUp->setObjectName(u"mnuPopUp"_s);
    mnuPent = mnuPopUp->addAction(u"Ausgewählte Datei(en) aus Archiv &entfernen"_s);
    mnuPent->setObjectName(u"mnuPent"_s);
    mnuPentpack = mnuPopUp->addAction(u"Ausgewählte Datei(en) entpacken (&unzip)"_s);
    mnuPentpack->setObjectName(u"mnuPentpack"_s);
    seperator = mnuPopUp->addSeparator();
    seperator->setObjectName(u"seperator"_s);
    mnuTest = mnuPopUp->addAction(u"Ausgewählte Datei(en) &testen"_s);
    mnuTest->setObjectName(u"mnuTest"_s);
    mnuPneu = mnuPopUp->addAction(u"Ein neues Archiv erstellen"_s);
    mnuPneu->setObjectName(u"mnuPneu"_s);
    mnuPOe = mnuPopUp->addAction(u"Ein Archiv öffnen"_s);
    mnuPOe->setObjectName(u"mnuPÖ"_s);
    mnuPneu->setVisible(false);
    mnuPOe->setVisible(false);
    connect(mnuPentpack, &QAction::triggered, this, &frmUnzip::Command1_Click);
    connect(mnuTest, &QAction::triggered, this, &frmUnzip::mnuTest_Click);
    connect(mnuPOe, &QAction::triggered, this, &frmUnzip::Command6_Click);

    connect(Command6, &QToolButton::clicked, this, &frmUnzip::Command6_Click);
    connect(Command5, &QToolButton::clicked, this, &frmUnzip::neu_Click);
    connect(Command4, &QToolButton::clicked, this, &frmUnzip::Command4_Click);
    connect(Command3, &QToolButton::clicked, this, &frmUnzip::Command3_Click);
    connect(neu, &QAction::triggered, this, &frmUnzip::neu_Click);
    connect(mnuPneu, &QAction::triggered, this, &frmUnzip::neu_Click);
    connect(mnuPent, &QAction::triggered, this, &frmUnzip::Command3_Click);
    connect(Command1, &QToolButton::clicked, this, &frmUnzip::Command1_Click);
    connect(Command2, &QToolButton::clicked, this, &frmUnzip::Command2_Click);
    connect(Command9, &QToolButton::clicked, this, &frmUnzip::Command9_Click);

    VFunzip1 = new UnzipComponent(this);
    VFunzip1->setObjectName(u"VFunzip1"_s);
    VFunzip2 = new UnzipComponent(this);
    VFunzip2->setObjectName(u"VFunzip2"_s);
    setupComponent(VFunzip1);
    setupComponent(VFunzip2);

    // The client area keeps its designed size; the menu bar comes on top of it.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    m_central->resize(kClientWidth, kClientHeight);
    layoutBottom();

    // On load: empty status text, the normal button colour taken from "Neu".
    setStatusText(QString());
    Command5->ensurePolished();
    m_normalColor = buttonColor(Command5);
}

frmUnzip::~frmUnzip()
{
    if (s_instance == this)
        s_instance = nullptr;
}

frmUnzip *frmUnzip::instance()
{
    return s_instance;
}

QString frmUnzip::startCaption()
{
    return u"KASTO - PackProgramm"_s + QString(88, u' ') + u"-wexlon-"_s;
}

QString frmUnzip::aboutText()
{
    return QStringList{u"- Zip/Unzip Programm. "_s,
                       u"- Erstellt selbstentpackende Zip-Archive (SFX-Archive)"_s,
                       u"- Integrierter ZIP-Archivsplitter (Dateisplitter)"_s,
                       QString(),
                       u"Das Programm verwendet die ZIP-Bibliothek libzip und Qt."_s,
                       QString(70, u'_')}
        .join(u'\n');
}

QColor frmUnzip::hoverColor()
{
    return QColor(255, 255, 20);
}

QString frmUnzip::statusText() const
{
    return m_panel->text();
}

void frmUnzip::setStatusText(const QString &text)
{
    m_panel->setText(text);
}

void frmUnzip::ref()
{
    setCursor(Qt::WaitCursor);
    repaint();
}

void frmUnzip::normalPointer()
{
    setCursor(Qt::ArrowCursor);
}

QToolButton *frmUnzip::makeButton(const char *name, const QString &caption, const QString &tooltip,
                                  const QString &icon, int left, bool enabled)
{
    auto *b = new QToolButton(m_central);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setToolTip(tooltip);
    b->setIcon(QIcon(u":/icons/%1.svg"_s.arg(icon)));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setGeometry(left * kButtonStep, 0, kButtonWidth, kButtonHeight);
    b->setEnabled(enabled);
    b->setAutoFillBackground(true);
    b->setMouseTracking(true);
    b->installEventFilter(this);
    QFont f = b->font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    b->setFont(f);
    return b;
}

QList<QToolButton *> frmUnzip::buttons() const
{
    return {Command5, Command6, Command4, Command3, Command1, Command2, Command8, Command9, Command7};
}

QColor frmUnzip::buttonColor(QToolButton *button) const
{
    return button->palette().color(QPalette::Button);
}

void frmUnzip::setButtonColor(QToolButton *button, const QColor &color)
{
    QPalette p = button->palette();
    p.setColor(QPalette::Button, color);
    p.setColor(QPalette::Window, color);
    button->setPalette(p);
}

// One rule for all nine buttons: the enabled button under the mouse turns yellow, every
// other one gets its normal colour back. A disabled button passes the mouse to the window.
void frmUnzip::hover(QWidget *over)
{
    auto *target = qobject_cast<QToolButton *>(over);
    if (target && (!target->isEnabled() || !buttons().contains(target)))
        target = nullptr;
    if (target && buttonColor(target) != m_normalColor)
        return; // already highlighted
    if (target)
        setButtonColor(target, hoverColor());
    for (QToolButton *b : buttons()) {
        if (b != target && buttonColor(b) != m_normalColor)
            setButtonColor(b, m_normalColor);
    }
}

bool frmUnzip::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (auto *w = qobject_cast<QWidget *>(watched))
            hover(w);
        // A button ignores a move without a pressed key, which would then reach the window
        // underneath and undo the highlight at once.
        if (qobject_cast<QToolButton *>(watched) && event->type() == QEvent::MouseMove
            && static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
            return true;
    }
    // Click on the list: the hint appears after the first click and is gone after the second.
    if (ListView1 && watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        ListView1->setToolTip(m_listHint ? QString() : u"Rechter MausClick öffnet ein KontextMenü"_s);
        m_listHint = true;
    }
    if (watched == m_central && event->type() == QEvent::Resize) {
        layoutBottom();
        fitList();
    }
    return QMainWindow::eventFilter(watched, event);
}

// Progress bar and status bar stay docked to the bottom edge, full width.
void frmUnzip::layoutBottom()
{
    const int w = m_central->width();
    const int h = m_central->height();
    StatusBar1->setGeometry(0, h - kBarHeight, w, kBarHeight);
    ProgressBar1->setGeometry(0, h - 2 * kBarHeight, w, kBarHeight);
}

void frmUnzip::fitList()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const int w = m_central->width() - kListMarginX;
    const int h = m_central->height() - kListMarginY;
    if (w < 0 || h < 0)
        return; // smaller than the margins: the list keeps its size
    ListView1->resize(w, h);
}

void frmUnzip::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        fitList();
}

void frmUnzip::showListPopup(const QPoint &globalPos)
{
    if (m_busy)
        return;
    const bool empty = ListView1->topLevelItemCount() == 0;
    mnuPneu->setVisible(empty);
    mnuPOe->setVisible(empty);
    mnuPent->setVisible(!empty);
    mnuPentpack->setVisible(!empty);
    mnuTest->setVisible(!empty);
    kasto::ui::execMenu(mnuPopUp, globalPos);
}

void frmUnzip::Command8_Click()
{
    frmSplitter *splitter = frmSplitter::zeigen();
    if (!kasto::ArchivPfad.isEmpty())
        splitter->Text1->setText(kasto::ArchivPfad);
}

void frmUnzip::about_Click()
{
    kasto::ui::MsgBox(this, aboutText(), kasto::ui::Buttons::Ok, kasto::ui::Icon::Information,
                      u"Kasto - Info"_s);
}

void frmUnzip::Command7_Click()
{
    frmSFX::zeigen(this);
}

void frmUnzip::closeEvent(QCloseEvent *event)
{
    // Every secondary window goes with the main window.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w != this && w->isWindow() && !qobject_cast<QMenu *>(w))
            w->close();
    }
    event->accept();
}
