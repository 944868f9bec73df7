// TREIVForm, the preprocess viewer: crops, resizes and rotates a picture of its own. Lives for
// the whole run.
#pragma once

#include "runtime/RtFiles.h"
#include "shell/imaging/vPictureGeometry.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vToolWindow.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <string>

class QAction;
class QLabel;
class QMenuBar;
class QProgressBar;
class QScrollArea;
class QToolBar;

// Paints a picture it does not own at full size, with the crop box over it while `Outline`
// says so (inverting ink, never into the picture), and reports the mouse in picture pixels.
class TPreviewImage : public QWidget {
    Q_OBJECT
  public:
    TPreviewImage(const Picture& picture, QWidget* parent);
    void PictureChanged();
    std::function<bool()> Outline;
    QSize sizeHint() const override;

  signals:
    void MouseDown(int x, int y, Qt::MouseButton button);
    void MouseMove(int x, int y);
    void MouseUp(int x, int y, Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    const Picture& Shown;
};

class TREIVForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TREIVForm(QWidget* parent = nullptr);

    QMenuBar* MainMenu1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TPreviewImage* Image1 = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QAction* F_Open = nullptr;
    QAction* F_Save = nullptr;
    QAction* FS_PNG = nullptr;
    QAction* FS_BMP = nullptr;
    QAction* FS_JPG = nullptr;
    QAction* Exit1 = nullptr;
    QAction* E_Crop = nullptr;
    QAction* EFS_Crop256 = nullptr;
    QAction* EFS_Crop512 = nullptr;
    QAction* EFS_Crop1024 = nullptr;
    QAction* E_Copy = nullptr;
    QAction* E_Paste = nullptr;
    QAction* E_Resize = nullptr;
    QAction* IZ_Rotate = nullptr;

    // The viewer's picture, its file name and the folder it was opened from or saved in: its
    // saves go there, not into the working folder other windows move.
    Picture PreprocessPicture;
    std::string PreprocessFolder;
    std::string PreprocessFileName;
    std::string PreprocessPath() const;
    // The file as the viewer read or last wrote it: Save replaces it only while it is so.
    TFileStamp PreprocessStamp;

    bool FreeCropArmed = false;
    // The side of the armed fixed crop, 0 for none.
    int FixedCropSide = 0;

    void F_OpenClick();
    // Loads PreprocessFolder + name; another extension than .bmp or .png loads nothing.
    void LoadFromFile(const std::string& name);
    void SaveImage(const TReplaceLeave& leave);
    void F_SaveClick();
    void FS_PNGClick();
    void FS_BMPClick();
    void FS_JPGClick();
    void E_CropClick();
    void FixedCropClick(int side);
    void CopyButtonClick();
    void PasteButtonClick();
    void E_ResizeClick();
    void IZ_RotateClick();
    void Progress(int percent);
    void Cropola();
    // The viewer's picture was replaced: the view follows its size.
    void PictureChanged();

    void Image1MouseDown(int x, int y, Qt::MouseButton button);
    void Image1MouseMove(int x, int y);
    void Image1MouseUp(int x, int y, Qt::MouseButton button);

  private:
    void CreateCommands();
    PictureSize Size() const { return {PreprocessPicture.Width, PreprocessPicture.Height}; }
    void PlaceFixedBox(int x, int y);
};

extern QPointer<TREIVForm> REIVForm;
