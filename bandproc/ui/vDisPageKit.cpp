#include "bandproc/ui/vDisPageKit.h"

#include "bandproc/ui/vDisProFrm.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

QLineEdit* KitEdit(QWidget* parent, const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

QPushButton* KitButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QLabel* KitLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QButtonGroup* KitRadioGroup(QWidget* parent, const char* name, const QString& caption,
                            std::initializer_list<const char*> items, int initial, int columns) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* grid = new QGridLayout(box);
    auto* group = new QButtonGroup(box);
    int id = 0;
    for (const char* item : items) {
        auto* radio = new QRadioButton(item, box);
        group->addButton(radio, id);
        grid->addWidget(radio, id / columns, id % columns);
        radio->setChecked(id == initial);
        ++id;
    }
    return group;
}

QWidget* KitGroupBox(QButtonGroup* group) {
    return static_cast<QWidget*>(group->parent());
}

std::string TextOf(const QLineEdit* edit) {
    return edit->text().toStdString();
}

void SetText(QLineEdit* edit, const std::string& text) {
    edit->setText(QString::fromStdString(text));
}

void KitRow(QGridLayout* grid, int& row, const QString& caption, QWidget* widget) {
    grid->addWidget(new QLabel(caption, grid->parentWidget()), row, 0);
    grid->addWidget(widget, row++, 1);
}

QWidget* KitDISRow(QWidget* page, TDisProcessForm* form, QPushButton*& button, const char* name,
                   const char* caption, QLineEdit*& edit, const char* editName) {
    auto* box = new QWidget(page);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    button = KitButton(box, name, caption);
    edit = KitEdit(box, editName);
    edit->setReadOnly(true);
    QObject::connect(button, &QPushButton::clicked, form, [form] { form->ALLDISFileBtnClick(); });
    row->addWidget(button);
    row->addWidget(edit, 1);
    return box;
}

void KitBandButton(TDisProcessForm* form, QPushButton* button, int slot, QLineEdit* edit,
                   bool setDirectory, std::function<void(const std::string&)> chosen) {
    QObject::connect(button, &QPushButton::clicked, form,
                     [form, slot, edit, setDirectory, chosen = std::move(chosen)] {
                         form->Guarded([&] {
                             const std::string path =
                                 form->ChooseBandFile(slot, edit, setDirectory);
                             if (!path.empty() && chosen) chosen(path);
                         });
                     });
}
