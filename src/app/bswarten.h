// `TWartendlg`: the progress box ("Bitte warten...") shown while the
// simulations run. Hiding it, through its button, cancels the run.
#pragma once

#include <QDialog>

#include "engine/RunObserver.h"

class QProgressBar;
class QPushButton;

namespace qv {

class TWartendlg : public QDialog, public RunObserver {
public:
    explicit TWartendlg(QWidget* parent = nullptr);

    // Shows the box at position 0 (the start of a run).
    void start();
    // The run's yield: sets the bar and lets the window process pending
    // events; false once the box has been hidden.
    bool poll(int position) override;

    QPushButton* abortButton() const { return abbrechen_; }
    int position() const;

private:
    QProgressBar* bar_;
    QPushButton* abbrechen_;
};

}  // namespace qv
