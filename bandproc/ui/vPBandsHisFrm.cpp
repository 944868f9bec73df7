#include "bandproc/ui/vPBandsHisFrm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

TExtraImageViewForm::TExtraImageViewForm(QWidget* parent)
    : TToolWindow("Histogram Corrections Viewer", "ExtraImageViewForm", NoPosition, 0, parent) {
    auto* layout = new QVBoxLayout(this);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    Image1 = new QLabel(ScrollBox1);
    Image1->setObjectName("Image1");
    Image1->installEventFilter(this);
    ScrollBox1->setWidget(Image1);
    layout->addWidget(ScrollBox1);
}

void TExtraImageViewForm::SetPicture(const QPixmap& picture) {
    Image1->setPixmap(picture);
    Image1->resize(picture.size());
    resize(picture.width() + 40, picture.height() + 40);
}

void TExtraImageViewForm::closeEvent(QCloseEvent* event) {
    // The close box too hands OK back to the caller.
    setResult(QDialog::Accepted);
    event->accept();
    done(QDialog::Accepted);
}

bool TExtraImageViewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        close();
        return true;
    }
    return TToolWindow::eventFilter(watched, event);
}
