// The "Schieberegler" dock: one slider per chosen start value of the selected
// simulation, with its value and its range. It changes nothing itself; it
// reports positions (moved) and finished changes (committed) to the window,
// which sets the start value, recomputes and keeps the undo step.
//
// Positions are collected and reported from the event loop, so a recompute
// that takes longer than the mouse moves never works through stale
// positions: only the latest one is reported.
#pragma once

#include <QDockWidget>

#include <string>
#include <vector>

#include "document/SliderRows.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;

namespace qv {

class tsim;

class TSliderDock : public QDockWidget {
    Q_OBJECT
public:
    explicit TSliderDock(QWidget* parent);

    // The rows of a document (all its simulations) and the simulation shown.
    void setRows(std::vector<SliderRow> rows);
    const std::vector<SliderRow>& rows() const { return rows_; }
    void showSimulation(const tsim* simulation);
    // Shows the simulation's start values anew (after an undo or a run).
    void refreshValues();
    void setTooSlow(bool slow);
    bool tooSlow() const { return tooSlow_; }

signals:
    void moved(const std::string& variable, double value);
    // A drag let go or a key pressed: the start value went from before to after.
    void committed(const std::string& variable, double before, double after);
    void rowsChanged();

private:
    struct Row {
        std::string Variable;
        QSlider* Slider = nullptr;
        QLabel* Value = nullptr;
        QLineEdit* From = nullptr;
        QLineEdit* To = nullptr;
        double Committed = 0;  // the start value before the current drag
        int Pending = -1;      // a position not reported yet
    };

    void rebuild();
    void addChosen();
    void remove(const std::string& variable);
    void positionChanged(Row& row, int position);
    void reportPending();
    void released(Row& row);
    void rangeEdited(Row& row, QLineEdit& edit);
    SliderRow* rowData(const std::string& variable);
    double startValue(const std::string& variable) const;
    void showValue(Row& row, double value);

    std::vector<SliderRow> rows_;
    const tsim* simulation_ = nullptr;
    std::vector<Row> shown_;
    bool reportScheduled_ = false;
    bool tooSlow_ = false;

    // Owned by Qt's parent chain, which ends at the dock.
    QComboBox* choice_ = nullptr;
    QWidget* rowArea_ = nullptr;
    QGridLayout* grid_ = nullptr;
    QLabel* slowText_ = nullptr;
};

}  // namespace qv
