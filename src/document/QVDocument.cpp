#include "document/QVDocument.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <new>

#include "charts/bsgraf3d.h"
#include "document/QVDocument20.h"
#include "drawing/BSSimple.h"
#include "util/WholeFile.h"

namespace qv {

namespace {

constexpr std::size_t SignatureLength = 11;
constexpr char CurrentSignature[] = "QUORVEL30";  // followed by two zero bytes in the file
constexpr int CurrentVersion = 30;

void WriteSignature(OutStream& out) {
    uint8_t signature[SignatureLength] = {};
    std::memcpy(signature, CurrentSignature, std::strlen(CurrentSignature));
    out.writeBytes(signature, SignatureLength);
}

}  // namespace

TDocument TDocument::CreateNew() {
    TDocument document;
    document.Page = std::make_unique<TSeite>();
    document.Page->SetBounds(0, 0, NewPageWidth, NewPageHeight);
    auto chart = std::make_unique<Tgraf3d>();
    document.Chart = chart.get();
    document.Page->Add(std::move(chart));
    return document;
}

tsim* TDocument::SelectedSimulation() const {
    if (Selected < 0 || static_cast<std::size_t>(Selected) >= Simulations.size()) return nullptr;
    return Simulations[static_cast<std::size_t>(Selected)].get();
}

int32_t TDocument::ChartIndex() const {
    if (!Page) return -1;
    for (std::size_t i = 0; i < Page->Children.size(); ++i)
        if (Page->Children[i].get() == Chart) return static_cast<int32_t>(i);
    return -1;
}

int readSignature(InStream& in) {
    char bytes[SignatureLength + 1] = {};
    in.readBytes(bytes, SignatureLength);
    if (std::strncmp(bytes, CurrentSignature, 10) == 0) return CurrentVersion;
    const char* start = bytes;
    // Older files begin with a length byte in front of the name.
    if (std::strncmp(start, "QUORVEL", 7) != 0) ++start;
    if (std::strncmp(start, "QUORVEL", 7) != 0) return 0;
    char tens = start[7], ones = start[8];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return 0;
    int version = (tens - '0') * 10 + (ones - '0');
    if (version > CurrentVersion) throw DocumentError(WrongVersionText);
    return version;
}

bool saveDocument(const TDocument& document, OutStream& out) {
    if (!document.Page) return false;
    WriteSignature(out);
    out.writeBool(document.TableShown);
    out.writeBool(document.ChartShown);
    out.writeInt32(0);
    if (!document.Page->SaveToStream(out)) return false;
    out.writeBool(document.SeparateCharts);
    out.writeInt32(document.ChartIndex());
    out.writeCount(document.Simulations.size());
    for (const auto& simulation : document.Simulations)
        if (!simulation->save(out)) return false;
    out.writeInt32(document.Selected);
    return out.ok();
}

bool writeDocument(const TDocument& document, const std::string& fileName, std::string& error) {
    OutStream out;
    if (!saveDocument(document, out)) {
        error = "Das Dokument kann nicht geschrieben werden.";
        return false;
    }
    return WriteFileSafely(fileName, out.bytes(), error);
}

namespace {

TDocument LoadVersion30(InStream& in) {
    TDocument document;
    document.TableShown = in.readBool();
    document.ChartShown = in.readBool();
    if (in.readInt32() != 0) throw DocumentError(NotADocumentText);
    in.readByte();  // the page's tag: the page is always a group
    document.Page = std::make_unique<TSeite>(in);
    document.SeparateCharts = in.readBool();
    const int32_t chartIndex = in.readInt32();
    if (chartIndex >= 0 && static_cast<std::size_t>(chartIndex) < document.Page->Children.size())
        document.Chart = dynamic_cast<Tgraf3d*>(document.Page->Children[static_cast<std::size_t>(chartIndex)].get());
    if (!document.Chart) throw DocumentError(NotADocumentText);
    const std::size_t count = in.readCount(1);
    document.Simulations.reserve(count);
    for (std::size_t i = 0; i < count; ++i) document.Simulations.push_back(std::make_unique<tsim>(in));
    document.Selected = in.readInt32();
    if (document.Selected < -1 || document.Selected >= static_cast<int32_t>(document.Simulations.size()))
        document.Selected = document.Simulations.empty() ? -1 : 0;
    return document;
}

}  // namespace

TDocument loadDocument(std::span<const uint8_t> bytes) {
    InStream in(bytes);
    // The reader checks every count against the bytes, but the memory
    // this process may take can still be smaller than a document needs.
    try {
        switch (readSignature(in)) {
        case 30:
            return LoadVersion30(in);
        case 20: {
            TDocument document = LoadVersion20(in);
            document.Version = 20;
            return document;
        }
        default:
            throw DocumentError("");
        }
    } catch (const std::bad_alloc&) {
        throw DocumentError(NoMemoryForDocumentText);
    }
}

TDocument readDocument(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) throw DocumentError("Die Datei " + fileName + " kann nicht ge\xF6" "ffnet werden.");
    std::vector<uint8_t> bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::bad_alloc&) {
        throw DocumentError(NoMemoryForDocumentText);
    }
    if (file.bad()) throw DocumentError("Die Datei " + fileName + " kann nicht gelesen werden.");
    return loadDocument(bytes);
}

}  // namespace qv
