// "Grafik": position, size, cropping, transparency, turning, mirroring and
// grey levels of a placed picture.
#pragma once

#include <QDialog>
#include <QImage>

#include <optional>

#include "drawing/PictureEdits.h"
#include "util/Picture.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class TBild;

class TGrafikdlg : public QDialog {
public:
    TGrafikdlg(QWidget* parent, TBild& bild);

    // The preview as it shows now, before cropping (tests).
    const QImage& previewImage() const { return previewImage_; }

private:
    void accept() override;
    void keepAspect(bool fromWidth);
    void cropChanged();
    void pickColour();
    void takeColour(QPoint at);
    void paintColourButton();
    void showPreview();
    PictureChoices choices() const;
    std::optional<PictureBox> enteredBox();
    std::optional<CropAmounts> enteredCrop();

    TBild& bild_;
    std::optional<Picture> original_;  // the object's pixels, none for a metafile
    QImage previewImage_;
    bool boxesTurned_ = false;  // the size boxes hold the turned picture's size
    bool picking_ = false;
    uint32_t colour_ = 0;  // red in the low byte
    CropAmounts crop_;

    QLineEdit* x_;
    QLineEdit* y_;
    QLineEdit* width_;
    QLineEdit* height_;
    QCheckBox* aspect_;
    QLineEdit* left_;
    QLineEdit* top_;
    QLineEdit* right_;
    QLineEdit* bottom_;
    QGroupBox* cropGroup_;
    QLabel* preview_;
    QLabel* originalSize_;
    QLabel* format_;
    QCheckBox* transparent_;
    QPushButton* colourButton_;
    QCheckBox* grey_;
    QCheckBox* turn_;
    QCheckBox* mirrorUpDown_;
    QCheckBox* mirrorLeftRight_;
    QPushButton* previewButton_;
};

// True when OK closed the dialog; the object is changed only then.
bool EditPicture(QWidget* parent, TBild& bild);

}  // namespace qv
