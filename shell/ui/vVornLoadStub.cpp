// Stand-in picture loader for the start-up's command-line picture: decodes the file into the
// displayed picture and makes the working buffers.
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <QImage>

void TVORNForm::LoadFromFile(const std::string& name) {
    QImage image(QString::fromLocal8Bit(ImageDirectory + name));
    if (image.isNull()) return;
    image = image.convertToFormat(QImage::Format_RGB32);
    Picture picture;
    picture.Resize(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        std::copy(row, row + image.width(), picture.Row(y));
    }
    DisplayedPicture = std::move(picture);
    PictureChanged();
    AllocImageBuffers();
    setWindowTitle(QString::fromLocal8Bit("VORN KEEL  Image is: " + name));
}
