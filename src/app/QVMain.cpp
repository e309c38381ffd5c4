#include "app/QVMain.h"
#include "app/Tschooledit.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

#include "app/ChartPicture.h"
#include "app/MTHelp.h"
#include "app/QVAlgoDlg.h"
#include "app/QVTableView.h"
#include "app/bswarten.h"
#include "charts/bsgraf3d.h"
#include "dialogs/HelpHook.h"
#include "dialogs/QVSonderzeichendlg.h"
#include "document/DocumentActions.h"
#include "drawing/BSSimple.h"
#include "drawing/QtColour.h"
#include "util/TextHelpers.h"

namespace qv {

TMain::TMain(QWidget* parent)
    : QMainWindow(parent),
      document_(TDocument::CreateNew()),
      algorithmEditor_(std::make_unique<AlgoDlgEditor>()),
      fileName_(QStringLiteral("NONAME.PRG")),
      lastDirectory_(QString::fromStdString(AppFolders().UserFolder)) {
    wait_ = new TWartendlg(this);
    help_ = new THelpForm(this);
    specialCharacters_ = new TSonderzeichendlg(this, [] { return QFontDatabase::families(); });
    SetHelpHandler([this](const QString& topic) { help_->showTopic(topic); });

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    views_ = new QSplitter(Qt::Vertical, central);
    chartView_ = new QScrollArea(views_);
    chartView_->setObjectName(QStringLiteral("chartView"));
    chartView_->setToolTip(QStringLiteral("Auf Kurve oder Achse klicken..."));
    picture_ = new TChartPicture;
    picture_->setObjectName(QStringLiteral("chartPicture"));
    chartView_->setWidget(picture_);
    textEditor_ = new Tschooledit(picture_);
    textEditor_->Changed = [this] { markChanged(); };
    // "Sonderzeichen..." of the editor's pop-up opens the window that types into it.
    specialCharacters_->setTarget(textEditor_);
    textEditor_->SpecialCharacters = [this] { Sonderzeichen1Click(); };
    textEditor_->EnsureVisible = [this](const QRect& r) {
        chartView_->ensureVisible(r.center().x(), r.center().y(), r.width() / 2, r.height() / 2);
    };
    // The picture always fits into the view, so scroll bars would only take room from it.
    chartView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chartView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chartView_->setAlignment(Qt::AlignCenter);
    QPalette surround = chartView_->viewport()->palette();
    surround.setColor(QPalette::Window, ToQColor(PageSurroundColour));
    chartView_->viewport()->setPalette(surround);
    chartView_->viewport()->setAutoFillBackground(true);
    chartView_->viewport()->installEventFilter(this);
    table_ = new TTableView(views_);
    table_->setObjectName(QStringLiteral("tableView"));
    table_->setToolTip(QStringLiteral("Auf Tabelle klicken..."));
    views_->addWidget(chartView_);
    views_->addWidget(table_);
    views_->setChildrenCollapsible(false);
    layout->addWidget(views_, 1);
    layout->addWidget(createControlPanel());
    setCentralWidget(central);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("hint"));
    statusBar()->addWidget(status_, 1);

    createMenus();
    createToolBars();
    createPopupMenus();
    connect(picture_, &TChartPicture::pressed, this, &TMain::PictureMouseDown);
    connect(picture_, &TChartPicture::moved, this, &TMain::PictureMouseMove);
    connect(picture_, &TChartPicture::released, this, &TMain::PictureMouseUp);
    connect(table_, &TTableView::formatChanged, this, &TMain::markChanged);
    connect(table_, &TTableView::columnWidthsChanged, this, &TMain::markChanged);

    setImmediateDisplay(true);
    applyViews();
    updateTitle();
    resize(openingSize());
    updateHint();
}

// Four fifths of the screen, wider where the screen allows so that every
// tool-bar button shows, and never beyond the screen.
QSize TMain::openingSize() const {
    const QSize screenSize = screen()->availableSize();
    int toolBars = 0;
    for (const QToolBar* bar : findChildren<QToolBar*>()) toolBars = std::max(toolBars, bar->sizeHint().width());
    return QSize(std::max(screenSize.width() * 4 / 5, toolBars), screenSize.height() * 4 / 5).boundedTo(screenSize);
}

TMain::~TMain() {
    SetHelpHandler({});
    Drawing().SelectionChanged = {};
    // The table's columns point into the simulations, which go first.
    releaseTable();
}

void TMain::setAlgorithmEditor(std::unique_ptr<AlgorithmEditor> editor) { algorithmEditor_ = std::move(editor); }

const QImage& TMain::chartImage() const { return picture_->image(); }

QString TMain::hintText() const { return status_->text(); }

void TMain::showStatus(const QString& text) { status_->setText(text); }

void TMain::markChanged() {
    saved_ = false;
    // "&Speichern" follows at once, not only at the next hint update.
    if (commands_.save) commands_.save->setEnabled(mayBeSaved());
}

bool TMain::hasFile() const { return fileName_.toUpper() != QStringLiteral("NONAME.PRG"); }

bool TMain::mayBeSaved() const {
    // A document with a file differs from it also when its last simulation
    // was deleted; a new one is worth saving once it holds a simulation.
    return !saved_ && (!document_.Simulations.empty() || hasFile());
}

void TMain::updateHint() {
    const bool threeD = document_.Chart->threeD;
    const tsim* selected = document_.SelectedSimulation();
    QString text;
    if (document_.Simulations.empty()) {
        text = immediateDisplay_
                   ? QStringLiteral("Klicken Sie auf Eingabe, um eine neue Simulation zu programmieren")
                   : QStringLiteral("Wählen Sie im Menü Einfügen/Neue Simulation, um eine neue Simulation zu programmieren");
    } else if (!selected) {
        text = QStringLiteral("Wählen Sie bei Name der Simulation eine Simulation aus.");
    } else if (selected->PlottedCount() > 0) {
        text = document_.ChartShown ? QStringLiteral("Klicken Sie auf die Kurve oder Achse, die bearbeitet werden soll.")
                                    : QStringLiteral("Klicken Sie auf die Tabelle, um das Zahlenformat einzustellen.");
    } else if (!document_.ChartShown) {
        text = QStringLiteral("Klicken Sie auf die Variablen, die in der Tabelle angezeigt werden sollen.");
    } else {
        text = threeD ? QStringLiteral("Klicken Sie auf die Variablen, die auf der z-Achse angezeigt werden sollen.")
                      : QStringLiteral("Klicken Sie auf die Variablen, die auf der y-Achse angezeigt werden sollen.");
    }
    showStatus(runStopped_.isEmpty() ? text : runStopped_);
    updateCommands();
}

void TMain::closeEvent(QCloseEvent* event) {
    stopAnimation();
    closeTextEditor();
    // A run in progress is cancelled first; the window stays until it ended.
    if (running_) {
        wait_->hide();
        event->ignore();
        return;
    }
    if (!mayDiscard()) {
        event->ignore();
        return;
    }
    help_->close();
    event->accept();
}

bool TMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == chartView_->viewport() && event->type() == QEvent::Resize && document_.ChartShown) {
        stopAnimation();
        setPageScale();
        drawPage();
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace qv
