#include "dialogs/QVGrafikdlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <functional>
#include <utility>

#include "app/Cursors.h"
#include "dialogs/DialogParts.h"
#include "dialogs/MessageBoxes.h"
#include "drawing/PictureHolder.h"
#include "drawing/QtText.h"
#include "drawing/bsbitmap.h"
#include "util/NumberFormat.h"

namespace qv {

namespace {

// The preview reports where the mouse was released, for the pipette.
class PreviewLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void(QPoint)> released;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (released) released(event->position().toPoint());
        QLabel::mouseReleaseEvent(event);
    }
};

QString Fixed2(double value) { return ToQString(FormatReal(value, RealFormat::Fixed, 15, 2)); }

QString PixelText(int width, int height) { return QStringLiteral("%1x%2 Pixel").arg(width).arg(height); }

std::optional<double> RealOf(const QLineEdit* edit) {
    double value = 0;
    if (!TextToReal(EntryText(edit), value)) return std::nullopt;
    return value;
}

std::optional<int> IntegerOf(const QLineEdit* edit) {
    int64_t value = 0;
    if (!TextToInteger(EntryText(edit), value) || value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

QColor ColourOfRef(uint32_t colourRef) {
    return QColor(static_cast<int>(colourRef & 0xFF), static_cast<int>(colourRef >> 8 & 0xFF),
                  static_cast<int>(colourRef >> 16 & 0xFF));
}

}  // namespace

TGrafikdlg::TGrafikdlg(QWidget* parent, TBild& bild)
    : QDialog(parent),
      bild_(bild),
      x_(NamedWidget<QLineEdit>("x", Fixed2(bild.X()), this)),
      y_(NamedWidget<QLineEdit>("y", Fixed2(bild.Y()), this)),
      width_(NamedWidget<QLineEdit>("breite", Fixed2(bild.Width()), this)),
      height_(NamedWidget<QLineEdit>("hoehe", Fixed2(bild.Height()), this)),
      aspect_(NamedWidget<QCheckBox>("seitenverhaeltnis", QStringLiteral("Seitenverhältnis behalten"), this)),
      left_(NamedWidget<QLineEdit>("links", QStringLiteral("0"), this)),
      top_(NamedWidget<QLineEdit>("oben", QStringLiteral("0"), this)),
      right_(NamedWidget<QLineEdit>("rechts", QStringLiteral("0"), this)),
      bottom_(NamedWidget<QLineEdit>("unten", QStringLiteral("0"), this)),
      cropGroup_(new QGroupBox(QStringLiteral("Beschneiden"), this)),
      preview_(new PreviewLabel(this)),
      originalSize_(new QLabel(this)),
      format_(new QLabel(this)),
      transparent_(NamedWidget<QCheckBox>("transparent", QStringLiteral("transparent"), this)),
      colourButton_(new QPushButton(QStringLiteral("Transparent-Farbe"), this)),
      grey_(NamedWidget<QCheckBox>("graustufen", QStringLiteral("Graustufen"), this)),
      turn_(NamedWidget<QCheckBox>("drehen", QStringLiteral("Um 90° drehen"), this)),
      mirrorUpDown_(NamedWidget<QCheckBox>("obenunten", QStringLiteral("Spiegeln: Oben <--> Unten"), this)),
      mirrorLeftRight_(NamedWidget<QCheckBox>("linksrechts", QStringLiteral("Spiegeln: Links <--> Rechts"), this)),
      previewButton_(new QPushButton(QStringLiteral("Vorschau"), this)) {
    setWindowTitle(QStringLiteral("Grafik"));
    preview_->setObjectName(QStringLiteral("vorschaubild"));
    format_->setObjectName(QStringLiteral("format"));
    preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    static_cast<PreviewLabel*>(preview_)->released = [this](QPoint at) { takeColour(at); };
    colourButton_->setObjectName(QStringLiteral("transparentfarbe"));
    previewButton_->setObjectName(QStringLiteral("vorschau"));

    const auto& raster = bild.Picture.Raster();
    if (raster && HasEncodablePixels(*raster)) original_ = *raster;
    aspect_->setChecked(true);
    transparent_->setChecked(bild.Picture.Transparent);
    if (original_) {
        previewImage_ = PictureToImage(*original_);
        colour_ = OwnTransparentColour(bild.Picture);
    } else {
        // A metafile (or a picture that does not decode) can only be placed.
        previewImage_ = bild.Picture.ToImage(false, QSize(std::abs(bild.PixWidth()), std::abs(bild.PixHeight())));
        colour_ = 0xFFFFFF;
        transparent_->setChecked(true);
        for (QWidget* widget : std::initializer_list<QWidget*>{aspect_, grey_, turn_, mirrorUpDown_, mirrorLeftRight_,
                                                               cropGroup_, previewButton_, transparent_})
            widget->setEnabled(false);
    }
    colourButton_->setEnabled(original_ && bild.Picture.Kind() == GraphicKind::Bitmap && transparent_->isChecked());
    originalSize_->setText(PixelText(previewImage_.width(), previewImage_.height()));
    format_->setText(originalSize_->text());
    paintColourButton();
    showPreview();

    connect(width_, &QLineEdit::textEdited, this, [this] { keepAspect(true); });
    connect(height_, &QLineEdit::textEdited, this, [this] { keepAspect(false); });
    for (QLineEdit* edit : {left_, top_, right_, bottom_}) connect(edit, &QLineEdit::textEdited, this, [this] { cropChanged(); });
    connect(transparent_, &QCheckBox::toggled, this, [this](bool on) {
        colourButton_->setEnabled(on && original_ && bild_.Picture.Kind() == GraphicKind::Bitmap);
    });
    connect(colourButton_, &QPushButton::clicked, this, [this] { pickColour(); });
    connect(previewButton_, &QPushButton::clicked, this, [this] {
        previewButton_->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        showPreview();
        QApplication::restoreOverrideCursor();
        previewButton_->setEnabled(true);
    });

    auto* place = new QFormLayout;
    place->addRow(QStringLiteral("x="), x_);
    place->addRow(QStringLiteral("y="), y_);
    place->addRow(QStringLiteral("Breite:"), width_);
    place->addRow(QStringLiteral("Höhe:"), height_);
    place->addRow(aspect_);
    auto* cropLayout = new QFormLayout(cropGroup_);
    cropLayout->addRow(QStringLiteral("Links:"), left_);
    cropLayout->addRow(QStringLiteral("Oben:"), top_);
    cropLayout->addRow(QStringLiteral("Rechts:"), right_);
    cropLayout->addRow(QStringLiteral("Unten:"), bottom_);
    auto* sizes = new QFormLayout;
    sizes->addRow(QStringLiteral("Original:"), originalSize_);
    sizes->addRow(QStringLiteral("Format:"), format_);
    auto* options = new QVBoxLayout;
    options->addLayout(place);
    options->addWidget(cropGroup_);
    options->addLayout(sizes);
    for (QWidget* widget : std::initializer_list<QWidget*>{transparent_, colourButton_, grey_, turn_, mirrorUpDown_,
                                                           mirrorLeftRight_, previewButton_})
        options->addWidget(widget);
    options->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(preview_);
    scroll->setMinimumSize(320, 320);
    auto* columns = new QHBoxLayout;
    columns->addLayout(options);
    columns->addWidget(scroll, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(MakeDialogButtons(*this, QStringLiteral("grafik.html"), [this] { accept(); }));
}

PictureChoices TGrafikdlg::choices() const {
    PictureChoices result;
    if (!original_) return result;
    result.MirrorUpDown = mirrorUpDown_->isChecked();
    result.MirrorLeftRight = mirrorLeftRight_->isChecked();
    result.QuarterTurn = turn_->isChecked();
    result.Grey = grey_->isChecked();
    result.Transparent = transparent_->isChecked();
    result.TransparentColour = colour_;
    return result;
}

void TGrafikdlg::keepAspect(bool fromWidth) {
    if (!aspect_->isChecked() || previewImage_.isNull()) return;
    const std::optional<double> value = RealOf(fromWidth ? width_ : height_);
    if (!value) return;
    const double ratio = double(previewImage_.height()) / previewImage_.width();
    (fromWidth ? height_ : width_)->setText(Fixed2(fromWidth ? *value * ratio : *value / ratio));
}

void TGrafikdlg::cropChanged() {
    CropAmounts wanted = crop_;
    const std::pair<QLineEdit*, int*> boxes[] = {
        {left_, &wanted.Left}, {top_, &wanted.Top}, {right_, &wanted.Right}, {bottom_, &wanted.Bottom}};
    for (const auto& [edit, amount] : boxes)
        if (const auto value = IntegerOf(edit)) *amount = *value;
    crop_ = ClampCrop(wanted, previewImage_.width(), previewImage_.height());
    const std::pair<QLineEdit*, int> kept[] = {
        {left_, crop_.Left}, {top_, crop_.Top}, {right_, crop_.Right}, {bottom_, crop_.Bottom}};
    for (const auto& [edit, amount] : kept)
        if (IntegerOf(edit) && *IntegerOf(edit) != amount) edit->setText(QString::number(amount));
    showPreview();
}

void TGrafikdlg::showPreview() {
    if (original_) {
        // Always from the unchanged pixels, so that each change is made once.
        const PictureChoices chosen = choices();
        previewImage_ = PictureToImage(EditedPixels(*original_, chosen));
        if (chosen.QuarterTurn != boxesTurned_) {
            const QString width = width_->text();
            width_->setText(height_->text());
            height_->setText(width);
            boxesTurned_ = chosen.QuarterTurn;
        }
        crop_ = ClampCrop(crop_, previewImage_.width(), previewImage_.height());
    }
    QImage shown = previewImage_.copy(crop_.Left, crop_.Top, previewImage_.width() - crop_.Left - crop_.Right,
                                      previewImage_.height() - crop_.Top - crop_.Bottom);
    // The kept size of the picture as the preview shows it, a quarter turn included.
    if (!previewImage_.isNull()) format_->setText(PixelText(shown.width(), shown.height()));
    if (transparent_->isChecked() && original_ && bild_.Picture.Kind() == GraphicKind::Bitmap) {
        const QRgb key = ColourOfRef(colour_).rgb();
        for (int j = 0; j < shown.height(); ++j)
            for (int i = 0; i < shown.width(); ++i)
                if ((shown.pixel(i, j) & 0xFFFFFF) == (key & 0xFFFFFF)) shown.setPixel(i, j, 0);
    }
    preview_->setPixmap(QPixmap::fromImage(shown));
    preview_->resize(shown.size());
}

void TGrafikdlg::pickColour() {
    picking_ = true;
    preview_->setCursor(AppCursor(CursorShape::Pipette));
    setCursor(AppCursor(CursorShape::Pipette));
}

void TGrafikdlg::takeColour(QPoint at) {
    if (!picking_) return;
    picking_ = false;
    preview_->unsetCursor();
    unsetCursor();
    const QPoint pixel = at + QPoint(crop_.Left, crop_.Top);
    if (!previewImage_.valid(pixel)) return;
    colour_ = ColourRefOf(previewImage_.pixel(pixel));
    paintColourButton();
    showPreview();
}

void TGrafikdlg::paintColourButton() {
    QPixmap swatch(16, 16);
    swatch.fill(ColourOfRef(colour_));
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 15);
    painter.end();
    colourButton_->setIcon(QIcon(swatch));
}

std::optional<PictureBox> TGrafikdlg::enteredBox() {
    PictureBox box;
    const std::pair<QLineEdit*, double*> entries[] = {
        {x_, &box.X}, {y_, &box.Y}, {width_, &box.Width}, {height_, &box.Height}};
    for (const auto& [edit, value] : entries) {
        const auto number = RealOf(edit);
        if (!EntryAccepted(this, edit,
                           number ? std::nullopt
                                  : std::optional<std::string>("'" + EntryText(edit) + "' ist kein g\xFCltiger Gleitkommawert")))
            return std::nullopt;
        *value = *number;
    }
    return box;
}

std::optional<CropAmounts> TGrafikdlg::enteredCrop() {
    CropAmounts crop;
    const std::pair<QLineEdit*, int*> entries[] = {
        {left_, &crop.Left}, {top_, &crop.Top}, {right_, &crop.Right}, {bottom_, &crop.Bottom}};
    for (const auto& [edit, value] : entries) {
        const auto number = IntegerOf(edit);
        if (!EntryAccepted(this, edit,
                           number ? std::nullopt
                                  : std::optional<std::string>("'" + EntryText(edit) + "' ist kein g\xFCltiger Integerwert")))
            return std::nullopt;
        *value = *number;
    }
    return crop;
}

void TGrafikdlg::accept() {
    showPreview();
    // Every box is checked before anything changes, so a typing error never
    // leaves the picture half edited.
    const std::optional<PictureBox> box = enteredBox();
    if (!box) return;
    const std::optional<CropAmounts> crop = enteredCrop();
    if (!crop) return;
    ApplyPictureEdits(bild_, choices(), *crop, *box);
    QDialog::accept();
}

bool EditPicture(QWidget* parent, TBild& bild) {
    TGrafikdlg dialog(parent, bild);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace qv
