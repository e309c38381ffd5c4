// `TMain`: the program's main window. It owns the document (the worksheet
// page with the chart and the simulations), lets the user create, edit and
// delete simulations, choose what goes on which axis, and runs the display
// cycle: compute under the progress box, build the chart, draw the page.
#pragma once

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/AlgorithmEditor.h"
#include "charts/ChartRun.h"
#include "document/QVDocument.h"
#include "drawing/PageDrag.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QSplitter;
class QToolBar;

namespace qv {

class AlgoEditorState;
class TChartPicture;
class THelpForm;
class TSliderDock;
class TTableView;
class TWartendlg;
class Tsimple;
struct Tvariable;

class TMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TMain(QWidget* parent = nullptr);
    ~TMain() override;

    TDocument& document() { return document_; }
    bool isSaved() const { return saved_; }
    bool isRunning() const { return running_; }
    const QString& fileName() const { return fileName_; }
    const QImage& chartImage() const;
    QString hintText() const;
    TWartendlg& waitBox() { return *wait_; }
    THelpForm& helpWindow() { return *help_; }

    // The editor "&Neue Simulation", "&Kopie der Simulation" and
    // "&Simulation" open; a simple one is installed at start.
    void setAlgorithmEditor(std::unique_ptr<AlgorithmEditor> editor);

    // Reads a document into the window (after the unsaved-changes question);
    // false when it was cancelled or the file could not be read.
    bool openFile(const QString& path);
    // Writes the document under that name, which becomes the current one.
    bool saveFileAs(const QString& path);

    // The display cycle ("Anzeigen"), its two halves and the reaction to
    // the simulation box.
    void anzeigen();
    void compute();
    void display(bool animating);
    void selectSimulation();
    void updateHint();

    // The animation (QVMainAnimation.cpp). Almost every command stops it
    // first, without redrawing.
    void startAnimation();
    void pauseAnimation();
    void endAnimation();
    void stopAnimation();
    void animationTick();
    bool isAnimating() const { return animationTimer_ != nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up (QVMainMenus.cpp, QVMainPanel.cpp).
    void createMenus();
    void createToolBars();
    QWidget* createControlPanel();
    QSize openingSize() const;
    QAction* command(QMenu* menu, const QString& caption, void (TMain::*handler)(), const QString& hint = {},
                     QToolBar* toolBar = nullptr);
    void updateCommands();

    // File commands (QVMainFile.cpp).
    void Neu1Click();
    void Oeffnen1Click();
    void Speichern1Click();
    void SpeichernUnter1Click();
    void Export1Click();
    void Beenden1Click() { close(); }
    bool newDocument();
    // The unsaved-changes question; false when the user cancelled.
    bool mayDiscard();
    void takeDocument(TDocument document);
    void updateTitle();

    // Simulations (QVMainSimulations.cpp).
    void NeueSimulation1Click();
    void Kopie1Click();
    void Simulation1Click();
    // The simulation box's "&Löschen", and Del without a selected page object.
    void deleteSimulation();
    void WeiterClick();
    bool editSimulation(AlgoEditorState& state);
    // Stores a confirmed editor into sim and rebuilds its variables.
    void storeEditor(AlgoEditorState& state, tsim& sim);
    // Adds and selects a simulation. A new one (not a copy, which brings its
    // axis choice) shows its first variable on both axes, "ZEIT" across in 2-D.
    void addSimulation(std::unique_ptr<tsim> sim, bool isNew);
    // Runs the simulations under the progress box and reports what ended them.
    void runWithProgress(const std::function<RecomputeOutcome(RunObserver*)>& run);

    // Control panel (QVMainPanel.cpp).
    void fillSimulationBox();
    void SimulationBoxChange(int index);
    void XAchseChange(int index);
    void YAchseChange(int index);
    void VariablenClick();
    void DreiDClick(bool checked);
    void placeVariableList();
    void GetrenntClick();
    void AnzeigenClick();
    void setImmediateDisplay(bool on);
    void SofortAnzeigen1Click() { setImmediateDisplay(!immediateDisplay_); }

    // Views and chart (QVMainChartView.cpp).
    void Schaubild1Click();
    void Tabelle1Click();
    void applyViews();
    void setPageScale();
    void drawPage();
    // The table's columns point into the simulations: emptied before any of
    // them changes or is freed.
    void releaseTable();
    void PictureMouseDown(QPoint position, Qt::MouseButton button);
    void PictureMouseMove(QPoint position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void PictureMouseUp(QPoint position, Qt::MouseButton button);
    void finishDrag();
    bool clickInChart(int x, int y);
    void clickOnPageObject(Tsimple& object, int x, int y);
    void editCurveOf(const Tsimple* curve);
    void NeuZeichnen1Click() { anzeigen(); }
    void AutoSkalieren1Click();
    void FormatSchaubild1Click();
    void ZahlenInTabelle1Click();
    void ArrowToolClick();
    void TextToolClick();

    // Start-value sliders (QVMainSliders.cpp).
    void createSliderDock(QMenu* view);
    // The simulation of that name, with its variable in found (null when missing).
    tsim* sliderVariable(const std::string& simulation, const std::string& variable, Tvariable*& found);
    void sliderMoved(const std::string& variable, double value);
    void sliderCommitted(const std::string& variable, double before, double after);
    // Recomputes under the progress box; a quick run makes the sliders live again.
    void recomputeAfterSlider();
    void undoSlider();
    QString sliderSettingsKey() const;
    void loadSliderRows();
    void storeSliderRows();

    // Edit commands (QVMainEdit.cpp).
    void Loeschen1Click();
    bool pageObjectSelected() const;

    // Help and placeholders (QVMainMenus.cpp).
    void Inhalt1Click();
    void Bedienung1Click();
    void Einfuehrung1Click();
    void Unterricht1Click();
    void Info1Click();
    void notAvailable();

    void markChanged();
    // The document is named after a file (not "NONAME.PRG").
    bool hasFile() const;
    // "&Speichern": the document differs from its file, or a new one holds simulations.
    bool mayBeSaved() const;
    void showStatus(const QString& text);

    TDocument document_;
    std::unique_ptr<AlgorithmEditor> algorithmEditor_;
    QString fileName_;
    QString lastDirectory_;
    bool saved_ = true;
    bool immediateDisplay_ = true;
    bool computingAllowed_ = true;
    bool running_ = false;
    // How far the last run came when it stopped early; the status bar keeps
    // saying so until the next run.
    QString runStopped_;
    bool filling_ = false;  // the lists are being filled by code, not by the user
    int tool_ = 0;          // 0 objects ("Objekte bearbeiten"), 1 text ("Text schreiben")
    PageDrag drag_;
    QImage dragBase_;  // the page picture the outlines are drawn over while dragging
    std::unique_ptr<QTimer> animationTimer_;  // exists only while an animation runs
    bool inAnimationTick_ = false;
    // Slider changes Ctrl+Z takes back, the latest last.
    struct SliderChange {
        std::string Simulation, Variable;
        double Before = 0;
    };
    std::vector<SliderChange> sliderUndo_;

    // Owned by Qt's parent chain, which ends at this window.
    TWartendlg* wait_ = nullptr;
    THelpForm* help_ = nullptr;
    QLabel* status_ = nullptr;
    QSplitter* views_ = nullptr;
    QScrollArea* chartView_ = nullptr;
    TChartPicture* picture_ = nullptr;
    TTableView* table_ = nullptr;
    TSliderDock* sliders_ = nullptr;
    QComboBox* simulationBox_ = nullptr;
    QComboBox* xAxis_ = nullptr;
    QComboBox* yAxis_ = nullptr;
    QLabel* zLabel_ = nullptr;
    QListWidget* variables_ = nullptr;
    QCheckBox* threeD_ = nullptr;
    QCheckBox* separate_ = nullptr;
    QPushButton* bigButton_ = nullptr;
    QPushButton* continue_ = nullptr;

    struct Commands {
        QAction *save, *saveAs, *exportTable, *print, *cut, *copy, *paste, *remove, *rotate, *editSimulation;
        QAction *chart, *table, *immediate, *autoScale, *animationStart, *animationPause, *animationStop;
        QAction *copySimulation, *insertPicture, *formatText, *formatPicture, *axisNumbers, *legend, *formatChart,
            *tableNumbers, *arrowTool, *textTool;
    } commands_{};
};

}  // namespace qv
