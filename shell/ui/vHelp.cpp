#include "shell/ui/vHelp.h"

#include "runtime/RtFiles.h"
#include "shell/ui/vApplication.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QTabWidget>
#include <QUrl>
#include <QVariant>
#include <QWidget>

namespace {

constexpr const char* HelpContextProperty = "HelpContext";

struct WindowTopic {
    const char* FormName;
    int Context;
};
constexpr WindowTopic WindowTopics[] = {
    {"AboutVorn", 222},
    {"PrintersizeForm", 112},
    {"kovMemoForm", 123},
    {"REIVForm", 234},
    {"ObjectMarkForm", 430},
    {"PBands", 2000},
    {"PBandHdrForm", 2003},
    {"DisProcessForm", 2720},
    {"OptionsForm", 3000},
    {"MagniForm", 5000},
    {"ViewCursorScreen", 5500},
    {"RotateForm", 5555},
    {"HistogramForm", 6000},
    {"LinearForm", 7000},
    {"LineProfileForm", 7500},
    {"DistanceForm", 7900},
    {"PixelAlgebraForm", 8000},
    {"FFTForm", 10000},
    {"ClassificationForm", 11000},
    {"FrInfo", 12000},
    {"SystemInfoForm", 13000},
    {"LabelObjectsForm", 14000},
    {"MacroForm", 17500},
};

} // namespace

QString HelpTopicAnchor(int context) {
    return context == 0 ? QString() : QString("topic-%1").arg(context);
}

bool OpenDocumentAt(const std::string& path, const QString& anchor) {
    if (!FileExists(path)) {
        HookShowMessage(MsgKind::Information, "Help file not found: " + path, MessageX, MessageY);
        return false;
    }
    QUrl url = QUrl::fromLocalFile(QString::fromLocal8Bit(path.c_str()));
    if (!anchor.isEmpty()) url.setFragment(anchor);
    const std::string text = url.toString(QUrl::FullyEncoded).toStdString();
    if (HookOpenDocument(text)) return true;
    HookShowMessage(MsgKind::Information, "No program is set up to show " + path, MessageX,
                    MessageY);
    return false;
}

int WindowHelpContext(const QString& formName) {
    for (const WindowTopic& w : WindowTopics)
        if (formName == QLatin1String(w.FormName)) return w.Context;
    return 0;
}

void SetHelpContext(QWidget* widget, int context) {
    widget->setProperty(HelpContextProperty, context);
}

void SetPageHelpContexts(QTabWidget* pages, std::initializer_list<int> contexts) {
    int index = 0;
    for (const int context : contexts)
        SetHelpContext(pages->widget(index++), context);
}

int HelpContextOf(const QObject* object) {
    if (!object || !object->isWidgetType()) return 0;
    for (auto* w = static_cast<const QWidget*>(object); w; w = w->parentWidget())
        if (const int context = w->property(HelpContextProperty).toInt()) return context;
    return 0;
}

bool IsHelpKeyOnControl(const QObject* watched, const QEvent* event) {
    return event->type() == QEvent::KeyPress && watched && watched->isWidgetType() &&
           static_cast<const QKeyEvent*>(event)->key() == Qt::Key_F1;
}

void ConnectHelp(QAbstractButton* button, std::function<void()> open) {
    HeardMidRun(button);
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [open = std::move(open)] { RunGuardedMidRun(open); });
}

void ConnectHelp(QAbstractButton* button, int topic) {
    ConnectHelp(button, [topic] {
        if (VORNForm) VORNForm->ShowHelpContext(topic);
    });
}
