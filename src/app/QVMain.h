// `TMain`: the program's main window. It owns the document (the worksheet
// page with the chart and the simulations), lets the user create, edit and
// delete simulations, choose what goes on which axis, and runs the display
// cycle: compute under the progress box, build the chart, draw the page.
#pragma once

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AlgorithmEditor.h"
#include "charts/ChartRun.h"
#include "document/EditRouting.h"
#include "document/QVDocument.h"
#include "document/Report.h"
#include "drawing/PageDrag.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPageLayout;
class QPagedPaintDevice;
class QPrinter;
class QPushButton;
class QScrollArea;
class QSplitter;
class QToolBar;

namespace qv {

class AlgoEditorState;
class TBild;
class TChartPicture;
class TDruckdlg;
class THelpForm;
class TSonderzeichendlg;
class TSliderDock;
class TTableView;
class TWartendlg;
class Tschooledit;
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
    // The in-place text editor; it holds a text only while one is being written.
    Tschooledit& textEditor() { return *textEditor_; }

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
    void XmileImportieren1Click();  // QVMainXmile.cpp
    void XmileExportieren1Click();  // QVMainXmileExport.cpp
    void Beenden1Click() { close(); }

    // Printing (QVMainPrint.cpp).
    void Drucken1Click();
    void Druckereinrichtung1Click();
    void AlsPdf1Click();
    QPrinter& printer();
    // The print dialog for the selected simulation; nothing when cancelled
    // or when no section is checked.
    std::optional<ReportRequest> askReport();
    void printReport(const ReportRequest& request, QPagedPaintDevice& device);
    void writeReportPdf(const ReportRequest& request, const QString& path, const QPageLayout& layout);
    bool newDocument();
    // The unsaved-changes question; false when the user cancelled.
    bool mayDiscard();
    void takeDocument(TDocument document);
    void updateTitle();

    // Simulations (QVMainSimulations.cpp).
    void NeueSimulation1Click();
    void Kopie1Click();
    void Simulation1Click();
    // The simulation box's "&Löschen", and Del without a selected page object;
    // a cut from the edit menu deletes without the question.
    void deleteSimulation(bool ask = true);
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

    // Writing texts (QVMainText.cpp).
    // Opens the editor on the text under the page point, or on a new text there.
    void openTextEditor(int x, int y);
    // Ends in-place editing; a text left without characters leaves the page.
    void closeTextEditor();
    void createFormatControls(QToolBar* bar);
    // Sets the text defaults from the formatting controls and applies them
    // to the editor's selection, or in the arrow tool to the selected objects.
    void applyTextFormat(int kind);
    // Shows the defaults of what has just been selected.
    void showTextFormat();
    // Start-value sliders (QVMainSliders.cpp).
    void createSliderDock(QMenu* view);
    // The simulation of that name, with its variable in found (null when missing).
    tsim* sliderVariable(const std::string& simulation, const std::string& variable, Tvariable*& found);
    void sliderMoved(const std::string& variable, double value);
    void sliderCommitted(const std::string& variable, double before, double after);
    // Recomputes under the progress box; a quick run makes the sliders live again.
    void recomputeAfterSlider();
    void undoSlider();
    void forgetSliderChanges(const std::string& simulation);
    QString sliderSettingsKey() const;
    void loadSliderRows();
    void storeSliderRows();

    // Edit commands (QVMainEdit.cpp).
    void Ausschneiden1Click();
    void Kopieren1Click();
    void Einfuegen1Click();
    void Loeschen1Click();
    void Drehen1Click();
    void GrafikEinfuegen1Click();
    void insertPicture(const QString& path);
    void cut(bool ask);
    void copyTo(EditTarget target);
    bool copySimulation();
    void deleteSelectedObjects();
    void createPopupMenus();
    EditContext editContext() const;
    // The selected page object when it is a picture, for the picture dialog.
    TBild* selectedPicture() const;
    bool pageObjectSelected() const;
    void FormatGrafik1Click();
    // "Sonderzeichen...": shows the special-character window beside the page.
    void Sonderzeichen1Click();
    Tsimple* selectedPageObject() const;

    // Font commands of the format menu (QVMainFormat.cpp).
    void FormatText1Click();
    void ZahlenAnAchsen1Click();
    void Legende1Click();

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
    // Kept between uses, as the user set them up; the options go back to
    // their defaults with "&Neu".
    std::unique_ptr<QPrinter> printer_;
    PrintOptions printOptions_;
    // Slider changes Ctrl+Z takes back, the latest last.
    struct SliderChange {
        std::string Simulation, Variable;
        double Before = 0;
    };
    std::vector<SliderChange> sliderUndo_;

    // Owned by Qt's parent chain, which ends at this window.
    TWartendlg* wait_ = nullptr;
    THelpForm* help_ = nullptr;
    TSonderzeichendlg* specialCharacters_ = nullptr;
    TDruckdlg* printDialog_ = nullptr;
    QLabel* status_ = nullptr;
    QSplitter* views_ = nullptr;
    QScrollArea* chartView_ = nullptr;
    TChartPicture* picture_ = nullptr;
    Tschooledit* textEditor_ = nullptr;
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
    QMenu* pageMenu_ = nullptr;
    QMenu* simulationMenu_ = nullptr;

    struct Commands {
        QAction *save, *saveAs, *exportTable, *exportXmile, *print, *savePdf, *cut, *copy, *paste, *remove, *rotate, *editSimulation;
        QAction *chart, *table, *immediate, *autoScale, *animationStart, *animationPause, *animationStop;
        QAction *copySimulation, *insertPicture, *formatText, *formatPicture, *axisNumbers, *legend, *formatChart,
            *tableNumbers, *arrowTool, *textTool;
        QAction *bold, *italic, *underline, *raised, *lowered;
        QComboBox *fontSize, *fontName;
    } commands_{};
    bool showingFormat_ = false;  // the controls are being set from the defaults
};

}  // namespace qv
