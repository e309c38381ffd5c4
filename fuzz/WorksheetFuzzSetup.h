// The set-up of the fuzz targets that draw or lay out worksheet objects: a
// window-less Qt and the program's fonts, made once before the first input.
// Included by one file of each such target, which it gives its initialiser.
#pragma once

#include <QGuiApplication>

#include "drawing/TextFonts.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    qv::PrepareFonts();
    return 0;
}
