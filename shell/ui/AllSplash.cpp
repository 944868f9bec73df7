#include "shell/ui/AllSplash.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

struct SplashEntry {
    int Index;
    const char* Caption;
};

const SplashEntry SplashTable[] = {{10, "VORN KEEL"}};

} // namespace

QPixmap SplashPicture(int width, int height) {
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0.0, QColor(20, 40, 90));
    sky.setColorAt(1.0, QColor(120, 160, 210));
    p.fillRect(pixmap.rect(), sky);
    const QColor fields[] = {QColor(70, 110, 50), QColor(150, 140, 70), QColor(90, 130, 60),
                             QColor(120, 100, 60)};
    const int bands = 4;
    for (int i = 0; i < bands; ++i) {
        const int top = height / 2 + i * height / (2 * bands);
        p.fillRect(0, top, width, height / (2 * bands) + 1, fields[i]);
    }
    return pixmap;
}

QString SplashCaption(int index) {
    for (const auto& e : SplashTable)
        if (e.Index == index) return QString::fromLatin1(e.Caption);
    return {};
}

TSplashScreen::TSplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("SplashScreen");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Image = new QLabel(this);
    Image->setObjectName("Image");
    Image->setPixmap(SplashPicture(420, 200));
    layout->addWidget(Image);
    Panel = new QFrame(this);
    Panel->setObjectName("Panel");
    Panel->setFrameShape(QFrame::Panel);
    Panel->setFrameShadow(QFrame::Raised);
    auto* panelLayout = new QVBoxLayout(Panel);
    CaptionLabel = new QLabel(Panel);
    CaptionLabel->setObjectName("CaptionLabel");
    CaptionLabel->setAlignment(Qt::AlignCenter);
    QFont font = CaptionLabel->font();
    font.setPointSize(24);
    font.setBold(true);
    CaptionLabel->setFont(font);
    panelLayout->addWidget(CaptionLabel);
    layout->addWidget(Panel);
    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, &TSplashScreen::TimerTimer);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void TSplashScreen::SplashSet(int index, int interval) {
    CaptionLabel->setText(SplashCaption(index));
    Timer->start(interval);
}

void TSplashScreen::TimerTimer() {
    Timer->stop();
    close();
}

void TSplashScreen::SplashPanelClick() {
    Timer->stop();
    close();
}

void TSplashScreen::mousePressEvent(QMouseEvent* event) {
    event->accept();
    SplashPanelClick();
}
