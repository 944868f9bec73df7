#include "support/GuiPdfPictures.h"

#include <QByteArray>
#include <QRegularExpression>

#include <algorithm>

namespace {

QString NameAfter(const QString& dictionary, const QString& key) {
    const QRegularExpressionMatch m =
        QRegularExpression("/" + key + "\\s*/(\\w+)").match(dictionary);
    return m.hasMatch() ? m.captured(1) : QString();
}

int NumberAfter(const QString& dictionary, const QString& key) {
    const QRegularExpressionMatch m =
        QRegularExpression("/" + key + "\\s+(\\d+)").match(dictionary);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

std::vector<PdfPicture> PdfPictures(const std::string& pdf) {
    std::vector<PdfPicture> pictures;
    const std::string marker = "/Subtype /Image";
    for (size_t at = pdf.find(marker); at != std::string::npos; at = pdf.find(marker, at + 1)) {
        const size_t open = pdf.rfind("<<", at), start = pdf.find(">>\nstream\n", at);
        if (open == std::string::npos || start == std::string::npos) break;
        const size_t data = start + 10, end = pdf.find("\nendstream", data);
        if (end == std::string::npos) break;
        const QString dictionary = QString::fromLatin1(pdf.substr(open, start - open).c_str());
        PdfPicture picture{NameAfter(dictionary, "Filter"), QImage()};
        const int width = NumberAfter(dictionary, "Width"),
                  height = NumberAfter(dictionary, "Height");
        if (picture.Filter == "FlateDecode" && NameAfter(dictionary, "ColorSpace") == "DeviceRGB" &&
            NumberAfter(dictionary, "BitsPerComponent") == 8 && width > 0 && height > 0) {
            // zlib's own stream, behind the four bytes of expected size the decoder wants first.
            const qsizetype size = qsizetype{width} * height * 3;
            QByteArray packed;
            for (int shift = 24; shift >= 0; shift -= 8)
                packed.append(static_cast<char>((size >> shift) & 0xFF));
            packed.append(pdf.data() + data, static_cast<qsizetype>(end - data));
            const QByteArray rows = qUncompress(packed);
            if (rows.size() == size)
                picture.Image = QImage(reinterpret_cast<const uchar*>(rows.constData()), width,
                                       height, width * 3, QImage::Format_RGB888)
                                    .copy();
        }
        pictures.push_back(picture);
    }
    return pictures;
}

int DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return std::max(a.width() * a.height(), b.width() * b.height());
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}
