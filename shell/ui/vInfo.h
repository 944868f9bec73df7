// TFrInfo, the image information window: the displayed PNG's name, size, chunks and bitmap
// header. Created on demand and shown modally; freed after its close. TGammaTester is the grey
// strip of its gamma page.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

class TGammaTester : public QWidget {
    Q_OBJECT
  public:
    explicit TGammaTester(QWidget* parent = nullptr);
    // A tester whose gamma was never set has an all-zero table: it shows black.
    void SetGamma(double gamma);
    double Gamma() const { return GammaValue; }
    void RecreateBitmap();
    const QImage& Bitmap() const { return Strip; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QImage Strip;
    std::array<uint8_t, 256> Table{};
    double GammaValue = 0.0;
};

class TFrInfo : public TToolWindow {
    Q_OBJECT
  public:
    explicit TFrInfo(QWidget* parent = nullptr);

    // The edits in the order of the shown fields, "File Size" after "Compression".
    std::vector<QLineEdit*> InfoEdits;
    QLineEdit* FileSizeEdit = nullptr;
    QTreeWidget* ChunkList = nullptr;
    QTabWidget* PropertyPages = nullptr;
    QPushButton* DeleteChunk = nullptr;
    QPushButton* AddTextChunk = nullptr;
    QPushButton* AddTimeChunk = nullptr;
    TGammaTester* NoGammaTester = nullptr;
    TGammaTester* CurrentGammaTester = nullptr;

    // Fills the edits; the file's size last, so a missing file leaves its box as it was.
    void LoadII();
    // "Save": the displayed picture written under its own name, in the format its extension
    // names.
    void DeleteChunkClick();
    // One row per chunk of the displayed PNG; the main window calls it before showing.
    void FillChunkList();
    // The edit of a label ("" for the box below "Info Size"); null when there is none.
    QLineEdit* Edit(const QString& label) const;

  protected:
    void FormOpen() override;
};

extern QPointer<TFrInfo> FrInfo;
