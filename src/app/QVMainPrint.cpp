// The print commands: "&Drucken..." on the chosen printer (Qt's PDF printer
// among them), "Drucker&einrichtung..." and "Als PDF speichern...".
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

#include "app/Cursors.h"
#include "app/QVMain.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/QVDruckdlg.h"
#include "drawing/QtBytes.h"
#include "drawing/QtText.h"
#include "util/WholeFile.h"

namespace qv {

namespace {

constexpr const char* NoPrinterText =
    "Es ist kein Drucker eingerichtet. W\xE4hlen Sie \x84In PDF-Datei drucken\x93 und einen Dateinamen.";
constexpr int PdfDpi = 600;

QString BaseName(const QString& fileName) { return QFileInfo(fileName).completeBaseName(); }

}  // namespace

QPrinter& TMain::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageSize(QPageSize(QPageSize::A4));
    }
    printer_->setDocName(BaseName(fileName_));
    return *printer_;
}

std::optional<ReportRequest> TMain::askReport() {
    tsim* sim = document_.SelectedSimulation();
    if (!sim) return std::nullopt;
    if (!printDialog_) printDialog_ = new TDruckdlg(this, printOptions_);
    PrintAvailability available;
    available.Chart = document_.ChartShown;
    available.Table = document_.TableShown;
    available.Verbal = std::any_of(sim->Sentences.begin(), sim->Sentences.end(),
                                   [](const std::string& text) { return !text.empty(); });
    available.Graphical = !sim->Diagram.Stocks.empty();
    printDialog_->prepare(ToQString(sim->Name), OfferedSections(document_, *sim, printDialog_->startValuesChecked()),
                          available);
    if (printDialog_->exec() != QDialog::Accepted) return std::nullopt;
    ReportRequest request;
    request.Sections = printDialog_->sections();
    if (!request.Sections.Any()) return std::nullopt;
    request.FileName = FromQString(QFileInfo(fileName_).fileName());
    request.LeftCm = printDialog_->leftCm();
    request.TopCm = printDialog_->topCm();
    request.Options = printOptions_;
    request.FitQuestion = [this] {
        return ShowMessage(this, MessageKind::Warning, std::string(ChartTooLargeText), MessageButtons::YesNo) ==
               MessageAnswer::Yes;
    };
    return request;
}

void TMain::printReport(const ReportRequest& request, QPagedPaintDevice& device) {
    std::optional<std::string> failure;
    {
        WaitCursor wait;
        failure = PrintReport(document_, *document_.SelectedSimulation(), request, device);
    }
    if (failure) ShowMessage(this, MessageKind::Error, *failure);
}

// The PDF is made in memory and written whole, so a full disk or a missing
// folder leaves no half file behind and gets the program's own message.
void TMain::writeReportPdf(const ReportRequest& request, const QString& path, const QPageLayout& layout) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(PdfDpi);
        pdf.setPageLayout(layout);
        pdf.setTitle(QStringLiteral("Quorvel Programm: ") + QFileInfo(fileName_).fileName());
        printReport(request, pdf);
    }
    std::string error;
    if (!WriteFileSafely(path.toStdString(), ByteSpan(bytes), error))
        ShowMessage(this, MessageKind::Error, error);
}

void TMain::Drucken1Click() {
    auto request = askReport();
    if (!request) return;
    QPrinter& paper = printer();
    // Without any printer the dialog can only write a PDF; it is proposed
    // beside the document now open (not the home folder, nor the last one's).
    if (QPrinterInfo::availablePrinterNames().isEmpty() && !fileName_.isEmpty())
        paper.setOutputFileName(QFileInfo(fileName_).dir().filePath(BaseName(fileName_) + QStringLiteral(".pdf")));
    QPrintDialog dialog(&paper, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (paper.outputFormat() == QPrinter::PdfFormat) {
        if (paper.outputFileName().isEmpty()) {
            ShowMessage(this, MessageKind::Error, std::string(NoPrinterText));
            return;
        }
        writeReportPdf(*request, paper.outputFileName(), paper.pageLayout());
        return;
    }
    if (!paper.isValid()) {
        ShowMessage(this, MessageKind::Error, std::string(NoPrinterText));
        return;
    }
    printReport(*request, paper);
}

void TMain::Druckereinrichtung1Click() {
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void TMain::AlsPdf1Click() {
    auto request = askReport();
    if (!request) return;
    const QString proposed = QFileInfo(QDir(lastDirectory_), BaseName(fileName_) + QStringLiteral(".pdf")).filePath();
    const QString path = ChooseFile(this, FileChoice::Save, QStringLiteral("Als PDF speichern"), proposed,
                                    QStringLiteral("PDF-Dateien (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty()) return;
    writeReportPdf(*request, path, printer().pageLayout());
}

}  // namespace qv
