#include "histogram/ui/vHistogramControls.h"

#include "shell/ui/vHelp.h"
#include "shell/ui/vVorn.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

namespace histogram_ui {

namespace {
// The picture's own memory as an image: drawing on it changes the picture.
QImage Wrapped(Picture& picture) {
    return QImage(reinterpret_cast<uchar*>(picture.Pixels.data()), picture.Width, picture.Height,
                  picture.Width * 4, QImage::Format_RGB32);
}
} // namespace

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QLabel* MakeValueLabel(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setMinimumWidth(64);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

QLineEdit* MakeEdit(QWidget* parent, const QString& name, int width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    return e;
}

QButtonGroup* MakeRadioGroup(QWidget* parent, const QString& name, const QString& caption,
                             std::initializer_list<const char*> items, QGridLayout* into, int row,
                             int column, int columns) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* grid = new QGridLayout(box);
    auto* group = new QButtonGroup(box);
    group->setObjectName(name);
    int id = 0;
    for (const char* item : items) {
        auto* r = new QRadioButton(QString::fromLatin1(item), box);
        group->addButton(r, id);
        grid->addWidget(r, id / columns, id % columns);
        ++id;
    }
    if (!group->buttons().isEmpty()) group->button(0)->setChecked(true);
    into->addWidget(box, row, column);
    return group;
}

int AddCaptionedRows(QGridLayout* grid, QWidget* parent,
                     std::initializer_list<std::pair<const char*, QWidget*>> rows, int perRow) {
    int i = 0;
    for (const auto& [caption, control] : rows) {
        grid->addWidget(new QLabel(caption, parent), i / perRow, 2 * (i % perRow));
        grid->addWidget(control, i / perRow, 2 * (i % perRow) + 1);
        ++i;
    }
    return (i + perRow - 1) / perRow;
}

QLabel* MakePlotView(QWidget* parent, const QString& name, int width, int height) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFixedSize(width, height);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QPushButton* MakeHelpButton(QWidget* parent, const QString& name, int topic,
                            const QString& caption) {
    QPushButton* b = MakeButton(parent, name, caption);
    ConnectHelp(b, topic);
    return b;
}

Picture BlankPictureFor(const QLabel* view) {
    Picture p;
    p.Resize(view->width(), view->height());
    return p;
}

void WriteTopLeft(Picture& picture, const QString& text) {
    if (picture.Empty()) return;
    QImage image = Wrapped(picture);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawText(QRect(2, 1, picture.Width - 2, picture.Height - 1),
                     Qt::AlignLeft | Qt::AlignTop, text);
}

void ShowPicture(QLabel* view, const Picture& picture) {
    if (picture.Empty()) {
        view->clear();
        return;
    }
    const QImage image(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width,
                       picture.Height, picture.Width * 4, QImage::Format_RGB32);
    view->setPixmap(QPixmap::fromImage(image));
}

int ItemIndex(const QButtonGroup* group) {
    return group->checkedId();
}

void SetItemIndex(QButtonGroup* group, int index) {
    if (QAbstractButton* b = group->button(index)) b->setChecked(true);
}

} // namespace histogram_ui
