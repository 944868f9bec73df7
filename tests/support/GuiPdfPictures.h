// The pictures a PDF holds, taken back out of the file in the order they were drawn, so that a
// test can hold what went to paper against what was printed.
#pragma once

#include <QImage>
#include <QString>

#include <string>
#include <vector>

struct PdfPicture {
    QString Filter; // as the file names it: "FlateDecode", "DCTDecode", ...
    // The pixels of a losslessly stored colour picture; null for any other kind.
    QImage Image;
};

std::vector<PdfPicture> PdfPictures(const std::string& pdf);

// How many pixels of two pictures of one size differ in colour; every pixel when the sizes do.
int DifferingPixels(const QImage& a, const QImage& b);
