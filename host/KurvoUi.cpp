#include "KurvoUi.h"

#include "CodeEditor.h"
#include "GrowingMinimum.h"
#include "KurvoVersion.h"
#include "vxKurvo.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QSpacerItem>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTransform>
#include <QVBoxLayout>

namespace {

const char* const kContext = "KurvoClass";
const QSize kIconSize(24, 24);

QString tr(const char* text)
{
    return QCoreApplication::translate(kContext, text);
}

QIcon icon(const char* file)
{
    return QIcon(QStringLiteral(":/Kurvo/images/") + QLatin1String(file));
}

// The styles paint the label of a tab on the left edge turned a quarter counter-clockwise,
// icon and all. Handing them the icon turned a quarter clockwise makes it stand upright.
QIcon westTabIcon(const char* file)
{
    const QPixmap upright(QStringLiteral(":/Kurvo/images/") + QLatin1String(file));
    return QIcon(upright.transformed(QTransform().rotate(90)));
}

QVBoxLayout* verticalLayoutOn(QWidget* widget, const char* name)
{
    auto* layout = new QVBoxLayout(widget);
    layout->setObjectName(QLatin1String(name));
    layout->setSpacing(6);
    layout->setContentsMargins(11, 11, 11, 11);
    return layout;
}

QWidget* tabPage(QTabWidget* tabs, const char* name, const char* iconFile)
{
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    tabs->addTab(page, westTabIcon(iconFile), QString());
    return page;
}

QPushButton* toolButton(QWidget* parent, const char* name, const char* iconFile)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(icon(iconFile));
    button->setIconSize(kIconSize);
    return button;
}

QFont editorFont()
{
    QFont font;
    font.setFamily(QStringLiteral("Courier New"));
    font.setPointSize(10);
    return font;
}

QPalette logPalette()
{
    QPalette palette;
    const QBrush text(QColor(255, 255, 127), Qt::SolidPattern);
    const QBrush base(QColor(80, 80, 80), Qt::SolidPattern);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setBrush(group, QPalette::Text, text);
        palette.setBrush(group, QPalette::Base, base);
    }
    palette.setBrush(QPalette::Disabled, QPalette::Text, QBrush(QColor(120, 120, 120), Qt::SolidPattern));
    palette.setBrush(QPalette::Disabled, QPalette::Base, QBrush(QColor(240, 240, 240), Qt::SolidPattern));
    return palette;
}

// Written for a newcomer: what the program does, the script language with an example, and
// how the plot answers the mouse and the keyboard. The browser does not wrap lines, so the
// text breaks its own.
const char* const kAboutText = R"(<html><body>
<h2>Kurvo</h2>
<p>Version )" KURVO_VERSION R"(</p>
<p>Kurvo makes and examines two-dimensional plots.<br>
Write a short <i>Math script</i> in the <b>Script</b> tab and press<br>
<b>RUN</b>: the expression is evaluated point by point and the<br>
result appears as a new curve in the <b>Plot</b> tab.<br>
The plot also opens measured data: text and CSV tables,<br>
array data files and audio files.<br>
The <b>Log</b> tab shows what the plot reports.</p>

<h3>Math scripts</h3>
<p>One statement per line; empty lines are skipped.<br>
<tt>//</tt> starts a comment that runs to the end of the line.<br>
<b>F5</b> runs the script like <b>RUN</b>.</p>
<table cellspacing="2">
<tr><td><tt>iterate N</tt></td><td>the number of points (default 1000)</td></tr>
<tr><td><tt>step S</tt></td><td>the distance of two x values (default 1)</td></tr>
<tr><td><tt>expr = EXPR</tt></td><td>the expression evaluated at every point</td></tr>
<tr><td><tt>def NAME TEXT</tt></td><td>replaces every NAME in EXPR by TEXT</td></tr>
<tr><td><tt>title "TEXT"</tt></td><td>the plot title</td></tr>
<tr><td><tt>xLegend "TEXT"</tt></td><td>the title of the x axis</td></tr>
<tr><td><tt>yLegend "TEXT"</tt></td><td>the title of the y axis</td></tr>
</table>
<p>At point n the expression sees <tt>x</tt> = n&middot;step, <tt>i</tt> = n<br>
and <tt>oa</tt> = n/(N&minus;1), which runs from 0 to 1; <tt>y</tt> and <tt>ans</tt><br>
hold the result of the point before (0 at the first point).<br>
Constants: <tt>pi</tt>, <tt>e</tt>, <tt>lg2</tt>, <tt>sr2</tt>, <tt>gamma</tt>, <tt>aperys</tt>, <tt>gr</tt>,<br>
<tt>c</tt>, <tt>g</tt>, <tt>h</tt> and <tt>ec</tt>.<br>
Functions besides sin, cos, tan, log, sqrt and the like:<br>
<tt>exp</tt>, <tt>exp2</tt>, <tt>expm1</tt>, <tt>log2</tt>, <tt>log1p</tt>, <tt>cbrt</tt>, <tt>pow</tt>,<br>
<tt>hypot</tt>, <tt>atan2</tt>, <tt>asinh</tt>, <tt>acosh</tt>, <tt>atanh</tt>, <tt>erf</tt>, <tt>erfc</tt>,<br>
<tt>gamma(x)</tt>, <tt>lgamma</tt>, <tt>sign</tt>, <tt>sinc</tt>, <tt>trunc</tt> and <tt>fmod</tt>.<br>
Unit suffixes after a number become powers of ten:<br>
<tt>2.5GHz</tt> is 2.5*10^9, <tt>3mV</tt> is 3*10^-3. They are rewritten<br>
wherever they stand, so names holding H, F, W, A, V,<br>
G, M or k cannot be used. An expression ends at a<br>
second "=": comparisons such as &lt;= cannot be written.</p>
<p>Example:</p>
<pre>
title "Damped oscillation"
xLegend "t [s]"
yLegend "U [V]"
iterate 500
step 0.02
def w 2*pi*1.5
expr = e^(-0.3*x)*sin(w*x)
</pre>

<h3>The plot</h3>
<table cellspacing="2">
<tr><td>Left drag</td><td>zooms into the rectangle drawn</td></tr>
<tr><td>Right click</td><td>steps one zoom back</td></tr>
<tr><td>Ctrl+right click</td><td>returns to the full view</td></tr>
<tr><td>Middle drag</td><td>moves the plot</td></tr>
<tr><td>Mouse wheel</td><td>zooms the y axis</td></tr>
<tr><td>Legend click</td><td>selects that curve and opens its menu</td></tr>
<tr><td>Button at the right edge</td><td>shows and hides the tool panel</td></tr>
</table>
<p>The tool panel holds the files, the Fourier transform,<br>
dB, the ranges, the titles, logarithmic axes, the<br>
statistics and the peak detector.</p>
<p><b>File &rarr; Save Project</b> (Ctrl+Shift+S) keeps the whole window,<br>
curves, settings and script, in one .kurvo file that<br>
<b>File &rarr; Open</b> and <b>Recent Files</b> bring back.</p>

<p>Kurvo is free software under the GNU General Public<br>
License, version 3 or later (GPL-3.0-or-later).</p>
</body></html>)";

} // namespace

void KurvoUi::setupUi(QWidget* window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("KurvoClass"));
    window->resize(623, 508);
    window->setWindowIcon(icon("plot.png"));

    verticalLayout = verticalLayoutOn(window, "verticalLayout");
    setupFileMenu(window);
    mainTab = new QTabWidget(window);
    mainTab->setObjectName(QStringLiteral("mainTab"));
    mainTab->setTabPosition(QTabWidget::West);
    mainTab->setTabShape(QTabWidget::Triangular);
    mainTab->setIconSize(kIconSize);

    plotTab = tabPage(mainTab, "Plot", "plot.png");
    verticalLayout_2 = verticalLayoutOn(plotTab, "verticalLayout_2");
    kurvo = new vxKurvo(plotTab);
    kurvo->setObjectName(QStringLiteral("kurvo"));
    new GrowingMinimum(kurvo, QSize(320, 240));
    verticalLayout_2->addWidget(kurvo);

    scriptTab = tabPage(mainTab, "Script", "script.png");
    verticalLayout_5 = verticalLayoutOn(scriptTab, "verticalLayout_5");
    horizontalLayout = new QHBoxLayout;
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(6);
    openPB = toolButton(scriptTab, "openPB", "fileopen.png");
    horizontalLayout->addWidget(openPB);
    savePB = toolButton(scriptTab, "savePB", "save.png");
    horizontalLayout->addWidget(savePB);
    horizontalSpacer = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    horizontalLayout->addItem(horizontalSpacer);
    runPB = toolButton(scriptTab, "runPB", "run.png");
    horizontalLayout->addWidget(runPB);
    verticalLayout_5->addLayout(horizontalLayout);
    scriptEditor = new CodeEditor(scriptTab);
    scriptEditor->setObjectName(QStringLiteral("scriptEditor"));
    scriptEditor->setFont(editorFont());
    verticalLayout_5->addWidget(scriptEditor);

    logTab = tabPage(mainTab, "Log", "showLog.png");
    verticalLayout_3 = verticalLayoutOn(logTab, "verticalLayout_3");
    log = new QTextEdit(logTab);
    log->setObjectName(QStringLiteral("log"));
    log->setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding));
    log->setPalette(logPalette());
    log->setFont(editorFont());
    log->setFrameShape(QFrame::Box);
    log->setFrameShadow(QFrame::Sunken);
    log->setLineWidth(1);
    log->setMidLineWidth(1);
    log->setLineWrapMode(QTextEdit::NoWrap);
    log->setReadOnly(false);
    verticalLayout_3->addWidget(log);

    aboutTab = tabPage(mainTab, "About", "aboutIcon.png");
    verticalLayout_4 = verticalLayoutOn(aboutTab, "verticalLayout_4");
    license = new QTextBrowser(aboutTab);
    license->setObjectName(QStringLiteral("license"));
    license->setLineWrapMode(QTextEdit::NoWrap);
    license->setOpenExternalLinks(true);
    verticalLayout_4->addWidget(license);

    verticalLayout->addWidget(mainTab);

    retranslateUi(window);
    mainTab->setCurrentIndex(0);
}

// Open takes no key: Ctrl+O opens data files in the plot. The window holds the actions too,
// so that their keys work wherever the focus is in it.
void KurvoUi::setupFileMenu(QWidget* window)
{
    menuBar = new QMenuBar(window);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    verticalLayout->setMenuBar(menuBar);
    fileMenu = menuBar->addMenu(QString());
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    const auto action = [window](QMenu* menu, const char* name, const QKeySequence& keys) {
        auto* added = menu->addAction(QString());
        added->setObjectName(QLatin1String(name));
        added->setShortcut(keys);
        window->addAction(added);
        return added;
    };
    openAction = action(fileMenu, "openAction", QKeySequence());
    recentMenu = fileMenu->addMenu(QString());
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    fileMenu->addSeparator();
    saveProjectAction = action(fileMenu, "saveProjectAction", QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    saveProjectAsAction = action(fileMenu, "saveProjectAsAction", QKeySequence());
    fileMenu->addSeparator();
    quitAction = action(fileMenu, "quitAction", QKeySequence::Quit);
}

void KurvoUi::retranslateUi(QWidget* window)
{
    window->setWindowTitle(tr("Kurvo - "));
    fileMenu->setTitle(tr("&File"));
    openAction->setText(tr("&Open..."));
    recentMenu->setTitle(tr("&Recent Files"));
    saveProjectAction->setText(tr("&Save Project"));
    saveProjectAsAction->setText(tr("Save Project &As..."));
    quitAction->setText(tr("&Quit"));
    mainTab->setTabText(mainTab->indexOf(plotTab), tr("Plot"));
    mainTab->setTabText(mainTab->indexOf(scriptTab), tr("Script"));
    mainTab->setTabText(mainTab->indexOf(logTab), tr("Log"));
    mainTab->setTabText(mainTab->indexOf(aboutTab), tr("About"));
    openPB->setText(tr("OPEN"));
    savePB->setText(tr("SAVE"));
    runPB->setText(tr("RUN"));
    // Setting the text replaces the shortcut with the text's mnemonic, so the key comes after
    // it. A button's shortcut acts only while the button is shown: F5 runs from the Script
    // tab, wherever the focus is there, and nowhere else.
    runPB->setShortcut(QKeySequence(Qt::Key_F5));
    runPB->setToolTip(tr("Run the script (F5)"));
    license->setHtml(tr(kAboutText));
}
