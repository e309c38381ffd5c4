#include "dialogs/QVplotdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <span>

#include "dialogs/ColourCombo.h"
#include "dialogs/DialogParts.h"
#include "drawing/QtBytes.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/QVLINEAT.h"
#include "drawing/QtText.h"
#include "engine/Tvariable.h"
#include "util/PictureCodec.h"
#include "util/PictureText.h"
#include "util/TextHelpers.h"

namespace qv {

namespace {

constexpr int PointsType = 1;
constexpr int PreviewSide = 64;

QComboBox* NamedList(QWidget* parent, const char* name, const QStringList& items, int current) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(items);
    list->setCurrentIndex(current >= 0 && current < list->count() ? current : -1);
    return list;
}

// A list without a selection keeps the stored choice.
int32_t ChoiceOf(const QComboBox* list, int32_t stored) {
    return list->currentIndex() >= 0 ? list->currentIndex() : stored;
}

std::optional<Picture> ReadPictureFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    return ReadAnyPicture(ByteSpan(bytes));
}

// The held text is the picture itself in hex, or else the name of its file.
std::optional<Picture> PictureOfText(const std::string& text) {
    if (text.empty()) return std::nullopt;
    if (auto picture = HexTextToGraphic(text)) return picture;
    return ReadPictureFile(ToQString(text));
}

QImage ImageOf(const Picture& picture) {
    if (!HasEncodablePixels(picture)) return {};
    QImage image(picture.Width, picture.Height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            image.setPixel(x, y, picture.Pixels[static_cast<std::size_t>(y) * picture.Width + x]);
    return image;
}

}  // namespace

TPlotdlg::TPlotdlg(QWidget* parent, const Tvariable& variable)
    : QDialog(parent),
      lineColour_(static_cast<uint32_t>(variable.LineColour)),
      lineStyle_(variable.LineStyle),
      lineWidth_(variable.LineWidth / 10),
      pictureText_(variable.Picture),
      preview_(PictureOfText(variable.Picture)),
      typ_(NamedList(this, "typ",
                     {QStringLiteral("Linien-Diagramm"), QStringLiteral("Punkt-Diagramm"),
                      QStringLiteral("Punkt-Linien-Diagramm"), QStringLiteral("Balken-Diagramm")},
                     variable.CurveKind)),
      linien_(new QGroupBox(QStringLiteral("Linien"), this)),
      splines_(new QCheckBox(QStringLiteral("Splines"), linien_)),
      punkte_(new QGroupBox(QStringLiteral("Punkte"), this)),
      form_(NamedList(punkte_, "form", {QStringLiteral("Kreuz"), QStringLiteral("Kreis"), QStringLiteral("Scheibe")},
                      variable.PointForm)),
      groesse_(new QSpinBox(punkte_)),
      punktfarbe_(new ColourCombo(punkte_)),
      an_(new QCheckBox(QStringLiteral("an"), this)),
      entstehung_(NamedList(this, "entstehung",
                            {QStringLiteral("unsichtbar"), QStringLiteral("sofort zeichnen"),
                             QStringLiteral("animiert zeichnen")},
                            variable.CurveCreation)),
      animationstyp_(NamedList(this, "animationstyp",
                               {QStringLiteral("linear"), QStringLiteral("zyklisch"), QStringLiteral("autoreverse")},
                               variable.AnimationType)),
      bild_(new QLabel(this)),
      loeschen_(new QPushButton(QStringLiteral("Löschen"), this)) {
    setWindowTitle(QStringLiteral("Kurven-Parameter"));
    splines_->setObjectName(QStringLiteral("splines"));
    splines_->setToolTip(QStringLiteral("quadratische Interpolation"));
    splines_->setChecked(variable.Splines);
    groesse_->setObjectName(QStringLiteral("groesse"));
    groesse_->setRange(1, 15);
    groesse_->setToolTip(QStringLiteral("gemessen in Pt."));
    groesse_->setValue(variable.PointSize);
    punktfarbe_->setObjectName(QStringLiteral("punktfarbe"));
    punktfarbe_->setColour(static_cast<uint32_t>(variable.PointColour));
    an_->setObjectName(QStringLiteral("an"));
    an_->setChecked(variable.Animated);
    bild_->setObjectName(QStringLiteral("bild"));
    bild_->setFixedSize(PreviewSide, PreviewSide);
    bild_->setFrameShape(QFrame::Box);
    bild_->setAlignment(Qt::AlignCenter);
    loeschen_->setObjectName(QStringLiteral("loeschen"));
    showPreview();

    auto* attribute = new QPushButton(QStringLiteral("&Linienattribute"), linien_);
    auto* linesLayout = new QVBoxLayout(linien_);
    linesLayout->addWidget(splines_);
    linesLayout->addWidget(attribute);
    auto* pointsLayout = new QFormLayout(punkte_);
    pointsLayout->addRow(QStringLiteral("Form"), form_);
    pointsLayout->addRow(QStringLiteral("Größe"), groesse_);
    pointsLayout->addRow(QStringLiteral("Farbe"), punktfarbe_);

    auto* animation = new QGroupBox(QStringLiteral("Animation"), this);
    auto* oeffnen = new QPushButton(QStringLiteral("Öffnen"), animation);
    auto* pictureButtons = new QVBoxLayout;
    pictureButtons->addWidget(oeffnen);
    pictureButtons->addWidget(loeschen_);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(bild_);
    pictureRow->addLayout(pictureButtons);
    auto* animationLayout = new QFormLayout(animation);
    animationLayout->addRow(an_);
    animationLayout->addRow(QStringLiteral("Entstehung der Kurve"), entstehung_);
    animationLayout->addRow(QStringLiteral("Animationstyp"), animationstyp_);
    animationLayout->addRow(pictureRow);

    auto* typeRow = new QFormLayout;
    typeRow->addRow(QStringLiteral("Typ"), typ_);
    auto* groups = new QHBoxLayout;
    groups->addWidget(linien_);
    groups->addWidget(punkte_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(typeRow);
    layout->addLayout(groups);
    layout->addWidget(animation);
    layout->addWidget(MakeDialogButtons(*this, QStringLiteral("kurvenparameter.html"), [this] { OKClick(); }));

    connect(typ_, &QComboBox::currentIndexChanged, this, [this] { TypClick(); });
    connect(attribute, &QPushButton::clicked, this, [this] { LinienattributeClick(); });
    connect(oeffnen, &QPushButton::clicked, this, [this] { OeffnenClick(); });
    connect(loeschen_, &QPushButton::clicked, this, [this] { LoeschenClick(); });
    TypClick();
}

void TPlotdlg::TypClick() {
    const int type = typ_->currentIndex();
    punkte_->setEnabled(type == 1 || type == 2);
    linien_->setEnabled(type != PointsType);
    splines_->setEnabled(type == 0 || type == 2);
}

void TPlotdlg::LinienattributeClick() {
    if (lineWidth_ == 0) lineWidth_ = 1;
    EditLineAttributes(this, lineColour_, lineStyle_, lineWidth_, true);
}

void TPlotdlg::showPreview() {
    const QImage image = preview_ ? ImageOf(*preview_) : QImage();
    if (image.isNull())
        bild_->clear();
    else
        bild_->setPixmap(QPixmap::fromImage(image.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio)));
    loeschen_->setEnabled(!pictureText_.empty());
}

bool TPlotdlg::loadPictureFile(const QString& fileName) {
    auto picture = ReadPictureFile(fileName);
    if (!picture) return false;
    preview_ = std::move(picture);
    pictureText_ = FromQString(fileName);
    showPreview();
    return true;
}

void TPlotdlg::OeffnenClick() {
    const QString folder = QString::fromStdString(FindDataFolder("ani"));
    const QString fileName = ChooseFile(this, FileChoice::Open, QStringLiteral("Öffnen"), folder,
                                        QStringLiteral("Grafiken (*.bmp *.png *.jpg)"));
    if (!fileName.isEmpty()) loadPictureFile(fileName);
}

void TPlotdlg::LoeschenClick() {
    preview_.reset();
    pictureText_.clear();
    showPreview();
}

void TPlotdlg::OKClick() {
    // A curve that is neither drawn step by step nor has a picture would
    // show nothing moving.
    if (an_->isChecked() && entstehung_->currentIndex() <= 1 && pictureText_.empty()) {
        ShowMessage(this, MessageKind::Warning,
                    QStringLiteral("Wählen Sie zu der Animation noch eine Grafik über Öffnen aus!"));
        return;
    }
    accept();
}

void TPlotdlg::store(Tvariable& variable) const {
    variable.CurveKind = ChoiceOf(typ_, variable.CurveKind);
    variable.Splines = splines_->isChecked();
    variable.LineColour = static_cast<int32_t>(lineColour_);
    variable.LineWidth = lineWidth_ * 10;
    variable.LineStyle = lineStyle_;
    variable.PointForm = ChoiceOf(form_, variable.PointForm);
    variable.PointSize = groesse_->value();
    variable.PointColour = static_cast<int32_t>(punktfarbe_->colour(static_cast<uint32_t>(variable.PointColour)));
    const std::string hex = preview_ ? GraphicToHexText(*preview_) : std::string();
    variable.Picture = hex.empty() ? pictureText_ : hex;
    variable.Animated = an_->isChecked();
    variable.CurveCreation = ChoiceOf(entstehung_, variable.CurveCreation);
    variable.AnimationType = ChoiceOf(animationstyp_, variable.AnimationType);
    variable.Changed = true;
}

bool EditCurve(QWidget* parent, Tvariable& variable) {
    TPlotdlg dialog(parent, variable);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(variable);
    return true;
}

}  // namespace qv
