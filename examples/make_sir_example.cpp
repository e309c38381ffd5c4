// Builds the SIR example: the epidemic computed and charted on a page that
// also holds a task for the pupils on ruled paper and a small picture.
// Usage: make-sir-example PROGRAM.txt OUT.prg
#include <QImage>
#include <QPainter>
#include <fstream>
#include <iostream>
#include <sstream>

#include "ExampleSession.h"
#include "charts/bsgraf3d.h"
#include "document/DocumentActions.h"
#include "drawing/bsbitmap.h"
#include "drawing/bstext.h"
#include "util/Cp1252.h"
#include "util/Geometry.h"

namespace {

std::vector<std::string> ReadLines(const char* path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(qv::Utf8ToCp1252(line));
    return lines;
}

// A virus as pupils draw it: a disc with spikes.
QImage VirusPicture() {
    QImage image(120, 120, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(60, 60);
    p.setPen(QPen(QColor(128, 0, 0), 5));
    for (int i = 0; i < 12; ++i) {
        p.drawLine(0, 0, 0, -52);
        p.drawEllipse(QPointF(0, -52), 4, 4);
        p.rotate(30);
    }
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QPointF(0, 0), 34, 34);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Aufruf: make-sir-example PROGRAMM.txt AUSGABE.prg\n";
        return 1;
    }
    ExampleSession session(argc, argv);

    qv::TDocument document = qv::TDocument::CreateNew();
    document.Chart->plotPercent = {8, 8, 62, 84};
    qv::AcceptedAlgorithm sir;
    sir.Name = "SIR-Epidemie";
    sir.Program = ReadLines(argv[1]);
    sir.StepCount = 400;
    sir.StartValues = {{"BETA", 0.3}, {"GAMMA", 0.1}, {"ANFAELLIGE", 990}, {"INFIZIERTE", 10}, {"ZEITSCHRITT", 0.25}};
    if (auto error = qv::AddNewSimulation(document, sir)) {
        std::cerr << qv::Cp1252ToUtf8(*error) << '\n';
        return 2;
    }
    qv::MarkPlotted(document, *document.SelectedSimulation(), {"ANFAELLIGE", "INFIZIERTE", "GENESENE"});

    auto task = std::make_unique<qv::ttext>(11.3, 1.2);
    task->PaperStyle = 3;  // ruled paper
    task->WrapMode = 0;    // wrap at the box width
    task->SetText(qv::Utf8ToCp1252("Aufgabe:\rWann erreicht die Zahl der Infizierten ihr Maximum? "
                                   "Wie ändert sich die Kurve, wenn BETA halb so groß ist?"));
    task->SetAllSizes(11);
    task->SetWidth(4.4);
    task->Wrap(true);
    task->AdjustSize();
    document.Page->Add(std::move(task));

    auto picture = qv::TBild::CreateFromImageData(VirusPicture());
    picture->SetBounds(12.3, 7.6, 2.4, 2.4);
    document.Page->Add(std::move(picture));

    return SaveExample(document, argv[2]);
}
