// "Kurven-Parameter": how a variable's curve is drawn and animated.
#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

#include "util/Picture.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace qv {

class ColourCombo;
struct Tvariable;

class TPlotdlg : public QDialog {
public:
    TPlotdlg(QWidget* parent, const Tvariable& variable);

    // Writes the entries into the variable and marks it for redrawing.
    void store(Tvariable& variable) const;

    // Loads a picture file into the preview; its name becomes the picture
    // text. False (preview left alone) when it is no readable picture.
    bool loadPictureFile(const QString& fileName);

private:
    void TypClick();
    void LinienattributeClick();
    void OeffnenClick();
    void LoeschenClick();
    void OKClick();
    void showPreview();

    uint32_t lineColour_;
    uint8_t lineStyle_;
    int32_t lineWidth_;  // in pixels, as the dialog shows it
    std::string pictureText_;
    std::optional<Picture> preview_;

    QComboBox* typ_;
    QGroupBox* linien_;
    QCheckBox* splines_;
    QGroupBox* punkte_;
    QComboBox* form_;
    QSpinBox* groesse_;
    ColourCombo* punktfarbe_;
    QCheckBox* an_;
    QComboBox* entstehung_;
    QComboBox* animationstyp_;
    QLabel* bild_;
    QPushButton* loeschen_;
};

// True when OK closed the dialog; the variable is changed only then.
bool EditCurve(QWidget* parent, Tvariable& variable);

}  // namespace qv
