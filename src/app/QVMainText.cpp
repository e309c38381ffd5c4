// Writing on the worksheet: the text tool with its in-place editor and the
// tool bar's character formatting.
#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSignalBlocker>
#include <QToolBar>

#include "app/ChartPicture.h"
#include "app/FontSampleDelegate.h"
#include "app/QVMain.h"
#include "app/Tschooledit.h"
#include "drawing/QtText.h"
#include "drawing/TextDefaults.h"
#include "drawing/bskomplex.h"
#include "drawing/bstext.h"

#include <cmath>

namespace qv {

void TMain::openTextEditor(int x, int y) {
    closeTextEditor();
    TSeite& page = *document_.Page;
    ttext* text = nullptr;
    for (auto object = page.Children.rbegin(); object != page.Children.rend() && !text; ++object) {
        auto* candidate = dynamic_cast<ttext*>(object->get());
        if (candidate && candidate->HitTest(x, y)) text = candidate;
    }
    page.DeselectAll();
    if (!text) {
        auto created = std::make_unique<ttext>(x / Scales().PixelsPerCmX, y / Scales().PixelsPerCmY);
        text = created.get();
        page.Add(std::move(created));
    }
    drawPage();
    text->NotifySelected();
    textEditor_->Open(text);
    textEditor_->SetCaretFromPagePoint(x, y);
    text->NotifySelected();
}

void TMain::closeTextEditor() {
    ttext* text = textEditor_->Text();
    if (!text) return;
    textEditor_->Open(nullptr);
    auto& objects = document_.Page->Children;
    if (text->Chars.empty())
        std::erase_if(objects, [text](const auto& object) { return object.get() == text; });
    markChanged();
    drawPage();
}

void TMain::createFormatControls(QToolBar* bar) {
    Commands& c = commands_;
    auto button = [bar](const QString& caption) {
        QAction* action = bar->addAction(caption);
        action->setObjectName(caption);
        action->setCheckable(true);
        action->setToolTip(caption);
        return action;
    };
    c.bold = button(QStringLiteral("Fett"));
    c.italic = button(QStringLiteral("Kursiv"));
    c.underline = button(QStringLiteral("Unterstrichen"));
    c.raised = button(QStringLiteral("Hochgestellt"));
    c.lowered = button(QStringLiteral("Tiefgestellt"));
    // Raised and lowered exclude each other; the change is applied once,
    // with both buttons already right.
    auto exclude = [this](QAction* other) {
        return [other](bool on) {
            const QSignalBlocker quiet(other);
            if (on) other->setChecked(false);
        };
    };
    connect(c.raised, &QAction::toggled, this, exclude(c.lowered));
    connect(c.lowered, &QAction::toggled, this, exclude(c.raised));
    for (QAction* style : {c.bold, c.italic, c.underline, c.raised, c.lowered})
        connect(style, &QAction::toggled, this, [this] { applyTextFormat(KindTextStyle); });

    c.fontSize = new QComboBox(bar);
    c.fontSize->setObjectName(QStringLiteral("fontSize"));
    c.fontSize->setEditable(true);
    c.fontSize->setToolTip(QStringLiteral("Schriftgröße oder Karo-Format"));
    for (int points : {8, 9, 10, 12, 14, 18, 24, 32, 48, 72}) c.fontSize->addItem(QString::number(points));
    c.fontSize->setCurrentText(QStringLiteral("12"));
    bar->addWidget(c.fontSize);
    connect(c.fontSize, &QComboBox::textActivated, this, [this] { applyTextFormat(KindTextSize); });

    c.fontName = new QComboBox(bar);
    c.fontName->setObjectName(QStringLiteral("fontName"));
    c.fontName->setToolTip(QStringLiteral("Schriftart"));
    c.fontName->setItemDelegate(new FontSampleDelegate(c.fontName));
    c.fontName->addItems(QFontDatabase::families());
    // Documents name Windows fonts; the box shows what Arial is matched to here.
    c.fontName->setCurrentText(QFontInfo(QFont(QStringLiteral("Arial"))).family());
    bar->addWidget(c.fontName);
    connect(c.fontName, &QComboBox::textActivated, this, [this] { applyTextFormat(KindFontName); });

    Drawing().SelectionChanged = [this](Tsimple&) { showTextFormat(); };
}

void TMain::applyTextFormat(int kind) {
    if (showingFormat_) return;
    stopAnimation();
    const Commands& c = commands_;
    TextDefaultValues& d = TextDefaults();
    if (kind == KindTextStyle) {
        d.FontStyle = static_cast<uint8_t>((d.FontStyle & ~(StyleBold | StyleItalic | StyleUnderline)) |
                                           (c.bold->isChecked() ? StyleBold : 0) |
                                           (c.italic->isChecked() ? StyleItalic : 0) |
                                           (c.underline->isChecked() ? StyleUnderline : 0));
        const double height = d.DefaultTextSize * CmPerPoint;
        d.DefaultShift = c.lowered->isChecked() ? height * d.SubShift : c.raised->isChecked() ? height * d.SuperShift : 0;
    } else if (kind == KindTextSize) {
        bool ok = false;
        const int size = c.fontSize->currentText().trimmed().toInt(&ok);
        if (!ok || size <= 0) return;
        d.DefaultTextSize = size;
    } else if (kind == KindFontName) {
        d.FontName = FromQString(c.fontName->currentText());
    }
    if (textEditor_->Text()) {
        textEditor_->ApplyAttribute(kind);
        textEditor_->setFocus();
        return;
    }
    if (tool_ != 0) return;
    bool any = false;
    for (auto& object : document_.Page->Children)
        if (object->Selected()) {
            object->ApplyDefault(kind);
            any = true;
        }
    if (!any) return;
    markChanged();
    drawPage();
}

void TMain::showTextFormat() {
    Commands& c = commands_;
    const TextDefaultValues& d = TextDefaults();
    showingFormat_ = true;
    c.bold->setChecked(d.FontStyle & StyleBold);
    c.italic->setChecked(d.FontStyle & StyleItalic);
    c.underline->setChecked(d.FontStyle & StyleUnderline);
    c.raised->setChecked(d.DefaultShift > 0);
    c.lowered->setChecked(d.DefaultShift < 0);
    c.fontSize->setCurrentText(QString::number(std::lround(d.DefaultTextSize)));
    const int entry = c.fontName->findText(ToQString(d.FontName));
    if (entry >= 0) c.fontName->setCurrentIndex(entry);
    showingFormat_ = false;
}

}  // namespace qv
