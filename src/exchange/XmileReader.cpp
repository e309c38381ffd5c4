#include "exchange/XmileReader.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>

#include "util/Cp1252.h"
#include "util/WholeFile.h"

namespace qv {

std::string XmileNameKey(const std::string& name) {
    QString text = QString::fromStdString(name).toLower();
    text.replace(QStringLiteral("\\n"), QStringLiteral(" "));
    static const QRegularExpression separators(QStringLiteral("[\\s_]+"));
    text.replace(separators, QStringLiteral("_"));
    while (text.startsWith(u'_')) text.remove(0, 1);
    while (text.endsWith(u'_')) text.chop(1);
    return text.toStdString();
}

namespace {

// Names in the file may carry "\n" for a line break in the diagram label.
std::string AttributeName(const QXmlStreamReader& xml) {
    QString name = xml.attributes().value(QStringLiteral("name")).toString();
    name.replace(QStringLiteral("\\n"), QStringLiteral(" "));
    return name.simplified().toStdString();
}

std::optional<double> Number(const QString& text) {
    bool ok = false;
    double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> AttributeNumber(const QXmlStreamReader& xml, const char* name) {
    QStringView value = xml.attributes().value(QLatin1String(name));
    return value.isEmpty() ? std::nullopt : Number(value.toString());
}

class Reader {
public:
    explicit Reader(const std::string& text) : xml_(QByteArray::fromStdString(text)) {}

    std::variant<XmileModel, std::string> read() {
        if (!xml_.readNextStartElement() || xml_.name() != QLatin1String("xmile"))
            return std::string("Die Datei ist kein XMILE-Modell.");
        bool haveModel = false;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("header")) {
                readHeader();
            } else if (xml_.name() == QLatin1String("sim_specs")) {
                if (auto problem = readSimSpecs()) return *problem;
            } else if (xml_.name() == QLatin1String("model")) {
                QString name = xml_.attributes().value(QStringLiteral("name")).toString();
                if (haveModel || !name.isEmpty()) {
                    model_.UnsupportedParts.push_back(name.isEmpty() ? std::string("Modul") : name.toStdString());
                    xml_.skipCurrentElement();
                } else {
                    haveModel = true;
                    readModel();
                }
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (xml_.hasError())
            return "Die XMILE-Datei ist fehlerhaft (Zeile " + std::to_string(xml_.lineNumber()) +
                   "): " + Utf8ToCp1252(xml_.errorString().toStdString());
        if (!haveModel) return std::string("Die XMILE-Datei enth\xE4lt kein Modell.");
        return std::move(model_);
    }

private:
    void readHeader() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("name"))
                model_.Name = xml_.readElementText().trimmed().toStdString();
            else
                xml_.skipCurrentElement();
        }
    }

    std::optional<std::string> readSimSpecs() {
        QString method = xml_.attributes().value(QStringLiteral("method")).toString().trimmed().toLower();
        if (!method.isEmpty()) model_.Method = method.toStdString();
        while (xml_.readNextStartElement()) {
            const QString element = xml_.name().toString();
            const bool reciprocal =
                xml_.attributes().value(QStringLiteral("reciprocal")).toString().trimmed().toLower() == u"true";
            const QString text = xml_.readElementText();
            if (element != u"start" && element != u"stop" && element != u"dt") continue;
            auto value = Number(text);
            if (!value || !std::isfinite(*value))
                return "Ung\xFCltige Angabe <" + element.toStdString() + "> in den Simulationseinstellungen: " +
                       Utf8ToCp1252(text.trimmed().toStdString());
            if (element == u"start") model_.Start = *value;
            if (element == u"stop") model_.Stop = *value;
            if (element == u"dt") {
                if (reciprocal && *value == 0) return std::string("Der Zeitschritt 1/0 ist ung\xFCltig.");
                model_.Dt = reciprocal ? 1.0 / *value : *value;
            }
        }
        return std::nullopt;
    }

    void readModel() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("variables"))
                readVariables();
            else if (xml_.name() == QLatin1String("views"))
                readViews();
            else
                xml_.skipCurrentElement();
        }
    }

    void readVariables() {
        while (xml_.readNextStartElement()) {
            const QString element = xml_.name().toString();
            if (element == u"stock" || element == u"flow" || element == u"aux") {
                XmileVariable variable;
                variable.Kind = element == u"stock" ? XmileKind::Stock
                                : element == u"flow" ? XmileKind::Flow
                                                     : XmileKind::Aux;
                variable.Name = AttributeName(xml_);
                readVariable(variable);
                model_.Variables.push_back(std::move(variable));
            } else if (element == u"module") {
                model_.UnsupportedParts.push_back(AttributeName(xml_));
                xml_.skipCurrentElement();
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    void readVariable(XmileVariable& variable) {
        while (xml_.readNextStartElement()) {
            const QString element = xml_.name().toString();
            if (element == u"eqn") {
                variable.Equation = xml_.readElementText().trimmed().toStdString();
            } else if (element == u"inflow") {
                variable.Inflows.push_back(xml_.readElementText().simplified().toStdString());
            } else if (element == u"outflow") {
                variable.Outflows.push_back(xml_.readElementText().simplified().toStdString());
            } else if (element == u"non_negative") {
                variable.NonNegative = true;
                xml_.skipCurrentElement();
            } else if (element == u"dimensions" || element == u"element") {
                variable.Unsupported = "Feld";
                xml_.skipCurrentElement();
            } else if (element == u"gf") {
                variable.Unsupported = "grafische Funktion";
                xml_.skipCurrentElement();
            } else if (element == u"conveyor" || element == u"queue") {
                variable.Unsupported = element == u"queue" ? "Warteschlange" : "F\xF6rderband";
                xml_.skipCurrentElement();
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    void readViews() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("view") && !haveView_) {
                haveView_ = true;
                readView();
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    XmileVariable* find(const std::string& name) {
        const std::string key = XmileNameKey(name);
        for (auto& variable : model_.Variables)
            if (XmileNameKey(variable.Name) == key) return &variable;
        return nullptr;
    }

    void readView() {
        while (xml_.readNextStartElement()) {
            const QString element = xml_.name().toString();
            if (element == u"stock" || element == u"flow" || element == u"aux") {
                XmileVariable* variable = find(AttributeName(xml_));
                auto x = AttributeNumber(xml_, "x");
                auto y = AttributeNumber(xml_, "y");
                if (variable && x && y) variable->Position = XmilePoint{*x, *y};
                readViewElement(variable);
            } else if (element == u"connector") {
                readConnector();
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    void readViewElement(XmileVariable* variable) {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("pts")) {
                while (xml_.readNextStartElement()) {
                    auto x = AttributeNumber(xml_, "x");
                    auto y = AttributeNumber(xml_, "y");
                    if (variable && x && y) variable->FlowPoints.push_back(XmilePoint{*x, *y});
                    xml_.skipCurrentElement();
                }
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    void readConnector() {
        XmileConnector connector;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("from"))
                connector.From = xml_.readElementText().simplified().toStdString();
            else if (xml_.name() == QLatin1String("to"))
                connector.To = xml_.readElementText().simplified().toStdString();
            else
                xml_.skipCurrentElement();
        }
        if (!connector.From.empty() && !connector.To.empty()) model_.Connectors.push_back(std::move(connector));
    }

    QXmlStreamReader xml_;
    XmileModel model_;
    bool haveView_ = false;
};

}  // namespace

std::variant<XmileModel, std::string> ReadXmile(const std::string& xmlText) { return Reader(xmlText).read(); }

std::variant<XmileModel, std::string> ReadXmileFile(const std::string& fileName) {
    // Teaching models are small; a model file beyond this is no model.
    constexpr std::size_t MaxMegabytes = 64;
    std::string error;
    auto bytes = ReadFileBounded(fileName, MaxMegabytes, error);
    if (!bytes) return error;
    return ReadXmile(std::string(bytes->begin(), bytes->end()));
}

}  // namespace qv
