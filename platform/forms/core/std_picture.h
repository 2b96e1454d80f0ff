#pragma once
// The shared Picture object: an image (or none), held by reference (PictureRef) so that the
// same picture can sit in several places. Width and Height are in HIMETRIC (0.01 mm), as
// the runtime's pictures report them: the pixel size at the screen's pixels per inch (twips
// per pixel), not at a resolution stored in the image file. An empty picture has Type 0 and
// size 0.

#include <QByteArray>
#include <QImage>
#include <QMetaType>
#include <QObject>

#include <cstdint>
#include <memory>

namespace forms {

class StdPicture;
using PictureRef = std::shared_ptr<StdPicture>;

class StdPicture : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Type READ Type)
    Q_PROPERTY(int Width READ Width)
    Q_PROPERTY(int Height READ Height)

public:
    enum PictureType { None = 0, Bitmap = 1, Icon = 3 };

    StdPicture() = default;
    explicit StdPicture(QImage image, PictureType type = Bitmap);
    static PictureRef create(QImage image = {}, PictureType type = Bitmap);
    // LoadPicture from a file (any image format Qt reads); raises 481 (Invalid picture) when
    // the file cannot be read as an image, 53 when it does not exist.
    static PictureRef load_file(const QString& path);

    int Type() const { return image_.isNull() ? None : type_; }
    int Width() const;
    int Height() const;
    bool empty() const { return image_.isNull(); }
    const QImage& image() const { return image_; }
    void set_image(QImage image, PictureType type = Bitmap);

    // PNG bytes of the image (empty for no picture), and back; raises 481 for bytes that are
    // not an image.
    QByteArray to_bytes() const;
    static PictureRef from_bytes(const QByteArray& bytes);
    bool same_as(const StdPicture& other) const;

signals:
    void PictureChanged();

private:
    QImage image_;
    PictureType type_ = Bitmap;
};

} // namespace forms

Q_DECLARE_METATYPE(forms::PictureRef)
