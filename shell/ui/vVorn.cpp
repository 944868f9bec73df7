#include "shell/ui/vVorn.h"

#include "shell/ui/vImageView.h"
#include "shell/ui/vScreenPlace.h"
#include "shell/vGlobal.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QScrollArea>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

QPointer<TVORNForm> VORNForm;

TVORNForm::TVORNForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("VORNForm");
    setWindowTitle("VORN");
    VORNForm = this;

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1 = new TImageView;
    ScrollBox1->setWidget(Image1);
    ScrollBox1->setWidgetResizable(false);
    setCentralWidget(ScrollBox1);

    StatusBar1 = statusBar();
    StatusBar1->setObjectName("StatusBar1");
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel0->setMinimumWidth(200);
    StatusPanel1->setMinimumWidth(300);
    StatusBar1->addWidget(StatusPanel0, 1);
    StatusBar1->addWidget(StatusPanel1, 1);
    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName("Gauge1");
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setMaximumWidth(160);

    ToolBar1 = addToolBar("ToolBar1");
    ToolBar1->setObjectName("ToolBar1");
    UndoBtn = new QAction("Undo", this);
    UndoBtn->setObjectName("UndoBtn");
    UndoBtn->setEnabled(false);
    I_Undo = new QAction("&Undo", this);
    I_Undo->setObjectName("I_Undo");
    I_Undo->setEnabled(false);
    CreateMenus();
    ConnectImageModes();

    // As wide as the whole tool bar needs: buttons past the window's edge would hide behind its
    // overflow, where a first-time user does not find them.
    resize(std::max(800, ToolBar1->sizeHint().width()), 600);
}

TVORNForm::~TVORNForm() {
    if (VORNForm == this) VORNForm = nullptr;
}

void TVORNForm::SetPanelText(int panel, const QString& text) {
    (panel == 0 ? StatusPanel0 : StatusPanel1)->setText(text);
}

QString TVORNForm::PanelText(int panel) const {
    return (panel == 0 ? StatusPanel0 : StatusPanel1)->text();
}

void TVORNForm::PictureChanged() {
    Image1->PictureChanged();
}

void TVORNForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // On a screen narrower than the whole tool bar, what does not fit folds into its overflow.
    if (!event->spontaneous()) KeepOnScreen(*this, true);
}

void TVORNForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}
