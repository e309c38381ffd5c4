// The chart view and the table view: the display cycle, the page picture
// and the clicks on curves, axes and page objects.
#include <QAction>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>

#include <algorithm>

#include "app/ChartPicture.h"
#include "app/QVMain.h"
#include "app/QVTableView.h"
#include "charts/QVLegend.h"
#include "charts/QVPlot.h"
#include "charts/bsgraf3d.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/QVGrdlg.h"
#include "dialogs/QVachse.h"
#include "dialogs/QVplotdlg.h"
#include "document/DocumentActions.h"
#include "drawing/BSSimple.h"
#include "drawing/QtColour.h"
#include "util/Geometry.h"

namespace qv {

void TMain::anzeigen() {
    stopAnimation();
    closeTextEditor();
    if (running_) return;
    compute();
    display(false);
}

void TMain::display(bool animating) {
    if (running_) return;
    if (document_.TableShown) table_->buildTable(document_.Simulations, document_.Chart->threeD);
    if (!document_.ChartShown) return;
    setPageScale();
    std::optional<std::string> failure = BuildChart(document_, animating);
    document_.Page->UpdatePixels();
    drawPage();
    // While animating the same failure would come back with every tick.
    if (failure && !animating) ShowMessage(this, MessageKind::Error, *failure);
}

void TMain::releaseTable() { table_->buildTable({}, false); }

void TMain::setPageScale() {
    // The picture is the page, as large as the view holds it at one scale in
    // both directions; the view centres it (its pixels are the page's, so
    // clicks, handles and drags need no further conversion).
    const QSize view = chartView_->viewport()->size().expandedTo(QSize(160, 120));
    TSeite& page = *document_.Page;
    const PageFit fit = FitPage(view.width(), view.height(), page.Width(), page.Height());
    Scales().PixelsPerCmX = Scales().PixelsPerCmY = fit.PixelsPerCm;
    page.UpdatePixels();
    const QSize size = ToQRect(fit.Page).size().expandedTo(QSize(1, 1));
    if (picture_->image().size() != size) picture_->setImage(QImage(size, QImage::Format_RGB32));
}

void TMain::drawPage() {
    QImage image(picture_->image().size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), ToQColor(Drawing().PageColour));
        document_.Page->Draw(painter, 0, 0, nullptr);
        // The handles show which objects are selected and where to grip them.
        for (auto& child : document_.Page->Children)
            if (child->Selected()) child->ToggleHandles(painter, 0, 0);
    }
    picture_->setImage(std::move(image));
}

void TMain::applyViews() {
    chartView_->setVisible(document_.ChartShown);
    table_->setVisible(document_.TableShown);
    // With both views shown each takes half of the height.
    if (document_.ChartShown && document_.TableShown) views_->setSizes({views_->height() / 2, views_->height() / 2});
    commands_.chart->setChecked(document_.ChartShown);
    commands_.table->setChecked(document_.TableShown);
}

void TMain::Schaubild1Click() {
    document_.ChartShown = !document_.ChartShown;
    if (!document_.ChartShown) document_.TableShown = true;
    applyViews();
    if (immediateDisplay_) display(false);
    updateHint();
}

void TMain::Tabelle1Click() {
    document_.TableShown = !document_.TableShown;
    if (!document_.TableShown) document_.ChartShown = true;
    applyViews();
    if (immediateDisplay_) display(false);
    updateHint();
}

void TMain::AutoSkalieren1Click() {
    document_.Chart->autoScale = !document_.Chart->autoScale;
    markChanged();
    updateCommands();
}

void TMain::FormatSchaubild1Click() {
    if (running_) return;
    uint32_t background = Drawing().PageColour;
    if (!EditChart(this, *document_.Chart, background)) return;
    Drawing().PageColour = background;
    markChanged();
    anzeigen();
}

void TMain::ZahlenInTabelle1Click() {
    if (document_.TableShown && table_->hasRows() && table_->formatAllColumns()) markChanged();
}

void TMain::ArrowToolClick() {
    closeTextEditor();
    tool_ = 0;
    picture_->setCursor(Qt::ArrowCursor);
    showStatus(QStringLiteral("Auf Objekte klicken..."));
}

void TMain::TextToolClick() {
    tool_ = 1;
    document_.Page->DeselectAll();
    picture_->setCursor(Qt::IBeamCursor);
    showStatus(QStringLiteral("Auf vorhandenen Text oder an neue Position klicken..."));
}

void TMain::PictureMouseDown(QPoint position, Qt::MouseButton button) {
    stopAnimation();
    if (running_ || drag_.Active() || button != Qt::LeftButton || !document_.ChartShown) return;
    if (tool_ == 1) {
        openTextEditor(position.x(), position.y());
        return;
    }
    const int x = position.x(), y = position.y();
    TSeite& page = *document_.Page;
    // Legend entries lie over the chart: a click on one is meant for its
    // curve, not for the axis or curve beneath it.
    auto legend = std::find_if(page.Children.rbegin(), page.Children.rend(),
                               [&](auto& child) { return dynamic_cast<tlegend*>(child.get()) && child->HitTest(x, y); });
    if (legend != page.Children.rend()) {
        clickOnPageObject(**legend, x, y);
        return;
    }
    auto first = std::find_if(page.Children.begin(), page.Children.end(), [&](auto& child) { return child->HitTest(x, y); });
    if (first != page.Children.end() && first->get() == document_.Chart && clickInChart(x, y)) return;
    for (auto object = page.Children.rbegin(); object != page.Children.rend(); ++object) {
        if (object->get() == document_.Chart || !(*object)->HitTest(x, y)) continue;
        clickOnPageObject(**object, x, y);
        return;
    }
    page.DeselectAll();
    drawPage();
}

bool TMain::clickInChart(int x, int y) {
    Tgraf3d& chart = *document_.Chart;
    const int dx = x - chart.PixX(), dy = y - chart.PixY();
    for (auto& child : chart.Children) {
        if (!child->HitTest(dx, dy)) continue;
        if (auto* axis = dynamic_cast<Taxis3D*>(child.get())) {
            if (!axis->visible) continue;
            QString caption = QStringLiteral("Achse");
            if (axis == &chart.depthAxis() && chart.threeD) caption = QStringLiteral("x-Achse");
            if (axis == &chart.horizontalAxis()) caption = chart.threeD ? QStringLiteral("y-Achse") : QStringLiteral("x-Achse");
            if (axis == &chart.verticalAxis()) caption = chart.threeD ? QStringLiteral("z-Achse") : QStringLiteral("y-Achse");
            if (EditAxis(this, caption, *axis, chart.threeD)) {
                markChanged();
                chart.autoScale = false;
                anzeigen();
            }
            return true;
        }
        if (dynamic_cast<TPlot*>(child.get())) {
            editCurveOf(child.get());
            return true;
        }
    }
    return false;
}

void TMain::clickOnPageObject(Tsimple& object, int x, int y) {
    if (auto* legend = dynamic_cast<tlegend*>(&object)) {
        editCurveOf(legend->Curve);
        return;
    }
    if (object.Tag != TagText && object.Tag != TagBild) {
        document_.Page->DeselectAll();
    } else if (const PageGrip grip = FindGrip(*document_.Page, x, y); object.Selected() && grip) {
        // On a handle or the centre of a selected object: drag it.
        dragBase_ = picture_->image();
        drag_.Start(*document_.Page, grip, x, y);
        return;
    } else {
        const bool select = !object.Selected();
        document_.Page->DeselectAll();
        object.SetSelected(select);
    }
    drawPage();
    // Del follows the selection at once, also when no simulation enables it.
    updateCommands();
}

void TMain::PictureMouseMove(QPoint position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    if (tool_ != 0 || running_) return;
    const int x = position.x(), y = position.y();
    if (!drag_.Active()) {
        picture_->setCursor(GripCursor(FindGrip(*document_.Page, x, y).Code));
        return;
    }
    switch (drag_.Move(x, y, buttons, modifiers)) {
        case DragStep::Unchanged:
            return;
        case DragStep::Ended:
            finishDrag();
            return;
        case DragStep::Moved:
            break;
    }
    markChanged();
    // The outlines at the new place over the picture as it was when the drag began.
    QImage image = dragBase_;
    {
        QPainter painter(&image);
        for (Tsimple* object : drag_.Dragged())
            if (object->DrawableAt(0, 0)) object->Draw(painter, 0, 0, nullptr);
    }
    picture_->setImage(std::move(image));
}

void TMain::PictureMouseUp(QPoint, Qt::MouseButton button) {
    if (button == Qt::LeftButton) finishDrag();
}

void TMain::finishDrag() {
    // The page still shows the outlines when a move without button has
    // already ended the drag itself.
    if (!drag_.Active() && dragBase_.isNull()) return;
    drag_.Finish();
    dragBase_ = QImage();
    document_.Page->UpdatePixels();
    drawPage();
    updateCommands();
}

void TMain::editCurveOf(const Tsimple* curve) {
    std::vector<Tvariable*> variables =
        findVariableOfCurve(document_.Simulations, dynamic_cast<const TPlot*>(curve));
    if (variables.empty() || !EditCurve(this, *variables.front())) return;
    markChanged();
    display(false);
}

}  // namespace qv
