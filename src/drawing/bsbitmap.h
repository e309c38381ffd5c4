// `TBild`: a picture on the worksheet (bitmap, PNG, JPEG or enhanced
// metafile) stretched to its box, optionally turned, mirrored or rotated.
//
// The record keeps the picture's own file image. Pictures taken from a file
// keep their file's bytes, JPEG photos included: converting them into a
// bitmap would make a pupil's document ten times larger for nothing.
#pragma once

#include "drawing/BSSimple.h"
#include "drawing/PictureHolder.h"

#include <QImage>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// Options of the picture objects, set by the main window and the dialogs.
struct BildSettings {
    // Pixels per cm that size pictures taken from files: 300 dots per inch.
    double ImageResolutionX = 300 / 2.54;
    double ImageResolutionY = 300 / 2.54;
    // Transparent bitmaps stay transparent on printouts and clipboard pictures.
    bool KeepTransparencyOnOutput = true;
};

BildSettings& BildOptions();

// German message texts (Windows-1252).
inline constexpr const char* UnsupportedFormatText = "Dieses Format wird nicht unterst\xFCtzt";
inline constexpr const char* UnreadablePictureText = "Das Bild kann nicht gelesen werden.";

class TBild : public Tsimple {
public:
    // An empty picture (the charts draw into one).
    TBild();
    explicit TBild(PictureHolder picture);
    // Reads the record after the tag byte; StreamError when it is damaged.
    explicit TBild(InStream& in);

    struct FileResult {
        std::unique_ptr<TBild> Bild;  // null when Message says why not
        std::string Message;          // Windows-1252, for an information box
    };
    // By the file's extension (BMP, EMF, JPG, JPEG, PNG); sized by
    // ImageResolutionX/Y and fitted to the page, at the origin: the caller
    // places it in the visible part of the worksheet.
    static FileResult CreateFromFile(const std::filesystem::path& file);
    // Pasted pixels: sized at the screen scale, fitted to the page.
    static std::unique_ptr<TBild> CreateFromImageData(const QImage& image);
    // A pasted metafile: sized by its frame, fitted to the page; null when
    // the bytes are not a metafile.
    static std::unique_ptr<TBild> CreateFromMetafileData(std::vector<uint8_t> bytes);

    PictureHolder Picture;

    void Draw(QPainter& painter, int dx, int dy, const QRect* clip) override;
    bool SaveToStream(OutStream& out) const override;
    void DragHandle(int shift, double x, double y) override;
    void Transform(int kind) override;

    // Shrinks the box to the page width, then to the page height, keeping its proportions.
    void FitToPage();

private:
    // The pixel size a metafile is rendered at when it must become pixels.
    QSize MetafileRenderSize() const;
};

}  // namespace qv
