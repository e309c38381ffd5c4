// "Drucken": the sections of the report and the paper margins, and its
// "Druckoptionen" for the chart's scale on paper and its background. The
// dialog is kept between uses, so "Startwerte" and the margins stay as the
// user left them.
#pragma once

#include <QDialog>

#include "document/Report.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace qv {

// "Optionen für Schaubild": true when OK stored new options.
bool EditPrintOptions(QWidget* parent, PrintOptions& options);

// What is there to print for the simulation, beside the sections offered.
struct PrintAvailability {
    bool Chart = false;
    bool Table = false;
    bool Verbal = false;
    bool Graphical = false;
};

class TDruckdlg : public QDialog {
public:
    TDruckdlg(QWidget* parent, PrintOptions& options);

    // Sets the boxes before the dialog is shown; "Startwerte" stays.
    void prepare(const QString& simulationName, const ReportSections& offered, const PrintAvailability& available);
    bool startValuesChecked() const;
    ReportSections sections() const;
    double leftCm() const { return left_; }
    double topCm() const { return top_; }

private:
    void OKClick();
    void updateOptionsButton();

    PrintOptions& options_;
    double left_ = 2.0, top_ = 2.0;
    QGroupBox* group_;
    QCheckBox* programm_;
    QCheckBox* startwerte_;
    QCheckBox* schaubild_;
    QCheckBox* tabelle_;
    QCheckBox* sprachlich_;
    QCheckBox* grafisch_;
    QLineEdit* links_;
    QLineEdit* oben_;
    QPushButton* optionen_;
};

}  // namespace qv
