#include "shell/vPictureExport.h"

#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"

const ExportFormat BmpExport{
    PictureFileKind::Bmp, ".bmp", "BMP files|*.bmp", "bmp", ".BMP", ".bmp"};
const ExportFormat JpegExport{
    PictureFileKind::Jpeg, ".jpg", "Jpeg files|*.jpg", "jpg", ".JPG", ".jpg"};

void ExportPictureCopy(const Picture& picture, const std::string& path,
                       const ExportFormat& format) {
    if (picture.Empty()) {
        ShowMessageNumber(46);
        return;
    }
    FileDialogRequest request;
    request.Save = true;
    request.Preview = SavePreviewOption;
    request.OpenIn(ImageDirectory);
    request.FileName = ChangeFileExt(path, format.Extension);
    request.Filter = format.Filter;
    request.DefaultExt = format.DefaultExt;
    const std::string chosen = HookChooseFile(request);
    if (!chosen.empty()) {
        HookBusyCursor(true);
        const std::string ext = ExtractFileExt(chosen);
        if (ext == format.Upper || ext == format.Lower)
            WritePictureFile(chosen, picture, format.Kind, TReplaceLeave::Chosen(chosen));
    }
    HookSetGauge(0);
    HookBusyCursor(false);
    HookProcessMessages();
}
