// What every example generator sets up before it builds a document: a
// window-less Qt, the program's fonts and a fixed page scale, so the same
// generator writes the same bytes on every machine.
#pragma once

#include <QGuiApplication>

#include "drawing/TextFonts.h"
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
