#include "exchange/XmileExport.h"

#include <QXmlStreamWriter>
#include <cmath>
#include <numbers>

#include "exchange/XmileDiagram.h"
#include "exchange/XmileExportModel.h"
#include "util/Cp1252.h"

namespace qv {

namespace {

QString Text(const std::string& cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

QString NameText(const std::string& cp1252) { return Text(XmileVariableName(cp1252)); }

QString Number(double value) { return QString::fromStdString(XmileNumber(value)); }

const char* ElementName(ExportKind kind) {
    switch (kind) {
    case ExportKind::Stock:
        return "stock";
    case ExportKind::Flow:
        return "flow";
    case ExportKind::Aux:
        break;
    }
    return "aux";
}

void WriteVariables(QXmlStreamWriter& xml, const ExportModel& model) {
    xml.writeStartElement(QStringLiteral("variables"));
    for (const ExportVariable& v : model.Variables) {
        xml.writeStartElement(QString::fromLatin1(ElementName(v.Kind)));
        xml.writeAttribute(QStringLiteral("name"), NameText(v.Name));
        xml.writeTextElement(QStringLiteral("eqn"), Text(v.Equation));
        for (const std::string& f : v.Inflows) xml.writeTextElement(QStringLiteral("inflow"), NameText(f));
        for (const std::string& f : v.Outflows) xml.writeTextElement(QStringLiteral("outflow"), NameText(f));
        if (v.NonNegative) xml.writeEmptyElement(QStringLiteral("non_negative"));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void WritePosition(QXmlStreamWriter& xml, IntPoint p) {
    xml.writeAttribute(QStringLiteral("x"), QString::number(std::lround(p.X / XmileViewSpreadX)));
    xml.writeAttribute(QStringLiteral("y"), QString::number(std::lround(p.Y / XmileViewSpreadY)));
}

IntPoint Centre(const TGSimple& e) { return {e.CentreX, e.CentreY}; }

// Where a flow runs: from the stock it drains (or a cloud left of the
// rate) to the stock it fills (or a cloud right of it), orthogonally
// through the rate's position.
void WriteFlowPoints(QXmlStreamWriter& xml, const ExportModel& model, const TDiagram& diagram, const trate& rate,
                     const std::string& name) {
    constexpr int32_t CloudDistance = 80;
    IntPoint from{rate.CentreX - CloudDistance, rate.CentreY}, to{rate.CentreX + CloudDistance, rate.CentreY};
    for (const auto& s : diagram.Stocks) {
        const ExportVariable* stock = model.Find(DisplayName(s->Name));
        if (!stock) continue;
        auto has = [&](const std::vector<std::string>& flows) {
            return std::any_of(flows.begin(), flows.end(),
                               [&](const std::string& f) { return UpperCase1252(f) == UpperCase1252(name); });
        };
        if (has(stock->Outflows)) from = Centre(*s);
        if (has(stock->Inflows)) to = Centre(*s);
    }
    std::vector<IntPoint> points{from, {rate.CentreX, from.Y}, {rate.CentreX, to.Y}, to};
    xml.writeStartElement(QStringLiteral("pts"));
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0 && points[i] == points[i - 1]) continue;
        xml.writeStartElement(QStringLiteral("pt"));
        WritePosition(xml, points[i]);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void WriteViewElement(QXmlStreamWriter& xml, const ExportVariable& v, const TGSimple& e) {
    xml.writeStartElement(QString::fromLatin1(ElementName(v.Kind)));
    xml.writeAttribute(QStringLiteral("name"), NameText(v.Name));
    WritePosition(xml, Centre(e));
    if (v.Kind == ExportKind::Stock) {
        xml.writeAttribute(QStringLiteral("width"), QString::number(std::llround((int64_t{e.Box.Right} - e.Box.Left) / XmileViewSpreadX)));
        xml.writeAttribute(QStringLiteral("height"), QString::number(std::llround((int64_t{e.Box.Bottom} - e.Box.Top) / XmileViewSpreadY)));
    }
}

// Arrows that carry information (not the flows from rates into stocks)
// become connectors; the angle is the arrow's first direction, counter-
// clockwise from east, as the view's y axis points down.
void WriteConnectors(QXmlStreamWriter& xml, const ExportModel& model, const TDiagram& diagram) {
    int uid = 0;
    for (const auto& arrow : diagram.Arrows) {
        if (!arrow->Source || !arrow->Target || arrow->PointCount < 2) continue;
        const ExportVariable* from = model.Find(DisplayName(arrow->Source->Name));
        const ExportVariable* to = model.Find(DisplayName(arrow->Target->Name));
        if (!from || !to || (from->Kind == ExportKind::Flow && to->Kind == ExportKind::Stock)) continue;
        const IntPoint a = arrow->Points[0], b = arrow->Points[1];
        const double angle = std::atan2(double(a.Y) - b.Y, double(b.X) - a.X) * 180 / std::numbers::pi;
        xml.writeStartElement(QStringLiteral("connector"));
        xml.writeAttribute(QStringLiteral("uid"), QString::number(++uid));
        xml.writeAttribute(QStringLiteral("angle"), Number(angle < 0 ? angle + 360 : angle));
        xml.writeTextElement(QStringLiteral("from"), NameText(from->Name));
        xml.writeTextElement(QStringLiteral("to"), NameText(to->Name));
        xml.writeEndElement();
    }
}

void WriteView(QXmlStreamWriter& xml, const ExportModel& model, const TDiagram& diagram) {
    xml.writeStartElement(QStringLiteral("views"));
    xml.writeStartElement(QStringLiteral("view"));
    auto element = [&](const TGSimple& e) {
        const ExportVariable* v = model.Find(DisplayName(e.Name));
        if (!v) return;
        WriteViewElement(xml, *v, e);
        if (v->Kind == ExportKind::Flow) WriteFlowPoints(xml, model, diagram, static_cast<const trate&>(e), v->Name);
        xml.writeEndElement();
    };
    for (const auto& s : diagram.Stocks) element(*s);
    for (const auto& r : diagram.Rates) element(*r);
    for (const auto& c : diagram.Constants) element(*c);
    WriteConnectors(xml, model, diagram);
    xml.writeEndElement();
    xml.writeEndElement();
}

}  // namespace

XmileExport ExportXmile(const tsim& sim) {
    const ExportModel model = BuildXmileModel(sim);
    XmileExport result;
    result.Warning = NotExportedText(model);
    QXmlStreamWriter xml(&result.Bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("xmile"));
    xml.writeDefaultNamespace(QStringLiteral("http://docs.oasis-open.org/xmile/ns/XMILE/v1.0"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    xml.writeStartElement(QStringLiteral("header"));
    xml.writeTextElement(QStringLiteral("name"), Text(sim.Name));
    xml.writeTextElement(QStringLiteral("vendor"), QStringLiteral("Quorvel"));
    xml.writeStartElement(QStringLiteral("product"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    xml.writeCharacters(QStringLiteral("Quorvel"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("sim_specs"));
    xml.writeAttribute(QStringLiteral("method"), QStringLiteral("Euler"));
    xml.writeTextElement(QStringLiteral("start"), Number(model.Start));
    xml.writeTextElement(QStringLiteral("stop"), Number(model.Stop));
    xml.writeTextElement(QStringLiteral("dt"), Number(model.Dt));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("model"));
    WriteVariables(xml, model);
    if (!sim.Diagram.Stocks.empty() || !sim.Diagram.Rates.empty() || !sim.Diagram.Constants.empty())
        WriteView(xml, model, sim.Diagram);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return result;
}

}  // namespace qv
