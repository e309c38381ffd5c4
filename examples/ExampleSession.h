// What every example generator sets up before it builds a document: a
// window-less Qt, the program's fonts and a fixed page scale, so the same
// generator writes the same bytes on every machine.
#pragma once

#include <QGuiApplication>

#include <iostream>
#include <string>

#include "document/DocumentActions.h"
#include "document/QVDocument.h"
#include "drawing/TextFonts.h"
#include "util/Cp1252.h"
#include "util/Geometry.h"

class ExampleSession {
public:
    ExampleSession(int& argc, char** argv) : app_(Offscreen(argc), argv) {
        qv::PrepareFonts();
        qv::Scales().PixelsPerCmX = qv::Scales().PixelsPerCmY = 100;
    }

private:
    // The platform is chosen before the application exists.
    static int& Offscreen(int& argc) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }

    QGuiApplication app_;
};

// Computes and lays out the document as the window shows it, and writes it;
// the program's exit code (1 with the reason on stderr when it cannot).
inline int SaveExample(qv::TDocument& document, const char* path) {
    qv::ComputeDocument(document, nullptr);
    qv::BuildChart(document);
    std::string error;
    if (qv::writeDocument(document, path, error)) return 0;
    std::cerr << qv::Cp1252ToUtf8(error) << '\n';
    return 1;
}
